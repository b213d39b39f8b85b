#include "enemies/EnemyManager.h"
#include "engine/Engine.h"
#include "platform/Random.h"
#include "play/Bonus.h"
#include "play/BulletManager.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"
#include "support/EnemyFixtures.h"

#include <gtest/gtest.h>

using testing_support::enemyData;

TEST(EnemyManager, KillsScoreDropBonusesAndRecordTheType)
{
    seedRandom15(3);
    EnemyManager m(engine().textures);
    ParticleSystem particles(engine().textures);
    BonusManager bonuses(engine().textures);
    Player2D killer(0, engine().run, engine().textures);
    killer.position = {100.f, 1000.f};
    m.spawnEnemy(enemyData(enemy_type::BEE, {700, 400}), {});
    m.spawnEnemy(enemyData(enemy_type::LITTLE_LADYBUG, {800, 400}), {});

    // A hit that does not kill flashes.
    EXPECT_FALSE(m.damageEnemy(0, 1.f, particles, 0.f, {700, 400}, bonuses, 1, &killer, BONUS_BASE));
    EXPECT_TRUE(m.enemies[0]->isFlashing());
    EXPECT_FLOAT_EQ(m.enemies[0]->health, 17.f);

    // The bee dies on damage equal to its remaining health and drops its bonuses inside its sprite.
    EXPECT_TRUE(m.damageEnemy(0, 17.f, particles, 0.f, {700, 400}, bonuses, 1, &killer, BONUS_GOLDEN));
    ASSERT_EQ(bonuses.bonuses.size(), 8u);
    for (const std::unique_ptr<Bonus>& b : bonuses.bonuses) {
        EXPECT_TRUE(sf::FloatRect(700.f - 53.f, 400.f - 75.f, 106.f, 150.f).contains(b->position));
        EXPECT_EQ(b->kind, BONUS_GOLDEN);
    }
    EXPECT_EQ(killer.killedTypes, std::vector<int>{enemy_type::BEE});
    ASSERT_EQ(m.enemies.size(), 1u);
    EXPECT_EQ(m.enemies[0]->getType(), enemy_type::LITTLE_LADYBUG);

    // A kill with nobody to credit still removes the enemy; bad indexes do nothing.
    EXPECT_FALSE(m.damageEnemy(5, 1.f, particles, 0.f, {}, bonuses, 1, nullptr, 0));
    EXPECT_TRUE(m.damageEnemy(0, 1.f, particles, 0.f, {}, bonuses, 1, nullptr, 0));
    EXPECT_TRUE(m.enemies.empty());
    EXPECT_EQ(bonuses.bonuses.size(), 9u);
}

TEST(EnemyManager, HitTestsUseTheirBoxesInsideThePlayWindow)
{
    EnemyManager m(engine().textures);
    m.spawnEnemy(enemyData(enemy_type::BEE, {800, 500}), {});
    m.spawnEnemy(enemyData(enemy_type::BEE, {200, 500}), {});
    const sf::FloatRect nearEdge(800.f + 40.f, 500.f, 4.f, 4.f); // inside the sprite, outside the 50 px hit box
    EXPECT_EQ(m.hitTestRect(0, nearEdge, 1), hit_result::BODY);
    EXPECT_EQ(m.hitTestRect(0, nearEdge, 0), hit_result::NONE);
    EXPECT_EQ(m.hitTestRect(0, {790.f, 490.f, 4.f, 4.f}, 0), hit_result::BODY);
    EXPECT_EQ(m.hitTestRect(0, {0.f, 0.f, 4.f, 4.f}, 1), hit_result::NONE);
    // An enemy whose box ends left of x 290, or starts below y 1030, cannot be hit, even by
    // an overlapping shot.
    EXPECT_EQ(m.hitTestRect(1, {190.f, 490.f, 20.f, 20.f}, 0), hit_result::NONE);
    m.spawnEnemy(enemyData(enemy_type::BEE, {800, 1061}), {});
    EXPECT_EQ(m.hitTestRect(2, {790.f, 1050.f, 20.f, 20.f}, 0), hit_result::NONE);
    EXPECT_EQ(m.hitTestRect(7, {790.f, 490.f, 4.f, 4.f}, 0), hit_result::NONE);
    EXPECT_EQ(m.getBounds(-1), sf::FloatRect());
    EXPECT_EQ(m.getBounds(0), sf::FloatRect(800.f - 53.f, 500.f - 75.f, 106.f, 150.f));

    // Polygons hit the sprite bounds, once per enemy between two drawings.
    const Polygon shield = rectToPolygon({760.f, 460.f, 80.f, 80.f});
    EXPECT_EQ(m.hitTestPolygon(0, shield), hit_result::BODY);
    m.enemies[0]->takeDamage(0.5f, 1);
    EXPECT_EQ(m.hitTestPolygon(0, shield), hit_result::NONE);
    m.enemies[0]->hitThisFrame = 0;
    EXPECT_EQ(m.hitTestPolygon(0, shield), hit_result::BODY);
    EXPECT_EQ(m.hitTestPolygon(1, rectToPolygon({150.f, 450.f, 100.f, 100.f})), hit_result::NONE);
}

TEST(EnemyManager, EnemiesLeavingTheFieldAreRemovedWithoutSkippingOthers)
{
    EnemyManager m(engine().textures);
    m.spawnEnemy(enemyData(enemy_type::LITTLE_LADYBUG, {600, 500}, 0), {});
    m.spawnEnemy(enemyData(enemy_type::BIG_BULLET, {2900, 500}, 0, {1200.f, 0.f}), {}); // leaves at once
    m.spawnEnemy(enemyData(enemy_type::LITTLE_LADYBUG, {700, 500}, 0), {});
    m.spawnEnemy(enemyData(enemy_type::BIG_BULLET, {2900, 600}, 0, {1200.f, 0.f}), {});
    m.update(0.1f, {});
    ASSERT_EQ(m.enemies.size(), 2u);
    // Each survivor moved exactly one step of 200 px/s.
    EXPECT_NEAR(m.enemies[0]->position.x, 620.f, 0.5f);
    EXPECT_NEAR(m.enemies[1]->position.x, 720.f, 0.5f);
}
