// An enemy hit by a shot flashes pale on screen. (Every kind's sheet is checked by
// EnemyTypeTableTests; shipped sequences are played to their Finish by LevelsPlaythroughGlTest.)
#include "enemies/EnemyManager.h"
#include "support/EnemyFixtures.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>

using namespace testing_support;

TEST(EnemiesGl, AnEnemyHitFlashesPale)
{
    sf::RenderWindow window;
    openTestWindow(window);
    EnemyManager enemies;
    enemies.spawnEnemy(enemyData(enemy_type::SHOOTER, {500.f, 500.f}, 270, {500.f, 400.f}), {});
    ASSERT_EQ(enemies.enemies.size(), 1u);
    Enemy& enemy = *enemies.enemies[0];
    enemy.position = {500.f, 500.f};
    auto centre = [&](const std::string& name) {
        window.clear(FIELD);
        enemies.draw(window, true);
        const sf::Color c = screenshot(window, name).getPixel(500, 500);
        window.display();
        return c.r + c.g + c.b;
    };
    const int plain = centre("enemy_plain");
    enemy.takeDamage(0.f, 1);
    const int flashed = centre("enemy_flashed");
    EXPECT_GT(flashed, 500);
    EXPECT_GT(flashed, plain + 100);
}
