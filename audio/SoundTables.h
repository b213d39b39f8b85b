#pragma once
// The game's sounds by index: file names, loop flags and the volume (SFML's
// 0..100) each one is played at. Plain data with no audio library, so the
// asset generator and the mix tool read the very numbers the game uses.
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
struct LoopedEffectInfo {
    const char* name;
    float volume;
};
struct MusicTrackInfo {
    const char* name;
    bool looped;
    float volume;
};

inline constexpr std::array<SoundEffectInfo, SOUND_EFFECT_COUNT> SOUND_EFFECTS = {{
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

inline constexpr std::array<LoopedEffectInfo, LOOPED_EFFECT_COUNT> LOOPED_EFFECTS = {{
    {"ChargeLaser", 25.f},
    {"LaserActive", 25.f},
}};

// Stages 2 to 4 play louder than the rest.
inline constexpr std::array<MusicTrackInfo, MUSIC_TRACK_COUNT> MUSIC_TRACKS = {{
    {"01_Opening", false, 25.f},
    {"02_Menu", true, 25.f},
    {"03a_Stage01_Intro", false, 25.f},
    {"03b_Stage01", true, 25.f},
    {"04a_Boss_Intro", false, 25.f},
    {"04b_Boss", true, 25.f},
    {"05_Stage02", true, 55.f},
    {"06_Stage03", true, 55.f},
    {"07a_Stage04_Intro", false, 55.f},
    {"07b_Stage04", true, 55.f},
    {"08_StaffRoll", false, 25.f},
    {"09_Results", false, 25.f},
    {"10_GameOver", false, 25.f},
}};

// The volume a track is always started at.
constexpr float trackVolume(MusicTrack track) { return MUSIC_TRACKS[track].volume; }
