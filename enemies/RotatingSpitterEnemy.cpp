#include "enemies/RotatingSpitterEnemy.h"

namespace {
// The last frame of the appearing animation, shown while it spins.
const sf::FloatRect SPINNING_FRAME(450.f, 0.f, 90.f, 90.f);
} // namespace

RotatingSpitterEnemy::RotatingSpitterEnemy(const EnemyData& data, int type) : Enemy(data), kind(type)
{
    angle = static_cast<float>(data.angle);
    applyTypeConstants(kind);
    startAnimation(0.5f, 6, 90.f, 90.f, ANIMATION_ONCE);
}

bool RotatingSpitterEnemy::update(float dt, BulletManager* bullets, std::vector<sf::Vector2f>, int)
{
    hitTimer += dt;
    if (animation.elapsed < animation.duration) { // still appearing
        animation.step(dt, frame);
        return false;
    }
    frame = SPINNING_FRAME;
    fireTimer += dt;
    angle += SPIN_RATE * dt;
    turned += SPIN_RATE * dt;
    if (turned >= 360.f)
        return true;
    if (fireTimer >= FIRE_INTERVAL) {
        fireTimer -= FIRE_INTERVAL;
        const int nozzles = kind == enemy_type::ROTATING_SPITTER_FOUR ? 4 : 1;
        for (int k = 0; k < nozzles; ++k)
            fireFromPosition(bullets, angle + 90.f * static_cast<float>(k));
    }
    return false;
}
