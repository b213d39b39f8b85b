#include "enemies/WobblingEnemies.h"

#include "engine/Math3D.h"

#include <cmath>

using namespace enemy_rules;

namespace {
constexpr float WOBBLE_AMPLITUDE = 50.f;
constexpr float WOBBLE_RATE = 5.f; // radians per second
} // namespace

WobblingEnemy::WobblingEnemy(const EnemyData& data, int type, float speed)
    : Enemy(data), base(data.start), type_(type), speed_(speed)
{
    angle = static_cast<float>(data.angle);
    killScore = enemyTypeInfo(type).killScore;
}

bool WobblingEnemy::update(float dt, BulletManager*, std::vector<sf::Vector2f>, int)
{
    if (type_ == enemy_type::SINUSOIDAL_BULLET)
        stepAnimation(dt);
    else
        stepHitTimerAndAnimation(dt);
    time += dt;
    base = stepAlongPrecise(base, angle, speed_ * dt);
    const float w = WOBBLE_AMPLITUDE * std::sin(WOBBLE_RATE * time);
    const float a = angle * PI_F / 180.f;
    position = {base.x - std::sin(a) * w, base.y + std::cos(a) * w};

    if (outsideRemovalBoxes(position, entered, OUTER_BOTTOM))
        return true;
    if (!entered && insideEntryBox(position))
        entered = 1;
    return false;
}

LittleLadybugEnemy::LittleLadybugEnemy(const EnemyData& data)
    : WobblingEnemy(data, enemy_type::LITTLE_LADYBUG, 200.f)
{
    startAnimation(0.25f, 8, 75.f, 71.f, ANIMATION_LOOPED);
}

SinusoidalBulletEnemy::SinusoidalBulletEnemy(const EnemyData& data)
    : WobblingEnemy(data, enemy_type::SINUSOIDAL_BULLET, 600.f)
{
    startAnimation(0.08f, 4, 90.f, 90.f, ANIMATION_LOOPED);
}
