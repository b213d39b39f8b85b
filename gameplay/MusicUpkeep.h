#pragma once
// Music upkeep during play: the intro tracks hand over to their loops, and
// the running volume fades advance. The tracks are reached through a small
// deck interface (audio/MusicDeck.h) so the rules run the same against the
// sound manager and against a scripted deck.
#include "audio/MusicDeck.h"

#include <array>

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
