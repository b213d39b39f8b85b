#pragma once
// Beetles and butterflies that fire one aimed shot on their way across the field:
// the shooter flies to a point, fires and flies on past it; the quarter shooter enters
// from a side, fires at the nearer player and sweeps back toward a corner; the
// heads-or-tails butterfly turns to run along an edge and fires across the field when
// level with player 1, then turns away.
#include "enemies/Enemy.h"

class ShooterEnemy : public Enemy {
public:
    static constexpr float ARRIVAL_DISTANCE = 10.f;
    static constexpr float APPROACH_SPEED = 300.f;
    static constexpr float LEAVE_SPEED = 400.f;

    explicit ShooterEnemy(const EnemyData& data);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return enemy_type::SHOOTER; }
    int getBonusCount() const override { return enemyTypeInfo(enemy_type::SHOOTER).bonusCount; }

    int playerIndex = 0;
    std::uint8_t single = 0; // 1: turns to fire at the nearer player
    std::uint8_t fired = 0;

private:
    void fireAndFlyOn(BulletManager* bullets, const std::vector<sf::Vector2f>& players);
};

// Pushes target on by whole steps until it leaves the box -200..2120 x -200..1280
// (a target already outside stays). Computed in closed form; a zero step would never
// leave, so it is replaced by one pixel along the fallback heading.
sf::Vector2f pushTargetOffField(sf::Vector2f target, sf::Vector2f step, float fallbackHeading);

class QuarterShooterEnemy : public Enemy {
public:
    static constexpr float APPROACH_SPEED = 160.f;
    static constexpr float LEAVE_SPEED = 400.f;
    static constexpr float TURN_RATE = 300.f;

    explicit QuarterShooterEnemy(const EnemyData& data);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return enemy_type::QUARTER_SHOOTER; }
    int getBonusCount() const override { return enemyTypeInfo(enemy_type::QUARTER_SHOOTER).bonusCount; }

    int playerIndex = 0;
    std::uint8_t fired = 0;
    std::uint8_t turned = 0;
    int side = 0;     // edge it enters from: 0 top, 1 bottom, 2 left, 3 right
    int turnDir = 0;  // +1 turns clockwise (y down), -1 counter-clockwise
    float entryAngle = 0.f;

private:
    bool fireTriggerReached() const;
    void turnTowardCorner(float dt);
};

class HeadsOrTailsEnemy : public Enemy {
public:
    static constexpr float SPEED = 360.f;
    static constexpr float TURN_RATE = 300.f;

    explicit HeadsOrTailsEnemy(const EnemyData& data);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return enemy_type::HEADS_OR_TAILS; }
    int getBonusCount() const override { return enemyTypeInfo(enemy_type::HEADS_OR_TAILS).bonusCount; }

    int turnDir = 0; // 0 first turns counter-clockwise (y down), 1 clockwise
    std::uint8_t turned = 0;
    std::uint8_t turning = 0;
    std::uint8_t fired = 0;

private:
    bool knownSide() const { return spawnAngle >= 0 && spawnAngle < 4; }
    void turnAlongEdge(float dt);
    void fireAcrossWhenLevel(BulletManager* bullets, sf::Vector2f player);
    void turnAway(float dt);
};
