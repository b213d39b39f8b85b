// The scrolling ground enemies and the coral over fixed steps, with the manager's extras for
// them: fence pairing and beam hits, coral eye hits and kills.
#include "enemies/CoralEnemy.h"
#include "enemies/ElectricalFenceEnemy.h"
#include "enemies/EnemyManager.h"
#include "enemies/GroundEnemies.h"
#include "engine/Engine.h"
#include "platform/Random.h"
#include "play/Bonus.h"
#include "play/BulletManager.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"
#include "support/EnemyFixtures.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// A single ground enemy, `lag` seconds late.
EnemyData descriptor(int type, sf::Vector2f start, int angle, float lag = 0.f)
{
    EnemyData d = testing_support::enemyData(type, start, angle, {960.f, 540.f}, 1);
    d.lag = lag;
    return d;
}

template <class E>
E& spawn(EnemyManager& m, const EnemyData& d)
{
    m.spawnEnemy(d, {});
    return static_cast<E&>(*m.enemies.back());
}

ElectricalFenceEnemy& fencePost(EnemyManager& m, sf::Vector2f at, int angle)
{
    return spawn<ElectricalFenceEnemy>(m, descriptor(enemy_type::ELECTRICAL_FENCE, at, angle));
}
ElectricalFenceEnemy& fencePost(EnemyManager& m, size_t i) { return static_cast<ElectricalFenceEnemy&>(*m.enemies[i]); }

// Seconds of 0.01 s updates until `holds` (at most `limit`).
float secondsUntil(EnemyManager& m, const std::function<bool()>& holds, float limit)
{
    float t = 0.f;
    for (; !holds() && t < limit; t += 0.01f)
        m.update(0.01f, {});
    return t;
}

} // namespace

TEST(EnemyGround, WallsPickTheirTileAndCatchUpWithTheirLag)
{
    EnemyManager m(engine().textures);
    // The file's direction 3 arrives as angle 357 and picks the fourth tile.
    WallEnemy& wall = spawn<WallEnemy>(m, descriptor(enemy_type::WALL, {2000.f, 900.f}, 357, 0.25f));
    EXPECT_EQ(wall.frame, sf::FloatRect(90.f, 0.f, 30.f, 30.f));
    EXPECT_FLOAT_EQ(wall.position.x, 2000.f - 72.f); // caught up with the quarter second it was late
    // A direction outside the sheet still shows one of its sixteen tiles.
    for (int angle : {-40, 1000}) {
        const float left = spawn<WallEnemy>(m, descriptor(enemy_type::WALL, {2000.f, 900.f}, angle)).frame.left;
        EXPECT_TRUE(left >= 0.f && left <= 450.f) << angle;
    }
}

// Its firing and its way out are a row in EnemyKindRunTests.
TEST(EnemyGround, TurretSwivelsWithinItsFacing)
{
    BulletManager bullets(engine().textures);
    const EnemyData d = descriptor(enemy_type::TURRET, {1200.f, 900.f}, 270); // on the floor, facing up
    TurretEnemy turret(d);

    // (In front of it, its shots go straight at the player: the turret row of EnemyKindRunTests.)
    // Behind it (below the floor line, to the right): the cannon stops at the side.
    turret.update(0.02f, &bullets, {{1700.f, 1000.f}}, 0);
    EXPECT_FLOAT_EQ(turret.cannonAngle, 270.f + 90.f);
    turret.update(0.02f, &bullets, {{600.f, 1000.f}}, 0);
    EXPECT_FLOAT_EQ(turret.cannonAngle, 270.f + 270.f);
}

TEST(EnemyGround, FacingFencePostsPairSwitchTheirBeamOnAndOffAndDieApart)
{
    seedRandom15(5);
    EnemyManager m(engine().textures);
    // Posts 10 px apart pair within 5 degrees of facing each other, not at 5.
    fencePost(m, {1000.f, 500.f}, 5);
    fencePost(m, {1010.f, 500.f}, 180);
    m.update(0.01f, {});
    EXPECT_EQ(fencePost(m, 0).partner, nullptr);
    m.enemies[1]->angle = 3e38f; // a wild heading lines up with nothing, and the search ends
    m.update(0.01f, {});
    EXPECT_EQ(fencePost(m, 1).partner, nullptr);
    m.enemies.clear();

    // A pair facing right and left across 600 px of ground, and a lone post.
    auto& west = fencePost(m, {1000.f, 500.f}, 0);
    auto& east = fencePost(m, {1600.f, 500.f}, 180);
    auto& lone = fencePost(m, {1300.f, 800.f}, 90);
    // The backward walk reaches the right-hand post first: it becomes the emitter.
    m.update(0.f, {});
    ASSERT_EQ(east.isEmitter, 1);
    EXPECT_NEAR(secondsUntil(m, [&] { return east.beam != nullptr; }, 2.f), 1.5f, 0.02f);
    ASSERT_TRUE(east.beam);
    EXPECT_EQ(west.beam, east.beam); // one beam shared by the pair
    EXPECT_EQ(west.beamDirection, 0);
    EXPECT_EQ(east.beamDirection, 180);
    EXPECT_FALSE(lone.beam);

    // The beam is the hit code 2 of the emitter only; the post itself is the body.
    const sf::FloatRect inGap((west.position.x + east.position.x) / 2.f, 495.f, 6.f, 6.f);
    EXPECT_EQ(m.hitTestRect(1, inGap, 1), hit_result::FENCE_BEAM);
    EXPECT_EQ(m.hitTestRect(0, inGap, 1), hit_result::NONE);
    EXPECT_EQ(m.hitTestRect(0, {west.position.x - 3.f, 497.f, 6.f, 6.f}, 1), hit_result::BODY);

    // On for 0.8 s, then off for 1.5 s.
    EXPECT_NEAR(secondsUntil(m, [&] { return east.beam == nullptr; }, 2.f), 0.8f, 0.02f);
    EXPECT_FALSE(west.beam);
    EXPECT_EQ(m.hitTestRect(1, inGap, 1), hit_result::NONE);
    EXPECT_NEAR(secondsUntil(m, [&] { return east.beam != nullptr; }, 3.f), 1.5f, 0.02f);
    EXPECT_FALSE(lone.beam);
    EXPECT_EQ(m.enemies.size(), 3u);

    // A post has 10000 hit points; killing the emitter removes it, and its partner forgets
    // it and never builds a beam again.
    ParticleSystem particles(engine().textures);
    BonusManager bonuses(engine().textures);
    EXPECT_TRUE(m.damageEnemy(1, 10000.f, particles, 0.f, {}, bonuses, 1, nullptr, 0));
    ASSERT_EQ(m.enemies.size(), 2u);
    EXPECT_EQ(west.partner, nullptr);
    EXPECT_EQ(west.isEmitter, 0);
    EXPECT_FALSE(west.beam);
    EXPECT_GE(secondsUntil(m, [&] { return west.beam != nullptr; }, 4.f), 4.f);
    EXPECT_EQ(m.hitTestRect(0, inGap, 1), hit_result::NONE);
}

TEST(EnemyGround, CoralEyesAreHitAndKilledOneByOneBeforeItsBody)
{
    seedRandom15(9);
    EnemyManager m(engine().textures);
    ParticleSystem particles(engine().textures);
    BonusManager bonuses(engine().textures);
    Player2D killer(0, engine().run, engine().textures);
    killer.position = {300.f, 540.f};
    auto& coral = spawn<CoralEnemy>(m, descriptor(enemy_type::CORAL, {1000.f, 540.f}, 90));
    ASSERT_EQ(coral.segments.size(), 8u);

    // A shot on an eye outside the body's box reports that eye.
    coral.angle = 0.f;
    coral.segments[3].offsetX = 125.f + 60.f;
    coral.segments[3].offsetY = 0.f;
    const sf::FloatRect onEye(1000.f + 185.f - 2.f, 538.f, 4.f, 4.f);
    EXPECT_EQ(m.hitTestRect(0, onEye, 0), hit_result::FIRST_CORAL_SEGMENT + 3);
    EXPECT_EQ(m.hitTestRect(0, {998.f, 538.f, 4.f, 4.f}, 0), hit_result::BODY);

    // The body takes nothing while any eye is left.
    EXPECT_FALSE(m.damageEnemy(0, 100.f, particles, 0.f, {}, bonuses, hit_result::BODY, &killer, 0));
    EXPECT_FLOAT_EQ(coral.health, 10.f);
    EXPECT_FALSE(coral.isFlashing());

    // An eye has 2 hit points; its kill drops one bonus and the coral stays.
    EXPECT_FALSE(m.damageEnemy(0, 1.f, particles, 0.f, {}, bonuses, 5, &killer, 0));
    EXPECT_LT(coral.segments[3].sinceHit, Enemy::FLASH_TIME);
    EXPECT_TRUE(m.damageEnemy(0, 1.f, particles, 0.f, {}, bonuses, 5, &killer, 0));
    ASSERT_EQ(m.enemies.size(), 1u);
    EXPECT_EQ(coral.segments.size(), 7u);
    EXPECT_EQ(bonuses.bonuses.size(), 1u);
    EXPECT_TRUE(killer.killedTypes.empty());
    // The later eyes' codes shift down by one.
    coral.segments[3].offsetX = 185.f;
    coral.segments[3].offsetY = 0.f;
    EXPECT_EQ(m.hitTestRect(0, onEye, 0), hit_result::FIRST_CORAL_SEGMENT + 3);
    EXPECT_FALSE(m.damageEnemy(0, 1.f, particles, 0.f, {}, bonuses, 2 + 40, &killer, 0));

    // With every eye gone the body can be killed: a big explosion and 25 bonuses.
    while (!coral.segments.empty())
        ASSERT_TRUE(m.damageEnemy(0, 2.f, particles, 0.f, {}, bonuses, 2, &killer, 0));
    EXPECT_EQ(bonuses.bonuses.size(), 8u);
    EXPECT_FALSE(m.damageEnemy(0, 9.f, particles, 0.f, {}, bonuses, hit_result::BODY, &killer, 0));
    EXPECT_TRUE(coral.isFlashing()) << "a bare body flashes when hit";
    EXPECT_TRUE(m.damageEnemy(0, 1.f, particles, 0.f, {}, bonuses, hit_result::BODY, &killer, 0));
    EXPECT_TRUE(m.enemies.empty());
    EXPECT_EQ(bonuses.bonuses.size(), 8u + 25u);
    ASSERT_EQ(killer.killedTypes.size(), 1u);
    EXPECT_EQ(killer.killedTypes[0], enemy_type::CORAL);
}
