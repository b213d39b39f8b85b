#pragma once
// Insects that cross the field on a straight course and fire at a steady rate once
// they are on screen: the bee aims at the nearer player, the side bee fires to both
// flanks, the big ladybug fires a six-way star.
#include "enemies/Enemy.h"

class FlyingShooterEnemy : public Enemy {
public:
    enum class Volley { AtNearerPlayer, BothFlanks, SixWayStar };
    struct Flight {
        float speed;         // px/s along the heading
        bool preciseStep;    // double-precision radians
        float outerBottom;   // lower edge of the outer removal box
        float fireInterval;  // seconds between volleys while entered
        Volley volley;
    };

    FlyingShooterEnemy(const EnemyData& data, int type, const Flight& flight);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return type_; }
    int getBonusCount() const override { return enemyTypeInfo(type_).bonusCount; }

    float fireTimer = 0.f;
    std::uint8_t entered = 0;

private:
    void fireVolley(BulletManager* bullets, const std::vector<sf::Vector2f>& players);

    int type_;
    Flight flight_;
};

class BeeEnemy : public FlyingShooterEnemy {
public:
    explicit BeeEnemy(const EnemyData& data);
};

class SideBeeEnemy : public FlyingShooterEnemy {
public:
    explicit SideBeeEnemy(const EnemyData& data);
};

class BigLadybugEnemy : public FlyingShooterEnemy {
public:
    explicit BigLadybugEnemy(const EnemyData& data);
};
