#pragma once
// Insects that stop, turn to face a player and dash: the grasshopper holds for a moment
// in the field and dashes once; the bruiser aims and dashes at a player four times,
// then leaves.
#include "enemies/Enemy.h"

class StayAndDashEnemy : public Enemy {
public:
    static constexpr float SPEED = 300.f;
    static constexpr float DASH_FACTOR = 3.f;
    static constexpr float HOLD_TIME = 1.5f;
    static constexpr float TURN_RATE = 100.f;

    explicit StayAndDashEnemy(const EnemyData& data);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return enemy_type::STAY_AND_DASH; }
    int getBonusCount() const override { return enemyTypeInfo(enemy_type::STAY_AND_DASH).bonusCount; }

    int playerIndex = 0;
    std::uint8_t aimed = 0;
    std::uint8_t clockwise = 0;
    std::uint8_t stopped = 0;
    std::uint8_t dashing = 0;
    std::uint8_t track = 0; // 1: turns to face the player while holding
    float holdTimer = 0.f;

private:
    void hold(float dt, const std::vector<sf::Vector2f>& players);
};

class BruiserEnemy : public Enemy {
public:
    enum State : int { ENTERING = 0, AIMING = 1, DASHING = 2, LEAVING = 3 };
    static constexpr float ENTRY_SPEED = 200.f;
    static constexpr float LEAVE_SPEED = 600.f;
    static constexpr float TURN_RATE = 300.f;
    static constexpr float AIM_TIME = 2.f;
    static constexpr float DASH_TIME = 1.5f;
    static constexpr int DASH_COUNT = 4;

    explicit BruiserEnemy(const EnemyData& data);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return enemy_type::BRUISER; }
    int getBonusCount() const override { return enemyTypeInfo(enemy_type::BRUISER).bonusCount; }

    int playerIndex = 0;
    std::uint8_t aimed = 0;
    std::uint8_t clockwise = 0;
    sf::Vector2f velocity;
    sf::Vector2f deceleration;
    int state = ENTERING;
    float timer = 0.f;
    int dashes = 0;

private:
    void aim(const std::vector<sf::Vector2f>& players, float dt);
    void pickTarget(const std::vector<sf::Vector2f>& players);
};

namespace enemy_rules {
// Turning direction toward a bearing: clockwise (y down) when sin(bearing - heading) > 0,
// counter-clockwise when < 0, kept when the bearing lies dead ahead or behind.
std::uint8_t clockwiseToward(float heading, float targetBearing, std::uint8_t current);
// One turning step toward a bearing; true once the heading has swung past it.
bool turnPast(float& heading, float targetBearing, bool clockwise, float rate, float dt);
} // namespace enemy_rules
