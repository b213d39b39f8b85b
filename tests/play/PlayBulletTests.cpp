#include "engine/Engine.h"
#include "play/BulletManager.h"
#include "play/Entity2D.h"
#include "support/TestSupport.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {
constexpr float DT = 1.f / 60.f;

// A shooter with one active muzzle at (x, y).
Entity2D shooter(int type, int pattern, float heading, float x = 500.f, float y = 500.f)
{
    Entity2D e;
    e.bulletType = type;
    e.bulletPattern = pattern;
    e.angle = heading;
    e.setShootPointCount(1);
    e.shootPoints[0] = ShootPoint{x, y, 1, heading};
    return e;
}

std::string records(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += "2D/Bullets/B" + std::to_string(i) + ".png 20 10 0.4 4\n";
    return text;
}

float distance(sf::Vector2f a, sf::Vector2f b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Where one bullet fired from (500, 500) is after `steps` steps of `dt`.
sf::Vector2f flown(int type, int pattern, float heading, int steps, float dt)
{
    BulletManager m(engine().textures);
    m.spawnFromEnemy(shooter(type, pattern, heading), 0);
    for (int i = 0; i < steps; ++i)
        m.update(dt);
    EXPECT_EQ(m.bullets.size(), 1u);
    return m.bullets.empty() ? sf::Vector2f() : m.bullets.front().position;
}
} // namespace

TEST(PlayBullets, MotionPatternsAfterFixedSteps)
{
    // (Straight flight at each type's speed: BulletTypeTable.)
    // Spiral: 200 px from its origin after 1 s, whatever the type's speed.
    for (int type : {0, 8})
        EXPECT_NEAR(distance(flown(type, BULLET_SPIRAL, 0.f, 60, DT), {500.f, 500.f}), 200.f, 0.5f) << type;

    // Swirl: 1000 px/s, always.
    BulletManager w(engine().textures);
    w.spawnFromEnemy(shooter(2, BULLET_SWIRL, 30.f), 0);
    sf::Vector2f last(500.f, 500.f);
    for (int i = 0; i < 30; ++i) {
        w.update(DT);
        EXPECT_NEAR(distance(w.bullets.front().position, last), 1000.f * DT, 0.01f);
        last = w.bullets.front().position;
    }

    // Weave: 100 px/s forward, swinging about 57 px to the side and back.
    const sf::Vector2f swung = flown(2, BULLET_WEAVE, 0.f, 450, 1.f / 1000.f);
    EXPECT_NEAR(swung.x, 545.f, 0.1f);
    EXPECT_NEAR(swung.y, 500.f - 57.3f, 1.f);
    EXPECT_NEAR(flown(2, BULLET_WEAVE, 0.f, 900, 1.f / 1000.f).y, 500.f, 1.f);

    // Loops: over one full turn (0.2 pi s) only the 75 px/s drift remains.
    const float period = 0.2f * 3.14159265f;
    const sf::Vector2f looped = flown(2, BULLET_LOOPS, 0.f, 6283, period / 6283);
    EXPECT_NEAR(looped.x, 500.f + 75.f * period, 1.5f);
    EXPECT_NEAR(looped.y, 500.f, 1.5f);

    // Any other pattern stays where it was fired.
    EXPECT_EQ(flown(2, 9, 0.f, 1, 0.5f), sf::Vector2f(500.f, 500.f));
}

TEST(PlayBullets, AgingRemovesAtTenSeconds)
{
    BulletManager m(engine().textures);
    m.spawnFromEnemy(shooter(1, BULLET_STRAIGHT, 0.f), 0);
    m.update(5.f);
    m.update(4.99f);
    ASSERT_EQ(m.bullets.size(), 1u); // far off screen, still alive
    m.spawnFromEnemy(shooter(1, BULLET_STRAIGHT, 0.f), 0);
    m.update(0.01f);
    ASSERT_EQ(m.bullets.size(), 1u);
    EXPECT_NEAR(m.bullets.front().age, 0.01f, 1e-6f);
    BulletManager exact(engine().textures);
    exact.spawnFromEnemy(shooter(1, BULLET_STRAIGHT, 0.f), 0);
    exact.update(10.f);
    EXPECT_TRUE(exact.bullets.empty());
}

TEST(PlayBullets, FiringFollowsActiveMuzzles)
{
    BulletManager m(engine().textures);
    Entity2D e;
    e.bulletType = 3;
    e.angle = 45.f;
    e.setShootPointCount(64);
    m.spawn(e, 0);
    EXPECT_TRUE(m.bullets.empty()); // all inactive
    for (int i : {0, 10, 20, 30, 40, 50}) {
        e.shootPoints[static_cast<size_t>(i)].active = 1;
        e.shootPoints[static_cast<size_t>(i)].angle = static_cast<float>(i);
    }
    m.spawn(e, 1);
    ASSERT_EQ(m.bullets.size(), 6u);
    EXPECT_EQ(m.bullets.back().angle, 50.f);
    EXPECT_EQ(m.bullets.back().owner, 1);
    EXPECT_EQ(m.bullets.back().damage, 1);
    m.spawnFromEnemy(e, 0);
    ASSERT_EQ(m.bullets.size(), 12u);
    EXPECT_EQ(m.bullets.back().angle, 45.f);
    EXPECT_EQ(m.bullets.back().frame, sf::FloatRect());

    // A count out of step with the array never reads past it; a count of 0 fires nothing.
    Entity2D broken;
    broken.shootPointCount = 10;
    m.spawn(broken, 0);
    e.shootPointCount = 0;
    m.spawn(e, 0);
    EXPECT_EQ(m.bullets.size(), 12u);
}

TEST(PlayBullets, TypeFileWithFewerMoreMalformedOrNoRecords)
{
    TempDir dir;
    auto load = [&](const std::string& text) {
        writeFile(dir.file("Shoot.txt"), text);
        return BulletManager(engine().textures, dir.file("Shoot.txt"));
    };
    BulletManager fewer = load(records(3));
    EXPECT_EQ(fewer.typeCount(), 3);
    fewer.spawnFromEnemy(shooter(5, BULLET_STRAIGHT, 0.f), 0);
    EXPECT_TRUE(fewer.bullets.empty()); // no record for type 5
    fewer.spawnFromEnemy(shooter(2, BULLET_STRAIGHT, 0.f), 0);
    EXPECT_EQ(fewer.bullets.size(), 1u);

    EXPECT_EQ(load(records(20)).typeCount(), 14);
    // A final line break (or any trailing blanks) adds no empty record.
    EXPECT_EQ(load(records(14) + "\n\n  \n").typeCount(), 14);
    EXPECT_EQ(load(records(2) + "2D/x.png 20 abc 0.4 4\n" + records(3)).typeCount(), 2);
    EXPECT_EQ(load(records(2) + "2D/x.png 20 10\n").typeCount(), 2);            // truncated
    // A row of frames no texture can hold (its frame rectangles would leave the range of int)
    // ends the file; other such sizes are the bullet-type fuzz target's.
    EXPECT_EQ(load(records(1) + "2D/Bullets/OrbRed.png 24 24 0.4 400000000\n" + records(2)).typeCount(), 1);
    EXPECT_EQ(load("2D/x.png 1024 64 0.4 16\n").typeCount(), 1); // a full 16384-pixel row is fine

    BulletManager missing(engine().textures, dir.file("none.txt"));
    EXPECT_EQ(missing.typeCount(), 0);
    missing.spawn(shooter(0, BULLET_STRAIGHT, 0.f), 0);
    missing.update(DT);
    EXPECT_TRUE(missing.bullets.empty());
}
