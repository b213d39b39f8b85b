#pragma once
// The enemy kinds and their fixed per-type constants.

namespace enemy_type {
enum : int {
    SHOOTER = 0,
    HEADS_OR_TAILS = 1,
    STAY_AND_DASH = 2,
    SNAIL = 3,
    BEE = 4,
    LITTLE_LADYBUG = 5,
    BIG_LADYBUG = 6,
    DRAGONFLY = 7,
    QUARTER_SHOOTER = 8,
    EXPONENTIAL = 9,
    BRUISER = 10,
    SIDE_BEE = 11,
    WALL = 12,
    TURRET = 13,
    ELECTRICAL_FENCE = 14,
    ROTATING_SPITTER_ONE = 15,
    ROTATING_SPITTER_FOUR = 16,
    CORAL = 17,
    EATER = 18,
    BIG_BULLET = 19,
    SNAIL_BULLET = 20,
    SINUSOIDAL_BULLET = 21,
    ARMY_BULLET = 22,
    RING_BULLET = 23,
};
}

// Number of enemy types; 24 and up are boss types, which the enemy factory never makes.
constexpr int ENEMY_TYPE_COUNT = 24;
using EnemyType = int;

struct EnemyTypeInfo {
    const char* sheet;   // file name below "2D/Enemy/"
    float hitPoints;
    int killScore;
    int bonusCount;
    int bulletType;      // -1: the kind never fires
    int muzzleCount;
    int frameWidth;      // the sprite's origin is the integer half of the frame size
    int frameHeight;
    float hitBoxWidth;   // the manager's hit box, centred on the enemy
    float hitBoxHeight;
};

inline bool isEnemyType(int type) { return type >= 0 && type < ENEMY_TYPE_COUNT; }
// The constants of a type; the type must satisfy isEnemyType.
const EnemyTypeInfo& enemyTypeInfo(int type);
