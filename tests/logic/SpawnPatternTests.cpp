#include "enemies/SpawnPattern.h"

#include <gtest/gtest.h>

namespace {

struct Collected {
    std::vector<EnemyData> enemies;
    EnemySpawnFn fn()
    {
        return [this](const EnemyData& d) { enemies.push_back(d); };
    }
};

SpawnPattern pattern(int id, int count, float interval, sf::Vector2f point = {500.f, 400.f}, float angle = 0.f)
{
    SpawnPattern p;
    p.pattern = id;
    p.count = count;
    p.interval = interval;
    p.point = point;
    p.angle = angle;
    return p;
}

} // namespace

TEST(SpawnPatterns, TimedKindsReleaseOneEnemyPerIntervalWithTheirLag)
{
    Collected c;
    std::list<SpawnPattern> running{pattern(pattern_id::BEE, 3, 0.5f, {300, -50}, 90.f)};
    std::vector<float> times;
    float t = 0.f;
    for (int i = 0; i < 100 && !running.empty(); ++i) {
        t += 0.125f; // exact in binary: the strict comparison is tested without rounding noise
        size_t before = c.enemies.size();
        updateSpawnPatterns(running, 0.125f, c.fn(), {{100.f, 900.f}});
        if (c.enemies.size() > before)
            times.push_back(t);
    }
    ASSERT_EQ(c.enemies.size(), 3u);
    ASSERT_EQ(times.size(), 3u);
    EXPECT_FLOAT_EQ(times[0], 0.625f); // strictly above the interval: 0.5 exactly is not enough
    EXPECT_FLOAT_EQ(times[1], 1.125f);
    EXPECT_FLOAT_EQ(times[2], 1.625f);
    EXPECT_TRUE(running.empty());

    // A long frame releases several enemies, each with its own lag.
    Collected big;
    running = {pattern(pattern_id::BEE, 3, 0.5f)};
    updateSpawnPatterns(running, 1.2f, big.fn(), {});
    ASSERT_EQ(big.enemies.size(), 2u);
    EXPECT_NEAR(big.enemies[0].lag, 0.7f, 1e-5);
    EXPECT_NEAR(big.enemies[1].lag, 0.2f, 1e-5);
    updateSpawnPatterns(running, 0.4f, big.fn(), {});
    EXPECT_EQ(big.enemies.size(), 3u);

    // Zero or negative intervals cannot loop forever: the count bounds the loop.
    Collected fast;
    running = {pattern(pattern_id::LITTLE_LADYBUG, 7, 0.f), pattern(pattern_id::LITTLE_LADYBUG, 5, -1.f)};
    updateSpawnPatterns(running, 0.01f, fast.fn(), {});
    EXPECT_EQ(fast.enemies.size(), 12u);
    EXPECT_TRUE(running.empty());
}

TEST(SpawnPatterns, KindSpecificStartsAnglesAndCodes)
{
    // Huge angles are handled in closed form (an 8-degree stepping loop would never end).
    Collected extreme;
    std::list<SpawnPattern> running{pattern(pattern_id::EXPONENTIAL_WAVE, 1, 0.f, {0, 0}, -3e9f),
                                    pattern(pattern_id::EXPONENTIAL_WAVE, 1, 0.f, {0, 0}, 1e30f)};
    updateSpawnPatterns(running, 0.01f, extreme.fn(), {});
    EXPECT_EQ(extreme.enemies.size(), 2u);

    // Head-or-tails enters from the side its flight starts at.
    const std::pair<float, int> sides[] = {{0.f, 2}, {90.f, 1}, {180.f, 3}, {270.f, 0}, {350.f, 2}};
    for (auto [direction, code] : sides) {
        Collected h;
        running = {pattern(pattern_id::HEAD_OR_TAILS, 1, 0.f, {0, 0}, 360.f - direction)};
        updateSpawnPatterns(running, 0.01f, h.fn(), {});
        ASSERT_EQ(h.enemies.size(), 1u);
        EXPECT_EQ(h.enemies[0].angle, code) << direction;
    }
}

TEST(SpawnPatterns, FinishEmptyAndUnknownPatterns)
{
    Collected c;
    std::list<SpawnPattern> running{pattern(pattern_id::FINISH, 0, 0.f), pattern(pattern_id::BEE, 0, 0.5f),
                                    pattern(40, 3, 0.1f), pattern(-2, 3, 0.1f)};
    EXPECT_TRUE(updateSpawnPatterns(running, 0.02f, c.fn(), {}));
    EXPECT_TRUE(c.enemies.empty());
    EXPECT_TRUE(running.empty());
    EXPECT_FALSE(updateSpawnPatterns(running, 0.02f, c.fn(), {}));
}
