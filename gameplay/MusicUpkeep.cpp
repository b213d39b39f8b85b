#include "gameplay/MusicUpkeep.h"


const std::array<MusicUpkeep::IntroPair, 3> MusicUpkeep::INTRO_PAIRS = {{
    {MUSIC_STAGE01_INTRO, MUSIC_STAGE01, trackVolume(MUSIC_STAGE01)},
    {MUSIC_BOSS_INTRO, MUSIC_BOSS, trackVolume(MUSIC_BOSS)},
    {MUSIC_STAGE04_INTRO, MUSIC_STAGE04, trackVolume(MUSIC_STAGE04)},
}};

void MusicUpkeep::update(MusicDeck& deck, float dt)
{
    for (size_t i = 0; i < INTRO_PAIRS.size(); ++i) {
        const IntroPair& pair = INTRO_PAIRS[i];
        IntroWatch& watch = watches_[i];
        const float length = deck.loaded(pair.intro) ? deck.duration(pair.intro) : 0.f;
        if (!(length > 0.f)) {
            // Nothing to hand over from: the loop was started in its place.
            watch.armed = false;
            continue;
        }
        if (deck.playing(pair.intro)) {
            watch.armed = true;
            if (length - deck.offset(pair.intro) <= HANDOVER_MARGIN)
                handOver(deck, pair, watch);
        } else if (watch.armed && !deck.paused(pair.intro)) {
            // It ran out since the upkeep last saw it: between two frames, or
            // while the game was paused. Every stop on purpose disarms the watch.
            handOver(deck, pair, watch);
        }
    }

    for (int track = 0; track < MUSIC_TRACK_COUNT; ++track) {
        TrackFade f = deck.fade(track);
        if (!f.active)
            continue;
        f.elapsed += dt;
        // A fade without a positive duration ends at once.
        float v = f.duration > 0.f ? f.elapsed * FADE_VOLUME / f.duration : FADE_VOLUME * 2.f;
        if (!(v <= FADE_VOLUME)) { // also ends a fade whose numbers went bad
            v = FADE_VOLUME;
            f.active = false;
        }
        deck.setVolume(track, FADE_VOLUME - v);
    }
}

void MusicUpkeep::handOver(MusicDeck& deck, const IntroPair& pair, IntroWatch& watch)
{
    deck.stop(pair.intro);
    deck.fade(pair.intro).active = false;
    deck.setVolume(pair.loop, pair.loopVolume);
    deck.stop(pair.loop); // plays from the start
    deck.play(pair.loop);
    deck.fade(pair.loop).active = false;
    watch.armed = false;
}

void MusicUpkeep::startTrack(MusicDeck& deck, MusicTrack track, float volume)
{
    for (size_t i = 0; i < INTRO_PAIRS.size(); ++i) {
        const IntroPair& pair = INTRO_PAIRS[i];
        if (pair.intro == track && !(deck.loaded(track) && deck.duration(track) > 0.f)) {
            deck.fade(track).active = false;
            deck.setVolume(pair.loop, pair.loopVolume);
            deck.stop(pair.loop);
            deck.play(pair.loop);
            deck.fade(pair.loop).active = false;
            return;
        }
        if (pair.intro == track)
            watches_[i].armed = false; // armed again once seen playing
    }
    deck.fade(track).active = false;
    deck.setVolume(track, volume);
    deck.stop(track);
    deck.play(track);
}

void MusicUpkeep::stopTrack(MusicDeck& deck, MusicTrack track)
{
    for (size_t i = 0; i < INTRO_PAIRS.size(); ++i)
        if (INTRO_PAIRS[i].intro == track)
            watches_[i].armed = false;
    deck.stop(track);
    deck.fade(track).active = false;
}

void MusicUpkeep::forgetIntros()
{
    for (IntroWatch& w : watches_)
        w.armed = false;
}

void MusicUpkeep::startFadeOut(MusicDeck& deck, MusicTrack track, float duration)
{
    TrackFade f = deck.fade(track);
    f.duration = duration;
    f.elapsed = 0.f;
    f.active = true;
    f.out = true;
}
