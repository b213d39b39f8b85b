#include "app/SoundManager.h"
#include "app/Startup.h"
#include "support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

using namespace testing_support;

namespace {

bool anythingPlays(const SoundManager& sm)
{
    for (const sf::Sound& v : sm.voices)
        if (v.getStatus() == sf::Sound::Playing)
            return true;
    for (const sf::Music& m : sm.loopedEffects)
        if (m.getStatus() == sf::Music::Playing)
            return true;
    for (const sf::Music& m : sm.tracks)
        if (m.getStatus() == sf::Music::Playing)
            return true;
    return false;
}

std::string sourceSoundPath(const char* name) { return std::string("2D/Sound/") + name + ".wav"; }

} // namespace

TEST(SoundManagerVoices, TheVoicePoolIsAStrictRing)
{
    SoundManager sm;
    for (int k = 0; k < SoundManager::VOICE_COUNT; ++k)
        sm.playSound(k % SOUND_EFFECT_COUNT);
    EXPECT_EQ(sm.nextVoice, 0);
    EXPECT_EQ(sm.voiceEffect[0], 0);
    EXPECT_EQ(sm.voiceEffect[119], 119 % SOUND_EFFECT_COUNT);
    EXPECT_EQ(sm.voices[119].getBuffer(), &sm.buffers[119 % SOUND_EFFECT_COUNT]);

    // The 121st effect restarts voice 0, even though it may still be sounding; no other voice changes.
    sm.playSound(SFX_MENU_START);
    EXPECT_EQ(sm.nextVoice, 1);
    EXPECT_EQ(sm.voiceEffect[0], SFX_MENU_START);
    EXPECT_EQ(sm.voices[0].getBuffer(), &sm.buffers[SFX_MENU_START]);
    EXPECT_EQ(sm.voices[0].getStatus(), sf::Sound::Playing);
    EXPECT_EQ(sm.voiceEffect[1], 1);
    EXPECT_EQ(sm.voices[1].getBuffer(), &sm.buffers[1]);
}

TEST(SoundManagerVoices, AnEffectOutsideTheTableDoesNothing)
{
    SoundManager sm;
    sm.playSound(SFX_SHOOT);
    for (int bad : {-1, static_cast<int>(SOUND_EFFECT_COUNT), 1000, -2147483647}) {
        sm.playSound(bad);
        EXPECT_EQ(sm.nextVoice, 1);
    }
    EXPECT_EQ(sm.voiceEffect[0], SFX_SHOOT);
    for (int k = 1; k < SoundManager::VOICE_COUNT; ++k) {
        EXPECT_EQ(sm.voiceEffect[k], -1);
        EXPECT_EQ(sm.voices[k].getStatus(), sf::Sound::Stopped);
    }
}

TEST(SoundManagerStop, StopAllSilencesEverythingAndTracksRestartFromTheirBeginning)
{
    SoundManager sm;
    for (int k = 0; k < 10; ++k)
        sm.playSound(k);
    sm.loopedEffects[LOOP_CHARGE_LASER].play();
    sm.loopedEffects[LOOP_LASER_ACTIVE].play();
    sm.tracks[MUSIC_STAGE01].play();
    sm.tracks[MUSIC_MENU].play();
    sm.tracks[MUSIC_MENU].setPlayingOffset(sf::seconds(10.f));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(anythingPlays(sm));
    EXPECT_GT(sm.tracks[MUSIC_MENU].getPlayingOffset().asSeconds(), 9.f);

    sm.stopAll();
    EXPECT_FALSE(anythingPlays(sm));
    for (const sf::Music& m : sm.tracks)
        EXPECT_EQ(m.getStatus(), sf::Music::Stopped);

    sm.tracks[MUSIC_MENU].play();
    EXPECT_EQ(sm.tracks[MUSIC_MENU].getStatus(), sf::Music::Playing);
    EXPECT_LT(sm.tracks[MUSIC_MENU].getPlayingOffset().asSeconds(), 1.f);
    sm.stopAll();
}

TEST(SoundManagerMissingFiles, AnEmptyTreeGivesASilentManagerThatNeverCrashes)
{
    TempDir dir;
    InDirectory inDir(dir.path);
    SoundManager sm;
    for (int i = 0; i < SOUND_EFFECT_COUNT; ++i)
        EXPECT_FALSE(sm.effectLoaded[i]);
    for (int i = 0; i < LOOPED_EFFECT_COUNT; ++i)
        EXPECT_FALSE(sm.loopedLoaded[i]);
    for (int i = 0; i < MUSIC_TRACK_COUNT; ++i)
        EXPECT_FALSE(sm.trackLoaded[i]);

    for (int k = 0; k < 2 * SoundManager::VOICE_COUNT; ++k)
        sm.playSound(k % SOUND_EFFECT_COUNT);
    EXPECT_EQ(sm.nextVoice, 0);
    for (sf::Music& m : sm.loopedEffects)
        m.play();
    for (sf::Music& m : sm.tracks) {
        m.play();
        EXPECT_NE(m.getStatus(), sf::Music::Playing);
        EXPECT_EQ(m.getPlayingOffset(), sf::Time::Zero);
    }
    sm.stopAll();
    EXPECT_FALSE(anythingPlays(sm));
}

TEST(SoundManagerMissingFiles, DamagedFilesLoadAsSilenceOrPlayWithoutCrashing)
{
    TempDir dir;
    // Garbage where the sounds should be.
    writeFile(dir.file(sourceSoundPath("Shoot")), "RIFF\x10\x00\x00\x00WAVEjunkjunkjunk");
    writeFile(dir.file(sourceSoundPath("ChargeLaser")), std::string(300, '\x7f'));
    writeFile(dir.file("2D/Music/02_Menu.ogg"), "OggS but not really an ogg stream");
    // Real files cut short.
    std::string death = readFile(sourceSoundPath("Death"));
    writeFile(dir.file(sourceSoundPath("Death")), death.substr(0, death.size() / 3));
    std::string stage = readFile("2D/Music/03b_Stage01.ogg");
    writeFile(dir.file("2D/Music/03b_Stage01.ogg"), stage.substr(0, stage.size() / 10));
    writeFile(dir.file("2D/Music/05_Stage02.ogg"), stage.substr(0, 60));

    InDirectory inDir(dir.path);
    SoundManager sm;
    EXPECT_FALSE(sm.effectLoaded[SFX_SHOOT]);
    EXPECT_FALSE(sm.loopedLoaded[LOOP_CHARGE_LASER]);
    EXPECT_FALSE(sm.trackLoaded[MUSIC_MENU]);
    EXPECT_FALSE(sm.trackLoaded[MUSIC_STAGE02]);
    sm.playSound(SFX_SHOOT);
    sm.playSound(SFX_DEATH);
    sm.loopedEffects[LOOP_CHARGE_LASER].play();
    sm.tracks[MUSIC_MENU].play();
    sm.tracks[MUSIC_STAGE01].play();
    sm.tracks[MUSIC_STAGE02].play();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    sm.stopAll();
    EXPECT_FALSE(anythingPlays(sm));
}

// The game may end (window closed, quit key) with music still streaming. The audio library
// must not find its device still open when it unloads: a stream thread left running then
// races its teardown and the process aborts now and then.
TEST(SoundManagerExit, EndingTheProcessWhileMusicPlaysClosesTheAudioDeviceFirst)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            soundManager().tracks[MUSIC_MENU].play();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), ::testing::Not(::testing::HasSubstr("device not closed")));
}
