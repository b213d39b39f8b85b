#include "enemies/StraightBulletEnemy.h"

using namespace enemy_rules;

StraightBulletEnemy::StraightBulletEnemy(const EnemyData& data)
    : Enemy(data), speed(data.target.x), kind(data.type)
{
    angle = static_cast<float>(data.angle);
    if (kind == enemy_type::BIG_BULLET)
        startAnimation(0.5f, 6, 144.f, 144.f, ANIMATION_LOOPED);
    else
        startAnimation(0.25f, 7, 30.f, 30.f, ANIMATION_LOOPED);
}

bool StraightBulletEnemy::update(float dt, BulletManager*, std::vector<sf::Vector2f>, int)
{
    stepAnimation(dt);
    position = stepAlongPrecise(position, angle, speed * dt);
    return position.x < -1000.f || position.x > 2920.f || position.y < -1000.f || position.y > 2080.f;
}
