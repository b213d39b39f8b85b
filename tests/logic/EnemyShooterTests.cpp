// The aiming shooters and dashers over fixed steps: arrival, aim, pushes, turns, dashes,
// the eater's bite cycle, and each kind's way off the field.
#include "enemies/AimingShooterEnemies.h"
#include "enemies/DashingEnemies.h"
#include "enemies/EaterEnemy.h"
#include "enemies/EnemyManager.h"
#include "enemies/EnemyMath.h"
#include "play/BulletManager.h"
#include "support/EnemyFixtures.h"

#include <cmath>
#include <gtest/gtest.h>

using testing_support::enemyData;

namespace {

float bearingTo(sf::Vector2f from, sf::Vector2f to) { return std::atan2(to.y - from.y, to.x - from.x) * 57.295826f; }

bool insideScreen(sf::Vector2f p) { return p.x >= 0.f && p.x <= 1920.f && p.y >= 0.f && p.y <= 1080.f; }

// Runs updates of dt until the enemy asks to go or the step budget runs out; returns the steps run.
template <class E>
int runUntilRemoved(E& e, BulletManager* bullets, const std::vector<sf::Vector2f>& players, float dt, int budget)
{
    for (int i = 1; i <= budget; ++i)
        if (e.update(dt, bullets, players, 0))
            return i;
    return -1;
}

} // namespace

TEST(EnemyShooter, PushOffTheFieldMatchesStepwisePushingAndEndsOnAZeroStep)
{
    const sf::Vector2f steps[] = {{37.f, 11.f}, {-3.f, 0.5f}, {0.f, -7.f}, {0.25f, 0.f}, {-500.f, 900.f}};
    for (const sf::Vector2f step : steps) {
        sf::Vector2f looped(700.f, 400.f);
        while (looped.x > -200.f && looped.x < 2120.f && looped.y > -200.f && looped.y < 1280.f)
            looped += step;
        const sf::Vector2f pushed = pushTargetOffField({700.f, 400.f}, step, 0.f);
        EXPECT_NEAR(pushed.x, looped.x, 0.05f) << step.x << "," << step.y;
        EXPECT_NEAR(pushed.y, looped.y, 0.05f) << step.x << "," << step.y;
    }
    // A target already off the field stays; a zero step follows the fallback heading off the field.
    EXPECT_EQ(pushTargetOffField({-300.f, 10.f}, {5.f, 0.f}, 0.f), sf::Vector2f(-300.f, 10.f));
    const sf::Vector2f down = pushTargetOffField({500.f, 500.f}, {0.f, 0.f}, 90.f);
    EXPECT_NEAR(down.x, 500.f, 0.01f);
    EXPECT_GE(down.y, 1280.f);
    EXPECT_LT(down.y, 1282.f);
    // Tiny steps finish at once too.
    const sf::Vector2f crawl = pushTargetOffField({500.f, 500.f}, {1e-7f, 0.f}, 0.f);
    EXPECT_GE(crawl.x, 2120.f);
}

TEST(EnemyShooter, SingleShooterAimsAtTheNearerPlayerThenFliesPastAndOff)
{
    BulletManager bullets;
    ASSERT_GT(bullets.typeCount(), 7) << "bullet types file missing";
    const std::vector<sf::Vector2f> players{{300.f, 1000.f}, {1200.f, 900.f}};
    ShooterEnemy shooter(enemyData(enemy_type::SHOOTER, {960.f, 100.f}, 0, {960.f, 400.f}, 1));
    EXPECT_NEAR(shooter.angle, 90.f, 0.01f);

    // 300 px at 300 px/s: it arrives after about a second, then fires once at player 2.
    int steps = 0;
    while (!shooter.fired && steps < 200) {
        shooter.update(0.02f, &bullets, players, 0);
        ++steps;
    }
    EXPECT_NEAR(steps * 0.02f, 1.0f, 0.05f);
    EXPECT_EQ(shooter.playerIndex, 1);
    ASSERT_EQ(bullets.bullets.size(), 1u);
    const float toPlayer = bearingTo(bullets.bullets.front().position, players[1]);
    EXPECT_NEAR(bullets.bullets.front().angle, enemy_math::wrap360(toPlayer), 1.f);
    EXPECT_NEAR(shooter.angle, bullets.bullets.front().angle, 0.01f);
    EXPECT_FALSE(insideScreen(shooter.target));

    // It flies on at 400 px/s past the player and is removed once at the pushed target, off screen.
    const sf::Vector2f before = shooter.position;
    shooter.update(0.1f, &bullets, players, 0);
    EXPECT_NEAR(std::hypot(shooter.position.x - before.x, shooter.position.y - before.y), 40.f, 0.1f);
    EXPECT_GT(runUntilRemoved(shooter, &bullets, players, 0.02f, 500), 0);
    EXPECT_FALSE(insideScreen(shooter.position));
    EXPECT_EQ(bullets.bullets.size(), 1u);

    // A formation shooter keeps its course: it fires straight along it, not at a player.
    bullets.bullets.clear();
    ShooterEnemy member(enemyData(enemy_type::SHOOTER, {960.f, 100.f}, 0, {960.f, 400.f}, 0));
    for (int i = 0; i < 80 && !member.fired; ++i)
        member.update(0.02f, &bullets, players, 0);
    ASSERT_EQ(bullets.bullets.size(), 1u);
    EXPECT_NEAR(bullets.bullets.front().angle, 90.f, 0.5f);
    EXPECT_NEAR(member.target.x, 960.f, 0.5f);
    EXPECT_GE(member.target.y, 1280.f);
}

TEST(EnemyShooter, ShooterArrivingOnThePlayerKeepsFlyingInsteadOfHanging)
{
    BulletManager bullets;
    const std::vector<sf::Vector2f> players{{960.f, 400.f}};
    // The single shooter's player stands exactly where it arrives: the push has no step.
    ShooterEnemy shooter(enemyData(enemy_type::SHOOTER, {960.f, 395.f}, 0, {960.f, 400.f}, 1));
    shooter.position = players[0];
    shooter.update(0.02f, &bullets, players, 0);
    EXPECT_EQ(shooter.fired, 1);
    EXPECT_TRUE(std::isfinite(shooter.position.x) && std::isfinite(shooter.position.y));
    EXPECT_FALSE(insideScreen(shooter.target));
    EXPECT_GT(runUntilRemoved(shooter, &bullets, players, 0.02f, 1000), 0);

    // Without players it aims at the screen centre.
    ShooterEnemy alone(enemyData(enemy_type::SHOOTER, {960.f, 100.f}, 0, {600.f, 100.f}, 1));
    alone.position = {605.f, 100.f};
    alone.update(0.02f, &bullets, {}, 0);
    EXPECT_NEAR(alone.angle, enemy_math::wrap360(bearingTo({605.f, 100.f}, {960.f, 540.f})), 0.5f);
}

TEST(EnemyShooter, QuarterShooterFiresThenTurnsBackToItsCorner)
{
    BulletManager bullets;
    const std::vector<sf::Vector2f> players{{960.f, 900.f}};
    // From the top drifting left: side 0, fires past y 260, turns clockwise toward (240, 0).
    QuarterShooterEnemy q(enemyData(enemy_type::QUARTER_SHOOTER, {1200.f, -50.f}, 100, {}, 1));
    EXPECT_EQ(q.side, 0);
    const float dt = 0.01f;
    int steps = 0;
    while (!q.fired && steps < 1000) {
        q.update(dt, &bullets, players, 0);
        ++steps;
    }
    ASSERT_EQ(q.fired, 1);
    EXPECT_GT(q.position.y, 260.f);
    EXPECT_LT(q.position.y, 266.f);
    EXPECT_EQ(q.turnDir, 1);
    EXPECT_FLOAT_EQ(q.entryAngle, 100.f);
    ASSERT_EQ(bullets.bullets.size(), 1u);
    EXPECT_NEAR(bullets.bullets.front().angle, enemy_math::wrap360(bearingTo(bullets.bullets.front().position, players[0])),
                0.5f);
    while (!q.turned && steps < 2000) {
        q.update(dt, &bullets, players, 0);
        ++steps;
    }
    ASSERT_EQ(q.turned, 1);
    EXPECT_NEAR(q.angle, enemy_math::wrap360(bearingTo(q.position, {240.f, 0.f})), 4.f);
    EXPECT_GT(runUntilRemoved(q, &bullets, players, dt, 1000), 0);
    EXPECT_LT(q.position.x, 700.f);
    EXPECT_LT(q.position.y, 0.f);

    // The heading's quarter picks the entry edge.
    const int sides[4][2] = {{0, 2}, {90, 0}, {180, 3}, {270, 1}};
    for (const auto& s : sides)
        EXPECT_EQ(QuarterShooterEnemy(enemyData(enemy_type::QUARTER_SHOOTER, {}, s[0], {}, 1)).side, s[1]) << s[0];
    // From the right drifting up (heading above 180) it crosses 0/360 turning toward (1680, 0).
    QuarterShooterEnemy right(enemyData(enemy_type::QUARTER_SHOOTER, {1980.f, 700.f}, 200, {}, 1));
    for (int i = 0; i < 3000 && !right.turned; ++i)
        right.update(dt, &bullets, players, 0);
    EXPECT_EQ(right.turnDir, 1);
    ASSERT_EQ(right.turned, 1);
    EXPECT_NEAR(right.angle, enemy_math::wrap360(bearingTo(right.position, {1680.f, 0.f})), 4.f);
}

TEST(EnemyShooter, HeadsOrTailsRunsAlongTheEdgeAndFiresAcrossAtPlayerOne)
{
    BulletManager bullets;
    // Player 2 is nearer, but the butterfly always lines up with player 1.
    const std::vector<sf::Vector2f> players{{1300.f, 900.f}, {700.f, 150.f}};
    HeadsOrTailsEnemy top(enemyData(enemy_type::HEADS_OR_TAILS, {600.f, -60.f}, 0, {}, 0));
    EXPECT_FLOAT_EQ(top.angle, 90.f);
    EXPECT_EQ(top.turnDir, 0); // x < 960: turns down through the angles, toward the right
    const float dt = 0.01f;
    int steps = 0;
    while (!top.turned && steps < 500) {
        top.update(dt, &bullets, players, 0);
        ++steps;
    }
    ASSERT_EQ(top.turned, 1);
    EXPECT_FLOAT_EQ(top.angle, 5.f);
    EXPECT_TRUE(bullets.bullets.empty());
    while (!top.fired && steps < 1000) {
        top.update(dt, &bullets, players, 0);
        ++steps;
    }
    ASSERT_EQ(top.fired, 1);
    EXPECT_LT(std::fabs(top.position.x - players[0].x), 10.f);
    ASSERT_EQ(bullets.bullets.size(), 1u);
    EXPECT_FLOAT_EQ(bullets.bullets.front().angle, 90.f);
    while (top.turning && steps < 1200) {
        top.update(dt, &bullets, players, 0);
        ++steps;
    }
    EXPECT_FLOAT_EQ(top.angle, 135.f);
    EXPECT_GT(runUntilRemoved(top, &bullets, players, dt, 1000), 0);
    EXPECT_EQ(bullets.bullets.size(), 1u);

    // From the right, below the middle, it turns to climb along the right edge.
    HeadsOrTailsEnemy right(enemyData(enemy_type::HEADS_OR_TAILS, {1980.f, 800.f}, 3, {}, 0));
    EXPECT_EQ(right.turnDir, 1);
    for (int i = 0; i < 500 && !right.turned; ++i)
        right.update(dt, &bullets, players, 0);
    EXPECT_FLOAT_EQ(right.angle, 265.f);

    // An unknown side code flies straight on and is removed off the field.
    HeadsOrTailsEnemy lost(enemyData(enemy_type::HEADS_OR_TAILS, {960.f, 540.f}, 9, {2000.f, 540.f}, 0));
    EXPECT_GT(runUntilRemoved(lost, &bullets, players, 0.02f, 500), 0);
}

TEST(EnemyShooter, GrasshoppersHoldThenDashStraightOnOrAtThePlayer)
{
    // From a formation it keeps its entry heading: it lands, holds 1.5 s, dashes on at 900 px/s.
    const std::vector<sf::Vector2f> players{{400.f, 540.f}};
    StayAndDashEnemy hopper(enemyData(enemy_type::STAY_AND_DASH, {960.f, 20.f}, 90, {}, 0));
    EXPECT_EQ(hopper.frame, sf::FloatRect(744.f, 0.f, 124.f, 85.f));
    int steps = 0;
    while (!hopper.stopped && steps < 100) {
        hopper.update(0.01f, nullptr, players, 0);
        ++steps;
    }
    ASSERT_EQ(hopper.stopped, 1);
    const sf::Vector2f held = hopper.position;
    for (int i = 0; i < 149; ++i)
        hopper.update(0.01f, nullptr, players, 0);
    EXPECT_EQ(hopper.position, held);
    EXPECT_FLOAT_EQ(hopper.angle, 90.f);
    for (int i = 0; i < 2; ++i)
        hopper.update(0.01f, nullptr, players, 0);
    ASSERT_EQ(hopper.dashing, 1);
    const sf::Vector2f dashFrom = hopper.position;
    hopper.update(0.1f, nullptr, players, 0);
    EXPECT_NEAR(hopper.position.y - dashFrom.y, 90.f, 0.01f);
    EXPECT_NEAR(hopper.position.x, dashFrom.x, 0.01f);
    EXPECT_GT(runUntilRemoved(hopper, nullptr, players, 0.02f, 200), 0);

    // A single one turns toward the player while it holds, then dashes at it.
    StayAndDashEnemy tracker(enemyData(enemy_type::STAY_AND_DASH, {1000.f, 540.f}, 90, {}, 1));
    tracker.update(0.01f, nullptr, players, 0); // already in the field: it stops at once
    ASSERT_EQ(tracker.stopped, 1);
    EXPECT_EQ(tracker.clockwise, 1); // from heading down to the player on the left: clockwise
    for (int i = 0; i < 140; ++i)
        tracker.update(0.01f, nullptr, players, 0);
    EXPECT_EQ(tracker.aimed, 1);
    EXPECT_NEAR(enemy_math::wrap360(tracker.angle), 180.f, 0.5f);
    for (int i = 0; i < 20 && !tracker.dashing; ++i)
        tracker.update(0.01f, nullptr, players, 0);
    ASSERT_EQ(tracker.dashing, 1);
    EXPECT_EQ(tracker.target, players[0]);
    const float x = tracker.position.x;
    tracker.update(0.1f, nullptr, players, 0);
    EXPECT_NEAR(tracker.position.x, x - 90.f, 0.5f);
}

TEST(EnemyShooter, BruiserDashesFourTimesEndingAtRestThenLeaves)
{
    const std::vector<sf::Vector2f> players{{700.f, 800.f}};
    BruiserEnemy bruiser(enemyData(enemy_type::BRUISER, {960.f, -100.f}, 0, {960.f, 540.f}, 1));
    EXPECT_NEAR(bruiser.angle, 90.f, 0.01f);
    const float dt = 0.01f;
    int steps = 0;
    while (bruiser.state != BruiserEnemy::DASHING && steps < 2000) {
        bruiser.update(dt, nullptr, players, 0);
        ++steps;
    }
    ASSERT_EQ(bruiser.state, BruiserEnemy::DASHING);
    EXPECT_EQ(bruiser.aimed, 1);
    EXPECT_NEAR(bruiser.angle, std::atan2(800.f - bruiser.position.y, 700.f - bruiser.position.x) * 180.f / 3.1415927f,
                0.01f);
    // The dash covers the distance to the player's position in 1.5 s and ends at rest.
    const sf::Vector2f from = bruiser.position;
    while (bruiser.state == BruiserEnemy::DASHING && steps < 4000) {
        bruiser.update(dt, nullptr, players, 0);
        ++steps;
    }
    EXPECT_NEAR(bruiser.position.x, players[0].x, 6.f);
    EXPECT_NEAR(bruiser.position.y, players[0].y, 6.f);
    EXPECT_LT(std::hypot(bruiser.velocity.x, bruiser.velocity.y), 0.02f * std::hypot(from.x - 700.f, from.y - 800.f));
    EXPECT_EQ(bruiser.dashes, 1);

    while (bruiser.state != BruiserEnemy::LEAVING && steps < 20000) {
        bruiser.update(dt, nullptr, players, 0);
        ++steps;
    }
    ASSERT_EQ(bruiser.state, BruiserEnemy::LEAVING);
    EXPECT_EQ(bruiser.dashes, 4);
    EXPECT_GT(runUntilRemoved(bruiser, nullptr, players, dt, 1000), 0);
}

TEST(EnemyShooter, EaterChasesPlayerOneBitesWaitsAndRecovers)
{
    EnemyManager m;
    EnemyData d = enemyData(enemy_type::EATER, {1500.f, 540.f}, 0, {}, 1);
    m.spawnEnemy(d, {});
    auto& eater = static_cast<EaterEnemy&>(*m.enemies[0]);
    // Player 2 is much nearer; the eater goes for player 1.
    const std::vector<sf::Vector2f> players{{500.f, 540.f}, {1400.f, 540.f}};
    const sf::FloatRect shot(1495.f, 535.f, 10.f, 10.f);
    EXPECT_EQ(m.hitTestRect(0, shot, 1), hit_result::NONE); // shut while it rushes
    const float dt = 0.01f;
    int steps = 0;
    while (eater.state == EaterEnemy::RUSHING && steps < 500) {
        m.update(dt, players);
        ++steps;
    }
    ASSERT_EQ(eater.state, EaterEnemy::BITING);
    EXPECT_NEAR(steps * dt, (1000.f - 25.f) / 960.f, 0.02f);
    EXPECT_LE(std::hypot(eater.position.x - 500.f, eater.position.y - 540.f), 25.f);
    EXPECT_EQ(eater.frame.top, EaterEnemy::BITE_ROW_TOP);

    // The jaws open to hits late in the bite.
    const sf::FloatRect atMouth(eater.position.x - 5.f, eater.position.y - 5.f, 10.f, 10.f);
    eater.animation.elapsed = 0.1f;
    EXPECT_EQ(m.hitTestRect(0, atMouth, 1), hit_result::NONE);
    eater.animation.elapsed = 0.2f;
    EXPECT_EQ(m.hitTestRect(0, atMouth, 1), hit_result::BODY);

    while (eater.state == EaterEnemy::BITING && steps < 1000) {
        m.update(dt, players);
        ++steps;
    }
    EXPECT_EQ(eater.state, EaterEnemy::WAITING);
    for (int i = 0; i < 140; ++i)
        m.update(dt, players);
    EXPECT_EQ(eater.state, EaterEnemy::WAITING);
    for (int i = 0; i < 20; ++i)
        m.update(dt, players);
    EXPECT_EQ(eater.state, EaterEnemy::RECOVERING);
    // Player 1 has moved away meanwhile: the eater rushes again.
    const std::vector<sf::Vector2f> moved{{500.f, 140.f}, players[1]};
    for (int i = 0; i < 30; ++i)
        m.update(dt, moved);
    EXPECT_EQ(eater.state, EaterEnemy::RUSHING);
    EXPECT_LT(eater.position.y, 540.f);
    EXPECT_EQ(eater.frame.top, 0.f);
    EXPECT_EQ(m.enemies.size(), 1u); // it never leaves on its own
}
