#pragma once
#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <array>

enum SoundEffect : int {
    SFX_SHOOT = 0,
    SFX_TOUCH_ENEMY,
    SFX_LASER_SHOT,
    SFX_DEATH,
    SFX_EXPLOSION_SMALL,
    SFX_EXPLOSION_MEDIUM,
    SFX_EXPLOSION_BIG,
    SFX_BONUS_P,
    SFX_BONUS_GOLD,
    SFX_MAX_LASER,
    SFX_EXTRA_LIFE,
    SFX_MENU_SELECT,
    SFX_MENU_VALID,
    SFX_MENU_CANCEL,
    SFX_NEXT_PAGE,
    SFX_MENU_START,
    SOUND_EFFECT_COUNT
};

enum LoopedEffect : int { LOOP_CHARGE_LASER = 0, LOOP_LASER_ACTIVE, LOOPED_EFFECT_COUNT };

enum MusicTrack : int {
    MUSIC_OPENING = 0,
    MUSIC_MENU,
    MUSIC_STAGE01_INTRO,
    MUSIC_STAGE01,
    MUSIC_BOSS_INTRO,
    MUSIC_BOSS,
    MUSIC_STAGE02,
    MUSIC_STAGE03,
    MUSIC_STAGE04_INTRO,
    MUSIC_STAGE04,
    MUSIC_STAFF_ROLL,
    MUSIC_RESULTS,
    MUSIC_GAME_OVER,
    MUSIC_TRACK_COUNT
};

struct SoundEffectInfo {
    const char* name;
    float volume;
};
struct MusicTrackInfo {
    const char* name;
    bool looped;
};

extern const std::array<SoundEffectInfo, SOUND_EFFECT_COUNT> SOUND_EFFECTS;
extern const std::array<const char*, LOOPED_EFFECT_COUNT> LOOPED_EFFECT_NAMES;
extern const std::array<MusicTrackInfo, MUSIC_TRACK_COUNT> MUSIC_TRACKS;

// Every sound of the game, loaded once at start-up. Effects play on a ring of
// voices; the laser loops and the music tracks are streams that callers drive.
class SoundManager {
public:
    static constexpr int VOICE_COUNT = 120;

    SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    // Plays the effect on the next voice of the ring (an index outside the table does nothing).
    void playSound(int effect);
    // Silences every voice, looped effect and track.
    void stopAll();

    std::array<sf::Music, LOOPED_EFFECT_COUNT> loopedEffects;
    std::array<sf::Music, MUSIC_TRACK_COUNT> tracks;
    std::array<sf::Sound, VOICE_COUNT> voices;
    std::array<int, VOICE_COUNT> voiceEffect{};
    std::array<sf::SoundBuffer, SOUND_EFFECT_COUNT> buffers;
    int nextVoice = 0;

    // Music fades, driven by the gameplay state.
    std::array<bool, MUSIC_TRACK_COUNT> fadeActive{};
    std::array<bool, MUSIC_TRACK_COUNT> fadeOut{};
    std::array<float, MUSIC_TRACK_COUNT> fadeDuration{};
    std::array<float, MUSIC_TRACK_COUNT> fadeElapsed{};

    std::array<bool, SOUND_EFFECT_COUNT> effectLoaded{};
    std::array<bool, MUSIC_TRACK_COUNT> trackLoaded{};
    std::array<bool, LOOPED_EFFECT_COUNT> loopedLoaded{};
};
