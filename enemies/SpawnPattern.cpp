#include "enemies/SpawnPattern.h"

#include "enemies/EnemyMath.h"
#include "enemies/EnemyTypes.h"
#include "enemies/EnemyManager.h"
#include "platform/Random.h"

#include <cmath>

using enemy_math::truncateToInt;

namespace {

enum class Timing { Timed, AllAtOnce, Finish };
enum class Start { Point, Ring, Arc, RightEdge };
enum class Target { Zero, Centre, Point, Speed };
enum class Heading { Zero, Pattern, EntrySide, Formation, Wave };

struct PatternInfo {
    const char* name;
    int enemyType;
    Timing timing;
    Start start;
    Target target;
    sf::Vector2f speedTarget; // Target::Speed: the bullet speed carried in x
    Heading heading;
    std::uint8_t flag;
};

const PatternInfo PATTERNS[PATTERN_ID_COUNT] = {
    {"Shooter", enemy_type::SHOOTER, Timing::Timed, Start::Point, Target::Zero, {}, Heading::Zero, 1},
    {"HeadOrTails", enemy_type::HEADS_OR_TAILS, Timing::Timed, Start::Point, Target::Zero, {}, Heading::EntrySide, 0},
    {"StayAndDash", enemy_type::STAY_AND_DASH, Timing::Timed, Start::Point, Target::Zero, {}, Heading::Pattern, 1},
    {"Snail", enemy_type::SNAIL, Timing::Timed, Start::RightEdge, Target::Point, {}, Heading::Pattern, 0},
    {"Circle", enemy_type::SHOOTER, Timing::Timed, Start::Ring, Target::Point, {}, Heading::Zero, 0},
    {"ShooterArmy", enemy_type::SHOOTER, Timing::AllAtOnce, Start::Arc, Target::Point, {}, Heading::Zero, 0},
    {"Bee", enemy_type::BEE, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Pattern, 1},
    {"LittleLadybug", enemy_type::LITTLE_LADYBUG, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Pattern, 1},
    {"BigLadybug", enemy_type::BIG_LADYBUG, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Pattern, 1},
    {"DragonFly", enemy_type::DRAGONFLY, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Pattern, 1},
    {"QuarterShooter", enemy_type::QUARTER_SHOOTER, Timing::Timed, Start::Point, Target::Zero, {}, Heading::Pattern, 1},
    {"Exponential", enemy_type::EXPONENTIAL, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Pattern, 1},
    {"ExponentialWave", enemy_type::EXPONENTIAL, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Wave, 1},
    {"Bruiser", enemy_type::BRUISER, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Pattern, 1},
    {"SideBee", enemy_type::SIDE_BEE, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Pattern, 1},
    {"Wall", enemy_type::WALL, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Pattern, 1},
    {"Finish", -1, Timing::Finish, Start::Point, Target::Zero, {}, Heading::Zero, 0},
    {"Turret", enemy_type::TURRET, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Pattern, 1},
    {"ElectricalFence", enemy_type::ELECTRICAL_FENCE, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Pattern, 1},
    {"RotatingSpitterOne", enemy_type::ROTATING_SPITTER_ONE, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Pattern, 1},
    {"RotatingSpitterFour", enemy_type::ROTATING_SPITTER_FOUR, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Pattern, 1},
    {"Coral", enemy_type::CORAL, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Pattern, 1},
    {"Eater", enemy_type::EATER, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Pattern, 1},
    {"BulletNormal", enemy_type::BIG_BULLET, Timing::Timed, Start::Point, Target::Speed, {1200.f, 540.f}, Heading::Pattern, 1},
    {"BulletCircle", enemy_type::RING_BULLET, Timing::Timed, Start::Ring, Target::Speed, {600.f, 0.f}, Heading::Formation, 0},
    {"BulletArmy", enemy_type::ARMY_BULLET, Timing::AllAtOnce, Start::Arc, Target::Speed, {400.f, 0.f}, Heading::Formation, 0},
    {"SnailBullet", enemy_type::SNAIL_BULLET, Timing::Timed, Start::RightEdge, Target::Point, {}, Heading::Pattern, 0},
    {"SinusoidalBullet", enemy_type::SINUSOIDAL_BULLET, Timing::Timed, Start::Point, Target::Centre, {}, Heading::Pattern, 1},
};

constexpr double RING_RADIUS = 1000.0;
constexpr int RING_STEPS = 16;
constexpr float ARC_STEP = 10.f;
constexpr float WAVE_SPACING = 40.f;

// The ScrollDirection of the side a "HeadOrTails" enters from, by the quarter it flies in.
int entrySideCode(const SpawnPattern& p)
{
    const int q = static_cast<int>(std::floor((truncateToInt(360.f - p.angle + 45.f) % 360) / 90.0));
    switch (q) {
    case 0: return 2;
    case 1: return 1;
    case 2: return 3;
    case 3: return 0;
    default: return p.direction;
    }
}

// The pattern angle raised in steps of 8 until 360 minus it is below 8, in closed form
// (a loop of += 8 never ends for huge negative angles).
float waveAngle(float angle)
{
    const float gap = 360.f - angle;
    if (!(gap >= 8.f))
        return angle;
    const double steps = std::floor((static_cast<double>(gap) - 8.0) / 8.0) + 1.0;
    return static_cast<float>(angle + 8.0 * steps);
}

void moveWavePoint(SpawnPattern& p)
{
    const float d = 360.f - p.angle;
    if (d >= 0.f && d < 8.f)
        p.point.x -= WAVE_SPACING;
    else if (d >= 8.f && d < 16.f)
        p.point.x += WAVE_SPACING;
    else if (d >= 16.f && d < 24.f)
        p.point.y -= WAVE_SPACING;
    else if (d >= 24.f && d < 32.f)
        p.point.y += WAVE_SPACING;
}

float formationAngle(const PatternInfo& info, const SpawnPattern& p)
{
    if (info.start == Start::Ring)
        return static_cast<float>((p.spawned * 360) / RING_STEPS) + p.angle;
    return static_cast<float>(p.spawned) * ARC_STEP + p.angle;
}

EnemyData makeEnemy(const PatternInfo& info, SpawnPattern& p, float lag, const std::vector<sf::Vector2f>& players)
{
    EnemyData d;
    d.hp = 1;
    d.type = info.enemyType;
    d.flag = info.flag;
    d.lag = lag;
    d.players = players;

    const bool formation = info.start == Start::Ring || info.start == Start::Arc;
    const float a = formation ? formationAngle(info, p) : 0.f;
    switch (info.start) {
    case Start::Point: d.start = p.point; break;
    case Start::RightEdge: d.start = {1970.f, static_cast<float>(random15() % 1080)}; break;
    case Start::Ring:
    case Start::Arc: {
        const double r = a * enemy_math::PI / 180.0;
        d.start = {static_cast<float>(p.point.x + RING_RADIUS * std::cos(r)),
                   static_cast<float>(p.point.y + RING_RADIUS * std::sin(r))};
        break;
    }
    }
    switch (info.target) {
    case Target::Zero: d.target = {0.f, 0.f}; break;
    case Target::Centre: d.target = {960.f, 540.f}; break;
    case Target::Point: d.target = p.point; break;
    case Target::Speed: d.target = info.speedTarget; break;
    }
    switch (info.heading) {
    case Heading::Zero: d.angle = 0; break;
    case Heading::Pattern: d.angle = truncateToInt(p.angle); break;
    case Heading::EntrySide: d.angle = entrySideCode(p); break;
    case Heading::Formation: d.angle = truncateToInt(a + 180.f); break;
    case Heading::Wave: d.angle = truncateToInt(waveAngle(p.angle)); break;
    }
    return d;
}

void afterEnemy(const PatternInfo& info, SpawnPattern& p)
{
    if (info.start == Start::Ring || info.start == Start::Arc)
        ++p.spawned;
    if (info.heading == Heading::Wave)
        moveWavePoint(p);
}

} // namespace

const char* patternName(int pattern)
{
    return pattern >= 0 && pattern < PATTERN_ID_COUNT ? PATTERNS[pattern].name : nullptr;
}

int patternEnemyType(int pattern)
{
    return pattern >= 0 && pattern < PATTERN_ID_COUNT ? PATTERNS[pattern].enemyType : -1;
}

bool updateSpawnPatterns(std::list<SpawnPattern>& running, float dt, const EnemySpawnFn& spawn,
                         const std::vector<sf::Vector2f>& players)
{
    bool finished = false;
    for (auto it = running.begin(); it != running.end();) {
        SpawnPattern& p = *it;
        if (p.pattern < 0 || p.pattern >= PATTERN_ID_COUNT) {
            // Unknown kinds can never make anything: drop them instead of keeping them forever.
            it = running.erase(it);
            continue;
        }
        const PatternInfo& info = PATTERNS[p.pattern];
        switch (info.timing) {
        case Timing::Timed:
            p.elapsed += dt;
            // Each pass uses up one enemy, so the loop ends even with a zero or negative interval.
            while (p.elapsed > p.interval && p.count >= 1) {
                p.elapsed -= p.interval;
                --p.count;
                spawn(makeEnemy(info, p, p.elapsed, players));
                afterEnemy(info, p);
            }
            break;
        case Timing::AllAtOnce:
            while (p.count > 0) {
                --p.count;
                spawn(makeEnemy(info, p, p.elapsed, players));
                afterEnemy(info, p);
            }
            break;
        case Timing::Finish:
            if (p.count > 0)
                p.count = 0;
            finished = true;
            break;
        }
        if (p.count < 1)
            it = running.erase(it);
        else
            ++it;
    }
    return finished;
}

bool updateSpawnPatterns(std::list<SpawnPattern>& running, float dt, EnemyManager& manager,
                         std::vector<sf::Vector2f> players)
{
    return updateSpawnPatterns(
        running, dt, [&](const EnemyData& d) { manager.spawnEnemy(d, players); }, players);
}
