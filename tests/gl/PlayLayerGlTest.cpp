// The play layer drawn for real: a ship firing its laser inside its shield,
// the other ship shooting, enemy bullets, bonuses and explosions.
#include "engine/Engine.h"
#include "platform/Random.h"
#include "play/Bonus.h"
#include "play/BulletManager.h"
#include "play/Laser.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"
#include "play/Shield.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {
constexpr float DT = 1.f / 60.f;
} // namespace

TEST(PlayLayerGl, ShipsWeaponsBonusesAndExplosionsAreDrawn)
{
    sf::RenderWindow window;
    openTestWindow(window);
    engine().renderer.window = &window;
    seedRandom15(5);

    ParticleSystem particles;
    BulletManager shots;
    BulletManager enemyBullets;
    BonusManager bonuses;
    ASSERT_EQ(shots.typeCount(), BulletManager::TYPE_COUNT);

    // Player 1 charges its shield, then fires its laser up and to the right.
    Player2D one(0);
    one.particles = &particles;
    one.position = {700.f, 800.f};
    one.gauge = 100.f;
    ASSERT_TRUE(startCharge(one));
    for (int i = 0; i < 40; ++i)
        one.update(DT, &particles, 0);
    one.startLaser(-60.f);
    // Player 2 flies on the right and shoots its fan (a special bonus is running).
    Player2D two(1);
    two.particles = &particles;
    two.specialTimer = 10.f;
    two.position = {1300.f, 850.f};
    two.moving = 1;
    two.moveAngle = 270.f;
    for (int i = 0; i < 30; ++i) {
        one.laser->update(DT, one.position, -45.f);
        one.update(DT, &particles, 0);
        two.update(DT, &particles, 0);
        two.selectShootPoints(-90.f);
        if (i % 5 == 0)
            shots.spawn(two, 1);
        shots.update(DT);
    }
    ASSERT_EQ(one.laser->state, LASER_FIRING);
    one.laser->impactVisible = 1;

    // Enemy bullets of every type, in a row near the top.
    Entity2D enemy;
    enemy.setShootPointCount(1);
    enemy.shootPoints[0].active = 1;
    enemy.angle = 90.f;
    for (int type = 0; type < BulletManager::TYPE_COUNT; ++type) {
        enemy.bulletType = type;
        enemy.shootPoints[0].x = 400.f + 80.f * type;
        enemy.shootPoints[0].y = 120.f;
        enemyBullets.spawnFromEnemy(enemy, 0);
    }
    enemyBullets.update(0.1f);

    for (int k = 0; k < 6; ++k)
        bonuses.spawn({400.f + 40.f * k, 400.f}, {400.f + 40.f * k, 1000.f}, k % 3);
    for (const std::unique_ptr<Bonus>& b : bonuses.bonuses)
        b->update(DT);

    ParticleSpawn boom{PARTICLE_EXPLOSION, 1500.f, 300.f, 0.f, 0, 0.f, 6.28f};
    particles.spawn(boom, 0);
    particles.spawn(ParticleSpawn{PARTICLE_BIG_EXPLOSION, 500.f, 600.f, 0.f, 0, 0.f, 0.f}, 0);
    particles.spawn(ParticleSpawn{PARTICLE_SMOKE, 1550.f, 330.f, 0.f, 0, 0.f, 6.28f}, 0);
    particles.spawn(ParticleSpawn{PARTICLE_BOSS_DAMAGE, 1450.f, 280.f, 0.f, 0, 0.f, 0.f}, 0);
    for (int i = 0; i < 5; ++i)
        particles.spawn(ParticleSpawn{PARTICLE_SHOOTING_STAR, 1480.f, 320.f, 0.01f, 1000, 0.f, 6.28f}, 0);
    ParticleSystem bigBang;
    bigBang.spawn(ParticleSpawn{PARTICLE_PLAYER_EXPLOSION, 1650.f, 700.f, 5.f, 5, 0.f, 6.28f}, 0);
    for (int i = 0; i < 12; ++i) {
        particles.update(DT);
        bigBang.update(DT);
    }

    const sf::Color background(12, 14, 30);
    window.clear(background);
    bigBang.draw(window);
    particles.draw(window);
    bonuses.draw(window);
    shots.draw(window, false);
    one.draw(window, true);
    two.draw(window, false);
    enemyBullets.draw(window, true);
    const sf::Image shot = screenshot(window, "play_layer");
    window.display();

    EXPECT_GT(distinctColours(shot), 40);
    // The ship, its shield and the beam cover the area around player 1.
    EXPECT_GT(coverage(shot, {650, 750, 100, 100}, background), 0.5f);
    // Player 2's ship, and the explosion.
    EXPECT_GT(coverage(shot, {two.position.x > 0 ? static_cast<int>(two.position.x) - 30 : 0,
                              static_cast<int>(two.position.y) - 30, 60, 60},
                       background),
              0.3f);
    EXPECT_GT(coverage(shot, {1470, 270, 60, 60}, background), 0.3f);
    // The two ships are painted in different colours.
    const sf::Color hullOne = shot.getPixel(700, 790);
    const sf::Color hullTwo = shot.getPixel(static_cast<unsigned>(two.position.x), static_cast<unsigned>(two.position.y) - 10);
    EXPECT_NE(hullOne, hullTwo);
}

TEST(PlayLayerGl, BlinkingAndInvulnerableShipsAreDrawnFaintOrNotAtAll)
{
    sf::RenderWindow window;
    openTestWindow(window);
    const sf::Color background(0, 0, 0);
    Player2D p(0);
    p.position = {960.f, 540.f};
    p.move(DT, 0);
    auto drawn = [&] {
        window.clear(background);
        p.draw(window, false);
        const sf::Image image = screenshot(window, "play_blink");
        window.display();
        return coverage(image, {930, 510, 60, 60}, background);
    };
    EXPECT_GT(drawn(), 0.3f);
    p.hit();
    EXPECT_LT(drawn(), 0.01f); // invulnerable: not drawn
    p.invulnerable = 0;
    p.blinking = 1;
    p.blinkTimer = 0.05f; // faint phase
    const sf::Image faint = [&] {
        window.clear(background);
        p.draw(window, false);
        sf::Image i = screenshot(window, "play_blink_faint");
        window.display();
        return i;
    }();
    p.blinkTimer = 0.15f; // opaque phase
    window.clear(background);
    p.draw(window, false);
    const sf::Image opaque = screenshot(window, "play_blink_opaque");
    window.display();
    const sf::Color a = faint.getPixel(960, 530), b = opaque.getPixel(960, 530);
    EXPECT_LT(a.r + a.g + a.b, b.r + b.g + b.b);
}
