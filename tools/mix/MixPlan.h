#pragma once
// The mix as the player should hear it: every piece of music at one loudness,
// and each effect placed against it. Loudness in the game is the file's
// loudness plus the gain of the volume the game plays it at, so each file is
// mastered to (its place in the mix) minus (its volume's gain).
#include "audio/SoundTables.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace mix {

// Integrated loudness of every piece of music as heard in the game (LUFS).
constexpr double MUSIC_IN_GAME_LUFS = -30.0;

// What an effect is for, which decides its place in the mix.
enum class Role { Shot, Hit, Pickup, Explosion, Menu };

struct EffectPlan {
    Role role;
    double overMusic; // loudest 400 ms in the game, in LU above the music
};

inline constexpr std::array<EffectPlan, SOUND_EFFECT_COUNT> EFFECT_PLAN = {{
    {Role::Shot, -5.0},      // Shoot: held fire lands just above the music
    {Role::Hit, -2.5},       // TouchEnemy
    {Role::Hit, -1.0},       // LaserShot
    {Role::Explosion, 3.5},  // Death
    {Role::Explosion, -2.0}, // ExplosionSmall
    {Role::Explosion, 1.0},  // ExplosionMedium
    {Role::Explosion, 4.0},  // ExplosionBig
    {Role::Pickup, 0.0},     // BonusP
    {Role::Pickup, 0.0},     // BonusGold
    {Role::Pickup, 1.0},     // MaxLaser
    {Role::Pickup, 1.0},     // ExtraLife
    {Role::Menu, 0.0},       // MenuSelect
    {Role::Menu, 0.0},       // MenuValid
    {Role::Menu, 0.0},       // MenuCancel
    {Role::Menu, 0.0},       // NextPage
    {Role::Menu, 2.0},       // MenuStart
}};

// The laser loops play on under the music while the laser charges or fires
// (integrated loudness, LU above the music).
inline constexpr std::array<double, LOOPED_EFFECT_COUNT> LOOP_OVER_MUSIC = {{-4.0, -2.0}};

// Gain of an SFML volume (0..100) in dB.
inline double volumeGain(float volume) { return 20.0 * std::log10(std::max(volume, 1e-3f) / 100.0); }

inline const char* roleName(Role role)
{
    switch (role) {
    case Role::Shot: return "shot";
    case Role::Hit: return "hit";
    case Role::Pickup: return "pickup";
    case Role::Explosion: return "explosion";
    case Role::Menu: return "menu";
    }
    return "?";
}

} // namespace mix
