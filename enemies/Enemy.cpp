#include "enemies/Enemy.h"

#include "enemies/EnemyMath.h"
#include "play/BulletManager.h"

#include <cmath>

using namespace enemy_math;

Enemy::Enemy(const EnemyData& data)
{
    health = static_cast<float>(data.hp);
    position = data.start;
    target = data.target;
    spawnAngle = data.angle;
    // A target on the start point gives atan2(0, 0) = 0: the enemy faces right.
    angle = std::atan2(target.y - data.start.y, target.x - data.start.x) * DEGREES_PER_RADIAN;
}

bool Enemy::takeDamage(float damage, int)
{
    health -= damage;
    hitThisFrame = 1;
    wasHit = 1;
    hitTimer = 0.f;
    return health <= 0.f;
}

void Enemy::startAnimation(float duration, int frameCount, float width, float height, int mode, float left, float top)
{
    animation = Animation{};
    animation.duration = duration;
    animation.frameCount = frameCount;
    animation.width = width;
    animation.height = height;
    animation.mode = mode;
    animation.left = left;
    animation.top = top;
    frame = sf::FloatRect(left, top, width, height);
}

void Enemy::applyTypeConstants(int type)
{
    const EnemyTypeInfo& info = enemyTypeInfo(type);
    killScore = info.killScore;
    if (info.bulletType >= 0)
        bulletType = info.bulletType;
    setShootPointCount(info.muzzleCount);
    for (ShootPoint& p : shootPoints) {
        p.x = position.x;
        p.y = position.y;
        p.active = 1;
    }
}

void Enemy::stepHitTimerAndAnimation(float dt)
{
    hitTimer += dt;
    stepAnimation(dt);
}

void Enemy::stepAnimation(float dt) { animation.step(dt, frame); }

void Enemy::fireAlong(BulletManager* bullets, float heading)
{
    if (!bullets)
        return;
    const float course = angle;
    angle = heading;
    front = position;
    bullets->spawnFromEnemy(*this, 0);
    angle = course;
}

void Enemy::fireFromPosition(BulletManager* bullets, float heading)
{
    if (!shootPoints.empty()) {
        shootPoints[0].x = position.x;
        shootPoints[0].y = position.y;
    }
    fireAlong(bullets, heading);
}

namespace enemy_rules {

int nearerPlayer(const std::vector<sf::Vector2f>& players, sf::Vector2f from)
{
    if (players.size() < 2)
        return 0;
    const float d0 = std::hypot(players[0].x - from.x, players[0].y - from.y);
    const float d1 = std::hypot(players[1].x - from.x, players[1].y - from.y);
    return d0 > d1 ? 1 : 0;
}

void centreWhenEmpty(std::vector<sf::Vector2f>& players)
{
    if (players.empty())
        players.emplace_back(960.f, 540.f);
}

bool insideEntryBox(sf::Vector2f p) { return p.x > 240.f && p.x < 1680.f && p.y > 0.f && p.y < 1080.f; }

bool outsideRemovalBoxes(sf::Vector2f p, bool entered, float outerBottom)
{
    if (entered && (p.x < 0.f || p.x > 1920.f || p.y < -100.f || p.y > 1180.f))
        return true;
    return p.x < -300.f || p.x > 2220.f || p.y < -300.f || p.y > outerBottom;
}

float bearing(sf::Vector2f from, sf::Vector2f to)
{
    return std::atan2(to.y - from.y, to.x - from.x) * DEGREES_PER_RADIAN;
}

sf::Vector2f stepAlong(float heading, float distance)
{
    const float a = heading * RADIANS_PER_DEGREE;
    return {std::cos(a) * distance, std::sin(a) * distance};
}

sf::Vector2f stepAlongPrecise(sf::Vector2f p, float heading, float distance)
{
    const double a = heading * PI / 180.0;
    return {static_cast<float>(p.x + std::cos(a) * distance), static_cast<float>(p.y + std::sin(a) * distance)};
}

} // namespace enemy_rules
