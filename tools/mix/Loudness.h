#pragma once
// Loudness and level measures of sampled sound: integrated and momentary
// loudness as broadcasters measure it (K-weighted, gated, in LUFS), the true
// peak between samples, the DC offset and the share of energy in the low end.
// Shared by the asset generator (to master the files) and by the mix tool and
// tests (to check them).
#include <cstddef>
#include <vector>

namespace mix {

// One sound: one channel (mono) or two (left, right), samples in -1..1.
struct Audio {
    unsigned rate = 44100;
    std::vector<std::vector<float>> channels;

    std::size_t frames() const { return channels.empty() ? 0 : channels[0].size(); }
    double seconds() const { return rate ? static_cast<double>(frames()) / rate : 0.0; }
};

// Loudness of silence.
constexpr double SILENT_LUFS = -120.0;

// Integrated loudness (400 ms blocks every 100 ms, absolute and relative gates).
double integratedLoudness(const Audio& audio);
// Loudest 400 ms window, with silence around the sound, so a sound shorter than
// the window is measured as the window that holds all of it.
double maxMomentaryLoudness(const Audio& audio);
// The loudest 400 ms of the sound started every `interval` seconds for `seconds`
// (overlapping copies add up), as a player hears a repeated effect.
double repeatedLoudness(const Audio& audio, double interval, double seconds);

// Peak of the signal rebuilt between the samples (four times oversampled), linear.
double truePeak(const Audio& audio);
// Per sample, the largest rebuilt value between it and the next sample, linear.
std::vector<float> interSamplePeaks(const std::vector<float>& samples);
// The largest mean of any channel, as a fraction of full scale (signed).
double dcOffset(const Audio& audio);
// Share (0..1) of the sound's energy below `hz`.
double energyShareBelow(const Audio& audio, double hz);

double toDecibels(double linear);
double fromDecibels(double db);

} // namespace mix
