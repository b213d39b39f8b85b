#include "tools/mix/Loudness.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace mix {
namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double BLOCK_SECONDS = 0.4;
constexpr double ABSOLUTE_GATE_LUFS = -70.0;
constexpr double RELATIVE_GATE_LU = -10.0;
constexpr int OVERSAMPLING = 4;
constexpr int TAPS_PER_PHASE = 16;

struct Biquad {
    double b0, b1, b2, a1, a2;
    double z1 = 0.0, z2 = 0.0;
    double process(double x)
    {
        double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// The two stages of the K-weighting curve, designed for any sample rate:
// a high shelf of about +4 dB above 1.7 kHz and a high-pass at 38 Hz.
Biquad headShelf(unsigned rate)
{
    const double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
    const double k = std::tan(PI * f0 / rate), vh = std::pow(10.0, gainDb / 20.0), vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / q + k * k;
    return {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
            2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

Biquad lowCut(unsigned rate)
{
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    const double k = std::tan(PI * f0 / rate);
    const double a0 = 1.0 + k / q + k * k;
    return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

// Per frame, the K-weighted power summed over the channels.
std::vector<double> weightedPower(const Audio& audio)
{
    std::vector<double> power(audio.frames(), 0.0);
    for (const std::vector<float>& channel : audio.channels) {
        Biquad shelf = headShelf(audio.rate), cut = lowCut(audio.rate);
        for (std::size_t i = 0; i < channel.size() && i < power.size(); ++i) {
            const double y = cut.process(shelf.process(channel[i]));
            power[i] += y * y;
        }
    }
    return power;
}

double powerToLufs(double meanPower) { return meanPower > 1e-12 ? -0.691 + 10.0 * std::log10(meanPower) : SILENT_LUFS; }

// Mean power of each 400 ms window starting every `hop` frames; the signal is
// taken as silent outside its frames.
std::vector<double> windowPowers(const std::vector<double>& power, std::size_t window, std::size_t hop, bool padded)
{
    std::vector<double> prefix(power.size() + 1, 0.0);
    std::partial_sum(power.begin(), power.end(), prefix.begin() + 1);
    const long long n = static_cast<long long>(power.size()), w = static_cast<long long>(window);
    const long long first = padded ? -w + 1 : 0, last = padded ? n - 1 : n - w;
    std::vector<double> out;
    for (long long start = first; start <= last; start += static_cast<long long>(hop)) {
        const long long a = std::clamp(start, 0LL, n), b = std::clamp(start + w, 0LL, n);
        out.push_back((prefix[b] - prefix[a]) / static_cast<double>(window));
    }
    return out;
}

double gatedMean(const std::vector<double>& blocks, double gateLufs)
{
    double sum = 0.0;
    int count = 0;
    for (double p : blocks)
        if (powerToLufs(p) > gateLufs) {
            sum += p;
            ++count;
        }
    return count ? sum / count : 0.0;
}

// Interpolation filters: for each point between two samples, the weights of
// the samples around it (a Blackman-windowed sinc cut at the Nyquist frequency).
using PhaseTaps = std::vector<std::vector<double>>;
const PhaseTaps& interpolationTaps()
{
    static const PhaseTaps taps = [] {
        const int half = TAPS_PER_PHASE / 2;
        PhaseTaps t(OVERSAMPLING, std::vector<double>(TAPS_PER_PHASE));
        for (int phase = 0; phase < OVERSAMPLING; ++phase)
            for (int k = -half + 1; k <= half; ++k) {
                const double x = static_cast<double>(phase) / OVERSAMPLING - k;
                const double sinc = std::fabs(x) < 1e-9 ? 1.0 : std::sin(PI * x) / (PI * x);
                const double window = 0.42 + 0.5 * std::cos(PI * x / half) + 0.08 * std::cos(2.0 * PI * x / half);
                t[phase][k + half - 1] = sinc * window;
            }
        return t;
    }();
    return taps;
}

} // namespace

double toDecibels(double linear) { return linear > 1e-12 ? 20.0 * std::log10(linear) : SILENT_LUFS; }
double fromDecibels(double db) { return std::pow(10.0, db / 20.0); }

double integratedLoudness(const Audio& audio)
{
    const std::size_t window = static_cast<std::size_t>(BLOCK_SECONDS * audio.rate);
    const std::vector<double> power = weightedPower(audio);
    if (power.size() < window)
        return maxMomentaryLoudness(audio);
    const std::vector<double> blocks = windowPowers(power, window, window / 4, false);
    const double ungated = gatedMean(blocks, ABSOLUTE_GATE_LUFS);
    if (ungated <= 0.0)
        return SILENT_LUFS;
    return powerToLufs(gatedMean(blocks, std::max(ABSOLUTE_GATE_LUFS, powerToLufs(ungated) + RELATIVE_GATE_LU)));
}

double maxMomentaryLoudness(const Audio& audio)
{
    const std::size_t window = static_cast<std::size_t>(BLOCK_SECONDS * audio.rate);
    const std::vector<double> blocks = windowPowers(weightedPower(audio), window, std::max<std::size_t>(1, audio.rate / 1000), true);
    const double loudest = blocks.empty() ? 0.0 : *std::max_element(blocks.begin(), blocks.end());
    return powerToLufs(loudest);
}

double repeatedLoudness(const Audio& audio, double interval, double seconds)
{
    Audio held;
    held.rate = audio.rate;
    const std::size_t step = std::max<std::size_t>(1, static_cast<std::size_t>(interval * audio.rate));
    const std::size_t length = static_cast<std::size_t>(seconds * audio.rate) + audio.frames();
    for (const std::vector<float>& channel : audio.channels) {
        std::vector<float> out(length, 0.f);
        for (std::size_t start = 0; start + audio.frames() <= length; start += step)
            for (std::size_t i = 0; i < channel.size(); ++i)
                out[start + i] += channel[i];
        held.channels.push_back(std::move(out));
    }
    return maxMomentaryLoudness(held);
}

std::vector<float> interSamplePeaks(const std::vector<float>& s)
{
    const PhaseTaps& taps = interpolationTaps();
    float weights[OVERSAMPLING][TAPS_PER_PHASE];
    for (int phase = 0; phase < OVERSAMPLING; ++phase)
        for (int k = 0; k < TAPS_PER_PHASE; ++k)
            weights[phase][k] = static_cast<float>(taps[phase][k]);
    // Zeros around the sound, so every point sees a full set of neighbours.
    const std::size_t half = TAPS_PER_PHASE / 2;
    std::vector<float> padded(s.size() + TAPS_PER_PHASE, 0.f);
    std::copy(s.begin(), s.end(), padded.begin() + half - 1);
    std::vector<float> peaks(s.size(), 0.f);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float* around = &padded[i]; // around[k] is the sample at i + k - half + 1
        float peak = std::fabs(s[i]);
        for (int phase = 1; phase < OVERSAMPLING; ++phase) {
            float v = 0.f;
            for (int k = 0; k < TAPS_PER_PHASE; ++k)
                v += around[k] * weights[phase][k];
            peak = std::max(peak, std::fabs(v));
        }
        peaks[i] = peak;
    }
    return peaks;
}

double truePeak(const Audio& audio)
{
    double peak = 0.0;
    for (const std::vector<float>& channel : audio.channels)
        for (float p : interSamplePeaks(channel))
            peak = std::max(peak, static_cast<double>(p));
    return peak;
}

double dcOffset(const Audio& audio)
{
    double worst = 0.0;
    for (const std::vector<float>& channel : audio.channels) {
        if (channel.empty())
            continue;
        const double mean = std::accumulate(channel.begin(), channel.end(), 0.0) / channel.size();
        if (std::fabs(mean) > std::fabs(worst))
            worst = mean;
    }
    return worst;
}

double energyShareBelow(const Audio& audio, double hz)
{
    // Fourth-order Butterworth low-pass: two second-order sections.
    const double k = std::tan(PI * hz / audio.rate);
    double low = 0.0, total = 0.0;
    for (const std::vector<float>& channel : audio.channels) {
        std::vector<Biquad> sections;
        for (double q : {0.5411961001461969, 1.3065629648763766}) {
            const double norm = 1.0 / (1.0 + k / q + k * k);
            sections.push_back({k * k * norm, 2.0 * k * k * norm, k * k * norm, 2.0 * (k * k - 1.0) * norm,
                                (1.0 - k / q + k * k) * norm});
        }
        for (float x : channel) {
            double y = x;
            for (Biquad& section : sections)
                y = section.process(y);
            low += y * y;
            total += static_cast<double>(x) * x;
        }
    }
    return total > 0.0 ? low / total : 0.0;
}

} // namespace mix
