#pragma once
// The base of every 2D actor with hit points, a heading and muzzles (player
// ships, enemies, bosses and boss parts), and the muzzle record.
#include "play/Animation.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Vector2.hpp>
#include <vector>

// One muzzle: where a bullet leaves and, for BulletManager::spawn, its direction.
struct ShootPoint {
    float x = 0.f;
    float y = 0.f;
    bool active = false;
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
