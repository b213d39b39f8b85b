#include "enemies/ExponentialEnemy.h"

#include "enemies/EnemyMath.h"

#include <cmath>

using namespace enemy_rules;

namespace {
constexpr double PATH_SPEED = 600.0;

// The curve point at distance t for a variant; false for variants that do not move.
bool curvePoint(int variant, sf::Vector2f base, float t, sf::Vector2f& out)
{
    const float ex = std::exp(0.005f * t);
    const float ey = std::exp(0.007f * t);
    switch (variant) {
    case 0: out = {base.x + t, base.y - ex}; return true;
    case 1: out = {base.x + t, base.y + ex}; return true;
    case 2: out = {base.x - t, base.y - ex}; return true;
    case 3: out = {base.x - t, base.y + ex}; return true;
    case 4: out = {base.x + ey, base.y + t}; return true;
    case 5: out = {base.x - ey, base.y + t}; return true;
    case 6: out = {base.x - ey, base.y - t}; return true;
    case 7: out = {base.x + ey, base.y - t}; return true;
    default: return false;
    }
}
} // namespace

ExponentialEnemy::ExponentialEnemy(const EnemyData& data) : Enemy(data), base(data.start)
{
    angle = static_cast<float>(data.angle);
    // Only 0..7 name a curve; anything else (far-off angles included) stands still.
    const long long v = enemy_math::fileDirection(data.angle);
    variant = v >= 0 && v <= 7 ? static_cast<int>(v) : -1;
    killScore = enemyTypeInfo(enemy_type::EXPONENTIAL).killScore;
    startAnimation(0.25f, 8, 75.f, 71.f, ANIMATION_LOOPED);
}

bool ExponentialEnemy::update(float dt, BulletManager*, std::vector<sf::Vector2f>, int)
{
    stepHitTimerAndAnimation(dt);
    // ln(1) is 0: the first pixel uses the same pace as the start so the advance stays finite.
    const double s = step > 1 ? std::log(static_cast<double>(step)) * 0.2 : 1.0;
    step = enemy_math::truncateToInt(step + (PATH_SPEED / s) * dt);

    const sf::Vector2f old = position;
    sf::Vector2f next;
    if (curvePoint(variant, base, static_cast<float>(step), next))
        position = next;
    angle = static_cast<float>(std::atan2(position.y - old.y, position.x - old.x) * 180.0 / enemy_math::PI);

    const bool leftInner = entered && (position.x < 0.f || position.x > 1920.f || position.y < -100.f ||
                                       position.y > 1180.f);
    const bool leftPath = position.x < -std::fabs(base.x) || position.x > std::fabs(base.x) + 1920.f ||
                          position.y < -std::fabs(base.y) || position.y > std::fabs(base.y) + 1080.f;
    if (leftInner || leftPath)
        return true;
    if (!entered && insideEntryBox(position))
        entered = 1;
    return false;
}
