#include "tools/assetgen/Mastering.h"

#include "audio/SoundTables.h"
#include "tools/assetgen/Synth.h"
#include "tools/mix/Loudness.h"
#include "tools/mix/MixPlan.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <stdexcept>

namespace assetgen {
namespace {

constexpr double PI = 3.14159265358979323846;
// The encoder of the compressed music moves peaks a little: its files keep more room.
constexpr double WAV_CEILING_DB = -1.5;
constexpr double OGG_CEILING_DB = -2.2;
constexpr float LOOKAHEAD_SECONDS = 0.0015f;
// Effects are short: their limiter lets go quickly and shapes their attack.
constexpr float EFFECT_RELEASE_SECONDS = 0.012f;
constexpr double EFFECT_LOW_CUT_HZ = 45.0;
constexpr int LOUDNESS_PASSES = 12;

// Second-order Butterworth high-pass, run twice around a loop so its end
// feeds its start.
void lowCut(Samples& s, double hz, bool loop)
{
    const double k = std::tan(PI * hz / SAMPLE_RATE), q = std::sqrt(0.5), norm = 1.0 / (1.0 + k / q + k * k);
    const double b0 = norm, b1 = -2.0 * norm, b2 = norm, a1 = 2.0 * (k * k - 1.0) * norm, a2 = (1.0 - k / q + k * k) * norm;
    double z1 = 0.0, z2 = 0.0;
    const Samples dry = s;
    for (int pass = loop ? 0 : 1; pass < 2; ++pass)
        for (size_t i = 0; i < dry.size(); ++i) {
            const double x = dry[i], y = b0 * x + z1;
            z1 = b1 * x - a1 * y + z2;
            z2 = b2 * x - a2 * y;
            if (pass == 1)
                s[i] = static_cast<float>(y);
        }
}

// Takes out what is left of the mean: a constant for a loop, a smooth bump
// for a sound that starts and ends in silence (so its edges stay at zero).
void removeMean(Samples& s, bool loop)
{
    if (s.empty())
        return;
    double mean = 0.0;
    for (float v : s)
        mean += v;
    mean /= s.size();
    for (size_t i = 0; i < s.size(); ++i) {
        const double bump = loop ? 1.0 : 1.0 - std::cos(2.0 * PI * (i + 0.5) / s.size());
        s[i] -= static_cast<float>(mean * bump);
    }
}

// Smallest value of each window [i, i + width] of v (indices past the end are not read).
std::vector<float> forwardMinimum(const std::vector<float>& v, size_t width)
{
    std::vector<float> out(v.size());
    std::deque<size_t> window;
    for (size_t j = v.size(); j-- > 0;) {
        while (!window.empty() && v[window.back()] >= v[j])
            window.pop_back();
        window.push_back(j);
        while (window.front() > j + width)
            window.pop_front();
        out[j] = v[window.front()];
    }
    return out;
}

// The limiter's gain per sample: it reaches what the loudest coming peak
// needs over the look-ahead, then recovers slowly. `need` is the largest gain
// each sample allows. A loop's gain is worked out over the loop repeated, so
// it joins at the seam.
Samples limiterGain(const Samples& need, bool loop, float releaseSeconds)
{
    const size_t n = need.size(), ahead = std::max<size_t>(1, secondsToSamples(LOOKAHEAD_SECONDS));
    if (n == 0)
        return {};
    // Padded on both sides: silence around a sound, its own other end around a loop.
    Samples padded(n + 2 * ahead, 1.f);
    for (size_t i = 0; i < padded.size(); ++i)
        if (loop || (i >= ahead && i < ahead + n))
            padded[i] = need[(i + n - ahead % n) % n];
    const Samples lowest = forwardMinimum(padded, ahead);
    Samples smooth(n);
    double sum = 0.0;
    for (size_t i = 0; i < ahead + n; ++i) {
        sum += lowest[i];
        if (i > ahead)
            sum -= lowest[i - ahead - 1];
        if (i >= ahead)
            smooth[i - ahead] = static_cast<float>(sum / (ahead + 1));
    }
    const float recover = 1.f - std::exp(-1.f / (releaseSeconds * SAMPLE_RATE));
    Samples gain(n);
    float g = 1.f;
    for (int pass = loop ? 0 : 1; pass < 2; ++pass)
        for (size_t i = 0; i < n; ++i) {
            g = smooth[i] < g ? smooth[i] : g + (smooth[i] - g) * recover;
            gain[i] = g;
        }
    return gain;
}

double loudnessOf(const std::vector<Samples>& channels, bool loudestMoment)
{
    mix::Audio audio;
    audio.rate = SAMPLE_RATE;
    audio.channels = channels;
    return loudestMoment ? mix::maxMomentaryLoudness(audio) : mix::integratedLoudness(audio);
}

// The channels at `level`, limited under the ceiling given the unscaled inter-sample peaks.
std::vector<Samples> levelled(const std::vector<Samples>& dry, const Samples& peaks, double level, const MasterTarget& t)
{
    const float ceiling = static_cast<float>(mix::fromDecibels(t.ceilingDb));
    Samples need(peaks.size());
    for (size_t i = 0; i < peaks.size(); ++i)
        need[i] = std::min(1.f, ceiling / std::max(1e-9f, static_cast<float>(level) * peaks[i]));
    const Samples gain = limiterGain(need, t.loop, t.releaseSeconds);
    std::vector<Samples> out = dry;
    for (Samples& c : out)
        for (size_t i = 0; i < c.size(); ++i)
            c[i] *= static_cast<float>(level) * gain[i];
    return out;
}

MasterTarget targetFor(double inGameLufs, float volume, bool loudestMoment, bool loop, double ceilingDb)
{
    return {inGameLufs - mix::volumeGain(volume), loudestMoment, loop, ceilingDb};
}

} // namespace

void master(const std::vector<Samples*>& channels, const MasterTarget& t)
{
    std::vector<Samples> dry;
    for (Samples* c : channels) {
        lowCut(*c, t.lowCutHz, t.loop);
        removeMean(*c, t.loop);
        dry.push_back(*c);
    }
    Samples peaks(dry.empty() ? 0 : dry[0].size(), 0.f);
    for (const Samples& c : dry) {
        const std::vector<float> p = mix::interSamplePeaks(c);
        for (size_t i = 0; i < peaks.size() && i < p.size(); ++i)
            peaks[i] = std::max(peaks[i], p[i]);
    }
    double level = 1.0;
    std::vector<Samples> out = dry;
    for (int pass = 0; pass < LOUDNESS_PASSES; ++pass) {
        out = levelled(dry, peaks, level, t);
        const double miss = t.lufs - loudnessOf(out, t.loudestMoment);
        if (std::fabs(miss) < 0.05)
            break;
        level *= mix::fromDecibels(miss);
    }
    // The limiter's moving gain leaves a trace of offset on uneven waves, and
    // adds a little between samples: both are taken off at the end.
    for (Samples& c : out)
        removeMean(c, t.loop);
    mix::Audio check;
    check.channels = out;
    const double over = mix::toDecibels(mix::truePeak(check)) - t.ceilingDb;
    const float trim = over > 0.0 ? static_cast<float>(mix::fromDecibels(-over)) : 1.f;
    for (size_t c = 0; c < channels.size(); ++c) {
        for (float& v : out[c])
            v *= trim;
        *channels[c] = std::move(out[c]);
    }
}

MasterTarget effectTarget(const std::string& name)
{
    for (int i = 0; i < SOUND_EFFECT_COUNT; ++i)
        if (name == SOUND_EFFECTS[i].name)
        {
            MasterTarget t = targetFor(mix::MUSIC_IN_GAME_LUFS + mix::EFFECT_PLAN[i].overMusic, SOUND_EFFECTS[i].volume,
                                       true, false, WAV_CEILING_DB);
            t.lowCutHz = EFFECT_LOW_CUT_HZ;
            t.releaseSeconds = EFFECT_RELEASE_SECONDS;
            return t;
        }
    throw std::runtime_error("no effect named " + name);
}

MasterTarget loopedEffectTarget(const std::string& name)
{
    for (int i = 0; i < LOOPED_EFFECT_COUNT; ++i)
        if (name == LOOPED_EFFECTS[i].name)
            return targetFor(mix::MUSIC_IN_GAME_LUFS + mix::LOOP_OVER_MUSIC[i], LOOPED_EFFECTS[i].volume, false, true,
                             WAV_CEILING_DB);
    throw std::runtime_error("no looped effect named " + name);
}

MasterTarget musicTarget(const std::string& name)
{
    for (const MusicTrackInfo& track : MUSIC_TRACKS)
        if (name == track.name)
            return targetFor(mix::MUSIC_IN_GAME_LUFS, track.volume, false, track.looped, OGG_CEILING_DB);
    throw std::runtime_error("no music track named " + name);
}

} // namespace assetgen
