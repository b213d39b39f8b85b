// The ships and enemies drawn for real: the ships' colours, the shield, the blinking after
// a hit, an enemy's flash when hit. (Every kind's sheet is checked by EnemyTypeTableTests;
// shipped sequences are played to their Finish by LevelsPlaythroughGlTest.)
#include "engine/Engine.h"
#include "enemies/EnemyManager.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"
#include "play/Shield.h"
#include "support/EnemyFixtures.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {
constexpr float DT = 1.f / 60.f;
const sf::Color FIELD(18, 26, 44); // the dark backdrop the enemies are drawn on

using PlayLayerGl = EngineWindowTest;
} // namespace

TEST_F(PlayLayerGl, EachShipShowsInItsOwnColoursItsShieldAroundItAndBlinksAfterAHit)
{
    ParticleSystem particles;
    Player2D one(0), two(1);
    one.position = {700.f, 800.f};
    two.position = {1300.f, 850.f};
    one.gauge = 100.f;
    ASSERT_TRUE(startCharge(one));
    for (int i = 0; i < 40; ++i)
        one.update(DT, &particles, 0);
    two.move(DT, 0);

    const sf::Color background(12, 14, 30);
    window.clear(background);
    one.draw(window, true);
    two.draw(window, false);
    const sf::Image shot = screenshot(window, "play_layer_ships");
    window.display();
    // Player 1's ship and the shield round it fill the area about it.
    EXPECT_GT(coverage(shot, {650, 750, 100, 100}, background), 0.5f);
    EXPECT_GT(coverage(shot, {1270, 820, 60, 60}, background), 0.3f);
    // The two ships are painted in different colours.
    EXPECT_NE(shot.getPixel(700, 790), shot.getPixel(1300, 840));

    // Player 2 hit: not drawn while invulnerable, then faint and opaque in turn as it blinks.
    auto drawn = [&](const std::string& name) {
        window.clear(background);
        two.draw(window, false);
        const sf::Image image = screenshot(window, name);
        window.display();
        return image;
    };
    two.hit();
    EXPECT_LT(coverage(drawn("play_blink_hit"), {1270, 820, 60, 60}, background), 0.01f);
    two.invulnerable = 0;
    two.blinking = 1;
    two.blinkTimer = 0.05f; // faint phase
    const sf::Color faint = drawn("play_blink_faint").getPixel(1300, 840);
    two.blinkTimer = 0.15f; // opaque phase
    const sf::Color opaque = drawn("play_blink_opaque").getPixel(1300, 840);
    EXPECT_LT(faint.r + faint.g + faint.b, opaque.r + opaque.g + opaque.b);
}

TEST_F(PlayLayerGl, AnEnemyHitFlashesPale)
{
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
