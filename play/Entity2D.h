#pragma once
// The base of every 2D actor with hit points, a heading and muzzles (player
// ships, enemies, bosses and boss parts), the muzzle record, and two small
// helpers shared by the play layer.
#include "play/Animation.h"
#include "play/PlayerScore.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Vector2.hpp>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// One muzzle: where a bullet leaves and, for BulletManager::spawn, its direction.
struct ShootPoint {
    float x = 0.f;
    float y = 0.f;
    uint8_t active = 0;
    float angle = 0.f; // degrees
};

class Entity2D {
public:
    Entity2D() = default;
    virtual ~Entity2D() = default;

    // Places the muzzles around the actor; the base does nothing.
    virtual void updateShootPoints();

    // Gives the actor n muzzles (all inactive at (0, 0)) and keeps shootPointCount in step.
    void setShootPointCount(int n);

    float health = 0.f;
    float angle = 0.f;        // heading in degrees, 0 right, 90 down
    sf::Vector2f position;    // centre in field pixels
    sf::Vector2f front;       // a point ahead of the actor
    sf::RectangleShape hitbox;
    int bulletPattern = 0;    // BulletPattern of every bullet it fires
    int bulletType = 0;       // bullet type 0..13
    int shootPointCount = 0;  // muzzles in use (never more than shootPoints.size())
    std::vector<ShootPoint> shootPoints;
};

// A sprite showing the texture at path (through the engine's texture cache, so
// it lives as long as the program). A file that does not load leaves the sprite
// without a texture. With centre set the origin is the texture's centre.
sf::Sprite& loadSprite(sf::Sprite& sprite, const std::string& path, bool centre);

// Adds points to both halves of a player's score and shows the new score,
// nine digits with leading zeros, on the player's counter (any type with
// setScoreText taking a string: the score TextManager).
template <class Counter>
void addScore(Counter& counter, PlayerScore& score, uint32_t points)
{
    score.score += points;
    score.lifePoints += points;
    char text[16];
    std::snprintf(text, sizeof text, "%09u", static_cast<unsigned>(score.score));
    counter.setScoreText(std::string(text));
}
