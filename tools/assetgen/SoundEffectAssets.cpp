// The game's sound effects: short mono sounds for shots, hits, explosions,
// pick-ups and the menus, and the two seamless laser loops.
#include "tools/assetgen/Generator.h"
#include "tools/assetgen/Mastering.h"
#include "tools/assetgen/Synth.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

using namespace assetgen;

namespace {

constexpr float DT = 1.f / SAMPLE_RATE;

// A tone whose frequency follows hzAt(t), with a phase that never jumps.
Samples glidingTone(float seconds, Wave wave, const std::function<float(float)>& hzAt)
{
    Samples s(secondsToSamples(seconds));
    float phase = 0.f;
    for (size_t i = 0; i < s.size(); ++i) {
        const float increment = hzAt(i * DT) * DT;
        phase += increment;
        phase -= std::floor(phase);
        s[i] = oscillator(wave, phase, increment);
    }
    return s;
}

void lowPassSweep(Samples& s, float fromHz, float toHz, float resonance = 0.7f)
{
    StateVariableFilter f;
    for (size_t i = 0; i < s.size(); ++i) {
        if (i % 16 == 0)
            f.setCutoff(fromHz * std::pow(toHz / fromHz, static_cast<float>(i) / s.size()), resonance);
        s[i] = f.process(s[i]).low;
    }
}

void highPass(Samples& s, float hz)
{
    StateVariableFilter f;
    f.setCutoff(hz, 0.7f);
    for (float& x : s)
        x = f.process(x).high;
}

// Sequential notes (MIDI, start, length in seconds) of one timbre.
struct Tone {
    float midi, start, length;
};
Samples phrase(const Timbre& timbre, std::initializer_list<Tone> tones)
{
    Samples out;
    for (const Tone& t : tones)
        mixInto(out, renderNote(timbre, t.midi, t.length, static_cast<unsigned>(t.midi)), secondsToSamples(t.start));
    return out;
}
Samples chimes(std::initializer_list<Tone> tones)
{
    Samples out;
    for (const Tone& t : tones)
        mixInto(out, chimeTone(t.midi, t.length), secondsToSamples(t.start));
    return out;
}

Timbre chipTimbre(Wave wave, float release)
{
    Timbre t;
    t.wave = wave;
    t.cutoff = 7000.f;
    t.cutoffFloor = 3000.f;
    t.attack = 0.002f;
    t.decay = 0.08f;
    t.sustain = 0.7f;
    t.release = release;
    return t;
}

// An explosion: a filtered noise burst over a falling low thump and rumble.
Samples explosion(unsigned seed, float seconds, float brightHz, float rumbleHz)
{
    Samples noise = sweptNoise(seed, seconds, brightHz, 120.f, 0.6f);
    Samples crackle = sweptNoise(seed + 1, seconds * 0.5f, 6000.f, 1500.f, 0.5f);
    expDecay(crackle, seconds * 0.3f);
    Samples thump = glidingTone(seconds, Wave::Sine, [&](float t) { return rumbleHz * (1.f + 2.f * std::exp(-t * 12.f)); });
    Samples rumble = sweptNoise(seed + 2, seconds, 220.f, rumbleHz * 1.5f, 1.2f);
    Samples out(noise.size());
    for (size_t i = 0; i < out.size(); ++i) {
        float t = i * DT;
        float body = std::exp(-t * 4.5f / seconds);
        float c = i < crackle.size() ? crackle[i] : 0.f;
        out[i] = std::tanh(1.8f * (noise[i] * body + 0.35f * c + 0.9f * thump[i] * std::exp(-t * 7.f / seconds) +
                                   1.5f * rumble[i] * body));
    }
    return out;
}

void writeEffect(const Context& ctx, const char* name, Samples s, float fadeOut = 0.01f)
{
    fadeEdges(s, 0.001f, fadeOut);
    master({&s}, effectTarget(name));
    std::string path = ctx.path(std::string("2D/Sound/") + name + ".wav");
    if (!writeWav(path, s))
        throw std::runtime_error("cannot write " + path);
}

// Loops: every part repeats a whole number of times over the loop's length.
constexpr float LOOP_SECONDS = 1.f;

// A tone whose pitch contour repeats `cycles` times per loop, tuned so the
// oscillator also completes a whole number of periods at the seam.
Samples periodicTone(Wave wave, int cycles, const std::function<float(float)>& contour)
{
    size_t n = secondsToSamples(LOOP_SECONDS);
    double total = 0.0;
    for (size_t i = 0; i < n; ++i)
        total += contour(std::fmod(i * DT * cycles / LOOP_SECONDS, 1.f)) * DT;
    double tune = std::max(1.0, std::round(total)) / total;
    Samples s(n);
    double phase = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const double increment = contour(std::fmod(i * DT * cycles / LOOP_SECONDS, 1.f)) * DT * tune;
        s[i] = oscillator(wave, static_cast<float>(phase - std::floor(phase)), static_cast<float>(increment));
        phase += increment;
    }
    return s;
}

Samples loopNoise(unsigned seed, float cutoffHz)
{
    Samples s(secondsToSamples(LOOP_SECONDS));
    Noise rng(seed);
    for (float& x : s)
        x = rng.next();
    circularLowPass(s, cutoffHz);
    circularLowPass(s, cutoffHz);
    return s;
}

// Every oscillator of a loop starts its cycle on sample 0; turning the loop a
// little puts its first sample between their edges.
void startAwayFromEdges(Samples& loop)
{
    if (loop.size() > 137)
        std::rotate(loop.begin(), loop.begin() + 137, loop.end());
}

} // namespace

REGISTER_ASSETS(sound_effects_play)
{
    // A crisp blaster shot: a square chirp falling fast, with a click of noise.
    Samples shoot = glidingTone(0.15f, Wave::Square, [](float t) { return 330.f + 1300.f * std::exp(-t * 32.f); });
    Samples click = sweptNoise(3, 0.15f, 8000.f, 2000.f);
    for (size_t i = 0; i < shoot.size(); ++i)
        shoot[i] = (0.6f * shoot[i] + 0.4f * click[i] * std::exp(-90.f * i * DT)) * std::exp(-16.f * i * DT);
    lowPassSweep(shoot, 7000.f, 2500.f);
    writeEffect(ctx, "Shoot", shoot);

    // A bright metallic tick that rings for a moment, so a hit is heard in a busy fight.
    Samples tick = glidingTone(0.2f, Wave::Triangle, [](float t) { return std::max(1500.f, 2600.f - 9000.f * t); });
    Samples ring = glidingTone(0.2f, Wave::Sine, [](float) { return 1870.f; });
    Samples ringHigh = glidingTone(0.2f, Wave::Sine, [](float) { return 2830.f; });
    Samples grit = sweptNoise(5, 0.2f, 9000.f, 4000.f);
    for (size_t i = 0; i < tick.size(); ++i) {
        const float t = i * DT;
        tick[i] = (tick[i] + 0.5f * grit[i]) * std::exp(-60.f * t) + (0.5f * ring[i] + 0.3f * ringHigh[i]) * std::exp(-15.f * t);
    }
    highPass(tick, 900.f);
    writeEffect(ctx, "TouchEnemy", tick, 0.02f);

    // A laser zap: a resonant sawtooth diving in pitch with a fast wobble.
    Samples zap = glidingTone(0.36f, Wave::Saw,
                              [](float t) { return (180.f + 2600.f * std::exp(-t * 14.f)) * (1.f + 0.08f * sine(t * 45.f)); });
    lowPassSweep(zap, 9000.f, 900.f, 2.5f);
    expDecay(zap, 0.5f);
    writeEffect(ctx, "LaserShot", zap);

    // The ship's death: a long falling wail over a burst of explosion.
    Samples wail = glidingTone(1.2f, Wave::Square, [](float t) { return 60.f + 900.f * std::exp(-t * 3.f) * (1.f + 0.1f * sine(t * 9.f)); });
    lowPassSweep(wail, 5000.f, 400.f, 1.2f);
    expDecay(wail, 1.2f);
    Samples death = explosion(41, 1.2f, 4000.f, 55.f);
    mixInto(death, wail, 0, 0.6f);
    writeEffect(ctx, "Death", death, 0.1f);

    writeEffect(ctx, "ExplosionSmall", explosion(51, 0.5f, 3500.f, 90.f), 0.05f);
    writeEffect(ctx, "ExplosionMedium", explosion(61, 1.f, 2800.f, 65.f), 0.1f);
    Samples big = explosion(71, 2.f, 2400.f, 64.f);
    mixInto(big, explosion(79, 1.6f, 1800.f, 58.f), secondsToSamples(0.18f), 0.7f);
    big.resize(secondsToSamples(2.f));
    writeEffect(ctx, "ExplosionBig", big, 0.2f);
}

REGISTER_ASSETS(sound_effects_rewards)
{
    // Power-up chime: two quick bright notes upward.
    writeEffect(ctx, "BonusP", chimes({{88.f, 0.f, 0.25f}, {95.f, 0.07f, 0.28f}}), 0.04f);
    // Gold: a sparkling four-note arpeggio.
    writeEffect(ctx, "BonusGold",
                chimes({{84.f, 0.f, 0.2f}, {88.f, 0.05f, 0.2f}, {91.f, 0.1f, 0.22f}, {96.f, 0.15f, 0.35f}}), 0.05f);

    // Maximum laser: a short brassy fanfare, triplet pick-up to a held top note.
    Timbre brass;
    brass.wave = Wave::Saw;
    brass.voices = 2;
    brass.detuneCents = 10.f;
    brass.cutoff = 5000.f;
    brass.cutoffFloor = 1500.f;
    brass.attack = 0.015f;
    brass.decay = 0.15f;
    brass.sustain = 0.75f;
    brass.release = 0.15f;
    brass.vibratoDepth = 0.3f;
    brass.vibratoDelay = 0.25f;
    Samples fanfare = phrase(brass, {{67.f, 0.f, 0.09f}, {67.f, 0.1f, 0.09f}, {67.f, 0.2f, 0.09f}, {72.f, 0.3f, 0.75f}});
    mixInto(fanfare, phrase(brass, {{64.f, 0.3f, 0.75f}, {60.f, 0.3f, 0.75f}}), 0, 0.6f);
    writeEffect(ctx, "MaxLaser", fanfare, 0.1f);

    // Extra life: a bouncy square-wave jingle climbing to the octave.
    Timbre chip = chipTimbre(Wave::Square, 0.05f);
    writeEffect(ctx, "ExtraLife",
                phrase(chip, {{76.f, 0.f, 0.1f}, {79.f, 0.11f, 0.1f}, {88.f, 0.22f, 0.1f}, {84.f, 0.33f, 0.1f},
                              {86.f, 0.44f, 0.1f}, {91.f, 0.55f, 0.3f}}),
                0.05f);
}

REGISTER_ASSETS(sound_effects_menu)
{
    Timbre blip = chipTimbre(Wave::Pulse25, 0.02f);
    // A blip and its softer echo.
    Samples select = phrase(blip, {{84.f, 0.f, 0.05f}});
    mixInto(select, phrase(blip, {{84.f, 0.f, 0.05f}}), secondsToSamples(0.08f), 0.45f);
    mixInto(select, phrase(blip, {{84.f, 0.f, 0.05f}}), secondsToSamples(0.16f), 0.2f);
    writeEffect(ctx, "MenuSelect", select, 0.01f);
    writeEffect(ctx, "MenuValid", phrase(blip, {{81.f, 0.f, 0.06f}, {88.f, 0.07f, 0.14f}}), 0.02f);
    Timbre soft = chipTimbre(Wave::Triangle, 0.05f);
    writeEffect(ctx, "MenuCancel", phrase(soft, {{76.f, 0.f, 0.07f}, {69.f, 0.08f, 0.1f}}), 0.02f);

    // Page turn: a band of noise sweeping up and back down.
    Samples swoosh = sweptNoise(91, 0.4f, 500.f, 6000.f, 2.f);
    for (size_t i = 0; i < swoosh.size(); ++i)
        swoosh[i] *= std::sin(3.14159f * i / swoosh.size());
    writeEffect(ctx, "NextPage", swoosh, 0.02f);

    // Start: a rising sweep into a bright major chord stab with a thump and a cymbal.
    Timbre stab;
    stab.wave = Wave::Saw;
    stab.voices = 3;
    stab.detuneCents = 14.f;
    stab.cutoff = 6000.f;
    stab.cutoffFloor = 1200.f;
    stab.attack = 0.005f;
    stab.decay = 0.4f;
    stab.sustain = 0.5f;
    stab.release = 0.5f;
    Samples start = sweptNoise(97, 0.25f, 400.f, 8000.f, 1.5f);
    for (size_t i = 0; i < start.size(); ++i)
        start[i] *= 0.4f * static_cast<float>(i) / start.size();
    size_t hit = secondsToSamples(0.22f);
    mixInto(start, phrase(stab, {{60.f, 0.f, 0.5f}, {64.f, 0.f, 0.5f}, {67.f, 0.f, 0.5f}, {72.f, 0.f, 0.5f}}), hit, 0.5f);
    mixInto(start, kickDrum(1.f, 0.5f), hit, 0.8f);
    mixInto(start, crashCymbal(99, 0.9f), hit, 0.25f);
    writeEffect(ctx, "MenuStart", start, 0.1f);
}

REGISTER_ASSETS(sound_effects_laser_loops)
{
    // Charging: a whine rising an octave four times a second over a pulsing hum and hiss.
    Samples whine = periodicTone(Wave::Triangle, 4, [](float u) { return 520.f * std::pow(2.f, u); });
    Samples hum = periodicTone(Wave::Saw, 1, [](float) { return 110.f; });
    Samples hiss = loopNoise(101, 3000.f);
    Samples charge(whine.size());
    for (size_t i = 0; i < charge.size(); ++i) {
        float t = i * DT;
        float pulse = 0.6f + 0.4f * sine(t * 8.f / LOOP_SECONDS);
        charge[i] = 0.5f * whine[i] * pulse + 0.25f * hum[i] + 0.5f * hiss[i] * pulse;
    }
    circularLowPass(charge, 6000.f);
    startAwayFromEdges(charge);
    master({&charge}, loopedEffectTarget("ChargeLaser"));
    if (!writeWav(ctx.path("2D/Sound/ChargeLaser.wav"), charge))
        throw std::runtime_error("cannot write ChargeLaser.wav");

    // The beam: beating sawtooth drones, a wavering high whine and crackle.
    Samples low = periodicTone(Wave::Saw, 1, [](float) { return 110.f; });
    Samples lowBeat = periodicTone(Wave::Saw, 1, [](float) { return 111.f; });
    Samples octave = periodicTone(Wave::Square, 1, [](float) { return 220.f; });
    Samples high = periodicTone(Wave::Sine, 6, [](float u) { return 1760.f * (1.f + 0.01f * sine(u)); });
    Samples crackle = loopNoise(103, 5000.f);
    Samples beam(low.size());
    for (size_t i = 0; i < beam.size(); ++i) {
        float t = i * DT;
        float flutter = 0.8f + 0.2f * sine(t * 12.f / LOOP_SECONDS);
        beam[i] = 0.35f * (low[i] + lowBeat[i]) + 0.15f * octave[i] * flutter + 0.2f * high[i] + 0.4f * crackle[i] * flutter;
    }
    circularLowPass(beam, 4500.f);
    startAwayFromEdges(beam);
    master({&beam}, loopedEffectTarget("LaserActive"));
    if (!writeWav(ctx.path("2D/Sound/LaserActive.wav"), beam))
        throw std::runtime_error("cannot write LaserActive.wav");
}
