// The sound table as the game's callers rely on it, typed here row by row: which file each
// effect, loop and track is loaded from, the volume playSound gives each effect, and which
// tracks loop. Each file of a scratch tree is recorded at its own sample rate, so the
// stream or buffer that opened it tells which name it was loaded under.
#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "support/TestSupport.h"

#include <SFML/Audio/OutputSoundFile.hpp>
#include <gtest/gtest.h>
#include <string>
#include <memory>
#include <vector>

using namespace testing_support;

namespace {

struct EffectRow {
    const char* name;
    float volume;
};
const EffectRow EFFECTS[] = {
    {"Shoot", 8},          {"TouchEnemy", 8},     {"LaserShot", 8},       {"Death", 30},
    {"ExplosionSmall", 15}, {"ExplosionMedium", 40}, {"ExplosionBig", 30}, {"BonusP", 8},
    {"BonusGold", 8},      {"MaxLaser", 8},       {"ExtraLife", 8},       {"MenuSelect", 8},
    {"MenuValid", 8},      {"MenuCancel", 8},     {"NextPage", 8},        {"MenuStart", 8},
};
const char* const LOOPS[] = {"ChargeLaser", "LaserActive"};
struct TrackRow {
    const char* name;
    bool looped;
};
const TrackRow TRACKS[] = {
    {"01_Opening", false},   {"02_Menu", true},       {"03a_Stage01_Intro", false}, {"03b_Stage01", true},
    {"04a_Boss_Intro", false}, {"04b_Boss", true},    {"05_Stage02", true},         {"06_Stage03", true},
    {"07a_Stage04_Intro", false}, {"07b_Stage04", true}, {"08_StaffRoll", false},   {"09_Results", false},
    {"10_GameOver", false},
};

// A tenth of a second of a quiet tone, mono, at the given sample rate.
void writeTone(const std::string& path, unsigned rate)
{
    writeFile(path, ""); // creates the folders
    sf::OutputSoundFile out;
    ASSERT_TRUE(out.openFromFile(path, rate, 1)) << path;
    std::vector<sf::Int16> samples(rate / 10);
    for (size_t k = 0; k < samples.size(); ++k)
        samples[k] = static_cast<sf::Int16>((k % 50) * 100);
    out.write(samples.data(), samples.size());
}

unsigned effectRate(int i) { return 8000 + 1000 * i; }
unsigned loopRate(int i) { return 30000 + 1000 * i; }
unsigned trackRate(int i) { return 8000 + 1000 * i; }

// Builds the scratch tree and makes it the working directory for the object's lifetime.
struct ScratchSoundTree {
    ScratchSoundTree()
    {
        for (int i = 0; i < 16; ++i)
            writeTone(dir.file(std::string("2D/Sound/") + EFFECTS[i].name + ".wav"), effectRate(i));
        for (int i = 0; i < 2; ++i)
            writeTone(dir.file(std::string("2D/Sound/") + LOOPS[i] + ".wav"), loopRate(i));
        for (int i = 0; i < 13; ++i)
            writeTone(dir.file(std::string("2D/Music/") + TRACKS[i].name + ".ogg"), trackRate(i));
        inTree = std::make_unique<InDirectory>(dir.path);
    }
    TempDir dir;
    std::unique_ptr<InDirectory> inTree;
};

} // namespace

TEST(SoundTable, EffectsLoopsAndTracksLoadUnderTheirNamesWithTheirVolumesAndLoops)
{
    soundManager(); // one loaded from the game's tree already: the reload replaces it
    ScratchSoundTree tree;
    SoundManager& sounds = reloadSoundManager();
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(EFFECTS[i].name);
        EXPECT_EQ(sounds.buffers[i].getSampleRate(), effectRate(i));
        const int voice = sounds.nextVoice;
        sounds.playSound(i);
        EXPECT_EQ(sounds.voices[voice].getBuffer(), &sounds.buffers[i]);
        EXPECT_FLOAT_EQ(sounds.voices[voice].getVolume(), EFFECTS[i].volume);
    }
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(LOOPS[i]);
        EXPECT_EQ(sounds.loop(LoopedEffect(i)).getSampleRate(), loopRate(i));
        EXPECT_TRUE(sounds.loop(LoopedEffect(i)).getLoop());
        sounds.playLoop(LoopedEffect(i));
        EXPECT_FLOAT_EQ(sounds.loop(LoopedEffect(i)).getVolume(), 25.f);
        sounds.stopLoop(LoopedEffect(i));
    }
    for (int i = 0; i < 13; ++i) {
        SCOPED_TRACE(TRACKS[i].name);
        EXPECT_EQ(sounds.track(MusicTrack(i)).getSampleRate(), trackRate(i));
        EXPECT_EQ(sounds.track(MusicTrack(i)).getLoop(), TRACKS[i].looped);
        sounds.playTrack(MusicTrack(i)); // at its level of the mix (the levels: GameMixTests)
        EXPECT_FLOAT_EQ(sounds.track(MusicTrack(i)).getVolume(), trackVolume(MusicTrack(i)));
        sounds.stopTrack(MusicTrack(i));
    }
    releaseSoundManager(); // later tests load the game's own sounds
}
