#include "enemies/EaterEnemy.h"

#include <algorithm>
#include <cmath>

EaterEnemy::EaterEnemy(const EnemyData& data) : Enemy(data)
{
    angle = 0.f;
    applyTypeConstants(enemy_type::EATER);
    startWalking();
}

void EaterEnemy::startWalking() { startAnimation(0.5f, 4, 160.f, 159.f, ANIMATION_LOOPED); }

bool EaterEnemy::update(float dt, BulletManager*, std::vector<sf::Vector2f> players, int)
{
    enemy_rules::centreWhenEmpty(players);
    hitTimer += dt;

    switch (state) {
    case RUSHING: {
        stepAnimation(dt);
        const sf::Vector2f toPlayer = players[0] - position;
        const float d = std::hypot(toPlayer.x, toPlayer.y);
        if (d > 0.f) // a long frame stops on the player instead of jumping past it
            position += toPlayer / d * std::min(SPEED * dt, d);
        const sf::Vector2f left = players[0] - position;
        if (std::hypot(left.x, left.y) <= BITE_DISTANCE) {
            state = BITING;
            waitTimer = 0.f;
            startAnimation(0.65f, 8, 160.f, 159.f, ANIMATION_ONCE, 0.f, BITE_ROW_TOP);
        }
        break;
    }
    case BITING:
        if (!animation.step(dt, frame))
            state = WAITING;
        break;
    case WAITING:
        waitTimer += dt;
        if (waitTimer > WAIT_TIME) {
            state = RECOVERING;
            startAnimation(0.25f, 8, 160.f, 159.f, ANIMATION_REVERSED, 0.f, BITE_ROW_TOP);
        }
        break;
    default:
        if (!animation.step(dt, frame)) {
            state = RUSHING;
            startWalking();
        }
        break;
    }
    return false;
}
