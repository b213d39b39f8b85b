#include "enemies/EnemyTypes.h"

namespace {

const EnemyTypeInfo TYPE_TABLE[ENEMY_TYPE_COUNT] = {
    // sheet                          hp      score  bonus bullet muzzles frame      hit box
    {"Beetle_SpriteSheet.png",        8.f,    1500,  4,    7,     1,      99, 82,    64.f, 64.f},
    {"ButterFly_SpriteSheet.png",     12.f,   1000,  6,    9,     1,      100, 100,  54.f, 54.f},
    {"GrassHopper_SpriteSheet.png",   8.f,    2000,  6,    -1,    0,      124, 85,   54.f, 54.f},
    {"Centipede5.png",                2.f,    750,   1,    -1,    0,      100, 100,  30.f, 30.f},
    {"Bee_SpriteSheet.png",           18.f,   5000,  8,    1,     1,      106, 150,  50.f, 50.f},
    {"Mini_LadyBug_SpriteSheet.png",  1.f,    500,   1,    -1,    0,      75, 71,    40.f, 40.f},
    {"Maxi_Ladybug_SpriteSheet.png",  80.f,   10000, 20,   2,     1,      240, 238,  140.f, 140.f},
    {"DragonFly_SpriteSheet.png",     16.f,   7000,  8,    5,     4,      114, 175,  80.f, 80.f},
    {"Beetle_SpriteSheet.png",        5.f,    2500,  4,    4,     1,      99, 82,    56.f, 56.f},
    {"Mini_LadyBug_SpriteSheet.png",  1.f,    500,   1,    -1,    0,      75, 71,    40.f, 40.f},
    {"Bruiser.png",                   44.f,   15000, 30,   -1,    0,      302, 300,  230.f, 230.f},
    {"SideBee_SpriteSheet.png",       10.f,   1250,  5,    12,    1,      106, 150,  50.f, 50.f},
    {"Wall.png",                      18.f,   0,     0,    -1,    0,      30, 30,    30.f, 30.f},
    {"Turret_Base.png",               10.f,   4000,  4,    8,     1,      60, 60,    48.f, 48.f},
    {"laserTurret.png",               10000.f, 0,    0,    -1,    0,      60, 90,    50.f, 50.f},
    {"Rotating1.png",                 40.f,   0,     8,    11,    1,      90, 90,    70.f, 70.f},
    {"Rotating4.png",                 40.f,   0,     8,    11,    1,      90, 90,    70.f, 70.f},
    {"Coral.png",                     10.f,   0,     25,   7,     1,      277, 179,  80.f, 80.f},
    {"Eater.png",                     16.f,   0,     30,   -1,    0,      160, 159,  90.f, 90.f},
    {"Gigaball.png",                  1.f,    0,     0,    -1,    0,      144, 144,  120.f, 120.f},
    {"Greenball.png",                 1.f,    0,     0,    -1,    0,      30, 30,    20.f, 20.f},
    {"Radiant.png",                   1.f,    0,     0,    -1,    0,      90, 90,    80.f, 80.f},
    {"Greenball.png",                 1.f,    0,     0,    -1,    0,      30, 30,    25.f, 25.f},
    {"Greenball.png",                 1.f,    0,     0,    -1,    0,      30, 30,    25.f, 25.f},
};

} // namespace

const EnemyTypeInfo& enemyTypeInfo(int type) { return TYPE_TABLE[type]; }
