// The 28 spawn patterns as the designers fixed them, one typed row each: the name the
// editor shows, the kind made, when and where each enemy comes out, what it aims at,
// the angle it is given and its single-enemy flag. Every pattern is released with the
// same record (2 enemies, 0.5 s apart, at (300, 200), angle 350.7: the file's direction 9.3).
#include "enemies/SpawnPattern.h"

#include <cmath>
#include <gtest/gtest.h>
#include <list>
#include <string>
#include <vector>

namespace {

enum class Timing { Timed, AllAtOnce, Finish };
enum class Start { Point, RightEdge, Ring, Arc, WaveLine };

struct PatternRow {
    int id;
    const char* name;
    int enemyType;
    Timing timing;
    Start start;
    bool aimsAtPoint;    // the target is the record's point, otherwise `target`
    sf::Vector2f target;
    int firstAngle, secondAngle;
    int flag;
};

const sf::Vector2f POINT{300.f, 200.f};
constexpr float ANGLE = 350.7f;
const sf::Vector2f ZERO{0.f, 0.f};
const sf::Vector2f CENTRE{960.f, 540.f};
constexpr Timing T = Timing::Timed;
constexpr Start P = Start::Point;

// Angles: "pattern angle" is 350; "HeadOrTails" enters from the left (2); the wave's
// angle is raised in steps of 8 to 358; ring and arc bullets fly at their place + 180.
const PatternRow ROWS[] = {
    {0, "Shooter", 0, T, P, false, ZERO, 0, 0, 1},
    {1, "HeadOrTails", 1, T, P, false, ZERO, 2, 2, 0},
    {2, "StayAndDash", 2, T, P, false, ZERO, 350, 350, 1},
    {3, "Snail", 3, T, Start::RightEdge, true, {}, 350, 350, 0},
    {4, "Circle", 0, T, Start::Ring, true, {}, 0, 0, 0},
    {5, "ShooterArmy", 0, Timing::AllAtOnce, Start::Arc, true, {}, 0, 0, 0},
    {6, "Bee", 4, T, P, false, CENTRE, 350, 350, 1},
    {7, "LittleLadybug", 5, T, P, false, CENTRE, 350, 350, 1},
    {8, "BigLadybug", 6, T, P, false, CENTRE, 350, 350, 1},
    {9, "DragonFly", 7, T, P, false, CENTRE, 350, 350, 1},
    {10, "QuarterShooter", 8, T, P, false, ZERO, 350, 350, 1},
    {11, "Exponential", 9, T, P, false, CENTRE, 350, 350, 1},
    {12, "ExponentialWave", 9, T, Start::WaveLine, false, CENTRE, 358, 358, 1},
    {13, "Bruiser", 10, T, P, false, CENTRE, 350, 350, 1},
    {14, "SideBee", 11, T, P, false, CENTRE, 350, 350, 1},
    {15, "Wall", 12, T, P, false, CENTRE, 350, 350, 1},
    {16, "Finish", -1, Timing::Finish, P, false, ZERO, 0, 0, 0},
    {17, "Turret", 13, T, P, false, CENTRE, 350, 350, 1},
    {18, "ElectricalFence", 14, T, P, false, CENTRE, 350, 350, 1},
    {19, "RotatingSpitterOne", 15, T, P, false, CENTRE, 350, 350, 1},
    {20, "RotatingSpitterFour", 16, T, P, false, CENTRE, 350, 350, 1},
    {21, "Coral", 17, T, P, false, CENTRE, 350, 350, 1},
    {22, "Eater", 18, T, P, false, CENTRE, 350, 350, 1},
    {23, "BulletNormal", 19, T, P, false, {1200.f, 540.f}, 350, 350, 1},
    {24, "BulletCircle", 23, T, Start::Ring, false, {600.f, 0.f}, 530, 552, 0},
    {25, "BulletArmy", 22, Timing::AllAtOnce, Start::Arc, false, {400.f, 0.f}, 530, 540, 0},
    {26, "SnailBullet", 20, T, Start::RightEdge, true, {}, 350, 350, 0},
    {27, "SinusoidalBullet", 21, T, P, false, CENTRE, 350, 350, 1},
};

// `count` enemies of pattern `id` from POINT, at ANGLE, half a second apart.
SpawnPattern patternAt(int id, int count)
{
    SpawnPattern record;
    record.pattern = id;
    record.count = count;
    record.interval = 0.5f;
    record.point = POINT;
    record.angle = ANGLE;
    record.direction = 1;
    return record;
}

// Where enemy n (0 or 1) of the row stands.
void expectStart(const PatternRow& row, int n, sf::Vector2f start)
{
    auto onCircle = [&](float degrees) {
        const double r = degrees * 3.141592653589793 / 180.0;
        EXPECT_NEAR(start.x, POINT.x + 1000.0 * std::cos(r), 0.01);
        EXPECT_NEAR(start.y, POINT.y + 1000.0 * std::sin(r), 0.01);
    };
    switch (row.start) {
    case Start::Point: EXPECT_EQ(start, POINT); break;
    case Start::WaveLine: EXPECT_EQ(start, POINT + sf::Vector2f(40.f * n, 0.f)); break;
    case Start::Ring: onCircle(ANGLE + 22.f * n); break; // 360 / 16 truncated
    case Start::Arc: onCircle(ANGLE + 10.f * n); break;
    case Start::RightEdge:
        EXPECT_EQ(start.x, 1970.f);
        EXPECT_GE(start.y, 0.f);
        EXPECT_LT(start.y, 1080.f);
        EXPECT_EQ(start.y, std::floor(start.y));
        break;
    }
}

} // namespace

TEST(SpawnPatternTable, EveryPatternMakesItsKindWhereAndWhenItShould)
{
    static_assert(sizeof ROWS / sizeof ROWS[0] == PATTERN_ID_COUNT, "one row per pattern");
    const std::vector<sf::Vector2f> players{{100.f, 900.f}};
    for (const PatternRow& row : ROWS) {
        SCOPED_TRACE(std::string("pattern ") + row.name);
        EXPECT_STREQ(patternName(row.id), row.name);
        EXPECT_EQ(patternEnemyType(row.id), row.enemyType);

        std::list<SpawnPattern> running{patternAt(row.id, 2)};
        std::vector<EnemyData> made;
        auto collect = [&made](const EnemyData& d) { made.push_back(d); };

        // Timed kinds wait out their interval; formations come out whole at once.
        const bool finished = updateSpawnPatterns(running, 0.4f, collect, players);
        EXPECT_EQ(finished, row.timing == Timing::Finish);
        EXPECT_EQ(made.size(), row.timing == Timing::AllAtOnce ? 2u : 0u);
        updateSpawnPatterns(running, 0.2f, collect, players);
        updateSpawnPatterns(running, 0.5f, collect, players);
        EXPECT_TRUE(running.empty());
        if (row.timing == Timing::Finish) {
            EXPECT_TRUE(made.empty());
            continue;
        }
        ASSERT_EQ(made.size(), 2u);
        for (int n = 0; n < 2; ++n) {
            const EnemyData& d = made[n];
            EXPECT_EQ(d.type, row.enemyType);
            EXPECT_EQ(d.hp, 1);
            expectStart(row, n, d.start);
            EXPECT_EQ(d.target, row.aimsAtPoint ? POINT : row.target);
            EXPECT_EQ(d.angle, n == 0 ? row.firstAngle : row.secondAngle);
            EXPECT_EQ(d.flag, row.flag);
            EXPECT_EQ(d.players, players);
        }
    }
    EXPECT_EQ(patternName(PATTERN_ID_COUNT), nullptr);
    EXPECT_EQ(patternEnemyType(PATTERN_ID_COUNT), -1);
}

// A full ring of sixteen goes round in whole degrees: 360 / 16 per enemy, each truncated.
TEST(SpawnPatternTable, AFullRingOfSixteenStandsAtTruncatedSixteenthsOfATurn)
{
    std::list<SpawnPattern> running{patternAt(4, 16)}; // Circle
    std::vector<EnemyData> made;
    for (int step = 0; step < 40 && !running.empty(); ++step)
        updateSpawnPatterns(running, 0.5f, [&made](const EnemyData& d) { made.push_back(d); }, {{100.f, 900.f}});
    ASSERT_EQ(made.size(), 16u);
    for (int k = 0; k < 16; ++k) {
        const double r = (ANGLE + static_cast<float>(k * 45 / 2)) * 3.141592653589793 / 180.0;
        EXPECT_NEAR(made[k].start.x, POINT.x + 1000.0 * std::cos(r), 0.01) << "enemy " << k;
        EXPECT_NEAR(made[k].start.y, POINT.y + 1000.0 * std::sin(r), 0.01) << "enemy " << k;
    }
}
