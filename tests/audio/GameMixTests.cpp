// The generated sounds as the player hears them: measured from the files of
// the runnable tree at the volumes the game plays them at.
#include "tools/mix/MixTable.h"

#include "audio/SoundTables.h"
#include "gameplay/GameState.h"
#include "gameplay/MusicUpkeep.h"
#include "screens/LogoSequence.h"

#include <gtest/gtest.h>

#include <SFML/Audio/InputSoundFile.hpp>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr double PI = 3.14159265358979323846;

mix::Audio tone(double hz, double amplitude, double seconds, int channels, double phase = 0.0)
{
    mix::Audio a;
    for (int c = 0; c < channels; ++c) {
        std::vector<float> s(static_cast<size_t>(seconds * a.rate));
        for (size_t i = 0; i < s.size(); ++i)
            s[i] = static_cast<float>(amplitude * std::sin(2.0 * PI * hz * i / a.rate + phase));
        a.channels.push_back(s);
    }
    return a;
}

const mix::MixTable& gameMix()
{
    static const mix::MixTable table = mix::measureMix(".");
    return table;
}

mix::Audio gameFile(const std::string& relative)
{
    mix::Audio a;
    EXPECT_TRUE(mix::readAudio(relative, a)) << relative;
    return a;
}

std::string musicPath(MusicTrack track) { return std::string("2D/Music/") + MUSIC_TRACKS[track].name + ".ogg"; }

// Seconds from the start to the last sample louder than -50 dBFS.
double audibleEnd(const mix::Audio& a)
{
    size_t last = 0;
    for (const std::vector<float>& c : a.channels)
        for (size_t i = c.size(); i-- > last;)
            if (std::fabs(c[i]) > 0.00316f) {
                last = i;
                break;
            }
    return static_cast<double>(last) / a.rate;
}

// The tempo each piece was written in, as seconds per bar (four beats), and
// the laser loops' pulse.
double barSeconds(const std::string& name)
{
    static const std::map<std::string, double> beatsPerMinute = {
        {"02_Menu", 84.0},  {"03a_Stage01_Intro", 140.0}, {"03b_Stage01", 140.0}, {"04a_Boss_Intro", 150.0},
        {"04b_Boss", 150.0}, {"05_Stage02", 128.0},       {"06_Stage03", 160.0},   {"07a_Stage04_Intro", 136.0},
        {"07b_Stage04", 136.0}};
    const auto found = beatsPerMinute.find(name);
    return found == beatsPerMinute.end() ? 0.125 : 4.0 * 60.0 / found->second;
}

// The largest step from one sample to the next in the 5 ms after `at` (the
// attack of whatever starts there).
int stepAfter(const std::vector<sf::Int16>& s, size_t at, unsigned channels, unsigned channel, unsigned rate)
{
    int largest = 0;
    const size_t frames = s.size() / channels;
    for (size_t f = at + 1; f <= at + rate / 200 && f < frames; ++f)
        largest = std::max(largest, std::abs(s[f * channels + channel] - s[(f - 1) * channels + channel]));
    return largest;
}

} // namespace

TEST(LoudnessMeter, ReadsReferenceTonesAndPeaksAsBroadcastMetersDo)
{
    // A 997 Hz tone at -20 dBFS in both channels reads -20 LUFS; in one channel 3 dB less.
    EXPECT_NEAR(mix::integratedLoudness(tone(997.0, 0.1, 5.0, 2)), -20.0, 0.1);
    EXPECT_NEAR(mix::integratedLoudness(tone(997.0, 0.1, 5.0, 1)), -23.0, 0.1);

    // A stretch 6 LU down is not gated out of the integrated loudness.
    mix::Audio steps = tone(997.0, 0.1, 5.0, 1);
    const mix::Audio quiet = tone(997.0, 0.05, 5.0, 1);
    steps.channels[0].insert(steps.channels[0].end(), quiet.channels[0].begin(), quiet.channels[0].end());
    EXPECT_NEAR(mix::integratedLoudness(steps), -24.97, 0.1);

    // A tone at a quarter of the rate sampled 45 degrees off its crests: the
    // samples reach 0.707 of the wave, its true peak is the whole of it.
    const mix::Audio offCrest = tone(44100.0 / 4.0, 0.5, 1.0, 1, PI / 4.0);
    EXPECT_NEAR(mix::toDecibels(mix::truePeak(offCrest)), mix::toDecibels(0.5), 0.3);

    // The low end.
    EXPECT_GT(mix::energyShareBelow(tone(25.0, 0.5, 2.0, 1), 40.0), 0.6);
    EXPECT_LT(mix::energyShareBelow(tone(1000.0, 0.5, 2.0, 1), 40.0), 0.001);
}

TEST(GameMix, EffectsSitWhereThePlayerHearsThemAgainstTheMusic)
{
    const mix::MixTable& mix = gameMix();
    const double music = mix.summary.musicMean;
    // One shot under the music, holding fire at it or a little above.
    EXPECT_GE(music - mix.summary.shot, 3.0);
    EXPECT_LE(music - mix.summary.shot, 6.0);
    EXPECT_GE(mix.summary.heldFire - music, 0.0);
    EXPECT_LE(mix.summary.heldFire - music, 3.0);

    // Hits and pick-ups clearly heard, no effect blaring over the music.
    for (int e : {SFX_TOUCH_ENEMY, SFX_LASER_SHOT, SFX_BONUS_P, SFX_BONUS_GOLD, SFX_MAX_LASER, SFX_EXTRA_LIFE}) {
        SCOPED_TRACE(SOUND_EFFECTS[e].name);
        EXPECT_GE(mix.inGame(SOUND_EFFECTS[e].name), music - 3.5);
    }
    for (const SoundEffectInfo& e : SOUND_EFFECTS)
        EXPECT_LE(mix.inGame(e.name), music + 6.0) << e.name;

    // Bigger explosions sound bigger.
    const double small = mix.inGame("ExplosionSmall"), medium = mix.inGame("ExplosionMedium"),
                 big = mix.inGame("ExplosionBig");
    EXPECT_GE(medium - small, 1.0);
    EXPECT_GE(big - medium, 1.0);

    // The menu's sounds over the menu's music.
    for (int e = SFX_MENU_SELECT; e <= SFX_MENU_START; ++e)
        EXPECT_GE(mix.inGame(SOUND_EFFECTS[e].name), mix.summary.menuMusic - 3.5) << SOUND_EFFECTS[e].name;
}

TEST(GameMix, EveryFileIsCenteredHasRoomAboveItsPeaksAndNoBassAndAllMusicOneLoudness)
{
    const mix::MixTable& mix = gameMix();
    int pieces = 0;
    for (const mix::MixRow& row : mix.rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(row.loaded);
        EXPECT_LT(std::fabs(row.dc), 0.002);
        EXPECT_LE(row.truePeakDb, -1.0);
        EXPECT_LT(row.lowShare, 0.02);
        if (row.kind == "music") {
            ++pieces;
            EXPECT_NEAR(row.inGameLufs, mix.summary.musicMean, 1.5);
        }
    }
    EXPECT_EQ(pieces, MUSIC_TRACK_COUNT);
}

TEST(GameMix, PickUpChimesRingClearWithoutShrillOrFoldedOvertones)
{
    // Nearly all of a chime's energy lies in its notes and first overtones, under 6 kHz.
    for (const char* chime : {"BonusP", "BonusGold"}) {
        const mix::Audio a = gameFile(std::string("2D/Sound/") + chime + ".wav");
        EXPECT_GT(mix::energyShareBelow(a, 6000.0), 0.97) << chime;
    }
}

TEST(GameMusic, PiecesThatEndFitTheScreensTheyPlayUnder)
{
    EXPECT_LE(audibleEnd(gameFile(musicPath(MUSIC_OPENING))), LogoSequence::UNSKIPPED_SECONDS);
    EXPECT_LE(audibleEnd(gameFile(musicPath(MUSIC_GAME_OVER))), GameState::GAME_OVER_TIME);
    // The results board waits for the players; its music is over in 21 s.
    EXPECT_LE(audibleEnd(gameFile(musicPath(MUSIC_RESULTS))), 21.0);

    // An intro hands over to its loop with a little of it left: it runs on
    // past its last bar line by more than that, so its last beat sounds whole.
    for (MusicTrack intro : {MUSIC_STAGE01_INTRO, MUSIC_BOSS_INTRO, MUSIC_STAGE04_INTRO}) {
        SCOPED_TRACE(MUSIC_TRACKS[intro].name);
        const double seconds = gameFile(musicPath(intro)).seconds(), bar = barSeconds(MUSIC_TRACKS[intro].name);
        const double pastLastBar = seconds - bar * std::floor(seconds / bar + 1e-6);
        EXPECT_GE(pastLastBar, MusicUpkeep::HANDOVER_MARGIN);
        EXPECT_LT(pastLastBar, 0.25);
    }
}

TEST(GameMusic, LoopsAreWholeBarsAndJoinWithoutAJump)
{
    // A stage's loop, heard for minutes, lasts a minute at least.
    for (MusicTrack stage : {MUSIC_STAGE01, MUSIC_STAGE02, MUSIC_STAGE03, MUSIC_STAGE04})
        EXPECT_GE(gameFile(musicPath(stage)).seconds(), 60.0) << MUSIC_TRACKS[stage].name;

    // At the seam the step from the last sample to the first may not be larger
    // than the steps the piece itself takes as its bars begin (the median, over
    // its bar lines, of the largest step in the 5 ms after the line).
    std::vector<std::string> files;
    for (const LoopedEffectInfo& loop : LOOPED_EFFECTS)
        files.push_back(std::string("2D/Sound/") + loop.name + ".wav");
    for (int t = 0; t < MUSIC_TRACK_COUNT; ++t)
        if (MUSIC_TRACKS[t].looped)
            files.push_back(musicPath(static_cast<MusicTrack>(t)));
    for (const std::string& f : files) {
        SCOPED_TRACE(f);
        sf::InputSoundFile in;
        ASSERT_TRUE(in.openFromFile(f));
        std::vector<sf::Int16> s(in.getSampleCount());
        ASSERT_EQ(in.read(s.data(), s.size()), s.size());
        const unsigned ch = in.getChannelCount(), rate = in.getSampleRate();
        const size_t frames = s.size() / ch;
        const std::string name = f.substr(f.find_last_of('/') + 1, f.find_last_of('.') - f.find_last_of('/') - 1);
        const double bar = barSeconds(name), bars = frames / (bar * rate);
        ASSERT_NEAR(bars, std::round(bars), 0.01) << "a loop is whole bars";
        for (unsigned c = 0; c < ch; ++c) {
            std::vector<int> lineSteps;
            for (int b = 1; b < static_cast<int>(std::round(bars)); ++b)
                lineSteps.push_back(stepAfter(s, static_cast<size_t>(std::llround(b * bar * rate)) - 1, ch, c, rate));
            std::nth_element(lineSteps.begin(), lineSteps.begin() + lineSteps.size() / 2, lineSteps.end());
            const int median = lineSteps[lineSteps.size() / 2];
            const int seam = std::abs(s[c] - s[(frames - 1) * ch + c]);
            EXPECT_LE(seam, median);
            EXPECT_GT(median, 300) << "not silent";
        }
    }
}
