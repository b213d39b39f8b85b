#pragma once
// The music tracks as a deck: what the music upkeep asks of them and does to
// them. The sound manager's tracks are one deck; tests script their own.
#include "audio/SoundManager.h"

// One track's fade state, as the sound manager keeps it.
struct TrackFade {
    bool& active;
    bool& out;
    float& duration;
    float& elapsed;
};

class MusicDeck {
public:
    virtual ~MusicDeck() = default;
    virtual bool loaded(int track) const = 0;
    virtual bool playing(int track) const = 0;
    virtual bool paused(int track) const = 0;
    virtual float offset(int track) const = 0;   // seconds played
    virtual float duration(int track) const = 0; // seconds, 0 when unknown
    virtual void play(int track) = 0;
    virtual void stop(int track) = 0;
    virtual void setVolume(int track, float volume) = 0;
    virtual TrackFade fade(int track) = 0;
};

// The sound manager's tracks as a deck.
class SoundManagerDeck : public MusicDeck {
public:
    explicit SoundManagerDeck(SoundManager& sounds) : sounds_(sounds) {}
    bool loaded(int track) const override;
    bool playing(int track) const override;
    bool paused(int track) const override;
    float offset(int track) const override;
    float duration(int track) const override;
    void play(int track) override;
    void stop(int track) override;
    void setVolume(int track, float volume) override;
    TrackFade fade(int track) override;

private:
    SoundManager& sounds_;
};
