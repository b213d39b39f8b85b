#include "enemies/CoralEnemy.h"

#include "enemies/EnemyMath.h"

#include <cmath>

using namespace enemy_math;
using namespace enemy_rules;

namespace {

struct SegmentLayout {
    float x, y;      // offset from the body before it is turned
    float baseAngle; // facing relative to the body
};

const SegmentLayout SEGMENT_LAYOUT[CoralEnemy::SEGMENT_COUNT] = {
    {-124.f, -31.f, 190.f}, {-35.f, -78.f, 270.f}, {49.f, -70.f, 270.f}, {125.f, -35.f, 350.f},
    {120.f, 43.f, 10.f},    {52.f, 70.f, 90.f},    {-32.f, 75.f, 90.f},  {-120.f, 45.f, 170.f},
};

} // namespace

CoralEnemy::CoralEnemy(const EnemyData& data) : Enemy(data)
{
    angle = static_cast<float>(data.angle);
    applyTypeConstants(enemy_type::CORAL);
    startAnimation(1.f, 12, FRAME_WIDTH, FRAME_HEIGHT, ANIMATION_LOOPED);
    const float a = angle * PI_F / 180.f;
    const float c = std::cos(a);
    const float s = std::sin(a);
    for (const SegmentLayout& layout : SEGMENT_LAYOUT) {
        CoralSegment segment;
        segment.baseAngle = layout.baseAngle;
        segment.offsetX = c * layout.x - s * layout.y;
        segment.offsetY = c * layout.y + s * layout.x;
        segments.push_back(segment);
    }
}

bool CoralEnemy::bodyInPlayWindow() const
{
    const float left = position.x - FRAME_WIDTH / 2.f;
    const float top = position.y - FRAME_HEIGHT / 2.f;
    return left + FRAME_WIDTH > 290.f && left < 1630.f && top + FRAME_HEIGHT > 50.f && top < 1030.f;
}

bool CoralEnemy::update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int)
{
    centreWhenEmpty(players);
    stepHitTimerAndAnimation(dt);
    fireTimer += dt;
    position = stepAlongPrecise(position, angle, SPEED * dt);
    const bool inWindow = bodyInPlayWindow();

    for (CoralSegment& segment : segments) {
        segment.sinceHit += dt;
        const sf::Vector2f point = position + segment.offset();
        const sf::Vector2f& player = players[nearerPlayer(players, point)];
        segment.aimAngle = std::atan2(player.y - point.y, player.x - point.x) * 180.f / PI_F;
        const float rel = wrap360(segment.aimAngle - segment.baseAngle - angle);
        if (fireTimer >= FIRE_INTERVAL && (rel <= 90.f || rel >= 270.f) && inWindow && segment.hp > 0.f) {
            if (!shootPoints.empty()) {
                shootPoints[0].x = point.x;
                shootPoints[0].y = point.y;
            }
            fireAlong(bullets, segment.aimAngle);
        }
    }
    if (fireTimer >= FIRE_INTERVAL && inWindow)
        fireTimer -= FIRE_INTERVAL;
    return false;
}

bool CoralEnemy::takeDamage(float damage, int part)
{
    hitThisFrame = 1;
    if (part >= 2) {
        const size_t n = static_cast<size_t>(part - 2);
        if (n >= segments.size())
            return false;
        segments[n].hp -= damage;
        segments[n].sinceHit = 0.f;
        return segments[n].hp <= 0.f;
    }
    if (part == 1 && segments.empty()) {
        wasHit = 1;
        hitTimer = 0.f;
        health -= damage;
        return health <= 0.f;
    }
    return false;
}
