#include "app/SoundManager.h"

#include "platform/AssetPath.h"

#include <string>

const std::array<SoundEffectInfo, SOUND_EFFECT_COUNT> SOUND_EFFECTS = {{
    {"Shoot", 8.f},
    {"TouchEnemy", 8.f},
    {"LaserShot", 8.f},
    {"Death", 30.f},
    {"ExplosionSmall", 15.f},
    {"ExplosionMedium", 40.f},
    {"ExplosionBig", 30.f},
    {"BonusP", 8.f},
    {"BonusGold", 8.f},
    {"MaxLaser", 8.f},
    {"ExtraLife", 8.f},
    {"MenuSelect", 8.f},
    {"MenuValid", 8.f},
    {"MenuCancel", 8.f},
    {"NextPage", 8.f},
    {"MenuStart", 8.f},
}};

const std::array<const char*, LOOPED_EFFECT_COUNT> LOOPED_EFFECT_NAMES = {{"ChargeLaser", "LaserActive"}};

const std::array<MusicTrackInfo, MUSIC_TRACK_COUNT> MUSIC_TRACKS = {{
    {"01_Opening", false},
    {"02_Menu", true},
    {"03a_Stage01_Intro", false},
    {"03b_Stage01", true},
    {"04a_Boss_Intro", false},
    {"04b_Boss", true},
    {"05_Stage02", true},
    {"06_Stage03", true},
    {"07a_Stage04_Intro", false},
    {"07b_Stage04", true},
    {"08_StaffRoll", false},
    {"09_Results", false},
    {"10_GameOver", false},
}};

SoundManager::SoundManager()
{
    voiceEffect.fill(-1);
    for (int i = 0; i < SOUND_EFFECT_COUNT; ++i)
        effectLoaded[i] = buffers[i].loadFromFile(resolveAssetPath(std::string("2D/Sound/") + SOUND_EFFECTS[i].name + ".wav"));
    for (int i = 0; i < LOOPED_EFFECT_COUNT; ++i) {
        loopedLoaded[i] = loopedEffects[i].openFromFile(resolveAssetPath(std::string("2D/Sound/") + LOOPED_EFFECT_NAMES[i] + ".wav"));
        loopedEffects[i].setLoop(true);
    }
    for (int i = 0; i < MUSIC_TRACK_COUNT; ++i) {
        trackLoaded[i] = tracks[i].openFromFile(resolveAssetPath(std::string("2D/Music/") + MUSIC_TRACKS[i].name + ".ogg"));
        tracks[i].setLoop(MUSIC_TRACKS[i].looped);
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
    for (sf::Music& loop : loopedEffects)
        loop.stop();
    for (sf::Music& track : tracks)
        track.stop();
}
