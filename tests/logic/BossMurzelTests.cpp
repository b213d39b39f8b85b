#include "bosses/BossLvl1.h"
#include "bosses/Murzel.h"
#include "engine/Engine.h"
#include "engine/Mesh.h"
#include "engine/SceneChange.h"
#include "engine/Scenes.h"
#include "gameplay/GameState.h"
#include "play/BulletManager.h"
#include "play/Laser.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"
#include "play/Shield.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>
#include <memory>

using namespace testing_support;

namespace {

constexpr float DT = 1.f / 64.f;

// Runs `build` with an empty working directory: scene 9's files are not
// there, so the scene change loads no textures (no display here).
template <class Build>
auto withoutSceneFiles(Build build)
{
    TempDir empty;
    InDirectory inEmpty(empty.path);
    auto built = build();
    scenePreloader().wait();
    return built;
}

// The head mesh as the renderer leaves it: a position and screen bounds.
Mesh& addHead(const ScreenBounds& bounds)
{
    SceneObjectRecord head;
    head.name = "4head";
    head.mesh = std::make_unique<Mesh>(std::vector<Triangle>{}, sf::Vector3f(300.f, 0.f, 800.f), "3D/Murzel/4head",
                                       false);
    head.mesh->screenBounds = bounds;
    Mesh& mesh = *head.mesh;
    engine().world.sceneObjects.push_back(std::move(head));
    return mesh;
}

class BossMurzelFight : public ::testing::Test, protected BossArena {
protected:
    void SetUp() override
    {
        Engine& e = engine();
        e.timing.frameTime = DT;
        e.world.camera = &camera;
        e.world.cameraFrame = 0;
        boss = withoutSceneFiles([this] { return std::make_unique<Murzel>(BossData{BOSS_MURZEL, &particles}); });
        boss->players = &ships;
        head = &addHead({1200.f, 300.f, 1500.f, 600.f});
        for (int i = 0; i < 2; ++i)
            addShip({500.f + 300.f * i, 900.f});
    }
    void TearDown() override
    {
        boss.reset();
        engine().world.sceneObjects.clear();
        engine().world.camera = nullptr;
        engine().world.cameraFrame = 0;
    }

    bool step(int frame)
    {
        engine().world.cameraFrame = frame;
        return boss->update(DT, enemies, ships, scoring, particles);
    }

    // Steps to `frame` so that the boss stands exposed.
    void expose()
    {
        ASSERT_FALSE(step(800));
        ASSERT_EQ(boss->phase, 2);
    }

    Camera camera;
    std::unique_ptr<Murzel> boss;
    Mesh* head = nullptr;
};

} // namespace

TEST_F(BossMurzelFight, PhasesFollowTheCameraFramesOverAWholeLoop)
{
    EXPECT_EQ(engine().world.sceneId, scene::ARENA);
    EXPECT_FLOAT_EQ(boss->health, 640.f);
    bool blinked = false;
    bool laserSeen = false;
    for (int f = 0; f <= 4900; ++f) {
        ASSERT_FALSE(step(f)) << f;
        const bool exposed = boss->hitBox.left > -1000.f;
        if (f < 723) { // hidden before and through the first warning
            ASSERT_FALSE(exposed) << f;
        }
        if (f >= 723 && f <= 961) {
            ASSERT_TRUE(exposed) << f;
        }
        if (f == 962 || f == 4819) { // hidden again after each window
            ASSERT_FALSE(exposed) << f;
        }
        if (f >= 4321 && f <= 4419) { // this warning keeps the exposed phase
            ASSERT_TRUE(exposed) << f;
            ASSERT_TRUE(boss->warning);
        }
        if (f >= 623 && f <= 721)
            blinked = blinked || head->notEmissive;
        if (f == 722) { // glow back on after the warning
            EXPECT_FALSE(head->notEmissive);
        }
        if (f >= 4421 && f <= 4818 && boss->laser)
            laserSeen = true;
        if (f > 4818) {
            ASSERT_EQ(boss->laser, nullptr) << f;
        }
        if (f == 100) { // the arena goes dark
            EXPECT_FLOAT_EQ(engine().world.worldLighting, 0.f);
        }
    }
    EXPECT_TRUE(blinked);
    EXPECT_TRUE(laserSeen);
    EXPECT_FLOAT_EQ(engine().world.worldLighting, 2.5f);

    // Exposed: two thirds of the head's outline, centred on it.
    step(800);
    EXPECT_FLOAT_EQ(boss->hitBox.width, 200.f);
    EXPECT_FLOAT_EQ(boss->hitBox.left, 1250.f);
    EXPECT_FLOAT_EQ(boss->hitBox.top, 350.f);
}

TEST_F(BossMurzelFight, TimerCountsDownAndEndsTheFight)
{
    for (int i = 0; i < 64; ++i)
        ASSERT_FALSE(step(10));
    const TextNode* first = boss->timerText->digitHeads().at(0);
    EXPECT_EQ(first->tiles[0].getTextureRect().left, 21 * 1);
    EXPECT_EQ(first->next->tiles[0].getTextureRect().left, 21 * 9);
    EXPECT_EQ(first->next->next->tiles[0].getTextureRect().left, 21 * 9);
    boss->timer = 0.01f;
    EXPECT_TRUE(step(10));
}

TEST_F(BossMurzelFight, ShotsLaserAndShieldWearItDown)
{
    expose();
    const sf::Vector2f centre(1350.f, 450.f);
    for (int i = 0; i < 639; ++i) {
        Bullet b;
        b.type = BulletManager::PLAYER_SHOT_TYPE;
        b.position = centre;
        shots.bullets.push_back(b);
    }
    EXPECT_FALSE(boss->hitByBullets(shots, ships, scoring));
    EXPECT_TRUE(shots.bullets.empty());
    EXPECT_FLOAT_EQ(boss->health, 1.f);
    EXPECT_EQ(scores[0].score, 639u * 2500u);
    EXPECT_TRUE(boss->flashing);

    Bullet last;
    last.type = BulletManager::PLAYER_SHOT_TYPE;
    last.position = centre;
    shots.bullets.push_back(last);
    shots.bullets.push_back(last);
    EXPECT_TRUE(boss->hitByBullets(shots, ships, scoring));
    EXPECT_EQ(shots.bullets.size(), 1u); // the loop stops at the death
    EXPECT_EQ(scores[1].score, 1000000u); // the player who did not fire too
    EXPECT_DOUBLE_EQ(ships[1]->bossScore, 0.0); // not in a boss level

    // The laser costs 1.5 and stops at the hit box.
    boss->health = 640.f;
    ships[0]->bossLevel = 1;
    Laser beam(LASER_PLAYER1, 10.f, 0.f);
    for (int i = 0; i < 40; ++i)
        beam.update(DT, {1000.f, 450.f}, 0.f);
    ASSERT_GT(beam.segments.size(), 2u);
    bool hit = false;
    for (size_t k = 0; k < beam.segments.size(); ++k) {
        const size_t before = k;
        EXPECT_FALSE(boss->hitByLaser(beam, k, 0, scoring));
        if (k != before) {
            hit = true;
            EXPECT_EQ(k, beam.segments.size());
        }
    }
    EXPECT_TRUE(hit);
    EXPECT_TRUE(beam.impactVisible);
    EXPECT_FLOAT_EQ(boss->health, 638.5f);
    EXPECT_DOUBLE_EQ(ships[0]->bossScore, 2500.0);

    Shield shield(centre, 1);
    shield.setRadius(50.f);
    EXPECT_FALSE(boss->hitByShield(shield, 1, scoring));
    EXPECT_FLOAT_EQ(boss->health, 638.f);
    boss->health = 0.4f;
    EXPECT_TRUE(boss->hitByShield(shield, 1, scoring));
}

TEST_F(BossMurzelFight, HiddenBossCannotBeHitAndADegenerateOutlineIsSafe)
{
    ASSERT_FALSE(step(100));
    EXPECT_FLOAT_EQ(boss->hitBox.left, -50000.f);
    Bullet b;
    b.type = BulletManager::PLAYER_SHOT_TYPE;
    b.position = {1350.f, 450.f};
    shots.bullets.push_back(b);
    EXPECT_FALSE(boss->hitByBullets(shots, ships, scoring));
    EXPECT_EQ(shots.bullets.size(), 1u);

    // A head squashed to a point: a zero-sized hit box still flashes safely.
    head->screenBounds = {1300.f, 400.f, 1300.f, 400.f};
    ASSERT_FALSE(step(800));
    EXPECT_FLOAT_EQ(boss->hitBox.width, 0.f);
    boss->flashHit();
    EXPECT_TRUE(boss->flashing);
}

TEST_F(BossMurzelFight, BossLaserHitsShipsAndClashesWithTheirs)
{
    // Phase 3 fires left from the head; the ship in its way is hit.
    for (int f = 4421; f < 4480; ++f)
        ASSERT_FALSE(step(f));
    ASSERT_NE(boss->laser, nullptr);
    ASSERT_GT(boss->laser->segments.size(), 3u);
    const sf::Vector2f origin = boss->laserOrigin;
    Player2D& ship = *ships[0];
    ship.hitBox = {origin.x - 300.f, origin.y - 10.f, 20.f, 20.f};
    const int lives = ship.lives;
    EXPECT_FALSE(boss->hitPlayer(ship));
    EXPECT_EQ(ship.lives, lives - 1);

    // A player's beam meeting the boss's beam head-on cuts both and hurts the boss.
    ship.laser = std::make_unique<Laser>(LASER_PLAYER1, 10.f, 180.f);
    for (int i = 0; i < 40; ++i)
        ship.laser->update(DT, origin - sf::Vector2f(1.f, 0.f), 180.f);
    ASSERT_GT(ship.laser->segments.size(), 2u);
    const float health = boss->health;
    EXPECT_FALSE(boss->clashLasers(scoring));
    EXPECT_FLOAT_EQ(boss->health, health - 2.5f);
    EXPECT_EQ(scores[0].score, 10000u);
    EXPECT_TRUE(ship.laser->impactVisible);
    // Regrown, they meet again in the boss's update, which ends the fight.
    boss->health = 1.f;
    bool over = false;
    for (int i = 0; i < 60 && !over; ++i) {
        ship.laser->update(DT, origin - sf::Vector2f(1.f, 0.f), 180.f);
        over = step(4480 + i);
    }
    EXPECT_TRUE(over);
    EXPECT_EQ(scores[1].score, 1000000u);
}

TEST_F(BossMurzelFight, DeletingTheBossLeavesTheHeadLit)
{
    for (int f = 623; f < 650; ++f)
        step(f);
    boss->flashHit();
    step(651);
    head->notEmissive = true;
    boss.reset();
    EXPECT_FALSE(head->notEmissive);
    EXPECT_FLOAT_EQ(head->flash, 0.f);
}
