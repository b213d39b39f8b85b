#include "enemies/FlyingShooterEnemies.h"

#include "enemies/EnemyMath.h"

using namespace enemy_rules;

namespace {

const FlyingShooterEnemy::Flight BEE_FLIGHT{200.f, false, BEE_OUTER_BOTTOM, 1.55f,
                                            FlyingShooterEnemy::Volley::AtNearerPlayer};
const FlyingShooterEnemy::Flight SIDE_BEE_FLIGHT{200.f, false, BEE_OUTER_BOTTOM, 1.6f,
                                                 FlyingShooterEnemy::Volley::BothFlanks};
const FlyingShooterEnemy::Flight BIG_LADYBUG_FLIGHT{130.f, true, OUTER_BOTTOM, 1.5f,
                                                    FlyingShooterEnemy::Volley::SixWayStar};

} // namespace

FlyingShooterEnemy::FlyingShooterEnemy(const EnemyData& data, int type, const Flight& flight)
    : Enemy(data), type_(type), flight_(flight)
{
    angle = static_cast<float>(data.angle);
    applyTypeConstants(type);
}

bool FlyingShooterEnemy::update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int)
{
    stepHitTimerAndAnimation(dt);
    if (flight_.volley == Volley::AtNearerPlayer)
        centreWhenEmpty(players);

    if (flight_.preciseStep)
        position = stepAlongPrecise(position, angle, flight_.speed * dt);
    else
        position += stepAlong(angle, flight_.speed * dt);

    if (outsideRemovalBoxes(position, entered, flight_.outerBottom))
        return true;

    if (entered) {
        fireTimer += dt;
        if (fireTimer >= flight_.fireInterval) {
            fireTimer -= flight_.fireInterval;
            fireVolley(bullets, players);
        }
    } else if (insideEntryBox(position)) {
        entered = 1;
    }
    return false;
}

void FlyingShooterEnemy::fireVolley(BulletManager* bullets, const std::vector<sf::Vector2f>& players)
{
    switch (flight_.volley) {
    case Volley::AtNearerPlayer:
        fireFromPosition(bullets, bearing(position, players[nearerPlayer(players, position)]));
        break;
    case Volley::BothFlanks:
        fireFromPosition(bullets, angle + 90.f);
        fireFromPosition(bullets, angle + 90.f + 180.f);
        break;
    case Volley::SixWayStar:
        for (int k = 0; k < 6; ++k)
            fireFromPosition(bullets, enemy_math::wrap360(angle + 60.f * k));
        break;
    }
}

BeeEnemy::BeeEnemy(const EnemyData& data) : FlyingShooterEnemy(data, enemy_type::BEE, BEE_FLIGHT)
{
    startAnimation(0.1f, 6, 106.f, 150.f, ANIMATION_LOOPED);
}

SideBeeEnemy::SideBeeEnemy(const EnemyData& data) : FlyingShooterEnemy(data, enemy_type::SIDE_BEE, SIDE_BEE_FLIGHT)
{
    startAnimation(0.1f, 6, 106.f, 150.f, ANIMATION_LOOPED);
}

BigLadybugEnemy::BigLadybugEnemy(const EnemyData& data)
    : FlyingShooterEnemy(data, enemy_type::BIG_LADYBUG, BIG_LADYBUG_FLIGHT)
{
    startAnimation(0.8f, 8, 240.f, 238.f, ANIMATION_LOOPED);
}
