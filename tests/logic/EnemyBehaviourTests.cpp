#include "enemies/DragonFlyEnemy.h"
#include "enemies/EnemyManager.h"
#include "enemies/ExponentialEnemy.h"
#include "enemies/FlyingShooterEnemies.h"
#include "enemies/SpiralEnemies.h"
#include "enemies/StraightBulletEnemy.h"
#include "play/BulletManager.h"
#include "support/EnemyFixtures.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using testing_support::enemyData;

namespace {

float bulletBearing(const Bullet& b) { return b.angle; }

} // namespace

TEST(EnemyBehaviour, BeeEntersThenAimsAtTheNearerPlayerOrTheCentre)
{
    BulletManager bullets;
    ASSERT_GT(bullets.typeCount(), 1) << "bullet types file missing";

    BeeEnemy inside(enemyData(enemy_type::BEE, {800, 500}, 90));
    inside.update(0.02f, &bullets, {}, 0);
    EXPECT_EQ(inside.entered, 1);

    // Spawned above the field it fires nothing until it has crossed into it.
    BeeEnemy outside(enemyData(enemy_type::BEE, {800, -250}, 90));
    float t = 0.f;
    while (!outside.entered && t < 5.f) {
        outside.update(0.05f, &bullets, {}, 0);
        t += 0.05f;
    }
    EXPECT_TRUE(bullets.bullets.empty());
    EXPECT_GT(outside.position.y, 0.f);

    // With nobody in play it aims at the screen centre, and its own course is unchanged.
    for (int i = 0; i < 40 && bullets.bullets.empty(); ++i)
        inside.update(0.05f, &bullets, {}, 0);
    ASSERT_EQ(bullets.bullets.size(), 1u);
    const Bullet& shot = bullets.bullets.front();
    const float toCentre = std::atan2(540.f - shot.position.y, 960.f - shot.position.x) * 57.295826f;
    EXPECT_NEAR(bulletBearing(shot), toCentre, 0.01f);
    EXPECT_FLOAT_EQ(inside.angle, 90.f);

    // Two players at the same distance: player 1 is the target.
    bullets.bullets.clear();
    BeeEnemy twin(enemyData(enemy_type::BEE, {960, 300}, 90));
    twin.entered = 1;
    twin.fireTimer = 1.54f;
    twin.update(0.02f, &bullets, {{760.f, 800.f}, {1160.f, 800.f}}, 0);
    ASSERT_EQ(bullets.bullets.size(), 1u);
    EXPECT_GT(bullets.bullets.front().angle, 90.f); // toward the left-hand player 1

    // The farther player 1 loses to a strictly nearer player 2.
    bullets.bullets.clear();
    twin.fireTimer = 1.54f;
    twin.update(0.02f, &bullets, {{560.f, 900.f}, {1160.f, 800.f}}, 0);
    ASSERT_EQ(bullets.bullets.size(), 1u);
    EXPECT_LT(bullets.bullets.front().angle, 90.f);
}

TEST(EnemyBehaviour, VolleysOfTheFlankAndStarShooters)
{
    BulletManager bullets;
    SideBeeEnemy side(enemyData(enemy_type::SIDE_BEE, {800, 500}, 30));
    side.entered = 1;
    side.update(1.6f, &bullets, {}, 0);
    ASSERT_EQ(bullets.bullets.size(), 2u);
    EXPECT_FLOAT_EQ(bullets.bullets.front().angle, 120.f);
    EXPECT_FLOAT_EQ(bullets.bullets.back().angle, 300.f);

    bullets.bullets.clear();
    BigLadybugEnemy big(enemyData(enemy_type::BIG_LADYBUG, {800, 500}, 330));
    big.entered = 1;
    big.update(1.5f, &bullets, {}, 0);
    ASSERT_EQ(bullets.bullets.size(), 6u);
    std::vector<float> angles;
    for (const Bullet& b : bullets.bullets)
        angles.push_back(b.angle);
    EXPECT_EQ(angles, (std::vector<float>{330.f, 30.f, 90.f, 150.f, 210.f, 270.f}));
}

TEST(EnemyBehaviour, DragonFlyHoversForFourVolleysThenLeaves)
{
    BulletManager bullets;
    DragonFlyEnemy fly(enemyData(enemy_type::DRAGONFLY, {800, 50}, 90));
    int frames = 0;
    bool removed = false;
    while (!removed && frames < 2000) {
        removed = fly.update(0.02f, &bullets, {}, 0);
        ++frames;
    }
    EXPECT_TRUE(removed);
    EXPECT_EQ(fly.volleys, 4);
    ASSERT_EQ(bullets.bullets.size(), 16u);
    // Four parallel lanes across the heading (x offsets of +-20 and +-40 for a downward flight).
    std::vector<float> lanes;
    for (const Bullet& b : bullets.bullets)
        if (lanes.size() < 4)
            lanes.push_back(b.origin.x);
    std::sort(lanes.begin(), lanes.end());
    EXPECT_NEAR(lanes[0], 760.f, 0.01f);
    EXPECT_NEAR(lanes[3], 840.f, 0.01f);

    // One that never reaches the hover box never fires and leaves by the outer box only.
    bullets.bullets.clear();
    DragonFlyEnemy passer(enemyData(enemy_type::DRAGONFLY, {100, -200}, 90));
    for (frames = 0; frames < 2000 && !passer.update(0.02f, &bullets, {}, 0); ++frames) {
    }
    EXPECT_TRUE(bullets.bullets.empty());
    EXPECT_GT(passer.position.y, 1380.f);
}

TEST(EnemyBehaviour, SpiralsBulletsAndCurvesFollowTheirPaths)
{
    // A snail with 3 s of lag starts 3 s into its spiral and is gone 5 s later.
    EnemyData snailData = enemyData(enemy_type::SNAIL, {1970, 100}, 0);
    snailData.lag = 3.f;
    SnailEnemy snail(snailData);
    float t = 0.f;
    bool removed = false;
    while (!removed && t < 20.f) {
        removed = snail.update(0.125f, nullptr, {}, 0);
        t += 0.125f;
        if (!removed) {
            EXPECT_LT(std::hypot(snail.position.x - 960.f, snail.position.y - 540.f), 701.f);
        }
    }
    EXPECT_FLOAT_EQ(t, 5.f);

    // The snail bullet always shows its first frame.
    SnailBulletEnemy pellet(enemyData(enemy_type::SNAIL_BULLET, {1970, 100}, 0));
    for (int i = 0; i < 30; ++i) {
        pellet.update(0.03f, nullptr, {}, 0);
        EXPECT_EQ(pellet.frame.left, 0.f);
    }

    // Straight bullets fly at the speed carried in the target's x.
    StraightBulletEnemy ball(enemyData(enemy_type::BIG_BULLET, {100, 100}, 90, {1200.f, 540.f}));
    ball.update(0.5f, nullptr, {}, 0);
    EXPECT_NEAR(ball.position.y, 700.f, 0.01f);
    EXPECT_EQ(ball.getType(), enemy_type::BIG_BULLET);

    // Exponential variant 2 (direction 10 mod 8): left and upward, facing its motion, and
    // the step stays finite through its first pixel, where the pace's logarithm is 0.
    ExponentialEnemy curve(enemyData(enemy_type::EXPONENTIAL, {1500, 900}, 358));
    EXPECT_EQ(curve.variant, 2);
    curve.update(0.02f, nullptr, {}, 0);
    EXPECT_LT(curve.position.x, 1500.f);
    EXPECT_LT(curve.position.y, 900.f);
    EXPECT_GT(std::fabs(curve.angle), 90.f);
    ExponentialEnemy slow(enemyData(enemy_type::EXPONENTIAL, {1500, 900}, 358));
    for (int i = 0; i < 100; ++i)
        slow.update(0.002f, nullptr, {}, 0);
    EXPECT_TRUE(std::isfinite(slow.position.x));
    EXPECT_GT(slow.step, 0);
    ExponentialEnemy still(enemyData(enemy_type::EXPONENTIAL, {500, 500}, -2147483647));
    EXPECT_EQ(still.variant, -1);
    EXPECT_FALSE(still.update(0.02f, nullptr, {}, 0));
    EXPECT_EQ(still.position, sf::Vector2f(500.f, 500.f));
}
