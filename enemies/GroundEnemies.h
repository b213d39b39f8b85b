#pragma once
// Enemies standing on the ground of the scrolling levels: they drift left with the
// scenery. The wall is a breakable tile; the turret swivels its cannon toward the
// nearer player (never more than 90 degrees off its facing) and fires at a steady rate.
#include "enemies/Enemy.h"

namespace ground {
// The scenery's drift, px/s to the left.
constexpr float SCROLL_SPEED = 288.f;
}

class WallEnemy : public Enemy {
public:
    static constexpr int TILE_SIZE = 30;
    static constexpr int TILE_COUNT = 16; // tiles in a row of the wall sheet

    explicit WallEnemy(const EnemyData& data);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return enemy_type::WALL; }
    int getBonusCount() const override { return enemyTypeInfo(enemy_type::WALL).bonusCount; }
};

class TurretEnemy : public Enemy {
public:
    static constexpr float FIRE_INTERVAL = 1.5f;
    static constexpr float REMOVAL_X = 180.f;

    explicit TurretEnemy(const EnemyData& data);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return enemy_type::TURRET; }
    int getBonusCount() const override { return enemyTypeInfo(enemy_type::TURRET).bonusCount; }

    int playerIndex = 0;
    sf::FloatRect cannonFrame;
    Animation cannonAnimation;
    sf::Vector2f cannonPosition;
    float cannonAngle = 0.f; // degrees
    float fireTimer = 0.f;
};
