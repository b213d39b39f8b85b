// The game's music: thirteen synthesised pieces, each with its own
// tempo, key and mood. Looped pieces are whole bars whose ringing tails wrap
// onto their start; intros end on their last bar line, on the chord that
// leads into their loop.
#include "tools/assetgen/Generator.h"
#include "tools/assetgen/Song.h"

#include <stdexcept>

using namespace assetgen;

namespace {

// The parts of a synthesised instrument: its oscillator and detuned copies,
// its filter's sweep, its envelope.
struct Voicing {
    Wave wave;
    int voices;
    float detuneCents;
};
struct Sweep {
    float cutoff, floor, resonance;
};
struct Envelope {
    float attack, decay, sustain, release;
};

Instrument synth(Voicing v, Sweep f, Envelope e, float vibrato = 0.f, float glideFrom = 0.f, float glideTime = 0.f)
{
    Instrument i;
    Timbre& t = i.timbre;
    t.wave = v.wave;
    t.voices = v.voices;
    t.detuneCents = v.detuneCents;
    t.cutoff = f.cutoff;
    t.cutoffFloor = f.floor;
    t.resonance = f.resonance;
    t.attack = e.attack;
    t.decay = e.decay;
    t.sustain = e.sustain;
    t.release = e.release;
    t.vibratoDepth = vibrato;
    t.glideFrom = glideFrom;
    t.glideTime = glideTime;
    return i;
}

Instrument withSub(Instrument i, float level)
{
    i.timbre.subLevel = level;
    return i;
}

const Envelope LEAD_ENVELOPE = {0.01f, 0.2f, 0.7f, 0.12f};

Instrument bassSynth() { return withSub(synth({Wave::Saw, 1, 0.f}, {1100.f, 260.f, 1.1f}, {0.003f, 0.16f, 0.55f, 0.05f}), 0.5f); }
Instrument bassRound() { return withSub(synth({Wave::Triangle, 1, 0.f}, {700.f, 300.f, 0.8f}, {0.02f, 0.4f, 0.7f, 0.3f}), 0.35f); }
Instrument padWarm() { return synth({Wave::Saw, 3, 16.f}, {1900.f, 900.f, 0.6f}, {0.35f, 0.6f, 0.8f, 0.9f}); }
Instrument padSpace() { return synth({Wave::Triangle, 3, 12.f}, {2600.f, 900.f, 0.6f}, {0.9f, 0.6f, 0.8f, 1.6f}); }
Instrument leadSquare() { return synth({Wave::Square, 2, 8.f}, {3600.f, 1500.f, 0.8f}, LEAD_ENVELOPE, 0.25f); }
Instrument leadSaw() { return synth({Wave::Saw, 2, 12.f}, {5200.f, 2000.f, 0.8f}, LEAD_ENVELOPE, 0.3f, -1.f, 0.04f); }
Instrument leadSoft() { return synth({Wave::Triangle, 1, 0.f}, {2400.f, 1500.f, 0.8f}, {0.04f, 0.2f, 0.7f, 0.4f}, 0.2f); }
Instrument pluck() { return synth({Wave::Pulse25, 1, 0.f}, {4200.f, 500.f, 1.3f}, {0.002f, 0.15f, 0.f, 0.08f}); }
// A short, bright chord stab.
Instrument stab() { return synth({Wave::Saw, 3, 16.f}, {3800.f, 700.f, 0.6f}, {0.004f, 0.18f, 0.25f, 0.12f}); }
// A reedy pulse lead that slides into its notes.
Instrument leadPulse() { return synth({Wave::Pulse25, 2, 6.f}, {4200.f, 1500.f, 0.8f}, LEAD_ENVELOPE, 0.25f, -2.f, 0.05f); }

Instrument bell(float brightness = 2.f, float ring = 0.8f)
{
    Instrument i;
    i.bell = true;
    i.bellBrightness = brightness;
    i.timbre.release = ring;
    return i;
}

// Electric-piano-like keys: a soft, short FM tone.
Instrument keys() { return bell(0.9f, 0.25f); }

Chord minor(int root) { return {root, ChordKind::Minor}; }
Chord major(int root) { return {root, ChordKind::Major}; }

// A piece's chords, section after section.
std::vector<Chord> sections(std::initializer_list<std::vector<Chord>> parts)
{
    std::vector<Chord> all;
    for (const std::vector<Chord>& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The same motif moved by `degrees` steps of the scale (a harmony line).
Motif shifted(Motif motif, int degrees)
{
    for (MotifNote& n : motif)
        n.degree += degrees;
    return motif;
}

// A rising noise whoosh that lands on the next bar.
Samples riser(unsigned seed, float seconds)
{
    Samples s = sweptNoise(seed, seconds, 300.f, 9000.f, 1.5f);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] *= static_cast<float>(i) / s.size();
    return s;
}

void save(Song& song, const Context& ctx, const char* name, Ending ending, float echoBeats = 0.75f,
          float feedback = 0.35f, float wet = 0.35f)
{
    std::string path = ctx.path(std::string("2D/Music/") + name + ".ogg");
    if (!song.write(path, musicTarget(name), ending, echoBeats, feedback, wet))
        throw std::runtime_error("cannot write " + path);
}

const char* const FOUR_ON_FLOOR = "x...x...x...x...";
const char* const BACKBEAT = "....x.......x...";
const char* const EIGHTH_HATS = "x.x.x.x.x.x.x.x.";
const char* const OFFBEAT_HATS = "x.o.x.o.x.o.x.o.";

using V = Variation;

// Stage 1 (E minor, 140 bpm): verse, second verse, a lifted middle, a breakdown, the verse again.
const std::vector<Chord> STAGE1_A = {minor(0), major(8), major(10), minor(0), minor(0), major(8), major(10), major(7)};
const std::vector<Chord> STAGE1_B = {minor(5), major(10), major(3), major(8), minor(5), major(10), major(7), major(7)};
const std::vector<Chord> STAGE1_BREAK = {minor(0), major(8), major(3), major(10), minor(0), major(8), major(3), major(7)};
const Motif STAGE1_HOOK = {{0, 2, 4},  {2, 2, 3},  {4, 4, 4},  {10, 2, 2}, {12, 4, 0},
                           {16, 2, 4}, {18, 2, 5}, {20, 6, 7}, {28, 4, 6}};
const Motif STAGE1_MIDDLE = {{0, 6, 2}, {6, 2, 4}, {8, 4, 5}, {12, 4, 4}, {16, 3, 3}, {19, 3, 2}, {22, 2, 1}, {24, 8, 2}};

// Boss (C harmonic minor, 150 bpm).
const std::vector<Chord> BOSS_LOOP = {minor(0), major(8), minor(5), major(7), minor(0), major(1), minor(5),
                                      {7, ChordKind::Dominant7}};
const Motif BOSS_HOOK = {{0, 2, 7},  {2, 2, 6},  {4, 2, 7},  {6, 2, 4},  {8, 4, 5}, {12, 4, 4},
                         {16, 2, 3}, {18, 2, 4}, {20, 2, 5}, {22, 2, 6}, {24, 8, 7}};

// Stage 4 (F minor, 136 bpm).
const std::vector<Chord> STAGE4_A = {minor(0), major(8), major(3), major(10), minor(0), major(8), major(10), major(7)};
const Motif STAGE4_HOOK = {{0, 4, 0}, {4, 4, 2}, {8, 6, 4}, {14, 2, 3}, {16, 4, 2}, {20, 4, 4}, {24, 8, 5}};

} // namespace

// A solemn opening: bells over a swelling pad, then drums and a theme; its
// last chord lands as the game's logo fades in and rings out before the menu.
REGISTER_ASSETS(music_opening)
{
    Song song(102.f, 50, MINOR_SCALE, 8,
              {minor(0), major(8), major(3), major(10), minor(0), major(8), major(7), minor(0)});
    song.pad(0, 8, padWarm(), 0.5f, 4);
    song.arpeggio(0, 7, bell(2.f, 1.2f), 0.22f, 4, "0122", 5, 0.4f, 0.6f);
    song.sample(1, 0, riser(5, 2.3f), 0.25f, 0.f, 0.3f);
    song.crash(2);
    song.drums(2, 6, "x.......x.x.....", "........X.......", EIGHTH_HATS, 0.9f);
    song.bass(2, 7, "r-------r---f---", bassSynth(), 0.4f);
    song.hook(2, STAGE4_HOOK, {V::Same, V::Up}, leadSaw(), 0.28f, 5);
    song.fill(6);
    song.crash(7, 0.8f);
    song.note(7, 0, 16, song.degreeToMidi(0, 5), leadSaw(), 0.28f);
    song.note(7, 0, 16, 50.f, bassSynth(), 0.4f);
    save(song, ctx, "01_Opening", Ending::RingOut);
}

// The menu: calm and spacey, slow bells and long echoes over soft major sevenths.
REGISTER_ASSETS(music_menu)
{
    Song song(84.f, 48, MAJOR_SCALE, 8,
              {{5, ChordKind::Major7}, {0, ChordKind::Major7}, {9, ChordKind::Minor7}, {7, ChordKind::Sus4}});
    song.pad(0, 8, padSpace(), 0.5f, 4);
    song.arpeggio(0, 8, bell(1.5f, 1.f), 0.16f, 2, "02130213", 5, 0.6f, 0.8f);
    song.bass(0, 8, "r-------f-------", bassRound(), 0.35f);
    song.drums(0, 8, "x...............", "", "....x.......x..x", 0.6f);
    const Motif drift = {{0, 6, 4}, {6, 2, 2}, {8, 8, 1}, {16, 6, 4}, {22, 2, 5}, {24, 8, 4}};
    song.hook(0, drift, {V::Same, V::Up, V::Same, V::Answer}, leadSoft(), 0.2f, 5, -0.2f, 0.8f);
    save(song, ctx, "02_Menu", Ending::Loop, 1.5f, 0.5f, 0.45f);
}

// Bells and plucks over a pad, then the beat comes in and a roll lands on the loop's first bar.
REGISTER_ASSETS(music_stage1_intro)
{
    Song song(140.f, 52, MINOR_SCALE, 9,
              {{0, ChordKind::Minor}, {8, ChordKind::Major}, {10, ChordKind::Major}, {0, ChordKind::Minor},
               {0, ChordKind::Minor}, {8, ChordKind::Major}, {10, ChordKind::Major}, {0, ChordKind::Minor},
               {7, ChordKind::Major}});
    song.arpeggio(0, 9, pluck(), 0.25f, 1, "0120", 5, 0.3f, 0.4f);
    song.pad(0, 9, padWarm(), 0.35f, 4);
    song.crash(4);
    song.drums(4, 8, FOUR_ON_FLOOR, "", EIGHTH_HATS);
    song.bass(4, 9, "r.o.r.o.r.o.r.o.", bassSynth(), 0.45f);
    song.sample(7, 0, riser(9, 60.f / 140.f * 8.f), 0.3f, 0.f, 0.2f);
    song.fill(8);
    save(song, ctx, "03a_Stage01_Intro", Ending::Cut);
}

// Stage 1: driving four-on-the-floor with an octave bass, a plucked arpeggio
// and a sawtooth hook; a lifted middle, then a breakdown that builds back in.
REGISTER_ASSETS(music_stage1)
{
    Song song(140.f, 52, MINOR_SCALE, 40, sections({STAGE1_A, STAGE1_A, STAGE1_B, STAGE1_BREAK, STAGE1_A}));
    for (int bar : {0, 8, 16, 32})
        song.crash(bar);
    song.drums(0, 16, FOUR_ON_FLOOR, BACKBEAT, OFFBEAT_HATS);
    song.drums(16, 24, FOUR_ON_FLOOR, "....x.......x.x.", "xxoxxxoxxxoxxxox");
    song.drums(28, 31, "", "", EIGHTH_HATS, 0.7f);
    song.drums(32, 40, FOUR_ON_FLOOR, BACKBEAT, OFFBEAT_HATS);
    for (int bar : {7, 15, 23, 31, 39})
        song.fill(bar, bar == 7 ? 0.7f : 1.f);
    song.bass(0, 24, "r.o.r.o.r.o.r.o.", bassSynth(), 0.45f);
    song.bass(28, 32, "r-------r-------", bassSynth(), 0.4f);
    song.bass(32, 40, "r.o.r.o.r.o.r.o.", bassSynth(), 0.45f);
    song.arpeggio(0, 24, pluck(), 0.18f, 1, "0120", 5, 0.3f, 0.4f);
    song.arpeggio(24, 32, bell(1.5f, 0.6f), 0.16f, 2, "0122", 5, 0.5f, 0.6f);
    song.arpeggio(32, 40, pluck(), 0.18f, 1, "0120", 5, 0.3f, 0.4f);
    song.pad(8, 24, padWarm(), 0.25f, 4);
    song.pad(24, 32, padSpace(), 0.4f, 4);
    song.pad(32, 40, padWarm(), 0.25f, 4);
    song.sample(30, 0, riser(9, 60.f / 140.f * 8.f), 0.3f, 0.f, 0.2f);
    song.hook(0, STAGE1_HOOK, {V::Rest, V::Rest, V::Same, V::Cadence, V::Same, V::Up, V::Inverted, V::Cadence},
              leadSaw(), 0.26f, 5);
    song.hook(16, STAGE1_MIDDLE, {V::Same, V::Down, V::Same, V::Answer}, leadSquare(), 0.24f, 5);
    song.hook(24, STAGE1_HOOK, {V::Rest, V::Same, V::Rest, V::Cadence}, leadSoft(), 0.26f, 5);
    song.hook(32, STAGE1_HOOK, {V::Same, V::Up, V::Inverted, V::Cadence}, leadSaw(), 0.26f, 5);
    song.hook(32, shifted(STAGE1_HOOK, -2), {V::Same, V::Up, V::Inverted, V::Cadence}, leadSaw(), 0.14f, 5, 0.3f);
    save(song, ctx, "03b_Stage01", Ending::Loop, 0.75f);
}

// Low toms and a dark drone; the lead climbs to the leading tone before the fight.
REGISTER_ASSETS(music_boss_intro)
{
    Song song(150.f, 48, HARMONIC_MINOR_SCALE, 10,
              {{0, ChordKind::Minor}, {0, ChordKind::Minor}, {8, ChordKind::Major}, {7, ChordKind::Major},
               {0, ChordKind::Minor}, {0, ChordKind::Minor}, {8, ChordKind::Major}, {7, ChordKind::Major},
               {8, ChordKind::Major}, {7, ChordKind::Dominant7}});
    song.pad(0, 10, padWarm(), 0.45f, 3);
    for (int bar = 0; bar < 8; ++bar) {
        song.sample(bar, 0, tomDrum(36.f, 0.6f), 0.6f);
        song.sample(bar, 6, tomDrum(36.f, 0.6f), 0.5f);
        song.sample(bar, 12, tomDrum(43.f, 0.4f), 0.4f);
    }
    song.bass(0, 10, "r-------r---r---", bassSynth(), 0.4f, 2);
    const int climb[6] = {0, 2, 3, 4, 5, 6};
    for (int k = 0; k < 6; ++k)
        song.note(4 + k, 0, 16, song.degreeToMidi(climb[k], 5), leadSquare(), 0.18f);
    song.drums(8, 9, "x.......x.......", "x.x.x.x.x.x.x.x.", "", 0.7f);
    song.sample(8, 0, riser(13, 60.f / 150.f * 8.f), 0.3f);
    song.fill(9);
    save(song, ctx, "04a_Boss_Intro", Ending::Cut);
}

// The boss: tense harmonic minor, pounding bass sixteenths, a busy square lead.
REGISTER_ASSETS(music_boss)
{
    Song song(150.f, 48, HARMONIC_MINOR_SCALE, 16, BOSS_LOOP);
    song.crash(0);
    song.crash(8);
    song.drums(0, 16, "x..x..x.x..x..x.", "....X.......X...", "xxxxxxxxxxxxxxxx");
    song.fill(7, 0.6f);
    song.fill(15);
    song.bass(0, 16, "rrrrrrrrrrrrrroo", bassSynth(), 0.42f, 2);
    song.pad(0, 16, padWarm(), 0.3f, 3);
    song.hook(4, BOSS_HOOK, {V::Same, V::Up, V::Same, V::Inverted, V::Up, V::Cadence}, leadSquare(), 0.24f, 4);
    save(song, ctx, "04b_Boss", Ending::Loop, 0.5f);
}

// Stage 2 (G dorian, 128 bpm): a syncopated groove of round bass, electric-piano
// comping and a square lead; a middle in the major chords, a breakdown of keys and bass.
REGISTER_ASSETS(music_stage2)
{
    const std::vector<Chord> a = {{0, ChordKind::Minor7}, major(5), {0, ChordKind::Minor7}, major(10),
                                  {3, ChordKind::Major7}, major(5), {0, ChordKind::Minor7}, major(5)};
    const std::vector<Chord> b = {{3, ChordKind::Major7}, major(5), {2, ChordKind::Minor7}, {0, ChordKind::Minor7},
                                  {3, ChordKind::Major7}, major(5), {7, ChordKind::Sus4}, {7, ChordKind::Dominant7}};
    const std::vector<Chord> breakdown = {{0, ChordKind::Minor7}, major(5), {0, ChordKind::Minor7}, major(5),
                                          {3, ChordKind::Major7}, major(5), {7, ChordKind::Sus4}, {7, ChordKind::Dominant7}};
    const std::vector<Chord> outro(a.begin(), a.begin() + 4);
    const Motif hook = {{0, 3, 4}, {3, 3, 5}, {6, 2, 4}, {8, 4, 2}, {14, 2, 0}, {16, 3, 4}, {19, 3, 5}, {22, 2, 6}, {24, 6, 7}};
    const Motif middle = {{2, 2, 2}, {4, 2, 4}, {6, 4, 5}, {12, 4, 4}, {18, 2, 3}, {20, 2, 2}, {22, 2, 1}, {24, 6, 2}};
    Song song(128.f, 55, DORIAN_SCALE, 36, sections({a, a, b, breakdown, outro}));
    for (int bar : {0, 16, 32})
        song.crash(bar);
    song.drums(0, 16, "x.....x...x.....", "....x.......x..x", "xxoxxxoxxxoxxxox");
    song.drums(16, 24, "x..x..x...x..x..", "....x.......x...", "x.x.x.x.x.x.x.x.");
    song.drums(24, 32, "", "....x.......x...", "..x...x...x...x.", 0.5f);
    song.drums(32, 36, "x.....x...x.....", "....x.......x..x", "xxoxxxoxxxoxxxox");
    for (int bar : {15, 23, 31, 35})
        song.fill(bar, 0.8f);
    song.bass(0, 24, "r..r..o.r..r.f.o", bassRound(), 0.5f, 2);
    song.bass(24, 32, "r-------f-------", bassRound(), 0.45f, 2);
    song.bass(32, 36, "r..r..o.r..r.f.o", bassRound(), 0.5f, 2);
    song.stabs(0, 36, "..x...x...x..x..", keys(), 0.3f, 4);
    song.pad(16, 24, padSpace(), 0.22f, 4);
    song.hook(0, hook, {V::Rest, V::Rest, V::Same, V::Answer, V::Same, V::Up, V::Inverted, V::Cadence}, leadSquare(),
              0.24f, 5);
    song.hook(16, middle, {V::Same, V::Up, V::Same, V::Answer}, leadSoft(), 0.26f, 5);
    song.hook(28, hook, {V::Same, V::Cadence, V::Same, V::Cadence}, leadSquare(), 0.24f, 5);
    save(song, ctx, "05_Stage02", Ending::Loop, 0.75f);
}

// Stage 3 (B minor, 160 bpm): fast and urgent, a broken beat over a rolling
// bass, chord stabs and a sliding pulse lead; a breakdown of pad and stabs.
REGISTER_ASSETS(music_stage3)
{
    const std::vector<Chord> a = {minor(0), major(8), major(10), major(7), minor(0), major(8), major(10), major(7)};
    const std::vector<Chord> b = {major(3), major(10), minor(5), major(7), major(3), major(10), minor(5), major(7)};
    const std::vector<Chord> breakdown = {minor(0), minor(0), major(8), major(8), major(3), major(3), major(10), major(7)};
    const std::vector<Chord> outro(a.begin(), a.begin() + 4);
    const Motif hook = {{0, 2, 0},  {2, 2, 2},  {4, 2, 4},  {6, 4, 3},  {10, 2, 2}, {12, 4, 4},
                        {16, 2, 0}, {18, 2, 2}, {20, 2, 4}, {22, 2, 5}, {24, 4, 4}, {28, 4, 6}};
    Song song(160.f, 47, MINOR_SCALE, 44, sections({a, a, b, breakdown, a, outro}));
    for (int bar : {0, 8, 16, 32, 40})
        song.crash(bar);
    const char* kick = "x.....x...x.....";
    const char* snare = "....x..x.x..x...";
    song.drums(0, 24, kick, snare, "xxxXxxxXxxxXxxxX");
    song.drums(28, 32, "", "....x.......x...", "x.x.x.x.x.x.x.x.", 0.6f);
    song.drums(32, 44, kick, snare, "xxxXxxxXxxxXxxxX");
    for (int bar : {7, 15, 23, 31, 39, 43})
        song.fill(bar, bar % 16 == 7 ? 0.6f : 1.f);
    song.bass(0, 24, "rrorrrorrrorrror", bassSynth(), 0.42f);
    song.bass(24, 32, "r-------r-------", bassRound(), 0.4f);
    song.bass(32, 44, "rrorrrorrrorrror", bassSynth(), 0.42f);
    song.stabs(0, 44, "x..x..x...x..x..", stab(), 0.3f, 4);
    song.pad(24, 32, padWarm(), 0.35f, 4);
    song.sample(30, 0, riser(21, 60.f / 160.f * 8.f), 0.3f, 0.f, 0.2f);
    song.hook(0, hook, {V::Same, V::Up, V::Same, V::Cadence, V::Same, V::Up, V::Inverted, V::Cadence}, leadPulse(),
              0.24f, 5);
    song.hook(16, shifted(hook, 2), {V::Same, V::Down, V::Inverted, V::Answer}, leadPulse(), 0.24f, 5);
    song.hook(26, hook, {V::Same, V::Rest, V::Cadence}, leadSoft(), 0.26f, 5);
    song.hook(32, hook, {V::Same, V::Up, V::Inverted, V::Cadence, V::Same, V::Cadence}, leadPulse(), 0.24f, 5);
    save(song, ctx, "06_Stage03", Ending::Loop, 0.75f);
}

// Bells over a pad, the drums join, and a roll on the dominant leads into the loop.
REGISTER_ASSETS(music_stage4_intro)
{
    Song song(136.f, 53, MINOR_SCALE, 9,
              {{0, ChordKind::Minor}, {8, ChordKind::Major}, {10, ChordKind::Major}, {7, ChordKind::Major},
               {0, ChordKind::Minor}, {8, ChordKind::Major}, {10, ChordKind::Major}, {7, ChordKind::Major},
               {7, ChordKind::Major}});
    song.pad(0, 9, padWarm(), 0.45f, 4);
    song.arpeggio(0, 9, bell(2.f, 0.6f), 0.2f, 2, "0120", 5, 0.5f, 0.6f);
    song.crash(4);
    song.drums(4, 8, "x.......x.......", BACKBEAT, "..x...x...x...x.", 0.8f);
    song.bass(4, 9, "r-------r-------", bassSynth(), 0.4f);
    song.hook(4, STAGE4_HOOK, {V::Same, V::Cadence}, leadSaw(), 0.22f, 5);
    song.sample(7, 0, riser(17, 60.f / 136.f * 8.f), 0.3f);
    song.fill(8);
    save(song, ctx, "07a_Stage04_Intro", Ending::Cut);
}

// Stage 4, the last: a half-time march, the fullest arrangement: a big pad,
// bells, a sawtooth hook in thirds and toms; a middle, a breakdown of bells.
REGISTER_ASSETS(music_stage4)
{
    const std::vector<Chord> b = {major(3), major(10), minor(5), minor(0), major(8), major(3), major(10), major(7)};
    const std::vector<Chord> breakdown = {minor(0), major(8), major(3), major(10), minor(0), major(8), major(3), major(7)};
    const std::vector<Chord> outro(STAGE4_A.begin(), STAGE4_A.begin() + 4);
    const Motif middle = {{0, 8, 4}, {8, 4, 5}, {12, 4, 4}, {16, 6, 2}, {22, 2, 3}, {24, 8, 4}};
    Song song(136.f, 53, MINOR_SCALE, 36, sections({STAGE4_A, STAGE4_A, b, breakdown, outro}));
    for (int bar : {0, 8, 16, 32})
        song.crash(bar);
    const char* kick = "x.........x.....";
    const char* snare = "........X.......";
    song.drums(0, 24, kick, snare, "o...o...o...o...");
    song.drums(32, 36, kick, snare, "o...o...o...o...");
    for (int bar = 0; bar < 36; bar += 2)
        if (bar < 24 || bar >= 32) {
            song.sample(bar, 12, tomDrum(45.f, 0.3f), 0.35f, -0.3f);
            song.sample(bar, 14, tomDrum(40.f, 0.35f), 0.4f, 0.3f);
        }
    for (int bar : {7, 15, 23, 31, 35})
        song.fill(bar);
    song.bass(0, 24, "r-------r---o---", bassSynth(), 0.45f);
    song.bass(32, 36, "r-------r---o---", bassSynth(), 0.45f);
    song.pad(0, 36, padWarm(), 0.3f, 4);
    song.arpeggio(0, 36, bell(2.f, 0.6f), 0.16f, 2, "0122", 5, 0.5f, 0.6f);
    song.sample(30, 0, riser(23, 60.f / 136.f * 8.f), 0.3f, 0.f, 0.2f);
    const std::vector<Variation> verse = {V::Same, V::Up, V::Same, V::Cadence, V::Same, V::Up, V::Inverted, V::Cadence};
    song.hook(0, STAGE4_HOOK, verse, leadSaw(), 0.26f, 5);
    song.hook(8, shifted(STAGE4_HOOK, -2), {V::Same, V::Up, V::Inverted, V::Cadence}, leadSaw(), 0.14f, 5, 0.3f);
    song.hook(16, middle, {V::Same, V::Up, V::Same, V::Answer}, leadSquare(), 0.24f, 5);
    song.hook(24, STAGE4_HOOK, {V::Rest, V::Same, V::Rest, V::Cadence}, bell(1.2f, 1.f), 0.3f, 5);
    song.hook(32, STAGE4_HOOK, {V::Same, V::Cadence}, leadSaw(), 0.26f, 5);
    song.hook(32, shifted(STAGE4_HOOK, -2), {V::Same, V::Cadence}, leadSaw(), 0.14f, 5, 0.3f);
    save(song, ctx, "07b_Stage04", Ending::Loop, 0.75f);
}

// Staff roll: warm and unhurried, ending on the home chord.
REGISTER_ASSETS(music_staff_roll)
{
    Song song(92.f, 50, MAJOR_SCALE, 12,
              {{0, ChordKind::Major}, {7, ChordKind::Major}, {9, ChordKind::Minor}, {5, ChordKind::Major},
               {0, ChordKind::Major}, {7, ChordKind::Major}, {9, ChordKind::Minor}, {5, ChordKind::Major},
               {2, ChordKind::Minor7}, {5, ChordKind::Major}, {7, ChordKind::Sus4}, {0, ChordKind::Major}});
    song.pad(0, 12, padWarm(), 0.4f, 4);
    song.arpeggio(0, 11, bell(1.2f, 0.7f), 0.14f, 2, "0121", 5, 0.5f, 0.5f);
    song.bass(0, 11, "r-----r-f-------", bassRound(), 0.4f);
    song.drums(2, 11, "x.......x.x.....", BACKBEAT, EIGHTH_HATS, 0.55f);
    const Motif theme = {{0, 3, 2}, {3, 3, 4}, {6, 2, 5}, {8, 6, 4}, {14, 2, 2}, {16, 4, 1}, {20, 4, 2}, {24, 8, 0}};
    song.hook(2, theme, {V::Same, V::Up, V::Same, V::Cadence}, leadSoft(), 0.26f, 5);
    song.note(11, 0, 16, song.degreeToMidi(0, 5), leadSoft(), 0.26f);
    song.note(11, 0, 16, 38.f, bassRound(), 0.4f);
    save(song, ctx, "08_StaffRoll", Ending::RingOut, 0.75f, 0.35f, 0.3f);
}

// Results: upbeat and bouncy, major key.
REGISTER_ASSETS(music_results)
{
    Song song(132.f, 53, MAJOR_SCALE, 10,
              {{0, ChordKind::Major}, {5, ChordKind::Major}, {7, ChordKind::Major}, {0, ChordKind::Major},
               {9, ChordKind::Minor}, {5, ChordKind::Major}, {7, ChordKind::Major}, {0, ChordKind::Major},
               {5, ChordKind::Major}, {0, ChordKind::Major}});
    song.crash(0);
    song.drums(0, 9, "x.....x.x.......", BACKBEAT, OFFBEAT_HATS);
    song.fill(8);
    song.bass(0, 9, "r..or..or..or.fo", bassSynth(), 0.42f);
    song.arpeggio(0, 9, pluck(), 0.16f, 2, "0122", 5, 0.4f, 0.4f);
    song.pad(0, 10, padWarm(), 0.22f, 4);
    const Motif hook = {{0, 2, 4}, {2, 2, 5}, {4, 4, 4}, {8, 2, 2}, {10, 2, 4}, {12, 4, 7},
                        {16, 2, 6}, {18, 2, 5}, {20, 4, 4}, {24, 2, 2}, {26, 6, 4}};
    song.hook(0, hook, {V::Same, V::Up, V::Same, V::Cadence}, leadSquare(), 0.25f, 5);
    song.crash(9, 0.8f);
    song.note(9, 0, 16, song.degreeToMidi(0, 5), leadSquare(), 0.25f);
    song.note(9, 0, 16, song.degreeToMidi(4, 5), leadSquare(), 0.18f);
    song.note(9, 0, 16, 41.f, bassSynth(), 0.42f);
    save(song, ctx, "09_Results", Ending::RingOut, 0.5f);
}

// Game over: slow and sad, a lone bell falling home over a dark pad, over
// before the screen closes.
REGISTER_ASSETS(music_game_over)
{
    Song song(80.f, 57, MINOR_SCALE, 3, {minor(0), minor(5), minor(0)});
    song.pad(0, 3, padSpace(), 0.45f, 3);
    song.bass(0, 3, "r-------r-------", bassRound(), 0.35f, 2);
    song.drums(0, 2, "x.......x.......", "", "", 0.4f);
    const Motif fall = {{0, 4, 4}, {4, 4, 3}, {8, 8, 2}, {16, 4, 1}, {20, 4, 2}, {24, 8, 1}};
    song.hook(0, fall, {V::Same}, bell(1.2f, 1.4f), 0.3f, 5, 0.f, 0.6f);
    song.note(2, 0, 16, song.degreeToMidi(0, 5), bell(1.2f, 1.8f), 0.3f);
    save(song, ctx, "10_GameOver", Ending::RingOut, 1.f, 0.45f, 0.4f);
}
