#include "enemies/AimingShooterEnemies.h"

#include "enemies/EnemyMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace enemy_math;
using namespace enemy_rules;

namespace {

bool outsideScreen(sf::Vector2f p) { return p.x < 0.f || p.x > 1920.f || p.y < 0.f || p.y > 1080.f; }

constexpr float PUSH_LEFT = -200.f;
constexpr float PUSH_TOP = -200.f;
constexpr float PUSH_RIGHT = 2120.f;
constexpr float PUSH_BOTTOM = 1280.f;

bool insidePushBox(sf::Vector2f p)
{
    return p.x > PUSH_LEFT && p.x < PUSH_RIGHT && p.y > PUSH_TOP && p.y < PUSH_BOTTOM;
}

// Whole steps needed along one axis to leave the open interval (lo, hi).
double stepsToLeave(double from, double step, double lo, double hi)
{
    if (step > 0.0)
        return std::ceil((hi - from) / step);
    if (step < 0.0)
        return std::ceil((from - lo) / -step);
    return std::numeric_limits<double>::infinity();
}

float distance(sf::Vector2f a, sf::Vector2f b) { return std::hypot(b.x - a.x, b.y - a.y); }

} // namespace

sf::Vector2f pushTargetOffField(sf::Vector2f target, sf::Vector2f step, float fallbackHeading)
{
    if (!insidePushBox(target))
        return target;
    if (step.x == 0.f && step.y == 0.f)
        step = stepAlong(fallbackHeading, 1.f);
    double k = std::min(stepsToLeave(target.x, step.x, PUSH_LEFT, PUSH_RIGHT),
                        stepsToLeave(target.y, step.y, PUSH_TOP, PUSH_BOTTOM));
    k = std::max(k, 1.0);
    auto at = [&](double n) {
        return sf::Vector2f(static_cast<float>(target.x + n * step.x), static_cast<float>(target.y + n * step.y));
    };
    // Rounding can leave the point on the edge it should have crossed: one more step then.
    for (int extra = 0; extra < 2 && insidePushBox(at(k)); ++extra)
        k += 1.0;
    return at(k);
}

// ---------------------------------------------------------------------------------------------

ShooterEnemy::ShooterEnemy(const EnemyData& data) : Enemy(data), single(data.flag)
{
    applyTypeConstants(enemy_type::SHOOTER);
    startAnimation(0.5f, 7, 99.f, 82.f, ANIMATION_LOOPED);
}

bool ShooterEnemy::update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int)
{
    stepHitTimerAndAnimation(dt);
    centreWhenEmpty(players);

    float d = distance(position, target);
    const bool arrived = d <= ARRIVAL_DISTANCE;
    if (arrived && outsideScreen(position))
        return true;
    if (outsideRemovalBoxes(position, false, OUTER_BOTTOM))
        return true;

    if (arrived && !fired) {
        fireAndFlyOn(bullets, players);
        d = distance(position, target);
    }
    // Sitting exactly on the target gives no direction: the shooter holds still.
    if (d > 0.f) {
        const float speed = fired ? LEAVE_SPEED : APPROACH_SPEED;
        position += (target - position) / d * speed * dt;
    }
    return false;
}

void ShooterEnemy::fireAndFlyOn(BulletManager* bullets, const std::vector<sf::Vector2f>& players)
{
    if (single) {
        playerIndex = nearerPlayer(players, position);
        target = players[playerIndex];
    }
    target = pushTargetOffField(target, target - position, angle);
    const sf::Vector2f toTarget = target - position;
    const float length = std::hypot(toTarget.x, toTarget.y);
    if (length > 0.f)
        angle = wrap360(std::atan2(toTarget.y / length, toTarget.x / length) * DEGREES_PER_RADIAN);
    fireFromPosition(bullets, angle);
    fired = 1;
}

// ---------------------------------------------------------------------------------------------

namespace {

// Corner and snap rule of a quarter shooter's turn back, by side and turning direction.
struct QuarterTurn {
    sf::Vector2f corner;
    enum Snap { BEARING_ABOVE_ANGLE, ANGLE_ABOVE_BEARING } snap;
    bool afterEntryAngle; // the turns that cross 0/360 snap only once past the entry angle
};

const QuarterTurn QUARTER_TURNS[4][2] = {
    // turnDir -1                                                   turnDir +1
    {{{1680.f, 0.f}, QuarterTurn::BEARING_ABOVE_ANGLE, true}, {{240.f, 0.f}, QuarterTurn::ANGLE_ABOVE_BEARING, false}},
    {{{240.f, 1080.f}, QuarterTurn::BEARING_ABOVE_ANGLE, false}, {{1680.f, 1080.f}, QuarterTurn::ANGLE_ABOVE_BEARING, true}},
    {{{240.f, 0.f}, QuarterTurn::BEARING_ABOVE_ANGLE, false}, {{240.f, 1080.f}, QuarterTurn::ANGLE_ABOVE_BEARING, false}},
    {{{1680.f, 1080.f}, QuarterTurn::BEARING_ABOVE_ANGLE, false}, {{1680.f, 0.f}, QuarterTurn::ANGLE_ABOVE_BEARING, false}},
};

// The edge a quarter shooter enters from, by the quarter its heading lies in.
constexpr int SIDE_BY_QUARTER[4] = {2, 0, 3, 1};

} // namespace

QuarterShooterEnemy::QuarterShooterEnemy(const EnemyData& data) : Enemy(data)
{
    angle = static_cast<float>(data.angle);
    applyTypeConstants(enemy_type::QUARTER_SHOOTER);
    startAnimation(0.5f, 7, 99.f, 82.f, ANIMATION_LOOPED);
    const int quarter = (truncateToInt(angle + 45.f) % 360) / 90;
    if (quarter >= 0 && quarter < 4)
        side = SIDE_BY_QUARTER[quarter];
}

bool QuarterShooterEnemy::fireTriggerReached() const
{
    switch (side) {
    case 0: return position.y > 260.f;
    case 1: return position.y < 820.f;
    case 2: return position.x > 500.f;
    case 3: return position.x < 1420.f;
    default: return false;
    }
}

bool QuarterShooterEnemy::update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int)
{
    stepHitTimerAndAnimation(dt);
    centreWhenEmpty(players);

    if (turned && outsideScreen(position))
        return true;
    if (outsideRemovalBoxes(position, false, OUTER_BOTTOM))
        return true;

    if (!fired && fireTriggerReached()) {
        playerIndex = nearerPlayer(players, position);
        fireFromPosition(bullets, wrap360(bearing(position, players[playerIndex])));
        fired = 1;
        entryAngle = angle;
        switch (side) {
        case 0: turnDir = entryAngle > 90.f ? 1 : -1; break;
        case 1: turnDir = entryAngle > 270.f ? 1 : -1; break;
        case 2: turnDir = entryAngle >= 180.f ? -1 : 1; break;
        default: turnDir = entryAngle > 180.f ? 1 : -1; break;
        }
    }
    if (fired && !turned)
        turnTowardCorner(dt);

    position += stepAlong(angle, (fired ? LEAVE_SPEED : APPROACH_SPEED) * dt);
    return false;
}

void QuarterShooterEnemy::turnTowardCorner(float dt)
{
    angle = wrap360(angle + static_cast<float>(turnDir) * TURN_RATE * dt);
    const QuarterTurn& turn = QUARTER_TURNS[side][turnDir > 0 ? 1 : 0];
    const float t = wrap360(bearing(position, turn.corner));
    bool snap = turn.snap == QuarterTurn::BEARING_ABOVE_ANGLE ? t > angle : angle > t;
    if (turn.afterEntryAngle)
        snap = snap && (turnDir > 0 ? entryAngle > angle : angle > entryAngle);
    if (snap) {
        angle = t;
        turned = 1;
    }
}

// ---------------------------------------------------------------------------------------------

namespace {

// A butterfly's run along an edge, by the side it enters from.
struct EdgeRun {
    float entryAngle;
    float firstSnap[2];  // the heading it snaps to after the first turn, by turnDir
    float exitAngle[2];  // the heading it leaves on after firing, by turnDir
    float shotAngle;     // straight across the field
};

const EdgeRun EDGE_RUNS[4] = {
    {90.f, {5.f, 175.f}, {135.f, 45.f}, 90.f},
    {270.f, {185.f, 355.f}, {315.f, 225.f}, 270.f},
    {0.f, {275.f, 85.f}, {45.f, 135.f}, 0.f},
    {180.f, {95.f, 265.f}, {225.f, 315.f}, 180.f},
};

bool pastEntryLine(int side, sf::Vector2f p)
{
    switch (side) {
    case 0: return p.y > 20.f;
    case 1: return p.y < 1060.f;
    case 2: return p.x > 260.f;
    default: return p.x < 1660.f;
    }
}

// Whether the first turn has swung round to the edge: turnDir 0 turns down through the
// angles, 1 up; the two snaps next to 0 degrees also accept the far side of the wrap.
bool firstTurnDone(int side, int turnDir, float a)
{
    const float snap = EDGE_RUNS[side].firstSnap[turnDir];
    if (side == 0 && turnDir == 0)
        return a < 5.f || a > 355.f;
    if (side == 1 && turnDir == 1)
        return a > 355.f || a < 5.f;
    return turnDir == 0 ? a < snap : a > snap;
}

} // namespace

HeadsOrTailsEnemy::HeadsOrTailsEnemy(const EnemyData& data) : Enemy(data)
{
    applyTypeConstants(enemy_type::HEADS_OR_TAILS);
    startAnimation(0.7f, 7, 100.f, 100.f, ANIMATION_LOOPED);
    switch (spawnAngle) {
    case 0: turnDir = position.x >= 960.f ? 1 : 0; break;
    case 1: turnDir = position.x <= 960.f ? 1 : 0; break;
    case 2: turnDir = position.y <= 540.f ? 1 : 0; break;
    case 3: turnDir = position.y >= 540.f ? 1 : 0; break;
    default: turned = 1; break; // no side to run along: it flies straight on and leaves
    }
    if (knownSide())
        angle = EDGE_RUNS[spawnAngle].entryAngle;
}

bool HeadsOrTailsEnemy::update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int)
{
    centreWhenEmpty(players);
    stepHitTimerAndAnimation(dt);
    position += stepAlong(angle, SPEED * dt);

    if (!turned && pastEntryLine(spawnAngle, position))
        turnAlongEdge(dt);
    if (!turned)
        return false;
    if (position.x < -100.f || position.x >= 2020.f || position.y < -100.f || position.y >= 1180.f)
        return true;
    if (!fired && knownSide())
        fireAcrossWhenLevel(bullets, players[0]);
    if (turning)
        turnAway(dt);
    return false;
}

void HeadsOrTailsEnemy::turnAlongEdge(float dt)
{
    angle = wrap360(angle + (turnDir == 0 ? -TURN_RATE : TURN_RATE) * dt);
    if (firstTurnDone(spawnAngle, turnDir, angle)) {
        angle = EDGE_RUNS[spawnAngle].firstSnap[turnDir];
        turned = 1;
    }
}

void HeadsOrTailsEnemy::fireAcrossWhenLevel(BulletManager* bullets, sf::Vector2f player)
{
    const bool vertical = spawnAngle < 2;
    const float gap = vertical ? std::fabs(position.x - player.x) : std::fabs(position.y - player.y);
    if (gap >= 10.f)
        return;
    fireFromPosition(bullets, EDGE_RUNS[spawnAngle].shotAngle);
    fired = 1;
    turning = 1;
}

void HeadsOrTailsEnemy::turnAway(float dt)
{
    angle = wrap360(angle + (turnDir == 0 ? TURN_RATE : -TURN_RATE) * dt);
    const float exit = EDGE_RUNS[spawnAngle].exitAngle[turnDir];
    if (std::fabs(wrap180(angle - exit)) <= 5.f) {
        angle = exit;
        turning = 0;
    }
}
