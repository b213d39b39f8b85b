// The ground kinds, the aiming shooters and the coral on screen: a gallery with a lit fence
// beam, swivelled cannons, spinning spouts and a coral with one eye flashing, and the
// corridor level played through its sequence.
#include "enemies/CoralEnemy.h"
#include "enemies/ElectricalFenceEnemy.h"
#include "enemies/EnemyManager.h"
#include "enemies/EnemyMath.h"
#include "enemies/GroundEnemies.h"
#include "enemies/Spawner.h"
#include "platform/Random.h"
#include "play/BulletManager.h"
#include "support/GameFixtures.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>

using namespace testing_support;

namespace {

EnemyData descriptor(int type, sf::Vector2f start, int angle, std::uint8_t flag = 1)
{
    EnemyData d;
    d.type = type;
    d.start = start;
    d.angle = angle;
    d.target = {960.f, 540.f};
    d.flag = flag;
    return d;
}

bool isBackground(sf::Color c) { return std::abs(c.r - FIELD.r) + std::abs(c.g - FIELD.g) + std::abs(c.b - FIELD.b) < 12; }

sf::Color pixel(const sf::Image& image, sf::Vector2f p)
{
    return image.getPixel(static_cast<unsigned>(p.x), static_cast<unsigned>(p.y));
}

} // namespace

TEST(EnemiesGroundGl, GalleryOfGroundKindsShootersAndTheCoral)
{
    sf::RenderWindow window;
    openTestWindow(window);
    EnemyManager enemies;
    const std::vector<sf::Vector2f> players{{300.f, 540.f}};

    // A fence gate across the corridor, lit: only the posts are in the list while it warms up.
    enemies.spawnEnemy(descriptor(enemy_type::ELECTRICAL_FENCE, {2350.f, 115.f}, 90), players);
    enemies.spawnEnemy(descriptor(enemy_type::ELECTRICAL_FENCE, {2350.f, 965.f}, 270), players);
    drawField(window, enemies); // the posts' bounds follow their turned sprite
    auto& gatePost = static_cast<ElectricalFenceEnemy&>(*enemies.enemies[0]);
    for (int i = 0; i < 200 && !gatePost.beam; ++i)
        enemies.update(0.016f, players);
    ASSERT_TRUE(gatePost.beam);

    // Ceiling and floor: wall tiles and turrets, cannons turned toward the player.
    for (int k = 0; k < 16; ++k) {
        enemies.spawnEnemy(descriptor(enemy_type::WALL, {1000.f + 30.f * k, 1035.f}, 360 - k), players);
        enemies.spawnEnemy(descriptor(enemy_type::WALL, {1000.f + 30.f * k, 45.f}, 360 - (15 - k)), players);
    }
    enemies.spawnEnemy(descriptor(enemy_type::TURRET, {1100.f, 990.f}, 270), players);
    enemies.spawnEnemy(descriptor(enemy_type::TURRET, {1400.f, 90.f}, 90), players);
    // The insects of the aiming kinds, posed facing the player.
    const int insects[] = {enemy_type::SHOOTER, enemy_type::QUARTER_SHOOTER, enemy_type::HEADS_OR_TAILS,
                           enemy_type::STAY_AND_DASH, enemy_type::EATER};
    for (int k = 0; k < 5; ++k)
        enemies.spawnEnemy(descriptor(insects[k], {520.f + 130.f * k, 220.f}, 180), players);
    enemies.spawnEnemy(descriptor(enemy_type::BRUISER, {560.f, 800.f}, 180), players);
    // Spouts and the coral.
    enemies.spawnEnemy(descriptor(enemy_type::ROTATING_SPITTER_ONE, {1250.f, 300.f}, 0), players);
    enemies.spawnEnemy(descriptor(enemy_type::ROTATING_SPITTER_FOUR, {1250.f, 540.f}, 45), players);
    for (size_t k = enemies.enemies.size() - 2; k < enemies.enemies.size(); ++k)
        enemies.enemies[k]->animation.elapsed = 0.5f; // done appearing
    enemies.spawnEnemy(descriptor(enemy_type::CORAL, {960.f, 650.f}, 180), players);
    const size_t count = enemies.enemies.size();

    // A few frames: cannons swivel, spouts appear and start spraying, coral eyes take aim.
    std::vector<sf::Vector2f> poses;
    for (const auto& e : enemies.enemies)
        poses.push_back(e->position);
    for (int i = 0; i < 48; ++i) {
        enemies.update(0.016f, players);
        for (size_t k = 2; k < enemies.enemies.size(); ++k) { // hold the portrait still
            enemies.enemies[k]->position = poses[k];
            if (auto* turret = dynamic_cast<TurretEnemy*>(enemies.enemies[k].get()))
                turret->cannonPosition = poses[k];
        }
    }
    ASSERT_EQ(enemies.enemies.size(), count);
    ASSERT_TRUE(gatePost.beam);
    auto& coral = static_cast<CoralEnemy&>(*enemies.enemies.back());
    coral.segments[2].sinceHit = 0.f; // one eye flashes from a hit

    drawField(window, enemies);
    const sf::Image shot = screenshot(window, "enemies_ground_gallery");
    window.display();
    EXPECT_GT(distinctColours(shot), 40);

    // The beam glows between the posts, which have drifted with the ground.
    const float gateX = gatePost.position.x;
    EXPECT_LT(gateX, 2350.f - 288.f * 2.f);
    EXPECT_GT(pixel(shot, {gateX, 400.f}).r, 200);
    EXPECT_TRUE(isBackground(pixel(shot, {gateX - 50.f, 400.f})));
    // The floor turret's cannon sticks out toward the player, outside its base.
    const auto& turret = static_cast<const TurretEnemy&>(*enemies.enemies[2 + 32]);
    EXPECT_GT(enemy_math::wrap360(turret.cannonAngle), 180.f);
    EXPECT_LT(enemy_math::wrap360(turret.cannonAngle), 270.f);
    const float barrel = enemy_math::wrap360(turret.cannonAngle) * 3.1415927f / 180.f;
    EXPECT_FALSE(isBackground(pixel(shot, turret.position + 33.f * sf::Vector2f(std::cos(barrel), std::sin(barrel)))));
    // Every coral eye is drawn round the body.
    for (const CoralSegment& s : coral.segments)
        EXPECT_FALSE(isBackground(pixel(shot, coral.position + s.offset()))) << s.baseAngle;
    // The spouts are spraying.
    EXPECT_GE(enemies.enemyBullets->bullets.size(), 12u);
}

TEST(EnemiesGroundGl, CorridorLevelBringsItsGroundEnemiesAndGates)
{
    sf::RenderWindow window;
    openTestWindow(window);
    seedRandom15(21);
    Spawner spawner;
    EnemyManager enemies;
    std::list<SpawnPattern> running;
    const int index = spawner.getSequenceIndex(2, 1);
    int direction = -1;
    ASSERT_TRUE(spawner.loadSequence(index, [&](int d) { direction = d; }));
    EXPECT_EQ(direction, scroll_direction::RIGHT);

    const std::vector<sf::Vector2f> players{{400.f, 540.f}};
    const float dt = 1.f / 60.f;
    std::set<int> seen;
    bool beamLit = false;
    bool finished = false;
    auto play = [&](float seconds) {
        for (int frame = 0; frame < static_cast<int>(seconds * 60.f); ++frame) {
            enemies.update(dt, players);
            spawner.update(dt, running);
            finished |= updateSpawnPatterns(running, dt, enemies, players);
            for (const auto& e : enemies.enemies) {
                seen.insert(e->getType());
                if (const auto* post = dynamic_cast<const ElectricalFenceEnemy*>(e.get()))
                    beamLit |= post->beam != nullptr;
            }
            if (frame % 30 == 0) {
                drawField(window, enemies);
                window.display();
            }
        }
    };
    play(33.f);
    EXPECT_TRUE(beamLit);
    drawField(window, enemies);
    const sf::Image shot = screenshot(window, "enemies_corridor_gates");
    window.display();
    EXPECT_GT(distinctColours(shot), 20);

    play(17.f); // the coral drifts in past the one-spout spitter
    drawField(window, enemies);
    const sf::Image coral = screenshot(window, "enemies_corridor_coral");
    window.display();
    EXPECT_GT(distinctColours(coral), 20);

    play(47.f);
    EXPECT_TRUE(finished);
    for (int type : {enemy_type::WALL, enemy_type::TURRET, enemy_type::ELECTRICAL_FENCE,
                     enemy_type::ROTATING_SPITTER_ONE, enemy_type::ROTATING_SPITTER_FOUR, enemy_type::CORAL})
        EXPECT_TRUE(seen.count(type)) << type;
    // Turrets, spouts and scrolling kinds have gone; only walls, posts and the coral stay listed.
    for (const auto& e : enemies.enemies) {
        const int type = e->getType();
        EXPECT_TRUE(type == enemy_type::WALL || type == enemy_type::ELECTRICAL_FENCE || type == enemy_type::CORAL ||
                    type >= enemy_type::BIG_BULLET)
            << type;
    }
}
