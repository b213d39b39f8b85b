#pragma once
#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <array>

#include "audio/SoundTables.h"
#include "platform/AudioSources.h"

// Every sound of the game, loaded once at start-up. Effects play on a ring of
// voices; the laser loops and the music tracks are streams that callers drive.
// One manager at a time (see SoundManagerInstance.h): the device's sources are
// few, and a second manager's streams would find none left.
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

    // Plays a track at its volume with its fade cleared (a playing track restarts).
    void playTrack(MusicTrack track);
    // Stops a track and clears its fade.
    void stopTrack(MusicTrack track);
    // Plays a looped effect at its volume.
    void playLoop(LoopedEffect effect);
    void stopLoop(LoopedEffect effect);

    const sf::Music& track(MusicTrack track) const { return tracks_[track].music; }
    const sf::Music& loop(LoopedEffect effect) const { return loopedEffects_[effect].music; }
    bool trackLoaded(MusicTrack track) const { return trackLoaded_[track]; }
    bool loopLoaded(LoopedEffect effect) const { return loopedLoaded_[effect]; }
    bool fading(MusicTrack track) const { return fadeActive_[track]; }

    std::array<sf::Sound, VOICE_COUNT> voices;
    std::array<int, VOICE_COUNT> voiceEffect{};
    std::array<sf::SoundBuffer, SOUND_EFFECT_COUNT> buffers;
    int nextVoice = 0;
    std::array<bool, SOUND_EFFECT_COUNT> effectLoaded{};

private:
    // The music upkeep drives the tracks and their fades through its deck.
    friend class SoundManagerDeck;

    // A looped effect or a track. A stream the device gave no source stays silent: started
    // without one, its thread would retry the device for as long as it is meant to play.
    struct Stream {
        bool hasSource = audioSourceAvailable(); // asked right before `music` takes its source
        sf::Music music;

        void play();
        void stop();
        void setVolume(float volume);
        sf::SoundSource::Status status() const;
        float secondsPlayed() const;
    };

    // Declared after the voices, which open the device.
    std::array<Stream, LOOPED_EFFECT_COUNT> loopedEffects_;
    std::array<Stream, MUSIC_TRACK_COUNT> tracks_;

    // Music fades, driven by the gameplay state.
    std::array<bool, MUSIC_TRACK_COUNT> fadeActive_{};
    std::array<bool, MUSIC_TRACK_COUNT> fadeOut_{};
    std::array<float, MUSIC_TRACK_COUNT> fadeDuration_{};
    std::array<float, MUSIC_TRACK_COUNT> fadeElapsed_{};

    std::array<bool, MUSIC_TRACK_COUNT> trackLoaded_{};
    std::array<bool, LOOPED_EFFECT_COUNT> loopedLoaded_{};
};
