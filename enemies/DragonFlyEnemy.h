#pragma once
// Flies in, hovers inside the field to fire four volleys of four parallel shots, then leaves fast.
#include "enemies/Enemy.h"

class DragonFlyEnemy : public Enemy {
public:
    static constexpr int VOLLEYS = 4;

    explicit DragonFlyEnemy(const EnemyData& data);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return enemy_type::DRAGONFLY; }
    int getBonusCount() const override { return enemyTypeInfo(enemy_type::DRAGONFLY).bonusCount; }

    int volleys = 0;
    float timer = 0.f;
};
