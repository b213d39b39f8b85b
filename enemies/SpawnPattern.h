#pragma once
// Running spawn patterns: a due spawner record releases its enemies one by one at its
// delay, or all at once, in the formation its pattern id names.
#include "enemies/EnemyData.h"

#include <SFML/System/Vector2.hpp>
#include <functional>
#include <list>
#include <vector>

class EnemyManager;

namespace pattern_id {
enum : int {
    SHOOTER = 0,
    HEAD_OR_TAILS = 1,
    STAY_AND_DASH = 2,
    SNAIL = 3,
    CIRCLE = 4,
    SHOOTER_ARMY = 5,
    BEE = 6,
    LITTLE_LADYBUG = 7,
    BIG_LADYBUG = 8,
    DRAGONFLY = 9,
    QUARTER_SHOOTER = 10,
    EXPONENTIAL = 11,
    EXPONENTIAL_WAVE = 12,
    BRUISER = 13,
    SIDE_BEE = 14,
    WALL = 15,
    FINISH = 16,
    TURRET = 17,
    ELECTRICAL_FENCE = 18,
    ROTATING_SPITTER_ONE = 19,
    ROTATING_SPITTER_FOUR = 20,
    CORAL = 21,
    EATER = 22,
    BULLET_NORMAL = 23,
    BULLET_CIRCLE = 24,
    BULLET_ARMY = 25,
    SNAIL_BULLET = 26,
    SINUSOIDAL_BULLET = 27,
};
}
using PatternId = int;
constexpr int PATTERN_ID_COUNT = 28;

// The name the level editor shows for a pattern ("Shooter", ...), or nullptr outside 0..27.
const char* patternName(int pattern);
// The enemy type a pattern makes, or -1 for "Finish" and ids outside 0..27.
int patternEnemyType(int pattern);

struct SpawnPattern {
    float elapsed = 0.f;  // seconds accumulated toward the next enemy
    float interval = 0.f; // seconds between two enemies
    int count = 0;        // enemies still to make
    int pattern = 0;      // PatternId
    sf::Vector2f point;   // spawn point, or centre of a ring or arc
    float angle = 0.f;    // degrees, y down
    int direction = 0;    // ScrollDirection of the sequence at release
    int spawned = 0;      // enemies made so far by the ring and arc kinds
};

using EnemySpawnFn = std::function<void(const EnemyData&)>;

// Advances every running pattern by dt, hands each enemy due to `spawn`, removes the
// patterns that have nothing left to make (and those with an unknown id) and returns
// true when a "Finish" pattern was processed.
bool updateSpawnPatterns(std::list<SpawnPattern>& running, float dt, const EnemySpawnFn& spawn,
                         const std::vector<sf::Vector2f>& players);
// The same, spawning through the enemy manager's factory.
bool updateSpawnPatterns(std::list<SpawnPattern>& running, float dt, EnemyManager& manager,
                         std::vector<sf::Vector2f> players);
