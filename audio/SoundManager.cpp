#include "audio/SoundManager.h"

#include "platform/AssetPath.h"

#include <string>

SoundManager::SoundManager()
{
    voiceEffect.fill(-1);
    for (int i = 0; i < SOUND_EFFECT_COUNT; ++i)
        effectLoaded[i] = buffers[i].loadFromFile(resolveAssetPath(std::string("2D/Sound/") + SOUND_EFFECTS[i].name + ".wav"));
    for (int i = 0; i < LOOPED_EFFECT_COUNT; ++i) {
        loopedLoaded_[i] = loopedEffects_[i].music.openFromFile(resolveAssetPath(std::string("2D/Sound/") + LOOPED_EFFECTS[i].name + ".wav"));
        loopedEffects_[i].music.setLoop(true);
    }
    for (int i = 0; i < MUSIC_TRACK_COUNT; ++i) {
        trackLoaded_[i] = tracks_[i].music.openFromFile(resolveAssetPath(std::string("2D/Music/") + MUSIC_TRACKS[i].name + ".ogg"));
        tracks_[i].music.setLoop(MUSIC_TRACKS[i].looped);
    }
}

void SoundManager::playSound(int effect)
{
    if (effect < 0 || effect >= SOUND_EFFECT_COUNT)
        return;
    sf::Sound& voice = voices[nextVoice];
    voice.setBuffer(buffers[effect]);
    voice.setVolume(SOUND_EFFECTS[effect].volume);
    voice.play();
    voiceEffect[nextVoice] = effect;
    nextVoice = (nextVoice + 1) % VOICE_COUNT;
}

void SoundManager::stopAll()
{
    for (sf::Sound& voice : voices)
        voice.stop();
    for (Stream& loop : loopedEffects_)
        loop.stop();
    for (Stream& track : tracks_)
        track.stop();
}

void SoundManager::playTrack(MusicTrack track)
{
    tracks_[track].setVolume(trackVolume(track));
    tracks_[track].play();
    fadeActive_[track] = false;
}

void SoundManager::stopTrack(MusicTrack track)
{
    tracks_[track].stop();
    fadeActive_[track] = false;
}

void SoundManager::playLoop(LoopedEffect effect)
{
    loopedEffects_[effect].setVolume(LOOPED_EFFECTS[effect].volume);
    loopedEffects_[effect].play();
}

void SoundManager::stopLoop(LoopedEffect effect) { loopedEffects_[effect].stop(); }

void SoundManager::Stream::play()
{
    if (hasSource)
        music.play();
}

void SoundManager::Stream::stop()
{
    if (hasSource)
        music.stop();
}

void SoundManager::Stream::setVolume(float volume)
{
    if (hasSource)
        music.setVolume(volume);
}

sf::SoundSource::Status SoundManager::Stream::status() const { return hasSource ? music.getStatus() : sf::SoundSource::Stopped; }

float SoundManager::Stream::secondsPlayed() const { return hasSource ? music.getPlayingOffset().asSeconds() : 0.f; }
