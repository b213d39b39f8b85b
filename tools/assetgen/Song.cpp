#include "tools/assetgen/Song.h"

#include "gameplay/MusicUpkeep.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace assetgen {

const Scale MAJOR_SCALE = {0, 2, 4, 5, 7, 9, 11};
const Scale MINOR_SCALE = {0, 2, 3, 5, 7, 8, 10};
const Scale DORIAN_SCALE = {0, 2, 3, 5, 7, 9, 10};
const Scale HARMONIC_MINOR_SCALE = {0, 2, 3, 5, 7, 8, 11};

namespace {

std::vector<int> intervalsOf(ChordKind kind)
{
    switch (kind) {
    case ChordKind::Major:
        return {0, 4, 7};
    case ChordKind::Minor:
        return {0, 3, 7};
    case ChordKind::Sus4:
        return {0, 5, 7};
    case ChordKind::Diminished:
        return {0, 3, 6};
    case ChordKind::Major7:
        return {0, 4, 7, 11};
    case ChordKind::Minor7:
        return {0, 3, 7, 10};
    case ChordKind::Dominant7:
        return {0, 4, 7, 10};
    }
    return {0};
}

// A loop's file starts this long before its first downbeat, in the calm just
// before the attack: its seam then joins two quiet samples, not the middle of a hit.
constexpr float LOOP_LEAD_SECONDS = 0.002f;
// How long a piece that ends rings on past its last bar line, fading out.
constexpr float RING_OUT_SECONDS = 2.f;
// An intro hands over to its loop with this much of it left; its last beat
// must sound whole before that (one frame of the game later at most).
constexpr float INTRO_TAIL_SECONDS = MusicUpkeep::HANDOVER_MARGIN + 1.f / 50.f;

int mod12(int v) { return ((v % 12) + 12) % 12; }

} // namespace

Song::Song(float bpm, int tonic, const Scale& scale, int bars, std::vector<Chord> progression)
    : bpm_(bpm), tonic_(tonic), scale_(scale), bars_(std::max(1, bars)), progression_(std::move(progression))
{
    if (progression_.empty())
        progression_.push_back({0, ChordKind::Major});
    kick_ = kickDrum();
    snare_ = snareDrum(11);
    hatClosed_ = hiHat(23, false);
    hatOpen_ = hiHat(29, true);
}

size_t Song::stepOffset(int bar, double step) const
{
    return static_cast<size_t>(std::llround((bar * STEPS_PER_BAR + step) * stepSeconds() * SAMPLE_RATE));
}

void Song::place(const Samples& sound, size_t offset, float gain, float pan, float send)
{
    float angle = (std::clamp(pan, -1.f, 1.f) + 1.f) * 0.25f * 3.14159265f;
    float l = std::cos(angle) * 1.4142f, r = std::sin(angle) * 1.4142f;
    mixInto(dryL_, sound, offset, gain * l);
    mixInto(dryR_, sound, offset, gain * r);
    if (send > 0.f) {
        mixInto(sendL_, sound, offset, gain * l * send);
        mixInto(sendR_, sound, offset, gain * r * send);
    }
}

float Song::degreeToMidi(int degree, int octave) const
{
    int oct = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
    int idx = degree - oct * 7;
    return static_cast<float>(tonic_ + 12 * (octave - 4) + 12 * oct + scale_[idx]);
}

std::vector<float> Song::chordTones(const Chord& chord, int lowestMidi) const
{
    std::vector<float> tones;
    for (int iv : intervalsOf(chord.kind)) {
        int pc = mod12(tonic_ + chord.root + iv);
        int m = lowestMidi + mod12(pc - lowestMidi);
        tones.push_back(static_cast<float>(m));
    }
    std::sort(tones.begin(), tones.end());
    return tones;
}

float Song::snapToChord(float midi, const Chord& chord) const
{
    std::vector<int> pcs;
    for (int iv : intervalsOf(chord.kind))
        pcs.push_back(mod12(tonic_ + chord.root + iv));
    int m = static_cast<int>(std::lround(midi));
    for (int d = 0; d < 7; ++d)
        for (int cand : {m - d, m + d})
            if (std::find(pcs.begin(), pcs.end(), mod12(cand)) != pcs.end())
                return static_cast<float>(cand);
    return midi;
}

Samples Song::pitched(const Instrument& inst, float midi, float held, unsigned seed) const
{
    if (inst.bell)
        return bellTone(midi, held + inst.timbre.release, inst.bellBrightness);
    return renderNote(inst.timbre, midi, held, seed);
}

void Song::drums(int fromBar, int toBar, const char* kick, const char* snare, const char* hats, float gain)
{
    auto hit = [](const char* row, int s) { return row && static_cast<int>(std::strlen(row)) > s ? row[s] : '.'; };
    for (int bar = fromBar; bar < toBar; ++bar)
        for (int s = 0; s < STEPS_PER_BAR; ++s) {
            size_t at = stepOffset(bar, s);
            char k = hit(kick, s), n = hit(snare, s), h = hit(hats, s);
            if (k == 'x' || k == 'X')
                place(kick_, at, gain * (k == 'X' ? 0.9f : 0.75f), 0.f, 0.f);
            if (n == 'x' || n == 'X')
                place(snare_, at, gain * (n == 'X' ? 0.6f : 0.3f), 0.05f, 0.15f);
            if (h == 'x' || h == 'X')
                place(hatClosed_, at, gain * (h == 'X' ? 0.22f : 0.13f), 0.35f, 0.f);
            else if (h == 'o')
                place(hatOpen_, at, gain * 0.16f, 0.35f, 0.f);
        }
}

void Song::fill(int bar, float gain)
{
    for (int s = 8; s < STEPS_PER_BAR; ++s) {
        float rise = 0.5f + 0.5f * (s - 8) / 7.f;
        place(snare_, stepOffset(bar, s), gain * 0.35f * rise, 0.05f, 0.15f);
        if (s % 2 == 0)
            place(tomDrum(static_cast<float>(55 - (s - 8) * 2)), stepOffset(bar, s), gain * 0.4f * rise,
                  -0.4f + 0.1f * (s - 8), 0.f);
    }
    place(kick_, stepOffset(bar, 0), gain * 0.8f, 0.f, 0.f);
    place(kick_, stepOffset(bar, 6), gain * 0.7f, 0.f, 0.f);
}

void Song::crash(int bar, float gain) { place(crashCymbal(bar * 7 + 3), stepOffset(bar, 0), gain * 0.5f, -0.3f, 0.3f); }

void Song::bass(int fromBar, int toBar, const char* pattern, const Instrument& inst, float gain, int octave)
{
    int len = static_cast<int>(std::strlen(pattern));
    for (int bar = fromBar; bar < toBar; ++bar) {
        const Chord& ch = chordAt(bar);
        float root = static_cast<float>(12 * (octave + 1) + mod12(tonic_ + ch.root));
        std::vector<int> iv = intervalsOf(ch.kind);
        for (int s = 0; s < STEPS_PER_BAR && s < len; ++s) {
            float midi;
            switch (pattern[s]) {
            case 'r': midi = root; break;
            case 'o': midi = root + 12.f; break;
            case 'f': midi = root + static_cast<float>(iv[2]); break;
            case 't': midi = root + static_cast<float>(iv[1]); break;
            default: continue;
            }
            int e = s + 1;
            while (e < len && e < STEPS_PER_BAR && pattern[e] == '-')
                ++e;
            float held = static_cast<float>((e - s) * stepSeconds() * 0.92);
            place(pitched(inst, midi, held, bar * 31 + s), stepOffset(bar, s), gain, 0.f, 0.f);
        }
    }
}

void Song::pad(int fromBar, int toBar, const Instrument& inst, float gain, int octave, float pan)
{
    float held = static_cast<float>(STEPS_PER_BAR * stepSeconds());
    for (int bar = fromBar; bar < toBar; ++bar) {
        std::vector<float> tones = chordTones(chordAt(bar), 12 * (octave + 1) + mod12(tonic_ - 5));
        for (size_t k = 0; k < tones.size(); ++k)
            place(pitched(inst, tones[k], held, bar * 17 + static_cast<unsigned>(k)), stepOffset(bar, 0),
                  gain / std::sqrt(static_cast<float>(tones.size())), pan + (k % 2 ? 0.35f : -0.35f), 0.3f);
    }
}

void Song::stabs(int fromBar, int toBar, const char* pattern, const Instrument& inst, float gain, int octave, float send)
{
    const int len = static_cast<int>(std::strlen(pattern));
    const float held = static_cast<float>(stepSeconds() * 1.5);
    for (int bar = fromBar; bar < toBar; ++bar) {
        std::vector<float> tones = chordTones(chordAt(bar), 12 * (octave + 1) + mod12(tonic_ - 5));
        for (int s = 0; s < STEPS_PER_BAR && s < len; ++s) {
            if (pattern[s] != 'x')
                continue;
            for (size_t k = 0; k < tones.size(); ++k)
                place(pitched(inst, tones[k], held, bar * 16 + s + static_cast<unsigned>(k)), stepOffset(bar, s),
                      gain / std::sqrt(static_cast<float>(tones.size())), k % 2 ? 0.3f : -0.3f, send);
        }
    }
}

void Song::arpeggio(int fromBar, int toBar, const Instrument& inst, float gain, int stepsPerNote, const char* order,
                    int octave, float pan, float send)
{
    int orderLen = static_cast<int>(std::strlen(order));
    if (orderLen == 0 || stepsPerNote <= 0)
        return;
    float held = static_cast<float>(stepsPerNote * stepSeconds() * 0.8);
    int k = 0;
    for (int bar = fromBar; bar < toBar; ++bar) {
        std::vector<float> tones = chordTones(chordAt(bar), 12 * (octave + 1) + mod12(tonic_));
        for (int s = 0; s < STEPS_PER_BAR; s += stepsPerNote, ++k) {
            int idx = order[k % orderLen] - '0';
            int n = static_cast<int>(tones.size());
            float midi = tones[idx % n] + 12.f * static_cast<float>(idx / n);
            place(pitched(inst, midi, held, static_cast<unsigned>(k)), stepOffset(bar, s), gain,
                  pan * (k % 2 ? 1.f : -1.f), send);
        }
    }
}

namespace {
Motif varied(const Motif& motif, Variation how)
{
    Motif out = motif;
    if (motif.empty() || how == Variation::Same)
        return out;
    const int first = motif.front().degree;
    switch (how) {
    case Variation::Up:
        for (MotifNote& n : out)
            n.degree += 2;
        break;
    case Variation::Down:
        for (MotifNote& n : out)
            n.degree -= 2;
        break;
    case Variation::Inverted:
        for (MotifNote& n : out)
            n.degree = 2 * first - n.degree;
        break;
    case Variation::Answer: {
        // The first half as it is, then a falling line home.
        int degree = first;
        for (MotifNote& n : out)
            if (n.step >= Song::STEPS_PER_BAR)
                n.degree = degree = std::max(0, std::min(degree, n.degree) - 1);
        out.back().degree = 0;
        break;
    }
    case Variation::Cadence:
        out.back().degree = out.back().degree >= 4 ? 7 : 0;
        out.back().length = std::max(out.back().length, 2 * Song::STEPS_PER_BAR - out.back().step - 2);
        break;
    case Variation::Rest:
        out.clear();
        break;
    case Variation::Same:
        break;
    }
    return out;
}
} // namespace

void Song::hook(int fromBar, const Motif& motif, const std::vector<Variation>& phrases, const Instrument& inst,
                float gain, int octave, float pan, float send)
{
    for (size_t p = 0; p < phrases.size(); ++p) {
        const int bar = fromBar + 2 * static_cast<int>(p);
        for (const MotifNote& n : varied(motif, phrases[p])) {
            const int nb = bar + n.step / STEPS_PER_BAR, step = n.step % STEPS_PER_BAR;
            float midi = degreeToMidi(n.degree, octave);
            if (step % 4 == 0 || n.length >= 4)
                midi = snapToChord(midi, chordAt(nb));
            const float held = static_cast<float>(n.length * stepSeconds() * 0.9);
            place(pitched(inst, midi, held, static_cast<unsigned>(nb * 16 + step)), stepOffset(nb, step), gain, pan, send);
        }
    }
}

void Song::note(int bar, int step, int lengthSteps, float midi, const Instrument& inst, float gain, float pan, float send)
{
    float held = static_cast<float>(lengthSteps * stepSeconds() * 0.95);
    place(pitched(inst, midi, held, static_cast<unsigned>(bar * 16 + step)), stepOffset(bar, step), gain, pan, send);
}

void Song::sample(int bar, int step, const Samples& sound, float gain, float pan, float send)
{
    place(sound, stepOffset(bar, step), gain, pan, send);
}

bool Song::write(const std::string& path, const MasterTarget& target, Ending ending, float echoBeats,
                 float echoFeedback, float echoWet)
{
    size_t loopLength = stepOffset(bars_, 0);
    size_t length = loopLength;
    if (ending == Ending::RingOut)
        length += secondsToSamples(RING_OUT_SECONDS);
    else if (ending == Ending::Cut)
        length += secondsToSamples(INTRO_TAIL_SECONDS);
    for (Samples* s : {&dryL_, &dryR_, &sendL_, &sendR_}) {
        if (ending == Ending::Loop)
            foldTail(*s, loopLength);
        s->resize(length, 0.f);
    }
    float beat = 60.f / bpm_;
    float delays[2] = {echoBeats * beat, echoBeats * beat * 1.5f};
    Samples* sends[2] = {&sendL_, &sendR_};
    Samples* outs[2] = {&dryL_, &dryR_};
    for (int c = 0; c < 2; ++c) {
        Samples wet = *sends[c];
        if (ending == Ending::Loop)
            circularEcho(wet, delays[c], echoFeedback, echoWet);
        else
            echo(wet, delays[c], echoFeedback, echoWet);
        for (size_t i = 0; i < length; ++i)
            (*outs[c])[i] += wet[i] - (*sends[c])[i];
    }
    for (Samples* s : outs) {
        if (ending == Ending::Cut)
            fadeEdges(*s, 0.f, 0.01f);
        else if (ending == Ending::RingOut)
            fadeEdges(*s, 0.f, RING_OUT_SECONDS);
    }
    master({&dryL_, &dryR_}, target);
    if (ending == Ending::Loop)
        for (Samples* s : outs)
            std::rotate(s->begin(), s->end() - secondsToSamples(LOOP_LEAD_SECONDS), s->end());
    return writeOgg(path, dryL_, &dryR_);
}

} // namespace assetgen
