#include "enemies/DragonFlyEnemy.h"

#include "engine/Math3D.h"
#include "play/BulletManager.h"

#include <cmath>

using namespace enemy_rules;

namespace {
constexpr float APPROACH_SPEED = 240.f;
constexpr float LEAVE_SPEED = 500.f;
constexpr float VOLLEY_INTERVAL = 0.5f;
constexpr float LEAVE_PAUSE = 0.2f;

bool insideHoverBox(sf::Vector2f p) { return p.x > 340.f && p.x < 1580.f && p.y > 100.f && p.y < 980.f; }
} // namespace

DragonFlyEnemy::DragonFlyEnemy(const EnemyData& data) : Enemy(data)
{
    angle = static_cast<float>(data.angle);
    applyTypeConstants(enemy_type::DRAGONFLY);
    // The muzzles hold offsets across the body until the first volley.
    const float a = angle * PI_F / 180.f;
    const float offsets[VOLLEYS][2] = {{20.f * std::sin(a), -20.f * std::cos(a)},
                                       {40.f * std::sin(a), -40.f * std::cos(a)},
                                       {-20.f * std::sin(a), 20.f * std::cos(a)},
                                       {-40.f * std::sin(a), 40.f * std::cos(a)}};
    for (int i = 0; i < VOLLEYS && i < static_cast<int>(shootPoints.size()); ++i) {
        shootPoints[i].x = offsets[i][0];
        shootPoints[i].y = offsets[i][1];
    }
    startAnimation(0.25f, 6, 114.f, 175.f, ANIMATION_LOOPED);
}

bool DragonFlyEnemy::update(float dt, BulletManager* bullets, std::vector<sf::Vector2f>, int)
{
    stepHitTimerAndAnimation(dt);
    if (outsideRemovalBoxes(position, volleys >= VOLLEYS, OUTER_BOTTOM))
        return true;

    if (volleys < VOLLEYS) {
        if (insideHoverBox(position)) {
            timer += dt;
            if (timer >= VOLLEY_INTERVAL) {
                if (volleys == 0)
                    for (ShootPoint& p : shootPoints) {
                        p.x += position.x;
                        p.y += position.y;
                    }
                if (bullets) {
                    front = position;
                    bullets->spawnFromEnemy(*this, 0);
                }
                timer -= VOLLEY_INTERVAL;
                if (++volleys == VOLLEYS)
                    timer = 0.f;
            }
        } else {
            position = stepAlongPrecise(position, angle, APPROACH_SPEED * dt);
        }
    } else {
        timer += dt;
        if (timer >= LEAVE_PAUSE)
            position = stepAlongPrecise(position, angle, LEAVE_SPEED * dt);
    }
    return false;
}
