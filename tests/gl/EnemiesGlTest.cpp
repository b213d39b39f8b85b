// Enemies on screen: a shipped sequence played through the spawner, patterns and manager,
// and a gallery of every enemy kind with one of them flashing from a hit.
#include "enemies/EnemyManager.h"
#include "enemies/Spawner.h"
#include "engine/Engine.h"
#include "platform/Random.h"
#include "play/BulletManager.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>

using namespace testing_support;

TEST(EnemiesGl, ASequencePlaysWithEnemiesAndBulletsOnScreen)
{
    sf::RenderWindow window;
    openTestWindow(window);
    seedRandom15(11);
    Spawner spawner;
    EnemyManager enemies;
    std::list<SpawnPattern> running;
    const int index = spawner.getSequenceIndex(1, 3);
    ASSERT_GE(index, 0);
    int direction = -1;
    ASSERT_TRUE(spawner.loadSequence(index, [&](int d) { direction = d; }));
    EXPECT_EQ(direction, scroll_direction::UP);

    const std::vector<sf::Vector2f> players{{960.f, 900.f}};
    const float dt = 1.f / 60.f;
    size_t mostEnemies = 0;
    bool finished = false;
    auto play = [&](int frames) {
        for (int frame = 0; frame < frames; ++frame) {
            enemies.update(dt, players);
            spawner.update(dt, running);
            finished |= updateSpawnPatterns(running, dt, enemies, players);
            mostEnemies = std::max(mostEnemies, enemies.enemies.size());
            if (frame % 30 == 0) { // draw now and then, as a slow machine would
                drawField(window, enemies);
                window.display();
            }
        }
    };
    play(60 * 27);
    EXPECT_FALSE(finished);
    EXPECT_GE(mostEnemies, 8u);
    ASSERT_FALSE(enemies.enemies.empty());
    EXPECT_FALSE(enemies.enemyBullets->bullets.empty());
    enemies.enemies.front()->takeDamage(0.f, 1); // one of them flashes in the picture

    drawField(window, enemies);
    const sf::Image shot = screenshot(window, "enemies_sequence");
    window.display();
    EXPECT_GT(distinctColours(shot), 20);

    // Played on to its end, the sequence reports its Finish.
    play(60 * 28);
    EXPECT_TRUE(finished);
    EXPECT_TRUE(spawner.pending.empty());
}

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
    EXPECT_GT(distinctColours(shot), 30);

    // The flashed enemy is drawn pale: its centre is much brighter than the same kind unflashed.
    const sf::Vector2f flashed = enemies.enemies[0]->position;
    const sf::Color pale = shot.getPixel(static_cast<unsigned>(flashed.x), static_cast<unsigned>(flashed.y));
    EXPECT_GT(pale.r + pale.g + pale.b, 500);
}
