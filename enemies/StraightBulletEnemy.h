#pragma once
// An enemy bullet that flies straight at the speed its pattern gives: the big ball, the
// army bullets and the ring bullets. It dies on its first hit, so it keeps no hit flash.
#include "enemies/Enemy.h"

class StraightBulletEnemy : public Enemy {
public:
    explicit StraightBulletEnemy(const EnemyData& data);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return kind; }
    int getBonusCount() const override { return 0; }

    float speed = 0.f; // px/s, from the descriptor's target x
    int kind = 0;      // 19, 22 or 23
};
