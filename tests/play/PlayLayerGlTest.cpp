// The ships and enemies drawn for real: the ships' colours, the shield and the laser, the
// blinking after a hit, an enemy's flash when hit, and the parts of the ground kinds that
// only a picture shows (the fence beam, the turret's cannon, the coral's eyes). (Every kind's
// sheet is checked by EnemyTypeTableTests; shipped sequences are played to their Finish by
// LevelsPlaythroughGlTest.)
#include "engine/Engine.h"
#include "enemies/CoralEnemy.h"
#include "enemies/ElectricalFenceEnemy.h"
#include "enemies/EnemyManager.h"
#include "enemies/EnemyMath.h"
#include "enemies/GroundEnemies.h"
#include "platform/Random.h"
#include "play/BulletManager.h"
#include "play/Entity2D.h"
#include "play/Laser.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"
#include "play/Shield.h"
#include "support/EnemyFixtures.h"
#include "support/GameFixtures.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {
constexpr float DT = 1.f / 60.f;
const sf::Color FIELD(18, 26, 44); // the dark backdrop the enemies are drawn on

using PlayLayerGl = EngineWindowTest;

sf::Color pixel(const sf::Image& image, sf::Vector2f p)
{
    return image.getPixel(static_cast<unsigned>(p.x), static_cast<unsigned>(p.y));
}

bool isField(sf::Color c) { return std::abs(c.r - FIELD.r) + std::abs(c.g - FIELD.g) + std::abs(c.b - FIELD.b) < 12; }

// Pixels of the square of half side `half` round `centre` that differ clearly between two pictures.
int changedPixels(const sf::Image& a, const sf::Image& b, sf::Vector2f centre, int half)
{
    int changed = 0;
    for (int dy = -half; dy <= half; ++dy)
        for (int dx = -half; dx <= half; ++dx) {
            const sf::Color p = pixel(a, centre + sf::Vector2f(dx, dy));
            const sf::Color q = pixel(b, centre + sf::Vector2f(dx, dy));
            changed += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 60;
        }
    return changed;
}
} // namespace

TEST_F(PlayLayerGl, EachShipShowsInItsOwnColoursItsShieldAroundItAndBlinksAfterAHit)
{
    ParticleSystem particles(engine().textures);
    Player2D one(0, engine().run, engine().textures), two(1, engine().run, engine().textures);
    one.position = {700.f, 800.f};
    two.position = {1300.f, 850.f};
    one.gauge = 100.f;
    ASSERT_TRUE(startCharge(one));
    for (int i = 0; i < 40; ++i)
        one.update(DT, &particles, ShipLayout::Open);
    // Player 1 fires its laser up and to the right, out of its shield.
    one.startLaser(-60.f);
    for (int i = 0; i < 20; ++i) {
        one.laser->update(DT, one.position, -60.f);
        one.update(DT, &particles, ShipLayout::Open);
    }
    ASSERT_EQ(one.laser->state, LASER_FIRING);
    two.move(DT, ShipLayout::Open);

    const sf::Color background(12, 14, 30);
    window.clear(background);
    one.draw(window, true);
    two.draw(window, false);
    const sf::Image shot = screenshot(window, "play_layer_ships");
    window.display();
    // Player 1's ship and the shield round it fill the area about it; its beam goes on past.
    EXPECT_GT(coverage(shot, {650, 750, 100, 100}, background), 0.5f);
    EXPECT_GT(coverage(shot, {865, 487, 20, 20}, background), 0.5f) << "the beam 350 px out";
    EXPECT_GT(coverage(shot, {1270, 820, 60, 60}, background), 0.3f);
    // The shield is a bubble centred on the ship: its rim shows below the ship, nothing past it.
    const int rim = static_cast<int>(one.shield->radius);
    EXPECT_GT(coverage(shot, {690, 800 + rim - 8, 20, 8}, background), 0.5f);
    EXPECT_LT(coverage(shot, {650, 800 + rim + 4, 100, 30}, background), 0.02f);
    // The two ships are painted in different colours.
    EXPECT_NE(shot.getPixel(700, 790), shot.getPixel(1300, 840));
    // The beam's flare at the ship is turned along the beam; player 1's shield sheds cyan sparks.
    EXPECT_FLOAT_EQ(one.laser->baseSprite.getRotation(), 300.f);
    particles.draw(window);
    EXPECT_EQ(particles.sprites[PARTICLE_ENERGY].getColor(), sf::Color::Cyan);

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

TEST_F(PlayLayerGl, AnEnemyHitFlashesPaleAndTheGroundKindsShowTheirBeamCannonAndEyes)
{
    EnemyManager enemies(engine().textures);
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

    // A fence gate across the field, lit; then a floor turret and a coral, aiming for a few frames.
    const std::vector<sf::Vector2f> players{{300.f, 540.f}};
    const auto drawField = [&](const std::string& name) {
        window.clear(FIELD);
        enemies.draw(window, false);
        const sf::Image image = screenshot(window, name);
        window.display();
        return image;
    };
    enemies.spawnEnemy(enemyData(enemy_type::ELECTRICAL_FENCE, {2350.f, 115.f}, 90, {960.f, 540.f}, 1), players);
    enemies.spawnEnemy(enemyData(enemy_type::ELECTRICAL_FENCE, {2350.f, 965.f}, 270, {960.f, 540.f}, 1), players);
    drawField("enemies_ground_posts"); // the posts' bounds follow their turned sprite
    auto& gatePost = static_cast<ElectricalFenceEnemy&>(*enemies.enemies[1]);
    for (int i = 0; i < 200 && !gatePost.beam; ++i)
        enemies.update(0.016f, players);
    ASSERT_TRUE(gatePost.beam);
    enemies.spawnEnemy(enemyData(enemy_type::TURRET, {1100.f, 990.f}, 270, {960.f, 540.f}, 1), players);
    enemies.spawnEnemy(enemyData(enemy_type::CORAL, {960.f, 600.f}, 180, {960.f, 540.f}, 1), players);
    for (int i = 0; i < 10; ++i)
        enemies.update(0.016f, players);
    ASSERT_TRUE(gatePost.beam);
    const auto& turret = static_cast<const TurretEnemy&>(*enemies.enemies[enemies.enemies.size() - 2]);
    auto& coral = static_cast<CoralEnemy&>(*enemies.enemies.back());
    const sf::Image parts = drawField("enemies_ground_parts");

    // The beam glows between the posts and nowhere beside them.
    EXPECT_GT(pixel(parts, {gatePost.position.x, 400.f}).r, 200);
    EXPECT_TRUE(isField(pixel(parts, {gatePost.position.x - 50.f, 400.f})));
    // The cannon sticks out toward the player, beyond the turret's 60 px base.
    const float barrel = enemy_math::wrap360(turret.cannonAngle) * 3.1415927f / 180.f;
    const sf::Vector2f muzzle = turret.cannonPosition + 42.f * sf::Vector2f(std::cos(barrel), std::sin(barrel));
    EXPECT_GT(std::abs(muzzle.x - turret.position.x), 30.f);
    EXPECT_FALSE(isField(pixel(parts, muzzle)));
    // Every eye shows round the body, and is gone from the picture once killed.
    ASSERT_EQ(coral.segments.size(), 8u);
    const std::vector<CoralSegment> eyes = coral.segments;
    coral.segments.clear();
    const sf::Image eyeless = drawField("enemies_ground_eyeless");
    for (const CoralSegment& eye : eyes)
        EXPECT_GT(changedPixels(parts, eyeless, coral.position + eye.offset(), 15), 60) << eye.baseAngle;
}

TEST_F(PlayLayerGl, TheDebugViewFramesEachBulletInItsYellowHitSquare)
{
    BulletManager bullets(engine().textures);
    Entity2D shooter;
    shooter.bulletType = 1;
    shooter.bulletPattern = BULLET_STRAIGHT;
    shooter.setShootPointCount(1);
    for (float x : {600.f, 1200.f}) {
        shooter.shootPoints[0] = ShootPoint{x, 500.f, 1, 0.f};
        bullets.spawnFromEnemy(shooter, 0);
    }
    bullets.update(DT); // the first frame of their sheet
    ASSERT_EQ(bullets.bullets.size(), 2u);
    const sf::Color background(12, 14, 30);
    auto drawn = [&](bool debug) {
        window.clear(background);
        bullets.draw(window, debug);
        const sf::Image image = screenshot(window, debug ? "play_bullets_debug" : "play_bullets");
        window.display();
        return image;
    };
    const sf::Image plain = drawn(false), framed = drawn(true);
    for (const Bullet& b : bullets.bullets) {
        const int half = static_cast<int>(bullets.hitSize(b.type) / 2.f);
        const sf::Vector2f at = b.position;
        const sf::IntRect square(static_cast<int>(at.x) - half, static_cast<int>(at.y) - half, 2 * half, 2 * half);
        EXPECT_GT(coverage(plain, square, background), 0.05f) << "the bullet itself";
        const sf::Vector2f edge = at + sf::Vector2f(static_cast<float>(-half + 1), 0.f);
        EXPECT_EQ(pixel(framed, edge), sf::Color::Yellow);
        EXPECT_NE(pixel(plain, edge), sf::Color::Yellow);
    }
}

// Flying right (the corridor's way) the ship and its two engine flames are the
// ship flying up turned a quarter: the flames stay behind the nozzles.
TEST_F(PlayLayerGl, AShipFlyingRightIsTheShipFlyingUpTurnedAQuarterFlamesAndAll)
{
    ParticleSystem particles(engine().textures);
    Player2D ship(0, engine().run, engine().textures);
    ship.position = {400.f, 400.f};
    const sf::Color background(12, 14, 30);
    auto drawn = [&](int facing, const std::string& name) {
        ship.faceScroll(facing);
        ship.update(DT, &particles, ShipLayout::Open);
        window.clear(background);
        ship.draw(window, false);
        const sf::Image image = screenshot(window, name);
        window.display();
        return image;
    };
    const sf::Image up = drawn(0, "play_ship_up"), right = drawn(3, "play_ship_right");
    // A yellow flame burns below each nozzle, past the ship's tail; flying right, left of it.
    const auto flame = [](sf::Color c) { return c.r > 150 && c.g > 100 && c.r > c.b + 60; };
    EXPECT_GT(share(up, {378, 432, 14, 8}, flame), 0.1f);
    EXPECT_GT(share(up, {408, 432, 14, 8}, flame), 0.1f);
    EXPECT_GT(share(right, {360, 378, 8, 14}, flame), 0.1f);
    EXPECT_GT(share(right, {360, 408, 8, 14}, flame), 0.1f);
    // Pixel for pixel (give or take one, for the sprites' rounding) the turned picture.
    const auto near = [](sf::Color a, sf::Color b) {
        return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) <= 90;
    };
    int shown = 0, apart = 0;
    for (int v = -70; v <= 70; ++v)
        for (int u = -70; u <= 70; ++u) {
            // (u, v) from the centre turned a quarter clockwise comes from (v, -u).
            const sf::Color b = pixel(right, {400.f + u, 400.f + v});
            bool matched = false;
            for (int j = -1; j <= 1 && !matched; ++j)
                for (int i = -1; i <= 1 && !matched; ++i)
                    matched = near(b, pixel(up, {400.f + v + i, 400.f - u + j}));
            shown += b != background;
            apart += !matched;
        }
    EXPECT_GT(shown, 2500);
    EXPECT_LT(apart, shown / 50) << apart << " of " << shown << " pixels not where the turned ship has them";
}

// Every explosion kind and the smoke show where they go off, and only there.
TEST_F(PlayLayerGl, ExplosionsAndSmokeShowWhereTheyGoOff)
{
    seedRandom15(5);
    ParticleSystem particles(engine().textures);
    const int kinds[] = {PARTICLE_EXPLOSION, PARTICLE_BIG_EXPLOSION, PARTICLE_PLAYER_EXPLOSION, PARTICLE_BOSS_DAMAGE,
                         PARTICLE_SMOKE};
    for (int k = 0; k < 5; ++k) {
        ParticleSpawn s;
        s.kind = kinds[k];
        s.x = 300.f + 300.f * k;
        s.y = 500.f;
        particles.spawn(s, 0);
    }
    particles.update(0.1f);
    const sf::Color background(12, 14, 30);
    window.clear(background);
    particles.draw(window);
    const sf::Image shot = screenshot(window, "play_explosions");
    window.display();
    for (int k = 0; k < 5; ++k)
        EXPECT_GT(coverage(shot, {250 + 300 * k, 450, 100, 100}, background), 0.02f) << "kind " << kinds[k];
    EXPECT_EQ(coverage(shot, {0, 800, 1920, 280}, background), 0.f);
}
