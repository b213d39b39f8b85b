#pragma once
// The snail and the snail bullet: they come in on a spiral that closes on the screen
// centre after 4 s and leave on the mirrored spiral, gone after 8 s.
#include "enemies/Enemy.h"

class SpiralEnemy : public Enemy {
public:
    static constexpr float LIFETIME = 8.f;

    SpiralEnemy(const EnemyData& data, int type);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return type_; }
    int getBonusCount() const override { return enemyTypeInfo(type_).bonusCount; }

    float clock = 0.f;   // seconds on the spiral
    sf::Vector2f centre; // where the spiral closes

private:
    int type_;
};

class SnailEnemy : public SpiralEnemy {
public:
    explicit SnailEnemy(const EnemyData& data);
};

// An enemy bullet: it dies on its first hit, so it keeps no hit flash.
class SnailBulletEnemy : public SpiralEnemy {
public:
    explicit SnailBulletEnemy(const EnemyData& data);
};
