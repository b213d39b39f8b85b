#include "engine/Engine.h"
#include "play/Laser.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"
#include "play/Shield.h"
#include "support/GameFixtures.h"

#include <cmath>
#include <utility>
#include <gtest/gtest.h>

using testing_support::startCharge;

namespace {
constexpr float DT = 1.f / 60.f;

std::vector<int> activeMuzzles(const Player2D& p)
{
    std::vector<int> out;
    for (size_t i = 0; i < p.shootPoints.size(); ++i)
        if (p.shootPoints[i].active)
            out.push_back(static_cast<int>(i));
    return out;
}

// Restores the engine's run choices after a test changes them.
struct EngineChoices {
    ~EngineChoices()
    {
        engine().run = RunSettings{};
    }
};
} // namespace

TEST(PlayPlayer, StartsAndRevivesWithTheLivesOfTheChosenDifficulty)
{
    EngineChoices restore;
    const std::pair<Difficulty, int> expected[] = {
        {Difficulty::Easy, 5}, {Difficulty::Normal, 3}, {Difficulty::Hard, 2}, {static_cast<Difficulty>(42), 3}};
    for (const auto& e : expected) {
        engine().run.difficulty = e.first;
        Player2D p(1, engine().run, engine().textures);
        EXPECT_EQ(p.lives, e.second) << "difficulty " << static_cast<int>(e.first);
        p.lives = 0;
        p.revive({960.f, 540.f});
        EXPECT_EQ(p.lives, e.second) << "revived at difficulty " << static_cast<int>(e.first);
    }
}

// The hit box is an 8 px square centred across the ship (bullets on either side of it
// must be judged alike), and the muzzles ring the ship 18 px out.
TEST(PlayPlayer, HitBoxAndMuzzlesFollowTheShip)
{
    Player2D p(0, engine().run, engine().textures);
    p.position = {800.f, 600.f};
    p.move(DT, ShipLayout::Open);
    EXPECT_EQ(p.hitBox, sf::FloatRect(796.f, 592.f, 8.f, 8.f));
    p.move(DT, ShipLayout::Corridor);
    EXPECT_EQ(p.hitBox, sf::FloatRect(800.f, 596.f, 8.f, 8.f));
    p.position = {900.f, 600.f};
    p.move(DT, static_cast<ShipLayout>(7));
    EXPECT_EQ(p.hitBox, sf::FloatRect(800.f, 596.f, 8.f, 8.f)); // other layouts leave it
    EXPECT_NEAR(p.shootPoints[0].x, 918.f, 1e-3f);
    EXPECT_NEAR(p.shootPoints[0].y, 600.f, 1e-3f);
    EXPECT_NEAR(p.shootPoints[16].x, 900.f, 1e-3f);
    EXPECT_NEAR(p.shootPoints[16].y, 618.f, 1e-3f);
}

TEST(PlayPlayer, MovementStaysInThePlayAreaForBothShips)
{
    // The play area runs from x 240 to 1680, over the screen's whole height.
    for (int index : {0, 1}) {
        Player2D p(index, engine().run, engine().textures);
        const sf::Vector2f half = p.halfSize();
        p.moving = 1;
        const auto move = [&](sf::Vector2f from, float angle, int speed, float seconds) {
            p.position = from;
            p.moveAngle = angle;
            p.speed = speed;
            p.move(seconds, ShipLayout::Open);
            return p.position;
        };
        // A 20 px step from 10 px off the left edge stops exactly at it, and a second stays there.
        EXPECT_FLOAT_EQ(move({250.f + half.x, 540.f}, 180.f, 80, 0.25f).x - half.x, 240.f);
        EXPECT_FLOAT_EQ(move(p.position, 180.f, 80, 0.25f).x - half.x, 240.f);
        EXPECT_NEAR(move({1674.5f - half.x, 540.f}, 0.f, 1200, DT).x + half.x, 1679.5f, 0.5f);
        EXPECT_NEAR(move({960.f, 1077.f - half.y}, 90.f, 1200, DT).y + half.y, 1079.5f, 0.5f);
        EXPECT_GE(move({960.f, half.y + 0.5f}, 270.f, 1200, DT).y - half.y, 0.f);
        p.mode = WeaponMode::Charging; // a charging ship moves at 360 px/s, whatever its speed
        EXPECT_NEAR(move({960.f, 540.f}, 90.f, 1200, DT).y - 540.f, 360.f * DT, 1e-3f);
    }
}

TEST(PlayPlayer, MuzzleChoiceAtAnyHeading)
{
    Player2D p(0, engine().run, engine().textures);
    // Fan shot while the special timer is 0 or more: six muzzles around the heading.
    p.selectShootPoints(0.f);
    EXPECT_EQ(activeMuzzles(p), (std::vector<int>{0, 1, 2, 61, 62, 63}));
    p.update(DT, nullptr, ShipLayout::Open); // the timer drops below 0: twin shot
    p.selectShootPoints(0.f);
    EXPECT_EQ(activeMuzzles(p), (std::vector<int>{16, 48}));
    EXPECT_EQ(p.angle, 0.f);
    // Headings far below zero, past a full turn, and not numbers at all land on the ring.
    for (float heading : {-368.f, -725.f, -1e6f, 1e6f, 359.9f, -0.1f, 90.f}) {
        p.selectShootPoints(heading);
        const std::vector<int> active = activeMuzzles(p);
        ASSERT_EQ(active.size(), 2u) << heading;
        EXPECT_GE(p.angle, 0.f);
        EXPECT_LT(p.angle, 360.f);
    }
    p.selectShootPoints(-368.f); // the nearest muzzle, not the next one round
    EXPECT_FLOAT_EQ(p.angle, 354.375f);
    p.selectShootPoints(90.f);
    EXPECT_EQ(activeMuzzles(p), (std::vector<int>{0, 32}));
    p.selectShootPoints(std::nanf(""));
    EXPECT_EQ(p.angle, 0.f);
}

TEST(PlayPlayer, HitInvulnerabilityAndBlinkTiming)
{
    ParticleSystem particles(engine().textures);
    Player2D p(0, engine().run, engine().textures);
    p.particles = &particles;
    p.position = {960.f, 540.f};
    p.hit();
    EXPECT_TRUE(p.invulnerable);
    EXPECT_EQ(p.lives, 2);
    EXPECT_EQ(particles.count(), 1); // the player explosion
    // A ship in its hit phase stays where it was hit, whatever is held, and raises no shield.
    p.moving = 1;
    p.moveAngle = 0.f;
    p.update(0.5f, &particles, ShipLayout::Open);
    EXPECT_EQ(p.position.x, 960.f);
    p.gauge = 50.f;
    p.raiseShield();
    EXPECT_EQ(p.mode, WeaponMode::Normal);
    p.update(0.99f, &particles, ShipLayout::Open);
    EXPECT_TRUE(p.invulnerable);
    p.update(0.02f, &particles, ShipLayout::Open);
    EXPECT_FALSE(p.invulnerable);
    EXPECT_TRUE(p.blinking);
    p.update(2.49f, &particles, ShipLayout::Open);
    EXPECT_TRUE(p.blinking);
    p.update(0.02f, &particles, ShipLayout::Open);
    EXPECT_FALSE(p.blinking);
}

TEST(PlayPlayer, LosingTheLastLife)
{
    Player2D p(0, engine().run, engine().textures);
    p.lives = 1;
    p.gauge = 80.f;
    startCharge(p);
    p.startLaser(0.f);
    p.hit();
    EXPECT_EQ(p.lives, 0);
    EXPECT_EQ(p.hitPoints, 1);
    EXPECT_EQ(p.gauge, 20.f);
    EXPECT_EQ(p.laser, nullptr);
    p.hit(); // two hits in a row both count; lives never go below 0
    EXPECT_EQ(p.lives, 0);
    // The laser is gone, so the next update ends the laser mode cleanly.
    p.update(DT, nullptr, ShipLayout::Open);
    EXPECT_EQ(p.mode, WeaponMode::Normal);
    EXPECT_EQ(p.shield, nullptr);
}

TEST(PlayPlayer, GaugeLatchAndCheats)
{
    EngineChoices restore;
    Player2D p(0, engine().run, engine().textures);
    engine().run.cheatLaser = true;
    p.update(DT, nullptr, ShipLayout::Open);
    EXPECT_EQ(p.gauge, 100.f);
    EXPECT_TRUE(p.gaugeFullLatch);
    engine().run.cheatLaser = false;
    p.gauge = 99.f;
    p.update(DT, nullptr, ShipLayout::Open);
    EXPECT_FALSE(p.gaugeFullLatch);

    engine().run.cheatLives = true;
    p.lives = 97;
    for (int i = 0; i < 5; ++i)
        p.update(DT, nullptr, ShipLayout::Open);
    EXPECT_EQ(p.lives, 99);
}

// The trigger as the play input pulls it once a frame: a volley every 0.08 s while held
// (12 a second), the fan while the special bonus lasts; a charging ship's pull restarts
// the interval without a shot, and a ship in its hit phase fires nothing.
TEST(PlayPlayer, TriggerFiresAVolleyEveryShotInterval)
{
    Player2D p(0, engine().run, engine().textures);
    p.position = {960.f, 540.f};
    const auto frames = [&](int n, bool held) {
        int volleys = 0;
        for (int i = 0; i < n; ++i) {
            volleys += p.pullTrigger(held) != Shot::None;
            p.update(DT, nullptr, ShipLayout::Open);
        }
        return volleys;
    };
    EXPECT_EQ(p.pullTrigger(true), Shot::Fan); // a new ship's special timer starts at 0
    p.update(DT, nullptr, ShipLayout::Open);
    EXPECT_EQ(frames(4, false), 0);
    EXPECT_EQ(p.pullTrigger(true), Shot::Twin);
    p.update(DT, nullptr, ShipLayout::Open);
    EXPECT_EQ(frames(59, true), 11);
    frames(5, false);
    p.startFanShot(10.f);
    EXPECT_EQ(p.pullTrigger(true), Shot::Fan);

    frames(5, false);
    p.refillGauge();
    p.raiseShield();
    ASSERT_EQ(p.mode, WeaponMode::Charging);
    EXPECT_EQ(p.pullTrigger(true), Shot::None);
    p.cancelWeapons();
    EXPECT_EQ(p.pullTrigger(true), Shot::None) << "the charging pull restarted the interval";
    EXPECT_EQ(frames(6, true), 1);

    frames(5, false);
    p.hit();
    EXPECT_EQ(p.pullTrigger(true), Shot::None);
}

// The speed keys: in normal shots what is held decides; while the laser charges a
// press sets the speed once and it stays until both keys are let go and one is pressed.
TEST(PlayPlayer, SpeedKeysSetTheSpeedOncePerPress)
{
    Player2D p(0, engine().run, engine().textures);
    p.holdSpeedKeys(true, false);
    EXPECT_EQ(p.speed, 480);
    p.holdSpeedKeys(false, false);
    EXPECT_EQ(p.speed, 720);
    p.holdSpeedKeys(false, true);
    EXPECT_EQ(p.speed, 960);

    p.refillGauge();
    p.raiseShield();
    ASSERT_EQ(p.mode, WeaponMode::Charging);
    p.holdSpeedKeys(true, true); // slower pressed while faster is still held
    EXPECT_EQ(p.speed, 960);
    p.holdSpeedKeys(false, false);
    EXPECT_EQ(p.speed, 960);
    p.holdSpeedKeys(true, false);
    EXPECT_EQ(p.speed, 480);
}

// The level flow's verbs: a ship joining a boss fight takes part in it, leaving the
// fight leaves the ship blinking out of the bullets' reach, lives stop at 99.
TEST(PlayPlayer, BossLevelBlinkAndLives)
{
    Player2D p(0, engine().run, engine().textures), joining(1, engine().run, engine().textures);
    p.position = joining.position = {960.f, 540.f};
    p.enterBossLevel();
    joining.joinBossLevelOf(p);
    EXPECT_TRUE(joining.inBossLevel());
    p.creditTimeBonus(12.5f);
    EXPECT_EQ(p.timeBonus, 12500.f);
    EXPECT_TRUE(p.isVulnerable());
    p.leaveBossLevel();
    EXPECT_FALSE(p.inBossLevel());
    EXPECT_FALSE(p.isVulnerable());
    p.update(Player2D::BLINK_TIME + DT, nullptr, ShipLayout::Open);
    EXPECT_TRUE(p.isVulnerable());
    p.clearBossTally();
    EXPECT_EQ(p.timeBonus, 0.f);

    p.lives = 95;
    p.gainLives(10);
    EXPECT_EQ(p.lives, Player2D::MAX_LIVES);
}
