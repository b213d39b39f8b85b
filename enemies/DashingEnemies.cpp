#include "enemies/DashingEnemies.h"

#include "enemies/EnemyMath.h"

#include <cmath>

using namespace enemy_math;
using namespace enemy_rules;

namespace {

bool insideHoldBox(sf::Vector2f p) { return p.x > 290.f && p.x < 1630.f && p.y > 50.f && p.y < 1030.f; }
bool outsideScreen(sf::Vector2f p) { return p.x < 0.f || p.x > 1920.f || p.y < 0.f || p.y > 1080.f; }

// The bruiser's bearing, in its own degree conversion.
float bruiserBearing(sf::Vector2f from, sf::Vector2f to)
{
    return std::atan2(to.y - from.y, to.x - from.x) * 180.f / PI_F;
}

const sf::Vector2f& playerAt(const std::vector<sf::Vector2f>& players, int index)
{
    return players[index >= 0 && index < static_cast<int>(players.size()) ? index : 0];
}

} // namespace

namespace enemy_rules {

std::uint8_t clockwiseToward(float heading, float targetBearing, std::uint8_t current)
{
    const float s = std::sin((targetBearing - heading) * RADIANS_PER_DEGREE);
    if (s > 0.f)
        return 1;
    if (s < 0.f)
        return 0;
    return current;
}

bool turnPast(float& heading, float targetBearing, bool clockwise, float rate, float dt)
{
    heading = wrap360(heading + (clockwise ? rate : -rate) * dt);
    const float diff = wrap180(heading - targetBearing);
    return clockwise ? diff > 0.f : diff < 0.f;
}

} // namespace enemy_rules

StayAndDashEnemy::StayAndDashEnemy(const EnemyData& data) : Enemy(data), track(data.flag)
{
    angle = static_cast<float>(data.angle);
    applyTypeConstants(enemy_type::STAY_AND_DASH);
    // A once animation shown on its last frame until the grasshopper lands.
    startAnimation(12.f / 7.f, 7, 124.f, 85.f, ANIMATION_ONCE);
    frame = sf::FloatRect(744.f, 0.f, 124.f, 85.f);
}

bool StayAndDashEnemy::update(float dt, BulletManager*, std::vector<sf::Vector2f> players, int)
{
    centreWhenEmpty(players);
    if (players.size() == 1)
        playerIndex = 0;
    hitTimer += dt;

    if (outsideRemovalBoxes(position, false, OUTER_BOTTOM))
        return true;

    if (!stopped) {
        if (insideHoldBox(position)) {
            animation.elapsed = 0.f;
            stopped = 1;
            holdTimer = 0.f;
            playerIndex = nearerPlayer(players, position);
            clockwise = clockwiseToward(angle, bearing(position, playerAt(players, playerIndex)), clockwise);
        }
    } else if (!dashing) {
        hold(dt, players);
        if (!dashing)
            return false;
    }
    position += stepAlong(angle, SPEED * (dashing ? DASH_FACTOR : 1.f) * dt);
    return false;
}

void StayAndDashEnemy::hold(float dt, const std::vector<sf::Vector2f>& players)
{
    holdTimer += dt;
    if (holdTimer >= HOLD_TIME) {
        dashing = 1; // along the heading it has turned to
        return;
    }
    stepAnimation(dt);
    if (!track)
        return;
    const float b = bearing(position, playerAt(players, playerIndex));
    if (!aimed) {
        if (turnPast(angle, b, clockwise, TURN_RATE, dt)) {
            aimed = 1;
            angle = b;
        }
    } else {
        angle = b;
    }
}

// ---------------------------------------------------------------------------------------------

BruiserEnemy::BruiserEnemy(const EnemyData& data) : Enemy(data)
{
    applyTypeConstants(enemy_type::BRUISER);
    startAnimation(1.f, 11, 302.f, 300.f, ANIMATION_LOOPED);
}

void BruiserEnemy::pickTarget(const std::vector<sf::Vector2f>& players)
{
    playerIndex = nearerPlayer(players, position);
    clockwise = clockwiseToward(angle, bruiserBearing(position, playerAt(players, playerIndex)), clockwise);
    aimed = 0;
}

bool BruiserEnemy::update(float dt, BulletManager*, std::vector<sf::Vector2f> players, int)
{
    centreWhenEmpty(players);
    timer += dt;
    stepHitTimerAndAnimation(dt);

    switch (state) {
    case ENTERING:
        position = stepAlongPrecise(position, angle, ENTRY_SPEED * dt);
        if (outsideRemovalBoxes(position, false, OUTER_BOTTOM))
            return true;
        if (insideEntryBox(position)) {
            state = AIMING;
            timer = 0.f;
            pickTarget(players);
        }
        break;
    case AIMING: aim(players, dt); break;
    case DASHING:
        if (timer <= DASH_TIME) {
            velocity -= deceleration * dt;
            position += velocity * dt;
        } else {
            state = AIMING;
            timer = 0.f;
            ++dashes;
            pickTarget(players);
        }
        break;
    default:
        position = stepAlongPrecise(position, angle, LEAVE_SPEED * dt);
        if (outsideScreen(position))
            return true;
        break;
    }
    return false;
}

void BruiserEnemy::aim(const std::vector<sf::Vector2f>& players, float dt)
{
    if (players.size() == 1)
        playerIndex = 0;
    const sf::Vector2f player = playerAt(players, playerIndex);
    const float b = bruiserBearing(position, player);
    if (timer <= AIM_TIME || !aimed) {
        if (aimed) {
            angle = b;
        } else if (turnPast(angle, b, clockwise, TURN_RATE, dt)) {
            angle = b;
            aimed = 1;
        } else {
            clockwise = clockwiseToward(angle, b, clockwise);
        }
        return;
    }
    angle = b;
    if (dashes >= DASH_COUNT) {
        state = LEAVING;
        return;
    }
    state = DASHING;
    timer = 0.f;
    velocity = (player - position) * (4.f / 3.f);
    deceleration = velocity * 0.5f * (4.f / 3.f);
}
