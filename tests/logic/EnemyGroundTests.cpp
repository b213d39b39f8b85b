// The scrolling ground enemies, the spinning spout and the coral over fixed steps, with
// the manager's extras for them: fence pairing and beam hits, coral eye hits and kills.
#include "enemies/CoralEnemy.h"
#include "enemies/ElectricalFenceEnemy.h"
#include "enemies/EnemyManager.h"
#include "enemies/EnemyMath.h"
#include "enemies/GroundEnemies.h"
#include "enemies/RotatingSpitterEnemy.h"
#include "platform/Random.h"
#include "play/Bonus.h"
#include "play/BulletManager.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

EnemyData descriptor(int type, sf::Vector2f start, int angle, float lag = 0.f)
{
    EnemyData d;
    d.type = type;
    d.start = start;
    d.angle = angle;
    d.target = {960.f, 540.f};
    d.flag = 1;
    d.lag = lag;
    return d;
}

template <class E>
E& spawn(EnemyManager& m, const EnemyData& d)
{
    m.spawnEnemy(d, {});
    return static_cast<E&>(*m.enemies.back());
}

} // namespace

TEST(EnemyGround, WallsPickTheirTileAndScrollWithTheGround)
{
    EnemyManager m;
    // The file's direction 3 arrives as angle 357 and picks the fourth tile.
    WallEnemy& wall = spawn<WallEnemy>(m, descriptor(enemy_type::WALL, {2000.f, 900.f}, 357, 0.25f));
    EXPECT_EQ(wall.frame, sf::FloatRect(90.f, 0.f, 30.f, 30.f));
    EXPECT_FLOAT_EQ(wall.position.x, 2000.f - 72.f); // caught up with the quarter second it was late
    EXPECT_FLOAT_EQ(wall.health, 18.f);
    // A direction outside the sheet still shows one of its sixteen tiles.
    for (int angle : {0, -40, 1000, 360 - 15}) {
        const WallEnemy& odd = spawn<WallEnemy>(m, descriptor(enemy_type::WALL, {2000.f, 900.f}, angle));
        EXPECT_GE(odd.frame.left, 0.f) << angle;
        EXPECT_LE(odd.frame.left, 450.f) << angle;
    }
    EXPECT_EQ(m.enemies.back()->frame.left, 450.f);

    // 288 px/s to the left for ever: walls are cleared with the list, never on their own.
    for (int i = 0; i < 500; ++i)
        m.update(0.02f, {});
    EXPECT_EQ(m.enemies.size(), 5u);
    EXPECT_NEAR(wall.position.x, 1928.f - 288.f * 10.f, 0.5f);
}

TEST(EnemyGround, TurretSwivelsWithinItsFacingFiresAndGoesPastTheLeftEdge)
{
    BulletManager bullets;
    ASSERT_GT(bullets.typeCount(), 8) << "bullet types file missing";
    const EnemyData d = descriptor(enemy_type::TURRET, {1200.f, 900.f}, 270); // on the floor, facing up
    TurretEnemy turret(d);
    EXPECT_FLOAT_EQ(turret.cannonAngle, 180.f);

    // A player up and to the left: the cannon points straight at it.
    turret.update(0.02f, &bullets, {{900.f, 600.f}}, 0);
    EXPECT_NEAR(turret.cannonAngle, std::atan2(600.f - 900.f, 900.f - turret.position.x) * 57.29578f, 0.01f);
    EXPECT_EQ(turret.cannonPosition, turret.position);
    // Behind it (below the floor line, to the right): the cannon stops at the side.
    turret.update(0.02f, &bullets, {{1700.f, 1000.f}}, 0);
    EXPECT_FLOAT_EQ(turret.cannonAngle, 270.f + 90.f);
    turret.update(0.02f, &bullets, {{600.f, 1000.f}}, 0);
    EXPECT_FLOAT_EQ(turret.cannonAngle, 270.f + 270.f);
    // The nearer of two players is aimed at.
    turret.update(0.02f, &bullets, {{200.f, 100.f}, {turret.position.x, 500.f}}, 0);
    EXPECT_EQ(turret.playerIndex, 1);
    EXPECT_NEAR(enemy_math::wrap360(turret.cannonAngle), 270.f, 1.f);
    EXPECT_TRUE(bullets.bullets.empty());

    // One bullet every 1.5 s along the cannon.
    for (int i = 0; i < 72; ++i)
        turret.update(0.02f, &bullets, {{turret.position.x, 500.f}}, 0);
    ASSERT_EQ(bullets.bullets.size(), 1u);
    EXPECT_NEAR(enemy_math::wrap360(bullets.bullets.front().angle), 270.f, 1.f);
    EXPECT_FLOAT_EQ(bullets.bullets.front().position.x, turret.position.x); // fired from where it stood

    // It goes as soon as it is left of x 180, whatever its height.
    TurretEnemy high(descriptor(enemy_type::TURRET, {190.f, -500.f}, 90));
    EXPECT_FALSE(high.update(0.03f, &bullets, {}, 0));
    EXPECT_TRUE(high.update(0.02f, &bullets, {}, 0));
}

TEST(EnemyGround, FacingFencePostsPairAndSwitchTheirBeamOnAndOff)
{
    EnemyManager m;
    // Posts 10 px apart pair within 5 degrees, not at 5.
    spawn<ElectricalFenceEnemy>(m, descriptor(enemy_type::ELECTRICAL_FENCE, {1000.f, 500.f}, 5));
    spawn<ElectricalFenceEnemy>(m, descriptor(enemy_type::ELECTRICAL_FENCE, {1010.f, 500.f}, 180));
    m.update(0.01f, {});
    EXPECT_EQ(static_cast<ElectricalFenceEnemy&>(*m.enemies[0]).partner, nullptr);
    m.enemies[1]->angle = 3e38f; // a wild heading lines up with nothing, and the search ends
    m.update(0.01f, {});
    EXPECT_EQ(static_cast<ElectricalFenceEnemy&>(*m.enemies[1]).partner, nullptr);
    m.enemies[1]->angle = 180.f;
    m.enemies[0]->angle = 4.9f;
    m.update(0.01f, {});
    auto& west = static_cast<ElectricalFenceEnemy&>(*m.enemies[0]);
    auto& east = static_cast<ElectricalFenceEnemy&>(*m.enemies[1]);
    EXPECT_EQ(west.partner, &east);
    EXPECT_EQ(east.partner, &west);
    EXPECT_EQ(east.isEmitter, 1); // found first by the backward walk
    EXPECT_EQ(west.isEmitter, 0);
    m.enemies.clear();

    // A pair facing right and left across 600 px of ground, and a lone post.
    auto& emitter = spawn<ElectricalFenceEnemy>(m, descriptor(enemy_type::ELECTRICAL_FENCE, {1000.f, 500.f}, 0));
    auto& receiver = spawn<ElectricalFenceEnemy>(m, descriptor(enemy_type::ELECTRICAL_FENCE, {1600.f, 500.f}, 180));
    auto& lone = spawn<ElectricalFenceEnemy>(m, descriptor(enemy_type::ELECTRICAL_FENCE, {1300.f, 800.f}, 90));
    // The backward walk reaches the right-hand post first: it becomes the emitter.
    m.update(0.f, {});
    ASSERT_EQ(receiver.isEmitter, 1);
    ElectricalFenceEnemy& on = receiver;
    const float dt = 0.01f;
    float t = 0.f;
    while (!on.beam && t < 2.f) {
        m.update(dt, {});
        t += dt;
    }
    ASSERT_TRUE(on.beam);
    EXPECT_NEAR(t, 1.5f, 0.02f);
    EXPECT_EQ(on.partner->beam, on.beam); // one beam shared by the pair
    // It joins the inner edges of the two 60 x 90 posts, and its strip is as long as the gap
    // (the left post, updated after the emitter, has drifted one more step since).
    const float drift = 288.f * dt;
    const sf::FloatRect beam = on.beam->getGlobalBounds();
    EXPECT_NEAR(beam.left, emitter.position.x + drift + 30.f, 0.01f);
    EXPECT_NEAR(beam.width, 600.f - 60.f - drift, 0.01f);
    EXPECT_NEAR(beam.top, 500.f - 45.f, 0.01f);
    EXPECT_NEAR(beam.height, 90.f, 0.01f);
    m.update(dt, {});
    EXPECT_NEAR(on.beamFrame.height, 540.f - drift, 0.01f);
    EXPECT_FALSE(lone.beam);

    // The beam is the hit code 2 of the emitter only; the post itself is the body.
    const sf::FloatRect inGap((emitter.position.x + receiver.position.x) / 2.f, 495.f, 6.f, 6.f);
    EXPECT_EQ(m.hitTestRect(1, inGap, 1), hit_result::FENCE_BEAM);
    EXPECT_EQ(m.hitTestRect(0, inGap, 1), hit_result::NONE);
    EXPECT_EQ(m.hitTestRect(0, {emitter.position.x - 3.f, 497.f, 6.f, 6.f}, 1), hit_result::BODY);

    // On for 0.8 s, scrolling with the posts; then off for 1.5 s.
    const float beamLeft = on.beam->getPosition().x;
    m.update(0.1f, {});
    EXPECT_NEAR(on.beam->getPosition().x, beamLeft - 28.8f, 0.01f);
    float lit = 0.1f;
    while (on.beam && lit < 2.f) {
        m.update(dt, {});
        lit += dt;
    }
    EXPECT_NEAR(lit, 0.8f, 0.02f);
    EXPECT_FALSE(on.partner->beam);
    EXPECT_EQ(m.hitTestRect(1, inGap, 1), hit_result::NONE);
    float dark = 0.f;
    while (!on.beam && dark < 3.f) {
        m.update(dt, {});
        dark += dt;
    }
    EXPECT_NEAR(dark, 1.5f, 0.02f);
    EXPECT_FALSE(lone.beam);
    EXPECT_EQ(m.enemies.size(), 3u);
}

TEST(EnemyGround, KillingOneFencePostLeavesItsPartnerUnpairedWithoutABeam)
{
    seedRandom15(5);
    EnemyManager m;
    ParticleSystem particles;
    BonusManager bonuses;
    spawn<ElectricalFenceEnemy>(m, descriptor(enemy_type::ELECTRICAL_FENCE, {800.f, 300.f}, 90));
    auto& floor = spawn<ElectricalFenceEnemy>(m, descriptor(enemy_type::ELECTRICAL_FENCE, {800.f, 900.f}, 270));
    for (int i = 0; i < 80; ++i)
        m.update(0.02f, {});
    ASSERT_TRUE(floor.beam);
    EXPECT_EQ(floor.beamDirection, floor.isEmitter ? 270 : 90);

    // A post has 10000 hit points; a kill removes it and its partner forgets it.
    EXPECT_TRUE(m.damageEnemy(0, 10000.f, particles, 0.f, {}, bonuses, 1, nullptr, 0));
    ASSERT_EQ(m.enemies.size(), 1u);
    EXPECT_EQ(floor.partner, nullptr);
    EXPECT_EQ(floor.isEmitter, 0);
    EXPECT_FALSE(floor.beam);
    for (int i = 0; i < 200; ++i) // alone it never builds a beam again
        m.update(0.02f, {});
    EXPECT_FALSE(floor.beam);
    EXPECT_EQ(m.hitTestRect(0, {floor.position.x - 3.f, 600.f, 6.f, 6.f}, 1), hit_result::NONE);
}

TEST(EnemyGround, FourSpoutSpitterSpraysFourWaysForOneTurnThenGoes)
{
    BulletManager bullets;
    ASSERT_GT(bullets.typeCount(), 11) << "bullet types file missing";
    RotatingSpitterEnemy spitter(descriptor(enemy_type::ROTATING_SPITTER_FOUR, {960.f, 540.f}, 0),
                                 enemy_type::ROTATING_SPITTER_FOUR);
    EXPECT_EQ(spitter.getType(), enemy_type::ROTATING_SPITTER_FOUR);
    const float dt = 0.01f;
    for (int i = 0; i < 50; ++i) // the appearing animation: no spin, no shot
        EXPECT_FALSE(spitter.update(dt, &bullets, {}, 0));
    EXPECT_TRUE(bullets.bullets.empty());
    EXPECT_FLOAT_EQ(spitter.angle, 0.f);

    int steps = 0;
    while (bullets.bullets.empty() && steps < 100) {
        spitter.update(dt, &bullets, {}, 0);
        ++steps;
    }
    ASSERT_EQ(bullets.bullets.size(), 4u);
    float first = -1.f;
    for (const Bullet& b : bullets.bullets) {
        if (first < 0.f)
            first = b.angle;
        EXPECT_NEAR(std::fmod(b.angle - first + 360.f, 90.f), 0.f, 0.01f);
    }
    float life = steps * dt;
    while (!spitter.update(dt, &bullets, {}, 0) && life < 20.f)
        life += dt;
    EXPECT_NEAR(life, 12.f, 0.05f);
    EXPECT_NEAR(static_cast<float>(bullets.bullets.size()), 4.f * 48.f, 8.f);

}

TEST(EnemyGround, CoralEyesAreHitAndKilledOneByOneBeforeItsBody)
{
    seedRandom15(9);
    EnemyManager m;
    ParticleSystem particles;
    BonusManager bonuses;
    Player2D killer(0);
    killer.position = {300.f, 540.f};
    auto& coral = spawn<CoralEnemy>(m, descriptor(enemy_type::CORAL, {1000.f, 540.f}, 90));
    ASSERT_EQ(coral.segments.size(), 8u);
    // Offsets are turned with the body: at heading 90, (-124, -31) becomes (31, -124).
    EXPECT_NEAR(coral.segments[0].offsetX, 31.f, 0.01f);
    EXPECT_NEAR(coral.segments[0].offsetY, -124.f, 0.01f);

    // A shot on an eye outside the body's box reports that eye.
    coral.angle = 0.f;
    coral.segments[3].offsetX = 125.f + 60.f;
    coral.segments[3].offsetY = 0.f;
    const sf::FloatRect onEye(1000.f + 185.f - 2.f, 538.f, 4.f, 4.f);
    EXPECT_EQ(m.hitTestRect(0, onEye, 0), hit_result::FIRST_CORAL_SEGMENT + 3);
    EXPECT_EQ(m.hitTestPolygon(0, rectToPolygon(onEye)), hit_result::FIRST_CORAL_SEGMENT + 3);
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
    EXPECT_TRUE(m.damageEnemy(0, 1.f, particles, 0.f, {}, bonuses, hit_result::BODY, &killer, 0));
    EXPECT_TRUE(m.enemies.empty());
    EXPECT_EQ(bonuses.bonuses.size(), 8u + 25u);
    ASSERT_EQ(killer.killedTypes.size(), 1u);
    EXPECT_EQ(killer.killedTypes[0], enemy_type::CORAL);
}

TEST(EnemyGround, CoralEyesFireOnceASecondAtPlayersWithinTheirFacing)
{
    BulletManager bullets;
    ASSERT_GT(bullets.typeCount(), 7) << "bullet types file missing";
    // Heading left across the field; after a second the player stands just below it.
    CoralEnemy coral(descriptor(enemy_type::CORAL, {1400.f, 400.f}, 180));
    const std::vector<sf::Vector2f> players{{1200.f, 600.f}};
    for (int i = 0; i < 99; ++i)
        coral.update(0.01f, &bullets, players, 0);
    EXPECT_TRUE(bullets.bullets.empty());
    coral.update(0.011f, &bullets, players, 0);
    EXPECT_NEAR(coral.position.x, 1400.f - 200.f * 1.001f, 0.5f);
    // Only the two eyes that face down fire (eyes 1 and 2, at (-35, -78) and (49, -70)
    // turned half round), each from its own place and straight at the player.
    ASSERT_EQ(bullets.bullets.size(), 2u);
    const sf::Vector2f eyes[] = {{35.f, 78.f}, {-49.f, 70.f}};
    auto bullet = bullets.bullets.begin();
    for (const sf::Vector2f& eye : eyes) {
        EXPECT_NEAR(bullet->position.x, coral.position.x + eye.x, 0.5f);
        EXPECT_NEAR(bullet->position.y, coral.position.y + eye.y, 0.5f);
        EXPECT_NEAR(bullet->angle, std::atan2(600.f - bullet->position.y, 1200.f - bullet->position.x) * 57.29578f,
                    0.05f);
        ++bullet;
    }

    // Outside the play window it holds its fire, and the timer waits for it.
    bullets.bullets.clear();
    CoralEnemy far(descriptor(enemy_type::CORAL, {2100.f, 400.f}, 0));
    for (int i = 0; i < 300; ++i)
        far.update(0.01f, &bullets, players, 0);
    EXPECT_TRUE(bullets.bullets.empty());
    EXPECT_GE(far.fireTimer, 1.f);
}
