#include "tools/assetgen/Synth.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {
constexpr float PI = 3.14159265359f;
constexpr float DT = 1.f / SAMPLE_RATE;
constexpr float LOWEST_SUB_HZ = 40.f;

float softClip(float x) { return std::tanh(x); }
}

size_t secondsToSamples(float seconds) { return static_cast<size_t>(std::max(0.f, seconds) * SAMPLE_RATE + 0.5f); }

void StateVariableFilter::setCutoff(float hz, float resonance)
{
    hz = std::clamp(hz, 10.f, SAMPLE_RATE * 0.45f);
    g_ = std::tan(PI * hz / SAMPLE_RATE);
    k_ = 1.f / std::max(resonance, 0.1f);
    a1_ = 1.f / (1.f + g_ * (g_ + k_));
    a2_ = g_ * a1_;
    a3_ = g_ * a2_;
}

StateVariableFilter::Out StateVariableFilter::process(float x)
{
    float v3 = x - ic2_;
    float v1 = a1_ * ic1_ + a2_ * v3;
    float v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.f * v1 - ic1_;
    ic2_ = 2.f * v2 - ic2_;
    return Out{v2, v1, x - k_ * v1 - v2};
}

Samples renderNote(const Timbre& tb, float midi, float held, unsigned seed)
{
    Samples out(secondsToSamples(held + tb.release));
    Noise rng(seed);
    int voices = std::max(1, tb.voices);
    float phases[8] = {};
    for (int v = 1; v < voices && v < 8; ++v)
        phases[v] = rng.next() * 0.5f + 0.5f;
    float detune[8] = {};
    for (int v = 0; v < voices && v < 8; ++v) {
        float cents = voices > 1 ? (v - (voices - 1) * 0.5f) * tb.detuneCents / (voices - 1) : 0.f;
        detune[v] = std::pow(2.f, cents / 1200.f);
    }
    float subPhase = 0.f;
    const float baseHz = noteHz(midi);
    StateVariableFilter filter;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = i * DT;
        float env = adsr(t, held, tb.attack, tb.decay, tb.sustain, tb.release);
        float bend = 0.f; // semitones
        if (tb.vibratoDepth > 0.f && t > tb.vibratoDelay)
            bend += tb.vibratoDepth * std::min(1.f, (t - tb.vibratoDelay) * 4.f) * sine(t * tb.vibratoRate);
        if (tb.glideTime > 0.f && t < tb.glideTime)
            bend += tb.glideFrom * (1.f - t / tb.glideTime);
        float hz = bend == 0.f ? baseHz : baseHz * std::exp2(bend / 12.f);
        float sum = 0.f;
        for (int v = 0; v < voices && v < 8; ++v) {
            const float increment = hz * detune[v] * DT;
            phases[v] += increment;
            phases[v] -= std::floor(phases[v]);
            sum += oscillator(tb.wave, phases[v], increment);
        }
        sum /= std::sqrt(static_cast<float>(voices));
        // The octave below joins only where it stays above the lowest bass anyone hears.
        if (tb.subLevel > 0.f && hz * 0.5f >= LOWEST_SUB_HZ) {
            subPhase += hz * 0.5f * DT;
            subPhase -= std::floor(subPhase);
            sum += tb.subLevel * oscillator(Wave::Square, subPhase, hz * 0.5f * DT);
        }
        if (i % 16 == 0)
            filter.setCutoff(tb.cutoffFloor + (tb.cutoff - tb.cutoffFloor) * env, tb.resonance);
        out[i] = filter.process(sum).low * env;
    }
    return out;
}

Samples kickDrum(float tone, float length)
{
    Samples out(secondsToSamples(length));
    Noise rng(7);
    float phase = 0.f;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = i * DT;
        float hz = tone * (48.f + 120.f * std::exp(-t * 28.f));
        phase += hz * DT;
        float body = sine(phase) * std::exp(-t * 6.5f);
        float click = t < 0.004f ? rng.next() * (1.f - t / 0.004f) * 0.5f : 0.f;
        out[i] = softClip(1.6f * body + click) * std::min(1.f, (length - t) * 40.f);
    }
    return out;
}

Samples snareDrum(unsigned seed, float tone, float length)
{
    Samples out(secondsToSamples(length));
    Noise rng(seed);
    StateVariableFilter hp;
    hp.setCutoff(1800.f * tone, 0.6f);
    float p1 = 0.f, p2 = 0.f;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = i * DT;
        p1 += 185.f * tone * DT;
        p2 += 330.f * tone * DT;
        float body = (0.7f * sine(p1) + 0.35f * sine(p2)) * std::exp(-t * 30.f);
        float rattle = hp.process(rng.next()).high * std::exp(-t * 4.5f / length);
        out[i] = softClip(body + 0.8f * rattle) * std::min(1.f, (length - t) * 60.f);
    }
    return out;
}

Samples hiHat(unsigned seed, bool open)
{
    float length = open ? 0.35f : 0.06f;
    Samples out(secondsToSamples(length));
    Noise rng(seed);
    StateVariableFilter hp;
    hp.setCutoff(7500.f, 0.9f);
    float ph[3] = {};
    const float metal[3] = {3090.f, 4230.f, 5560.f};
    for (size_t i = 0; i < out.size(); ++i) {
        float t = i * DT;
        float ring = 0.f;
        for (int k = 0; k < 3; ++k) {
            ph[k] += metal[k] * DT;
            ring += oscillator(Wave::Square, ph[k], metal[k] * DT);
        }
        float x = hp.process(rng.next() + 0.15f * ring).high;
        out[i] = x * std::exp(-t * 4.5f / length) * std::min(1.f, (length - t) * 200.f);
    }
    return out;
}

Samples crashCymbal(unsigned seed, float length)
{
    Samples out(secondsToSamples(length));
    Noise rng(seed);
    StateVariableFilter hp;
    hp.setCutoff(4200.f, 0.5f);
    for (size_t i = 0; i < out.size(); ++i) {
        float t = i * DT;
        out[i] = hp.process(rng.next()).high * std::exp(-t * 5.f / length) * std::min(1.f, t * 2000.f);
    }
    return out;
}

Samples tomDrum(float midi, float length)
{
    Samples out(secondsToSamples(length));
    float phase = 0.f, base = noteHz(midi);
    for (size_t i = 0; i < out.size(); ++i) {
        float t = i * DT;
        phase += base * (1.f + 0.6f * std::exp(-t * 20.f)) * DT;
        out[i] = softClip(1.3f * sine(phase) * std::exp(-t * 5.f / length));
    }
    return out;
}

Samples bellTone(float midi, float length, float brightness)
{
    Samples out(secondsToSamples(length));
    float hz = noteHz(midi), pc = 0.f, pm = 0.f;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = i * DT;
        pm += hz * 4.f * DT;
        pc += hz * DT;
        pm -= std::floor(pm);
        pc -= std::floor(pc);
        float index = brightness * std::exp(-t * 6.f);
        out[i] = sine(pc + index * sine(pm) / 6.2832f) * std::exp(-t * 4.f / length) * std::min(1.f, t * 800.f);
    }
    return out;
}

Samples chimeTone(float midi, float length, float highestHz)
{
    struct Partial {
        float ratio, level, fade; // fade: how much faster than the fundamental it dies away
    };
    static const Partial partials[] = {{1.f, 1.f, 1.f}, {2.f, 0.45f, 1.6f}, {3.f, 0.22f, 2.2f}, {4.16f, 0.12f, 3.f},
                                       {5.43f, 0.07f, 4.f}};
    Samples out(secondsToSamples(length), 0.f);
    const float hz = noteHz(midi);
    for (const Partial& p : partials) {
        if (hz * p.ratio > highestHz)
            continue;
        const float step = hz * p.ratio * DT;
        float phase = 0.f;
        for (size_t i = 0; i < out.size(); ++i) {
            const float t = i * DT;
            out[i] += p.level * sine(phase) * std::exp(-t * 4.f * p.fade / length);
            phase += step;
            phase -= std::floor(phase);
        }
    }
    for (size_t i = 0; i < out.size(); ++i)
        out[i] *= std::min(1.f, i * DT * 600.f);
    return out;
}

Samples sweptNoise(unsigned seed, float seconds, float fromHz, float toHz, float resonance)
{
    Samples out(secondsToSamples(seconds));
    Noise rng(seed);
    StateVariableFilter f;
    for (size_t i = 0; i < out.size(); ++i) {
        if (i % 16 == 0) {
            float k = out.size() > 1 ? static_cast<float>(i) / (out.size() - 1) : 0.f;
            f.setCutoff(fromHz * std::pow(toHz / fromHz, k), resonance);
        }
        out[i] = f.process(rng.next()).low;
    }
    return out;
}

void expDecay(Samples& s, float seconds)
{
    float rate = 6.9f / std::max(seconds, 1e-3f);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] *= std::exp(-rate * i * DT);
}

void fadeEdges(Samples& s, float inSeconds, float outSeconds)
{
    size_t in = std::min(s.size(), secondsToSamples(inSeconds)), out = std::min(s.size(), secondsToSamples(outSeconds));
    for (size_t i = 0; i < in; ++i)
        s[i] *= static_cast<float>(i) / in;
    for (size_t i = 0; i < out; ++i)
        s[s.size() - 1 - i] *= static_cast<float>(i) / out;
}

void foldTail(Samples& s, size_t loopLength)
{
    if (loopLength == 0)
        return;
    if (s.size() < loopLength)
        s.resize(loopLength, 0.f);
    for (size_t i = loopLength; i < s.size(); ++i)
        s[i % loopLength] += s[i];
    s.resize(loopLength);
}

void circularEcho(Samples& s, float delaySeconds, float feedback, float wet)
{
    size_t d = secondsToSamples(delaySeconds);
    if (d == 0 || s.empty())
        return;
    Samples line(d, 0.f), dry = s;
    size_t pos = 0;
    // The first pass fills the delay line with the loop's own end; the second is kept.
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < s.size(); ++i) {
            float delayed = line[pos];
            line[pos] = dry[i] + delayed * feedback;
            pos = (pos + 1) % d;
            if (pass == 1)
                s[i] = dry[i] + delayed * wet;
        }
}

void circularLowPass(Samples& s, float cutoffHz)
{
    float rc = 1.f / (2.f * PI * cutoffHz), a = DT / (rc + DT);
    float y = 0.f;
    Samples dry = s;
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < s.size(); ++i) {
            y += a * (dry[i] - y);
            if (pass == 1)
                s[i] = y;
        }
}

} // namespace assetgen
