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

// One enemy per interval at the usual frame: every row of SpawnPatternTable.
TEST(SpawnPatterns, ALongFrameReleasesSeveralEachWithItsLagAndNoIntervalNeverHangs)
{
    // A long frame releases several enemies, each with its own lag.
    Collected big;
    std::list<SpawnPattern> running{pattern(pattern_id::BEE, 3, 0.5f)};
    updateSpawnPatterns(running, 1.2f, big.fn(), {});
    ASSERT_EQ(big.enemies.size(), 2u);
    EXPECT_NEAR(big.enemies[0].lag, 0.7f, 1e-5);
    EXPECT_NEAR(big.enemies[1].lag, 0.2f, 1e-5);
    updateSpawnPatterns(running, 0.4f, big.fn(), {});
    EXPECT_EQ(big.enemies.size(), 3u);

    // Each is due strictly after its interval: four frames of 0.125 s are not yet enough
    // (the frame time sums exactly in binary).
    Collected timed;
    running = {pattern(pattern_id::BEE, 2, 0.5f)};
    for (int i = 0; i < 4; ++i)
        updateSpawnPatterns(running, 0.125f, timed.fn(), {});
    EXPECT_TRUE(timed.enemies.empty());
    updateSpawnPatterns(running, 0.125f, timed.fn(), {});
    EXPECT_EQ(timed.enemies.size(), 1u);

    // Zero or negative intervals cannot loop forever: the count bounds the loop.
    Collected fast;
    running = {pattern(pattern_id::LITTLE_LADYBUG, 7, 0.f), pattern(pattern_id::LITTLE_LADYBUG, 5, -1.f)};
    updateSpawnPatterns(running, 0.01f, fast.fn(), {});
    EXPECT_EQ(fast.enemies.size(), 12u);
    EXPECT_TRUE(running.empty());
}

TEST(SpawnPatterns, HugeWaveAnglesAreTakenInClosedForm)
{
    // Huge angles are handled in closed form (an 8-degree stepping loop would never end).
    Collected extreme;
    std::list<SpawnPattern> running{pattern(pattern_id::EXPONENTIAL_WAVE, 1, 0.f, {0, 0}, -3e9f),
                                    pattern(pattern_id::EXPONENTIAL_WAVE, 1, 0.f, {0, 0}, 1e30f)};
    updateSpawnPatterns(running, 0.01f, extreme.fn(), {});
    EXPECT_EQ(extreme.enemies.size(), 2u);
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
