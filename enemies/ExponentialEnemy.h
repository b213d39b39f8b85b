#pragma once
// Follows one of eight exponential curves from its spawn point, fast at first and slower
// as the curve bends away.
#include "enemies/Enemy.h"

class ExponentialEnemy : public Enemy {
public:
    explicit ExponentialEnemy(const EnemyData& data);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return enemy_type::EXPONENTIAL; }
    int getBonusCount() const override { return enemyTypeInfo(enemy_type::EXPONENTIAL).bonusCount; }

    int step = 0;        // distance along the path in whole pixels
    std::uint8_t entered = 0;
    sf::Vector2f base;   // the spawn point
    int variant = 0;     // which curve, 0..7; others stand still
};
