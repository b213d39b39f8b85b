#include "audio/MusicDeck.h"

bool SoundManagerDeck::loaded(int track) const { return sounds_.trackLoaded_[track]; }
bool SoundManagerDeck::playing(int track) const { return sounds_.tracks_[track].status() == sf::SoundSource::Playing; }
bool SoundManagerDeck::paused(int track) const { return sounds_.tracks_[track].status() == sf::SoundSource::Paused; }
float SoundManagerDeck::offset(int track) const { return sounds_.tracks_[track].secondsPlayed(); }
float SoundManagerDeck::duration(int track) const { return sounds_.tracks_[track].music.getDuration().asSeconds(); }
void SoundManagerDeck::play(int track) { sounds_.tracks_[track].play(); }
void SoundManagerDeck::stop(int track) { sounds_.tracks_[track].stop(); }
void SoundManagerDeck::setVolume(int track, float volume) { sounds_.tracks_[track].setVolume(volume); }
TrackFade SoundManagerDeck::fade(int track)
{
    return {sounds_.fadeActive_[track], sounds_.fadeOut_[track], sounds_.fadeDuration_[track], sounds_.fadeElapsed_[track]};
}
