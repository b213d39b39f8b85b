#pragma once
#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <array>

#include "app/SoundTables.h"

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
