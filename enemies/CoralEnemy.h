#pragma once
// A slow coral body carrying eight eyes round its rim. Each eye aims at the nearer player
// and fires once a second while that player lies within 90 degrees of its facing and the
// body is in the play window. The eyes are destroyed one by one; the body can only be
// damaged once none is left. It never leaves on its own.
#include "enemies/Enemy.h"

struct CoralSegment {
    float hp = 2.f;
    float aimAngle = 0.f;  // degrees, toward the player it aims at
    float baseAngle = 0.f; // degrees, its facing relative to the body
    float offsetX = 0.f;   // from the body's position, turned with the body
    float offsetY = 0.f;
    float sinceHit = 0.f;  // seconds since the segment was last hit

    sf::Vector2f offset() const { return {offsetX, offsetY}; }
};

class CoralEnemy : public Enemy {
public:
    static constexpr int SEGMENT_COUNT = 8;
    static constexpr float SPEED = 200.f;
    static constexpr float FIRE_INTERVAL = 1.f;
    static constexpr float FRAME_WIDTH = 277.f;
    static constexpr float FRAME_HEIGHT = 179.f;

    explicit CoralEnemy(const EnemyData& data);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return enemy_type::CORAL; }
    int getBonusCount() const override { return enemyTypeInfo(enemy_type::CORAL).bonusCount; }
    // part 1 the body (only once every segment is gone), 2 + n segment n.
    bool takeDamage(float damage, int part) override;

    float fireTimer = 0.f;
    std::vector<CoralSegment> segments;

private:
    bool bodyInPlayWindow() const;
};
