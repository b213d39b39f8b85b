#pragma once
// Building blocks shared by the generated sound effects and music: a
// resonant filter, phase-accurate oscillators, drum voices, pitched
// instrument notes and helpers that make a buffer loop without a seam.
#include "tools/assetgen/Audio.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace assetgen {

// State-variable filter (trapezoidal form): stable at any cutoff, with
// low-, band- and high-pass outputs from the same state.
class StateVariableFilter {
public:
    struct Out {
        float low, band, high;
    };
    void setCutoff(float hz, float resonance = 0.7f);
    Out process(float x);

private:
    float g_ = 0.f, k_ = 1.4f, a1_ = 1.f, a2_ = 0.f, a3_ = 0.f;
    float ic1_ = 0.f, ic2_ = 0.f;
};

enum class Wave { Sine, Triangle, Saw, Square, Pulse25 };

namespace detail {
// The correction of a unit step at phase 0 for a wave sampled `increment` cycles apart.
inline float stepCorrection(float phase, float increment)
{
    if (increment <= 0.f)
        return 0.f;
    if (phase < increment) {
        const float x = phase / increment;
        return x + x - x * x - 1.f;
    }
    if (phase > 1.f - increment) {
        const float x = (phase - 1.f) / increment;
        return x * x + x + x + 1.f;
    }
    return 0.f;
}

inline float smoothPulse(float phase, float increment, float duty)
{
    const float naive = phase < duty ? 1.f : -1.f;
    const float fall = phase - duty + (phase < duty ? 1.f : 0.f);
    // The naive pulse averages 2 duty - 1; that offset is taken off.
    return naive + stepCorrection(phase, increment) - stepCorrection(fall, increment) + (1.f - 2.f * duty);
}
} // namespace detail

// A value of `wave` at `phase` (cycles) advancing `increment` cycles per
// sample. The edges of the saw, square and pulse are smoothed over one sample
// on either side (polynomial band-limited steps), which keeps their overtones
// from folding back below the Nyquist frequency, and every wave is centred on
// zero (no DC).
inline float oscillator(Wave wave, float phase, float increment)
{
    phase -= std::floor(phase);
    increment = std::min(std::fabs(increment), 0.5f);
    switch (wave) {
    case Wave::Sine:
        return sine(phase);
    case Wave::Triangle:
        return triangle(phase);
    case Wave::Saw:
        return saw(phase) - detail::stepCorrection(phase, increment);
    case Wave::Square:
        return detail::smoothPulse(phase, increment, 0.5f);
    case Wave::Pulse25:
        return detail::smoothPulse(phase, increment, 0.25f);
    }
    return 0.f;
}

// One pitched note's sound design.
struct Timbre {
    Wave wave = Wave::Saw;
    int voices = 1;           // detuned copies
    float detuneCents = 0.f;  // spread between the copies
    float subLevel = 0.f;     // square one octave below
    float cutoff = 4000.f;    // filter cutoff at the envelope's peak (Hz)
    float cutoffFloor = 800.f; // cutoff once the envelope has decayed
    float resonance = 0.8f;
    float attack = 0.005f, decay = 0.2f, sustain = 0.6f, release = 0.1f;
    float vibratoDepth = 0.f; // semitones
    float vibratoRate = 5.5f; // Hz
    float vibratoDelay = 0.15f;
    float glideFrom = 0.f;    // semitones the note slides in from
    float glideTime = 0.f;
};

// A note of `midi` pitch held for `held` seconds, with its release tail.
Samples renderNote(const Timbre& timbre, float midi, float held, unsigned seed = 1);

// Drum voices; `tone` scales the pitch around the voice's own (1 = default).
Samples kickDrum(float tone = 1.f, float length = 0.45f);
Samples snareDrum(unsigned seed, float tone = 1.f, float length = 0.22f);
Samples hiHat(unsigned seed, bool open = false);
Samples crashCymbal(unsigned seed, float length = 1.6f);
Samples tomDrum(float midi, float length = 0.3f);
// A bell-like two-operator FM tone.
Samples bellTone(float midi, float length, float brightness = 2.f);
// A clear chime for high notes: a few sine partials of a bell, none above
// `highestHz`, so nothing is shrill and nothing folds back.
Samples chimeTone(float midi, float length, float highestHz = 9000.f);

// Noise shaped by a low-pass whose cutoff moves from `fromHz` to `toHz`.
Samples sweptNoise(unsigned seed, float seconds, float fromHz, float toHz, float resonance = 0.7f);
// Exponential fade-out that reaches about -60 dB at `seconds`.
void expDecay(Samples& s, float seconds);
// Linear fade in over the first and out over the last `seconds`.
void fadeEdges(Samples& s, float inSeconds, float outSeconds);

// Mixes everything past `loopLength` back onto the start, so a buffer whose
// notes ring past its end plays on seamlessly when repeated; truncates to loopLength.
void foldTail(Samples& s, size_t loopLength);
// A feedback echo computed as if the buffer repeated forever (for loops).
void circularEcho(Samples& s, float delaySeconds, float feedback, float wet);
// A one-pole low-pass computed as if the buffer repeated forever (for loops).
void circularLowPass(Samples& s, float cutoffHz);

size_t secondsToSamples(float seconds);

} // namespace assetgen
