#pragma once
// The spawn descriptor handed by value to the enemy factory and the enemy constructors.
#include <SFML/System/Vector2.hpp>
#include <cstdint>
#include <vector>

struct EnemyData {
    int hp = 1;              // replaced by the type's hit points in the factory
    sf::Vector2f start;      // spawn position
    int type = 0;            // EnemyType
    sf::Vector2f target;     // target point; the straight bullets keep their speed in x
    int angle = 0;           // degrees, or a kind-specific code
    std::uint8_t flag = 0;   // 1 for a single-enemy pattern, 0 for a formation member
    float lag = 0.f;         // pattern time already elapsed past the enemy's due moment
    std::vector<sf::Vector2f> players; // positions of the players in play
};
