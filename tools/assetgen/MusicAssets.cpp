// The game's music: thirteen short synthesised pieces, each with its own
// tempo, key and mood. Looped pieces are whole bars whose ringing tails wrap
// onto their start; intros end on their last bar line, on the chord that
// leads into their loop.
#include "tools/assetgen/Generator.h"
#include "tools/assetgen/Song.h"

#include <stdexcept>

using namespace assetgen;

namespace {

Instrument bassSynth()
{
    Instrument i;
    i.timbre.wave = Wave::Saw;
    i.timbre.subLevel = 0.5f;
    i.timbre.cutoff = 1100.f;
    i.timbre.cutoffFloor = 260.f;
    i.timbre.resonance = 1.1f;
    i.timbre.attack = 0.003f;
    i.timbre.decay = 0.16f;
    i.timbre.sustain = 0.55f;
    i.timbre.release = 0.05f;
    return i;
}

Instrument bassRound()
{
    Instrument i;
    i.timbre.wave = Wave::Triangle;
    i.timbre.subLevel = 0.35f;
    i.timbre.cutoff = 700.f;
    i.timbre.cutoffFloor = 300.f;
    i.timbre.attack = 0.02f;
    i.timbre.decay = 0.4f;
    i.timbre.sustain = 0.7f;
    i.timbre.release = 0.3f;
    return i;
}

Instrument padWarm()
{
    Instrument i;
    i.timbre.wave = Wave::Saw;
    i.timbre.voices = 3;
    i.timbre.detuneCents = 16.f;
    i.timbre.cutoff = 1900.f;
    i.timbre.cutoffFloor = 900.f;
    i.timbre.resonance = 0.6f;
    i.timbre.attack = 0.35f;
    i.timbre.decay = 0.6f;
    i.timbre.sustain = 0.8f;
    i.timbre.release = 0.9f;
    return i;
}

Instrument padSpace()
{
    Instrument i = padWarm();
    i.timbre.wave = Wave::Triangle;
    i.timbre.detuneCents = 12.f;
    i.timbre.cutoff = 2600.f;
    i.timbre.attack = 0.9f;
    i.timbre.release = 1.6f;
    return i;
}

Instrument leadSquare()
{
    Instrument i;
    i.timbre.wave = Wave::Square;
    i.timbre.voices = 2;
    i.timbre.detuneCents = 8.f;
    i.timbre.cutoff = 3600.f;
    i.timbre.cutoffFloor = 1500.f;
    i.timbre.attack = 0.01f;
    i.timbre.decay = 0.2f;
    i.timbre.sustain = 0.7f;
    i.timbre.release = 0.12f;
    i.timbre.vibratoDepth = 0.25f;
    return i;
}

Instrument leadSaw()
{
    Instrument i = leadSquare();
    i.timbre.wave = Wave::Saw;
    i.timbre.detuneCents = 12.f;
    i.timbre.cutoff = 5200.f;
    i.timbre.cutoffFloor = 2000.f;
    i.timbre.vibratoDepth = 0.3f;
    i.timbre.glideFrom = -1.f;
    i.timbre.glideTime = 0.04f;
    return i;
}

Instrument leadSoft()
{
    Instrument i = leadSquare();
    i.timbre.wave = Wave::Triangle;
    i.timbre.voices = 1;
    i.timbre.cutoff = 2400.f;
    i.timbre.attack = 0.04f;
    i.timbre.release = 0.4f;
    i.timbre.vibratoDepth = 0.2f;
    return i;
}

Instrument pluck()
{
    Instrument i;
    i.timbre.wave = Wave::Pulse25;
    i.timbre.cutoff = 4200.f;
    i.timbre.cutoffFloor = 500.f;
    i.timbre.resonance = 1.3f;
    i.timbre.attack = 0.002f;
    i.timbre.decay = 0.15f;
    i.timbre.sustain = 0.f;
    i.timbre.release = 0.08f;
    return i;
}

Instrument bell(float brightness = 2.f, float ring = 0.8f)
{
    Instrument i;
    i.bell = true;
    i.bellBrightness = brightness;
    i.timbre.release = ring;
    return i;
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
    if (!song.write(path, ending, echoBeats, feedback, wet))
        throw std::runtime_error("cannot write " + path);
}

const char* const FOUR_ON_FLOOR = "x...x...x...x...";
const char* const BACKBEAT = "....x.......x...";
const char* const EIGHTH_HATS = "x.x.x.x.x.x.x.x.";
const char* const OFFBEAT_HATS = "x.o.x.o.x.o.x.o.";

// Stage 1 (E minor, 140 bpm): the intro builds into the loop.
const std::vector<Chord> STAGE1_LOOP = {{0, ChordKind::Minor}, {8, ChordKind::Major}, {10, ChordKind::Major},
                                        {0, ChordKind::Minor}, {0, ChordKind::Minor}, {8, ChordKind::Major},
                                        {10, ChordKind::Major}, {7, ChordKind::Major}};
// Boss (C harmonic minor, 150 bpm).
const std::vector<Chord> BOSS_LOOP = {{0, ChordKind::Minor}, {8, ChordKind::Major}, {5, ChordKind::Minor},
                                      {7, ChordKind::Major}, {0, ChordKind::Minor}, {1, ChordKind::Major},
                                      {5, ChordKind::Minor}, {7, ChordKind::Dominant7}};
// Stage 4 (F minor, 136 bpm).
const std::vector<Chord> STAGE4_LOOP = {{0, ChordKind::Minor}, {8, ChordKind::Major}, {3, ChordKind::Major},
                                        {10, ChordKind::Major}, {0, ChordKind::Minor}, {8, ChordKind::Major},
                                        {10, ChordKind::Major}, {7, ChordKind::Major}};

} // namespace

// A solemn opening: bells over a swelling pad, then drums and a theme, ending on the tonic.
REGISTER_ASSETS(music_opening)
{
    Song song(100.f, 50, MINOR_SCALE, 10,
              {{0, ChordKind::Minor}, {8, ChordKind::Major}, {3, ChordKind::Major}, {10, ChordKind::Major},
               {0, ChordKind::Minor}, {8, ChordKind::Major}, {10, ChordKind::Major}, {7, ChordKind::Major},
               {7, ChordKind::Major}, {0, ChordKind::Minor}});
    song.pad(0, 10, padWarm(), 0.5f, 4);
    song.arpeggio(0, 9, bell(2.5f, 1.2f), 0.22f, 4, "0122", 5, 0.4f, 0.6f);
    song.sample(1, 0, riser(5, 2.4f), 0.25f, 0.f, 0.3f);
    song.crash(2);
    song.drums(2, 8, "x.......x.x.....", "........X.......", EIGHTH_HATS, 0.9f);
    song.bass(2, 9, "r-------r---f---", bassSynth(), 0.4f);
    song.melody(2, 8, leadSaw(), 0.28f, 5, 41, 1);
    song.fill(8);
    song.crash(9, 0.8f);
    song.note(9, 0, 16, song.degreeToMidi(0, 5), leadSaw(), 0.28f);
    song.note(9, 0, 16, 38.f, bassSynth(), 0.4f);
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
    song.melody(0, 8, leadSoft(), 0.2f, 5, 7, 0, -0.2f, 0.8f);
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

// Stage 1: driving four-on-the-floor with an octave bass and a sawtooth theme.
REGISTER_ASSETS(music_stage1)
{
    Song song(140.f, 52, MINOR_SCALE, 16, STAGE1_LOOP);
    song.crash(0);
    song.crash(8);
    song.drums(0, 16, FOUR_ON_FLOOR, BACKBEAT, OFFBEAT_HATS);
    song.fill(7, 0.7f);
    song.fill(15);
    song.bass(0, 16, "r.o.r.o.r.o.r.o.", bassSynth(), 0.45f);
    song.arpeggio(0, 16, pluck(), 0.18f, 1, "0120", 5, 0.3f, 0.4f);
    song.pad(8, 16, padWarm(), 0.25f, 4);
    song.melody(4, 16, leadSaw(), 0.26f, 5, 3, 1);
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
    song.bass(0, 10, "r-------r---r---", bassSynth(), 0.4f, 1);
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
    song.bass(0, 16, "rrrrrrrrrrrrrroo", bassSynth(), 0.42f, 1);
    song.pad(0, 16, padWarm(), 0.3f, 3);
    song.melody(4, 16, leadSquare(), 0.24f, 5, 19, 2);
    save(song, ctx, "04b_Boss", Ending::Loop, 0.5f);
}

// Stage 2: a syncopated dorian groove.
REGISTER_ASSETS(music_stage2)
{
    Song song(128.f, 55, DORIAN_SCALE, 16,
              {{0, ChordKind::Minor7}, {5, ChordKind::Major}, {0, ChordKind::Minor7}, {10, ChordKind::Major},
               {3, ChordKind::Major7}, {5, ChordKind::Major}, {0, ChordKind::Minor7}, {5, ChordKind::Major}});
    song.crash(0);
    song.drums(0, 16, "x.....x...x.....", "....x.......x..x", "xxoxxxoxxxoxxxox");
    song.fill(15, 0.8f);
    song.bass(0, 16, "r..r..o.r..r.f.o", bassSynth(), 0.45f, 1);
    song.arpeggio(0, 16, pluck(), 0.15f, 2, "0213", 5, 0.4f, 0.5f);
    song.pad(0, 16, padWarm(), 0.22f, 4);
    song.melody(4, 16, leadSquare(), 0.24f, 5, 28, 1);
    save(song, ctx, "05_Stage02", Ending::Loop, 0.75f);
}

// Stage 3: fast and urgent.
REGISTER_ASSETS(music_stage3)
{
    Song song(160.f, 47, MINOR_SCALE, 16,
              {{0, ChordKind::Minor}, {8, ChordKind::Major}, {10, ChordKind::Major}, {7, ChordKind::Major}});
    song.crash(0);
    song.crash(8);
    song.drums(0, 16, "x...x...x...x..x", "....x..x....x...", EIGHTH_HATS);
    song.fill(7, 0.6f);
    song.fill(15);
    song.bass(0, 16, "rrorrrorrrorrror", bassSynth(), 0.42f);
    song.pad(0, 16, padWarm(), 0.25f, 4);
    song.melody(2, 16, leadSaw(), 0.25f, 5, 52, 2);
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
    song.melody(4, 8, leadSaw(), 0.22f, 5, 67, 0);
    song.sample(7, 0, riser(17, 60.f / 136.f * 8.f), 0.3f);
    song.fill(8);
    save(song, ctx, "07a_Stage04_Intro", Ending::Cut);
}

// Stage 4, the last: the fullest arrangement.
REGISTER_ASSETS(music_stage4)
{
    Song song(136.f, 53, MINOR_SCALE, 16, STAGE4_LOOP);
    song.crash(0);
    song.crash(8);
    song.drums(0, 16, FOUR_ON_FLOOR, BACKBEAT, OFFBEAT_HATS);
    song.fill(7, 0.7f);
    song.fill(15);
    song.bass(0, 16, "r.r.o.r.r.r.o.rr", bassSynth(), 0.45f);
    song.arpeggio(0, 16, pluck(), 0.16f, 1, "0122", 5, 0.3f, 0.4f);
    song.pad(0, 16, padWarm(), 0.25f, 4);
    song.melody(4, 16, leadSaw(), 0.26f, 5, 67, 1);
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
    song.melody(2, 11, leadSoft(), 0.26f, 5, 12, 1);
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
    song.melody(0, 8, leadSquare(), 0.25f, 5, 34, 2);
    song.crash(9, 0.8f);
    song.note(9, 0, 16, song.degreeToMidi(0, 5), leadSquare(), 0.25f);
    song.note(9, 0, 16, song.degreeToMidi(4, 5), leadSquare(), 0.18f);
    song.note(9, 0, 16, 41.f, bassSynth(), 0.42f);
    save(song, ctx, "09_Results", Ending::RingOut, 0.5f);
}

// Game over: slow and sad, a lone bell over a dark pad.
REGISTER_ASSETS(music_game_over)
{
    Song song(66.f, 57, MINOR_SCALE, 6,
              {{0, ChordKind::Minor}, {8, ChordKind::Major}, {5, ChordKind::Minor}, {7, ChordKind::Major},
               {5, ChordKind::Minor}, {0, ChordKind::Minor}});
    song.pad(0, 6, padSpace(), 0.45f, 3);
    song.bass(0, 6, "r-------r-------", bassRound(), 0.35f, 1);
    song.drums(1, 5, "x...............", "", "", 0.5f);
    song.melody(0, 5, bell(1.2f, 1.4f), 0.3f, 5, 5, 0, 0.f, 0.6f);
    song.note(5, 0, 16, song.degreeToMidi(0, 5), bell(1.2f, 2.5f), 0.3f);
    save(song, ctx, "10_GameOver", Ending::RingOut, 1.f, 0.45f, 0.4f);
}
