#include "engine/Engine.h"
#include "play/Laser.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"
#include "play/Shield.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>
#include <set>

using testing_support::startCharge;

namespace {
constexpr float DT = 1.f / 60.f;

// A laser from (960, 540) pointing right, run until it fires.
Laser firingLaser(float strength)
{
    Laser l(LASER_PLAYER1, strength, 0.f, engine().textures);
    for (int i = 0; i < 10 && l.state == LASER_AIMING; ++i)
        l.update(DT, {960.f, 540.f}, 0.f);
    return l;
}

bool beamHits(const Laser& l, const sf::FloatRect& r)
{
    for (const Polygon& s : l.segments)
        if (polygonIntersectsRect(s, r))
            return true;
    return false;
}
} // namespace

TEST(PlayShield, FollowsTheShipAndShrinksByStageWhileFiring)
{
    // (It grows while the laser charges: GameStatePlay.ShieldChargesThenTheLaserFiresAndHurts.)
    ParticleSystem particles(engine().textures);
    Shield s({500.f, 500.f}, 0, engine().textures);
    s.update({500.f, 500.f}, 0.2f, &particles);
    EXPECT_EQ(particles.count(), 20); // each step sends out a ring of 20 sparks of energy
    s.update({510.f, 500.f}, 1.f, &particles); // it follows the ship and its hit outline with it
    EXPECT_EQ(s.centre, sf::Vector2f(510.f, 500.f));
    EXPECT_NEAR(s.polygon()[3].position.y, 500.f + s.radius, 1e-3f);

    // Firing shrinks it by stage (50 px a second at the third); it never turns inside out.
    const float grown = s.radius;
    s.updateWhileFiring({510.f, 500.f}, 1.f, &particles, 2);
    EXPECT_NEAR(s.radius, grown - 50.f, 0.5f);
    s.updateWhileFiring({510.f, 500.f}, 1.f, &particles, 2);
    EXPECT_EQ(s.circle.getRadius(), 0.f);
}

// The charge cycle as the laser key drives it: shield, charge, laser, and back to shots.
TEST(PlayShield, TheChargeCycleFromShieldToLaserAndBack)
{
    ParticleSystem particles(engine().textures);
    Player2D p(0, engine().run, engine().textures);
    p.position = {960.f, 540.f};
    p.gauge = 19.9f;
    p.raiseShield();
    EXPECT_EQ(p.mode, WeaponMode::Normal);
    p.gauge = 20.f; // exactly the shield's cost is enough
    p.raiseShield();
    ASSERT_EQ(p.mode, WeaponMode::Charging);
    EXPECT_EQ(p.gauge, 0.f);
    p.update(0.5f, &particles, ShipLayout::Open);
    EXPECT_EQ(p.gauge, 0.f); // held at 0
    EXPECT_NEAR(p.charge, 0.4f, 1e-5f);
    // The laser raises a small shield to its full 50 px and lasts the charge plus a second.
    p.shield->setRadius(20.f);
    p.releaseCharge(-90.f);
    EXPECT_EQ(p.shield->radius, 50.f);
    EXPECT_NEAR(p.laserTime, 1.4f, 1e-5f);
    ASSERT_NE(p.laser, nullptr);
    EXPECT_EQ(p.laser->angle, -90.f);
    // The beam ends when its time runs out: back to shots without shield or laser.
    for (int i = 0; i < 200 && p.mode == WeaponMode::Laser; ++i) {
        p.laser->update(DT, p.position, p.laser->angle);
        p.update(DT, &particles, ShipLayout::Open);
    }
    EXPECT_EQ(p.mode, WeaponMode::Normal);
    EXPECT_EQ(p.laser, nullptr);
    EXPECT_EQ(p.shield, nullptr);
    EXPECT_EQ(p.charge, 0.f);
}

TEST(PlayShield, LosingTheShieldFallsBackSafely)
{
    ParticleSystem particles(engine().textures);
    Player2D p(1, engine().run, engine().textures);
    p.position = {960.f, 540.f};
    p.gauge = 50.f;
    ASSERT_TRUE(startCharge(p));
    p.destroyShield();
    EXPECT_EQ(p.shield, nullptr);
    EXPECT_EQ(p.mode, WeaponMode::Normal); // no charge without its shield
    p.update(DT, &particles, ShipLayout::Open);
    // A laser started with no shield fires without one.
    p.startLaser(0.f);
    EXPECT_EQ(p.mode, WeaponMode::Laser);
    p.update(DT, &particles, ShipLayout::Open);
    EXPECT_EQ(p.mode, WeaponMode::Laser);
    // A charge whose shield vanished behind the ship's back ends at the next update.
    p.stopLaser();
    ASSERT_TRUE(startCharge(p));
    p.shield.reset();
    p.update(DT, &particles, ShipLayout::Open);
    EXPECT_EQ(p.mode, WeaponMode::Normal);
}

TEST(PlayLaser, TurnsTheShortWayAtItsRateAndNarrowsOverItsLastSecond)
{
    // A target within 10 degrees does not turn it; one 90 away turns it 200 degrees a
    // second the short way round, however the target's angle is written.
    Laser l(LASER_PLAYER2, 2.f, 0.f, engine().textures);
    l.update(DT, {960.f, 540.f}, 8.f);
    EXPECT_EQ(l.angle, 0.f);
    l.update(DT, {960.f, 540.f}, -90.f);
    EXPECT_NEAR(l.angle, -200.f * DT, 1e-4f);
    l.update(DT, {960.f, 540.f}, 270.f);
    EXPECT_NEAR(l.angle, -400.f * DT, 1e-4f);

    // Strength 1: 40 px half-width, narrowing with the time left over the last second.
    Laser weak(LASER_PLAYER1, 1.f, 0.f, engine().textures);
    EXPECT_EQ(weak.halfWidth(), 40.f);
    weak.elapsed = 0.5f;
    EXPECT_NEAR(weak.halfWidth(), 32.5f, 1e-3f);
    weak.elapsed = 0.95f;
    EXPECT_NEAR(weak.halfWidth(), 12.5f, 1e-3f);

    // The flare at the ship and the impact flicker through their frames while the beam is on.
    std::set<float> flares, impacts;
    for (int i = 0; i < 15; ++i) {
        l.update(DT, {960.f, 540.f}, 0.f);
        flares.insert(l.baseFrame.left);
        impacts.insert(l.impactFrame.left);
    }
    EXPECT_EQ(flares.size(), 3u);
    EXPECT_EQ(impacts.size(), 4u);
}

TEST(PlayLaser, FiresAChainOffTheScreenWhoseSegmentsHitAndAreCut)
{
    // After 0.1 s of aiming it fires a chain that runs off the screen.
    Laser l = firingLaser(2.f);
    ASSERT_EQ(l.state, LASER_FIRING);
    ASSERT_GE(l.points.size(), 3u);
    EXPECT_GT(l.points.back().centre.x, 1920.f);
    for (int i = 0; i < 30; ++i) {
        l.update(DT, {960.f, 540.f}, 0.f);
        ASSERT_GE(l.points.size(), 3u);
        EXPECT_FALSE(l.impactVisible);
    }
    // Trimmed at the play area: only the last point may lie past x = 1680.
    EXPECT_LE(l.points[l.points.size() - 2].centre.x, 1680.f + 40.f);
    EXPECT_TRUE(beamHits(l, {1200.f, 530.f, 20.f, 20.f}));
    EXPECT_TRUE(beamHits(l, {1200.f, 540.f + 50.f, 20.f, 20.f})); // within the 55 px half-width
    EXPECT_FALSE(beamHits(l, {1200.f, 300.f, 20.f, 20.f}));
    EXPECT_FALSE(beamHits(l, {800.f, 530.f, 20.f, 20.f})); // behind the emitter

    // Cutting at a segment shortens the beam there and shows the impact.
    l.cutAfterSegment(2);
    EXPECT_EQ(l.segments.size(), 3u);
    EXPECT_EQ(l.points.size(), 4u);
    EXPECT_TRUE(l.impactVisible);
    EXPECT_FALSE(beamHits(l, {1500.f, 530.f, 20.f, 20.f}));
    l.cutAfterSegment(10); // past the end: nothing to cut
    EXPECT_EQ(l.segments.size(), 3u);
    // A cut beam grows back at the link speed.
    l.update(DT, {960.f, 540.f}, 0.f);
    EXPECT_FALSE(l.impactVisible);
    EXPECT_EQ(l.segments.size(), 4u);
}

TEST(PlayLaser, BendsAfterTheEmitterAndPinchesAtTheEndButNotForDegenerateFrames)
{
    Laser l = firingLaser(1.f);
    const size_t n = l.points.size();
    l.update(0.f, {960.f, 540.f}, 90.f);
    l.update(-1.f, {960.f, 540.f}, 90.f);
    EXPECT_EQ(l.points.size(), n);
    EXPECT_EQ(l.angle, 0.f);
    for (int i = 0; i < 20; ++i)
        l.update(DT, {960.f, 540.f}, 90.f);
    EXPECT_GT(l.angle, 45.f);
    // Near links follow the emitter more than far ones.
    EXPECT_GT(l.points[1].angle, l.points[l.points.size() / 2].angle);
    EXPECT_GT(l.beamWidth, 0.f);
    // Over its last tenth of a second the beam pinches to nothing.
    l.elapsed = l.strength - 0.02f;
    l.update(0.019f, {960.f, 540.f}, l.angle);
    EXPECT_LT(l.beamWidth, 1.f);
}

TEST(PlayLaser, ATinyFirstStepNeitherHangsNorGrowsWithoutEnd)
{
    // A tiny first step would need a million links to leave the screen: the chain is capped.
    Laser tiny(LASER_BOSS, 15.f, 180.f, engine().textures);
    for (int i = 0; i < 7 && tiny.state == LASER_AIMING; ++i)
        tiny.update(i < 6 ? DT : 1e-6f, {1500.f, 540.f}, 180.f);
    if (tiny.state == LASER_AIMING)
        tiny.update(1e-6f, {1500.f, 540.f}, 180.f);
    EXPECT_EQ(tiny.state, LASER_FIRING);
    EXPECT_LE(tiny.points.size(), 1024u);
}
