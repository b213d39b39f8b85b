#pragma once
// Synthesis helpers for generated sound effects and music.
#include <cmath>
#include <string>
#include <vector>

namespace assetgen {

constexpr unsigned SAMPLE_RATE = 44100;

// Mono samples in -1..1.
using Samples = std::vector<float>;

// A deterministic noise source in -1..1.
class Noise {
public:
    explicit Noise(unsigned seed) : s_(seed * 747796405u + 2891336453u) {}
    float next()
    {
        s_ = s_ * 1664525u + 1013904223u;
        return (s_ >> 8) / 8388608.f - 1.f;
    }

private:
    unsigned s_;
};

float sine(float phase); // phase in cycles
inline float saw(float phase) { return 2.f * (phase - std::floor(phase)) - 1.f; }
inline float triangle(float phase)
{
    float f = phase - std::floor(phase);
    return f < 0.5f ? 4.f * f - 1.f : 3.f - 4.f * f;
}
// Frequency of a MIDI note number.
float noteHz(float midi);
// Attack-decay-sustain-release envelope at time t of a note held for `held` seconds.
float adsr(float t, float held, float attack, float decay, float sustain, float release);

// One-pole low-pass filter over the samples, in place.
void lowPass(Samples& s, float cutoffHz);
// Adds `src` into `dst` at sample offset, growing dst as needed.
void mixInto(Samples& dst, const Samples& src, size_t offset, float gain = 1.f);
// A feedback echo, in place.
void echo(Samples& s, float delaySeconds, float feedback, float wet);

// 16-bit PCM files through the audio library's writers (mono, or stereo when `right` is given).
bool writeWav(const std::string& path, const Samples& left, const Samples* right = nullptr);
bool writeOgg(const std::string& path, const Samples& left, const Samples* right = nullptr);

} // namespace assetgen
