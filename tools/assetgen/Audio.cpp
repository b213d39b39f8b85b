#include "tools/assetgen/Audio.h"

#include <SFML/Audio/OutputSoundFile.hpp>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <mutex>

namespace assetgen {

namespace {
constexpr float TAU = 6.28318530718f;
}

float sine(float phase) { return std::sin(phase * TAU); }
float noteHz(float midi) { return 440.f * std::pow(2.f, (midi - 69.f) / 12.f); }

float adsr(float t, float held, float attack, float decay, float sustain, float release)
{
    if (t < 0.f)
        return 0.f;
    float level;
    if (t < attack)
        level = t / std::max(attack, 1e-5f);
    else if (t < attack + decay)
        level = 1.f - (1.f - sustain) * (t - attack) / std::max(decay, 1e-5f);
    else
        level = sustain;
    if (t > held) {
        float atRelease = held < attack ? held / std::max(attack, 1e-5f)
                          : held < attack + decay ? 1.f - (1.f - sustain) * (held - attack) / std::max(decay, 1e-5f)
                                                  : sustain;
        float r = (t - held) / std::max(release, 1e-5f);
        level = r >= 1.f ? 0.f : atRelease * (1.f - r);
    }
    return level;
}

void lowPass(Samples& s, float cutoffHz)
{
    float rc = 1.f / (TAU * cutoffHz), dt = 1.f / SAMPLE_RATE, a = dt / (rc + dt);
    float y = 0.f;
    for (float& x : s)
        x = y = y + a * (x - y);
}

void mixInto(Samples& dst, const Samples& src, size_t offset, float gain)
{
    if (dst.size() < offset + src.size())
        dst.resize(offset + src.size(), 0.f);
    for (size_t i = 0; i < src.size(); ++i)
        dst[offset + i] += src[i] * gain;
}

void echo(Samples& s, float delaySeconds, float feedback, float wet)
{
    size_t d = static_cast<size_t>(delaySeconds * SAMPLE_RATE);
    if (d == 0)
        return;
    Samples buf(s.size(), 0.f);
    for (size_t i = 0; i < s.size(); ++i) {
        float delayed = i >= d ? buf[i - d] : 0.f;
        buf[i] = s[i] + delayed * feedback;
        s[i] += delayed * wet;
    }
}

namespace {
bool writeFile(const std::string& path, const Samples& left, const Samples* right)
{
    unsigned channels = right ? 2 : 1;
    size_t frames = right ? std::max(left.size(), right->size()) : left.size();
    std::vector<std::int16_t> pcm(frames * channels);
    auto conv = [](float v) { return static_cast<std::int16_t>(std::lround(std::clamp(v, -1.f, 1.f) * 32767.f)); };
    for (size_t i = 0; i < frames; ++i) {
        pcm[i * channels] = conv(i < left.size() ? left[i] : 0.f);
        if (right)
            pcm[i * channels + 1] = conv(i < right->size() ? (*right)[i] : 0.f);
    }
    sf::OutputSoundFile file;
    {
        // The Ogg writer numbers its stream with the C library's shared random
        // generator; seeding it under a lock keeps the files byte-identical
        // from one run to the next, whatever order the generators run in.
        static std::mutex openLock;
        std::lock_guard<std::mutex> lock(openLock);
        std::srand(1u);
        if (!file.openFromFile(path, SAMPLE_RATE, channels))
            return false;
    }
    file.write(pcm.data(), pcm.size());
    return true;
}
}

bool writeWav(const std::string& path, const Samples& left, const Samples* right) { return writeFile(path, left, right); }
bool writeOgg(const std::string& path, const Samples& left, const Samples* right) { return writeFile(path, left, right); }

} // namespace assetgen
