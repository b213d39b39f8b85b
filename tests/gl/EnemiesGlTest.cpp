// Every enemy kind on screen, one of them flashing from a hit. (Shipped sequences are
// played to their Finish by LevelsPlaythroughGlTest.)
#include "enemies/EnemyManager.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>

using namespace testing_support;

TEST(EnemiesGl, GalleryOfEveryKindWithAHitFlash)
{
    sf::RenderWindow window;
    openTestWindow(window);
    EnemyManager enemies;
    int column = 0;
    for (int type = 0; type < ENEMY_TYPE_COUNT; ++type) {
        EnemyData d;
        d.type = type;
        d.start = {200.f + 300.f * (column % 6), 200.f + 330.f * (column / 6)};
        d.target = {d.start.x, d.start.y - 100.f};
        d.angle = 270; // heading up, like the ships
        const size_t before = enemies.enemies.size();
        enemies.spawnEnemy(d, {});
        if (enemies.enemies.size() == before)
            continue;
        Enemy& e = *enemies.enemies.back();
        e.position = d.start; // spirals and bullets stand still for the portrait
        e.angle = 270.f;
        ++column;
    }
    ASSERT_GE(column, 10);
    enemies.enemies[0]->takeDamage(0.f, 1);
    window.clear(sf::Color(18, 26, 44));
    enemies.draw(window, true);
    const sf::Image shot = screenshot(window, "enemies_gallery");
    window.display();

    // The flashed enemy is drawn pale: its centre is much brighter than the same kind unflashed.
    const sf::Vector2f flashed = enemies.enemies[0]->position;
    const sf::Color pale = shot.getPixel(static_cast<unsigned>(flashed.x), static_cast<unsigned>(flashed.y));
    EXPECT_GT(pale.r + pale.g + pale.b, 500);
}
