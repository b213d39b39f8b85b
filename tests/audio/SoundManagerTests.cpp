#include "audio/SoundManager.h"
#include "gameplay/MusicUpkeep.h"
#include "platform/AudioSources.h"
#include "app/Startup.h"
#include "support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <thread>

using namespace testing_support;

namespace {

bool anythingPlays(const SoundManager& sm)
{
    for (const sf::Sound& v : sm.voices)
        if (v.getStatus() == sf::Sound::Playing)
            return true;
    for (int i = 0; i < LOOPED_EFFECT_COUNT; ++i)
        if (sm.loop(LoopedEffect(i)).getStatus() == sf::Music::Playing)
            return true;
    for (int i = 0; i < MUSIC_TRACK_COUNT; ++i)
        if (sm.track(MusicTrack(i)).getStatus() == sf::Music::Playing)
            return true;
    return false;
}

std::string sourceSoundPath(const char* name) { return std::string("2D/Sound/") + name + ".wav"; }

// The game's one manager loaded afresh from the current tree, freed again when the test ends
// so that later tests load it from the game's tree.
struct FreshSoundManager {
    SoundManager& sm = reloadSoundManager();
    ~FreshSoundManager() { releaseSoundManager(); }
};

} // namespace

TEST(SoundManagerVoices, TheVoicePoolIsAStrictRingThatEffectsOutsideTheTableLeaveAlone)
{
    FreshSoundManager fresh;
    SoundManager& sm = fresh.sm;
    for (int bad : {-1, static_cast<int>(SOUND_EFFECT_COUNT), 1000, -2147483647})
        sm.playSound(bad);
    EXPECT_EQ(sm.nextVoice, 0);
    EXPECT_EQ(sm.voices[0].getStatus(), sf::Sound::Stopped);

    for (int k = 0; k < SoundManager::VOICE_COUNT; ++k)
        sm.playSound(k % SOUND_EFFECT_COUNT);
    EXPECT_EQ(sm.nextVoice, 0);
    EXPECT_EQ(sm.voiceEffect[0], 0);

    // The 121st effect restarts voice 0, even though it may still be sounding; no other voice changes.
    sm.playSound(SFX_MENU_START);
    EXPECT_EQ(sm.nextVoice, 1);
    EXPECT_EQ(sm.voiceEffect[0], SFX_MENU_START);
    EXPECT_EQ(sm.voices[0].getBuffer(), &sm.buffers[SFX_MENU_START]);
    EXPECT_EQ(sm.voices[0].getStatus(), sf::Sound::Playing);
    EXPECT_EQ(sm.voiceEffect[1], 1);
}

TEST(SoundManagerStop, StopAllSilencesEverythingAndTracksRestartFromTheirBeginning)
{
    FreshSoundManager fresh;
    SoundManager& sm = fresh.sm;
    for (int k = 0; k < 10; ++k)
        sm.playSound(k);
    sm.playLoop(LOOP_CHARGE_LASER);
    sm.playLoop(LOOP_LASER_ACTIVE);
    sm.playTrack(MUSIC_STAGE01);
    sm.playTrack(MUSIC_MENU);
    const_cast<sf::Music&>(sm.track(MUSIC_MENU)).setPlayingOffset(sf::seconds(10.f)); // no seeking in the game
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(anythingPlays(sm));

    sm.stopAll();
    EXPECT_FALSE(anythingPlays(sm));

    // A track played again after a fade-out began is heard whole; one stopped mid-fade starts afresh.
    SoundManagerDeck deck(sm);
    MusicUpkeep music;
    music.startFadeOut(deck, MUSIC_MENU, 2.f);
    sm.playTrack(MUSIC_MENU);
    EXPECT_FALSE(sm.fading(MUSIC_MENU));
    EXPECT_EQ(sm.track(MUSIC_MENU).getStatus(), sf::Music::Playing);
    EXPECT_LT(sm.track(MUSIC_MENU).getPlayingOffset().asSeconds(), 1.f);
    music.startFadeOut(deck, MUSIC_MENU, 2.f);
    sm.stopTrack(MUSIC_MENU);
    EXPECT_FALSE(sm.fading(MUSIC_MENU));
    sm.stopAll();
}

TEST(SoundManagerMissingFiles, MissingAndDamagedFilesGiveSilenceThatNeverCrashes)
{
    TempDir dir;
    // Garbage where some sounds should be, the rest missing.
    writeFile(dir.file(sourceSoundPath("Shoot")), "RIFF\x10\x00\x00\x00WAVEjunkjunkjunk");
    writeFile(dir.file(sourceSoundPath("ChargeLaser")), std::string(300, '\x7f'));
    writeFile(dir.file("2D/Music/02_Menu.ogg"), "OggS but not really an ogg stream");
    // Real files cut short.
    std::string death = readFile(sourceSoundPath("Death"));
    writeFile(dir.file(sourceSoundPath("Death")), death.substr(0, death.size() / 3));
    std::string stage = readFile("2D/Music/03b_Stage01.ogg");
    writeFile(dir.file("2D/Music/03b_Stage01.ogg"), stage.substr(0, stage.size() / 10));

    InDirectory inDir(dir.path);
    FreshSoundManager fresh;
    SoundManager& sm = fresh.sm;
    // Only the files cut short may still load what they hold.
    for (int i = 0; i < SOUND_EFFECT_COUNT; ++i)
        EXPECT_TRUE(i == SFX_DEATH || !sm.effectLoaded[i]) << SOUND_EFFECTS[i].name;
    for (int i = 0; i < LOOPED_EFFECT_COUNT; ++i)
        EXPECT_FALSE(sm.loopLoaded(LoopedEffect(i)));
    for (int i = 0; i < MUSIC_TRACK_COUNT; ++i)
        EXPECT_TRUE(i == MUSIC_STAGE01 || !sm.trackLoaded(MusicTrack(i))) << MUSIC_TRACKS[i].name;

    for (int k = 0; k < SOUND_EFFECT_COUNT; ++k)
        sm.playSound(k);
    for (int i = 0; i < LOOPED_EFFECT_COUNT; ++i)
        sm.playLoop(LoopedEffect(i));
    for (int i = 0; i < MUSIC_TRACK_COUNT; ++i) {
        sm.playTrack(MusicTrack(i));
        if (i != MUSIC_STAGE01) {
            EXPECT_NE(sm.track(MusicTrack(i)).getStatus(), sf::Music::Playing);
            EXPECT_EQ(sm.track(MusicTrack(i)).getPlayingOffset(), sf::Time::Zero);
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    sm.stopAll();
    EXPECT_FALSE(anythingPlays(sm));
}

// The game may end (window closed, quit key) with music still streaming. The audio library
// must not find its device still open when it unloads: a stream thread left running then
// races its teardown and the process aborts now and then. With no sound card at all, every
// source's release reports an error on the way out, and the error stream must still be there
// to take it (it was torn down first: a corrupted heap).
TEST(SoundManagerExit, EndingTheProcessWhileMusicPlaysClosesTheAudioDeviceFirst)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const char* driver : {"null", "alsa"}) // alsa: no device on a machine without a sound card
        EXPECT_EXIT(
            {
                setenv("ALSOFT_DRIVERS", driver, 1);
                soundManager().playTrack(MUSIC_MENU);
                std::exit(0);
            },
            ::testing::ExitedWithCode(0), ::testing::Not(::testing::HasSubstr("device not closed")))
            << driver;
}

// A device with fewer sources than the manager wants (another program's share, a small
// device): the streams left without one stay silent. Started without a source, a stream's
// thread retried the device without pause, flooding the error stream from several threads at
// once (a corrupted heap, a hang at exit).
TEST(SoundManagerSources, StreamsTheDeviceHasNoSourceForStaySilent)
{
    std::deque<sf::Sound> heldSources(1); // keeps the device open while the manager is gone
    releaseSoundManager();
    while (audioSourceAvailable())
        heldSources.emplace_back();
    if (heldSources.size() < 3)
        GTEST_SKIP() << "no audio device with sources to share";
    heldSources.pop_back();
    heldSources.pop_back(); // two sources left: the first two voices get them
    struct Restore {
        std::deque<sf::Sound>& held;
        ~Restore()
        {
            releaseSoundManager();
            held.clear();
        }
    } restore{heldSources};

    SoundManager& sm = soundManager();
    sm.playSound(SFX_SHOOT);
    EXPECT_EQ(sm.voices[0].getStatus(), sf::Sound::Playing);
    sm.playLoop(LOOP_CHARGE_LASER);
    sm.playTrack(MUSIC_MENU);
    SoundManagerDeck deck(sm);
    deck.play(MUSIC_STAGE01);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    for (int track : {MUSIC_MENU, MUSIC_STAGE01}) {
        EXPECT_FALSE(deck.playing(track));
        EXPECT_FALSE(deck.paused(track));
        EXPECT_EQ(deck.offset(track), 0.f);
    }
    sm.stopAll();
}
