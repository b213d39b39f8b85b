#include "enemies/SpiralEnemies.h"

#include "enemies/EnemyMath.h"

#include <cmath>

using namespace enemy_math;

namespace {
constexpr float SPIRAL_RADIUS = 700.f;
}

SpiralEnemy::SpiralEnemy(const EnemyData& data, int type)
    : Enemy(data), clock(data.lag), centre(960.f, 540.f), type_(type)
{
    killScore = enemyTypeInfo(type).killScore;
}

bool SpiralEnemy::update(float dt, BulletManager*, std::vector<sf::Vector2f>, int)
{
    const bool bullet = type_ == enemy_type::SNAIL_BULLET;
    if (bullet)
        stepAnimation(dt);
    else
        stepHitTimerAndAnimation(dt);
    clock += dt;
    if (clock >= LIFETIME)
        return true;

    const float b = (clock - 4.f) * 0.25f;
    const double a = std::fabs(8.0 * b * b * PI) * (1.0 / (std::fabs(b) * 1.5 + 0.001));
    position = {static_cast<float>(centre.x + std::cos(a) * b * SPIRAL_RADIUS),
                static_cast<float>(centre.y + std::sin(a) * b * SPIRAL_RADIUS)};

    const float dy = position.y - centre.y;
    const float dx = position.x - centre.x;
    const float radial = bullet ? static_cast<float>(std::atan2(dy, dx) * 180.0 / PI)
                                : std::atan2(dy, dx) * DEGREES_PER_RADIAN;
    angle = wrap360(radial + (clock > 4.f ? 90.f : -90.f));
    return false;
}

SnailEnemy::SnailEnemy(const EnemyData& data) : SpiralEnemy(data, enemy_type::SNAIL)
{
    startAnimation(1.0f, 1, 100.f, 100.f, ANIMATION_LOOPED);
}

SnailBulletEnemy::SnailBulletEnemy(const EnemyData& data) : SpiralEnemy(data, enemy_type::SNAIL_BULLET)
{
    // No frames: the step always shows the first one.
    startAnimation(0.25f, 0, 30.f, 30.f, ANIMATION_LOOPED);
}
