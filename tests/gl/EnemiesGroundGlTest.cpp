// The parts of the ground kinds that only a picture shows: the fence beam between its posts,
// the turret's cannon turned toward the player and the coral's eyes round its body. How they
// move, aim and fire is checked without a window (EnemyGroundTests).
#include "enemies/CoralEnemy.h"
#include "enemies/ElectricalFenceEnemy.h"
#include "enemies/EnemyManager.h"
#include "enemies/EnemyMath.h"
#include "enemies/GroundEnemies.h"
#include "support/GameFixtures.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

EnemyData descriptor(int type, sf::Vector2f start, int angle)
{
    EnemyData d;
    d.type = type;
    d.start = start;
    d.angle = angle;
    d.target = {960.f, 540.f};
    d.flag = 1;
    return d;
}

bool isBackground(sf::Color c) { return std::abs(c.r - FIELD.r) + std::abs(c.g - FIELD.g) + std::abs(c.b - FIELD.b) < 12; }

sf::Color pixel(const sf::Image& image, sf::Vector2f p)
{
    return image.getPixel(static_cast<unsigned>(p.x), static_cast<unsigned>(p.y));
}

// Pixels of the square of the given half side round `centre` that differ clearly between two pictures.
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

TEST(EnemiesGroundGl, BeamCannonAndCoralEyesAreDrawnWhereThePlayerMeetsThem)
{
    sf::RenderWindow window;
    openTestWindow(window);
    EnemyManager enemies;
    const std::vector<sf::Vector2f> players{{300.f, 540.f}};

    // A fence gate across the corridor, lit.
    enemies.spawnEnemy(descriptor(enemy_type::ELECTRICAL_FENCE, {2350.f, 115.f}, 90), players);
    enemies.spawnEnemy(descriptor(enemy_type::ELECTRICAL_FENCE, {2350.f, 965.f}, 270), players);
    drawField(window, enemies); // the posts' bounds follow their turned sprite
    auto& gatePost = static_cast<ElectricalFenceEnemy&>(*enemies.enemies[0]);
    for (int i = 0; i < 200 && !gatePost.beam; ++i)
        enemies.update(0.016f, players);
    ASSERT_TRUE(gatePost.beam);

    // A floor turret and a coral join while the beam is on, and take aim for a few frames.
    enemies.spawnEnemy(descriptor(enemy_type::TURRET, {1100.f, 990.f}, 270), players);
    enemies.spawnEnemy(descriptor(enemy_type::CORAL, {960.f, 600.f}, 180), players);
    for (int i = 0; i < 10; ++i)
        enemies.update(0.016f, players);
    ASSERT_TRUE(gatePost.beam);
    const auto& turret = static_cast<const TurretEnemy&>(*enemies.enemies[2]);
    auto& coral = static_cast<CoralEnemy&>(*enemies.enemies[3]);

    drawField(window, enemies);
    const sf::Image shot = screenshot(window, "enemies_ground_parts");
    window.display();

    // The beam glows between the posts and nowhere beside them.
    const float gateX = gatePost.position.x;
    EXPECT_GT(pixel(shot, {gateX, 400.f}).r, 200);
    EXPECT_TRUE(isBackground(pixel(shot, {gateX - 50.f, 400.f})));
    // The cannon sticks out toward the player, beyond the turret's 60 px base.
    const float barrel = enemy_math::wrap360(turret.cannonAngle) * 3.1415927f / 180.f;
    const sf::Vector2f muzzle = turret.cannonPosition + 42.f * sf::Vector2f(std::cos(barrel), std::sin(barrel));
    EXPECT_GT(std::abs(muzzle.x - turret.position.x), 30.f);
    EXPECT_FALSE(isBackground(pixel(shot, muzzle)));
    // Every eye shows round the body, and is gone from the picture once killed.
    ASSERT_EQ(coral.segments.size(), 8u);
    const std::vector<CoralSegment> eyes = coral.segments;
    coral.segments.clear();
    drawField(window, enemies);
    const sf::Image eyeless = screenshot(window, "enemies_ground_eyeless");
    window.display();
    for (const CoralSegment& eye : eyes)
        EXPECT_GT(changedPixels(shot, eyeless, coral.position + eye.offset(), 15), 60) << eye.baseAngle;
}
