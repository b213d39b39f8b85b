#pragma once
// Music upkeep during play: the intro tracks hand over to their loops, and
// the running volume fades advance. The tracks are reached through a small
// deck interface so the rules run the same against the sound manager and
// against a scripted deck.
#include "audio/SoundManager.h"

#include <array>

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

class MusicUpkeep {
public:
    // An intro hands over when this little of it is left.
    static constexpr float HANDOVER_MARGIN = 0.1f;
    // Fades always take the volume from this down to 0.
    static constexpr float FADE_VOLUME = 25.f;

    struct IntroPair {
        MusicTrack intro;
        MusicTrack loop;
        float loopVolume;
    };
    static const std::array<IntroPair, 3> INTRO_PAIRS;

    // One frame: intro handovers, then the running fades.
    void update(MusicDeck& deck, float dt);

    // Starts a track from the beginning at a volume with its fade cleared. An
    // intro whose file is missing starts its loop instead.
    void startTrack(MusicDeck& deck, MusicTrack track, float volume);
    // Stops a track on purpose (an intro stopped this way never hands over).
    void stopTrack(MusicDeck& deck, MusicTrack track);
    // After every track was stopped at once: no intro is waiting to hand over.
    void forgetIntros();
    // Starts a fade-out of a track over duration seconds.
    static void startFadeOut(MusicDeck& deck, MusicTrack track, float duration);

private:
    // An intro seen playing is armed: found stopped later (it ran out during a
    // long frame or a pause), it hands over. Stopping it on purpose disarms it.
    struct IntroWatch {
        bool armed = false;
    };
    void handOver(MusicDeck& deck, const IntroPair& pair, IntroWatch& watch);

    std::array<IntroWatch, 3> watches_{};
};
