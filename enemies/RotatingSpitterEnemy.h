#pragma once
// A spout that appears, then spins at 30 deg/s spraying bullets from one or four nozzles
// every 0.25 s, and vanishes after one full turn.
#include "enemies/Enemy.h"

class RotatingSpitterEnemy : public Enemy {
public:
    static constexpr float SPIN_RATE = 30.f;
    static constexpr float FIRE_INTERVAL = 0.25f;

    // kind is the enemy type: ROTATING_SPITTER_ONE or ROTATING_SPITTER_FOUR.
    RotatingSpitterEnemy(const EnemyData& data, int kind);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return kind; }
    int getBonusCount() const override { return enemyTypeInfo(kind).bonusCount; }

    int kind;
    float turned = 0.f; // degrees turned since it appeared
    float fireTimer = 0.f;
};
