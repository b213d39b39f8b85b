// Pushing a target off the field, and the eater's bite cycle; each kind's whole run is a row
// in EnemyKindRunTests.
#include "enemies/AimingShooterEnemies.h"
#include "enemies/EaterEnemy.h"
#include "enemies/EnemyManager.h"
#include "enemies/EnemyMath.h"
#include "engine/Engine.h"
#include "support/EnemyFixtures.h"

#include <cmath>
#include <gtest/gtest.h>

using testing_support::enemyData;

// Where a pushed shooter actually flies off is the shooter rows of EnemyKindRunTests.
TEST(EnemyShooter, PushOffTheFieldEndsOnAZeroOrTinyStep)
{
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

// A player exactly its bite distance away is bitten.
TEST(EnemyShooter, EaterBitesAPlayerRightAtItsBiteDistance)
{
    EnemyManager m(engine().textures);
    const float dt = 0.25f; // a step of exactly 240 px
    const float start = 500.f + EaterEnemy::BITE_DISTANCE + EaterEnemy::SPEED * dt;
    m.spawnEnemy(enemyData(enemy_type::EATER, {start, 540.f}, 0, {}, 1), {});
    auto& eater = static_cast<EaterEnemy&>(*m.enemies[0]);
    m.update(dt, {{500.f, 540.f}});
    EXPECT_EQ(eater.position, sf::Vector2f(500.f + EaterEnemy::BITE_DISTANCE, 540.f));
    EXPECT_EQ(eater.state, EaterEnemy::BITING);
}

// Its chase of player 1 is a row in EnemyKindRunTests; here what a player meets at its mouth.
TEST(EnemyShooter, EaterIsShutWhileItRushesOpensLateInTheBiteAndRushesAgain)
{
    EnemyManager m(engine().textures);
    m.spawnEnemy(enemyData(enemy_type::EATER, {1500.f, 540.f}, 0, {}, 1), {});
    auto& eater = static_cast<EaterEnemy&>(*m.enemies[0]);
    const std::vector<sf::Vector2f> players{{500.f, 540.f}};
    EXPECT_EQ(m.hitTestRect(0, {1495.f, 535.f, 10.f, 10.f}, 1), hit_result::NONE);
    const float dt = 0.01f;
    for (int i = 0; i < 500 && eater.state == EaterEnemy::RUSHING; ++i)
        m.update(dt, players);
    ASSERT_EQ(eater.state, EaterEnemy::BITING);

    const sf::FloatRect atMouth(eater.position.x - 5.f, eater.position.y - 5.f, 10.f, 10.f);
    eater.animation.elapsed = 0.1625f; // shut until past 0.1625 s into the bite
    EXPECT_EQ(m.hitTestRect(0, atMouth, 1), hit_result::NONE);
    eater.animation.elapsed = 0.163f;
    EXPECT_EQ(m.hitTestRect(0, atMouth, 1), hit_result::BODY);

    // After the bite it waits 1.5 s, then goes after where player 1 has moved to.
    for (int i = 0; i < 1000 && eater.state == EaterEnemy::BITING; ++i)
        m.update(dt, players);
    for (int i = 0; i < 140; ++i)
        m.update(dt, players);
    EXPECT_EQ(eater.state, EaterEnemy::WAITING);
    const sf::FloatRect waiting(eater.position.x - 5.f, eater.position.y - 5.f, 10.f, 10.f);
    EXPECT_EQ(m.hitTestRect(0, waiting, 1), hit_result::BODY); // open while it waits
    const std::vector<sf::Vector2f> moved{{500.f, 140.f}};
    for (int i = 0; i < 50; ++i)
        m.update(dt, moved);
    EXPECT_EQ(eater.state, EaterEnemy::RUSHING);
    EXPECT_LT(eater.position.y, 540.f);
}
