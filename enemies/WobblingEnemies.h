#pragma once
// Harmless flyers that weave across a straight line: the little ladybug, and the radiant
// bullet that does the same three times faster.
#include "enemies/Enemy.h"

class WobblingEnemy : public Enemy {
public:
    WobblingEnemy(const EnemyData& data, int type, float speed);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return type_; }
    int getBonusCount() const override { return enemyTypeInfo(type_).bonusCount; }

    std::uint8_t entered = 0;
    float time = 0.f;  // seconds alive
    sf::Vector2f base; // the point that moves in a straight line

private:
    int type_;
    float speed_;
};

class LittleLadybugEnemy : public WobblingEnemy {
public:
    explicit LittleLadybugEnemy(const EnemyData& data);
};

// An enemy bullet: it dies on its first hit, so it keeps no hit flash.
class SinusoidalBulletEnemy : public WobblingEnemy {
public:
    explicit SinusoidalBulletEnemy(const EnemyData& data);
};
