#include "bosses/BodyPart.h"
#include "bosses/BossLvl1.h"
#include "bosses/Icarus.h"
#include "bosses/IcarusLayout.h"
#include "engine/Engine.h"
#include "enemies/EnemyManager.h"
#include "enemies/EnemyTypes.h"
#include "engine/Scenes.h"
#include "gameplay/GameState.h"
#include "play/BulletManager.h"
#include "play/Laser.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"
#include "play/Shield.h"
#include "play/TextManager.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>
#include <memory>
#include <sstream>

using namespace testing_support;

namespace {

// A frame time that sums exactly in binary, so whole seconds stay whole.
constexpr float DT = 1.f / 64.f;

// Pairs on modules 0 and 1, a lone shooter, the head.
const char* const LAYOUT = "SHOOT 20 -500 -300\n"
                           "lone 5 0 300\n"
                           "SPAWN 20 -250 -300\n"
                           "HEAD 100 0 -200\n"
                           "HEAD 999 0 0\n";

// The digits a score counter rolls to.
std::string counterText(const TextManager& counter)
{
    std::string text;
    for (const TextNode* n = counter.counterHeads().at(0); n && n->kind == TEXT_COUNTER; n = n->next)
        text += static_cast<char>('0' + n->target);
    return text;
}

// One or two ships with their scores, and what a fight needs around them.
class BossIcarusFight : public ::testing::Test, protected BossArena {
protected:
    void SetUp() override
    {
        engine().timing.frameTime = DT;
        engine().world.camera = nullptr;
        addShip({960.f, 900.f});
    }
    void TearDown() override
    {
        boss.reset();
        releaseBoss3D();
    }

    Icarus& build(const std::string& layout)
    {
        writeFile(dir.file("Icarus.txt"), layout);
        boss = std::make_unique<Icarus>(BossData{BOSS_ICARUS, &particles}, dir.file("Icarus.txt"));
        boss->players = &ships;
        return *boss;
    }

    bool run(float seconds)
    {
        const int frames = static_cast<int>(seconds / DT + 0.5f);
        for (int f = 0; f < frames; ++f) {
            if (BossLvl1* tower = currentBossLvl1())
                tower->update();
            if (boss->update(DT, enemies, ships, scoring, particles))
                return true;
        }
        return false;
    }

    // A player shot of damage 1 at `at`.
    void shootAt(sf::Vector2f at, int owner = 0)
    {
        Bullet b;
        b.type = BulletManager::PLAYER_SHOT_TYPE;
        b.position = at;
        b.owner = owner;
        shots.bullets.push_back(b);
    }

    bool fireShots(sf::Vector2f at, int count)
    {
        for (int i = 0; i < count; ++i) {
            shootAt(at);
            if (boss->hitByBullets(shots, ships, scoring))
                return true;
        }
        return false;
    }

    int enemiesOfType(int type) const
    {
        int n = 0;
        for (const auto& e : enemies.enemies)
            n += e->getType() == type;
        return n;
    }

    TempDir dir;
    std::unique_ptr<Icarus> boss;
};

} // namespace

TEST(BossIcarusLayout, RecordsReadUntilTheFirstBadOne)
{
    std::istringstream good("HEAD 300 0 -200\nSHOOT 60 -553.5 -306\nSPAWN 60 298 -306\n");
    const std::vector<IcarusPartRecord> records = readIcarusLayout(good);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].kind, "SHOOT");
    EXPECT_EQ(records[1].hp, 60);
    EXPECT_FLOAT_EQ(records[1].offset.x, -553.5f);

    std::istringstream truncated("HEAD 300 0 -200\nSHOOT 60 -553");
    EXPECT_EQ(readIcarusLayout(truncated).size(), 1u);
    std::istringstream garbage("HEAD lots 0 0\nSHOOT 60 0 0\n");
    EXPECT_TRUE(readIcarusLayout(garbage).empty());

    // Hit points below 1 count as 1; no more than MAX_RECORDS are read.
    std::istringstream weak("SHOOT -4 0 0\nSHOOT 0 0 0\n");
    for (const IcarusPartRecord& r : readIcarusLayout(weak))
        EXPECT_EQ(r.hp, 1);
    std::string many;
    for (int i = 0; i < 100; ++i)
        many += "X 1 0 0\n";
    std::istringstream flood(many);
    EXPECT_EQ(readIcarusLayout(flood).size(), static_cast<size_t>(icarus_layout::MAX_RECORDS));
}

TEST_F(BossIcarusFight, LayoutBuildsHeadPairsAndModules)
{
    Icarus& icarus = build(LAYOUT);
    ASSERT_TRUE(icarus.head);
    EXPECT_FLOAT_EQ(icarus.maxHealth, 100.f); // the second HEAD is ignored
    EXPECT_EQ(icarus.head->position, sf::Vector2f(960.f, 340.f));
    ASSERT_EQ(icarus.parts.size(), 3u);

    auto* shooter = dynamic_cast<ShootIcarus*>(icarus.parts[0].get());
    ASSERT_NE(shooter, nullptr);
    EXPECT_EQ(shooter->module, 0);
    EXPECT_NE(dynamic_cast<SpawnerIcarus*>(shooter->partner.get()), nullptr);
    auto* lone = dynamic_cast<ShootIcarus*>(icarus.parts[1].get());
    ASSERT_NE(lone, nullptr);
    EXPECT_EQ(lone->module, 1);
    EXPECT_FALSE(lone->partner);
    auto* spawner = dynamic_cast<SpawnerIcarus*>(icarus.parts[2].get());
    ASSERT_NE(spawner, nullptr);
    EXPECT_EQ(spawner->module, 1); // the lone part did not advance the module
    EXPECT_EQ(spawner->spawnPoint, sf::Vector2f(710.f - 25.f, 240.f - 25.f));
    EXPECT_EQ(engine().world.sceneId, scene::TOWER);
    ASSERT_NE(currentBossLvl1(), nullptr);
    EXPECT_FLOAT_EQ(icarus.timer, 99.f);

    // A fifth pair has no module left and is ignored.
    build("SHOOT 1 0 0\nSPAWN 1 0 0\nSHOOT 1 0 0\nSPAWN 1 0 0\nSHOOT 1 0 0\nHEAD 5 0 0\n");
    EXPECT_EQ(boss->parts.size(), 4u);
}

TEST_F(BossIcarusFight, MissingOrEmptyLayoutRunsOnlyTheCountdown)
{
    boss = std::make_unique<Icarus>(BossData{BOSS_ICARUS, &particles}, dir.file("nowhere.txt"));
    boss->players = &ships;
    EXPECT_FALSE(boss->head);
    EXPECT_TRUE(boss->parts.empty());
    shootAt({960.f, 540.f});
    EXPECT_FALSE(boss->hitByBullets(shots, ships, scoring));
    EXPECT_EQ(shots.bullets.size(), 1u);
    EXPECT_FALSE(boss->hitPlayer(*ships[0]));
    EXPECT_FALSE(run(98.9f));
    EXPECT_TRUE(run(0.2f));
}

TEST_F(BossIcarusFight, PairedPartIsReplacedTwoSecondsLaterThenDiesForGood)
{
    build(LAYOUT);
    BossLvl1* tower = currentBossLvl1();
    const sf::Vector2f partCentre(460.f, 240.f);

    EXPECT_FALSE(fireShots(partCentre, 19));
    EXPECT_FLOAT_EQ(boss->parts[0]->health, 1.f);
    EXPECT_EQ(scores[0].score, 19u * 25u);
    EXPECT_TRUE(tower->flashOn[0]);
    EXPECT_FALSE(fireShots(partCentre, 1));
    EXPECT_EQ(scores[0].score, 20u * 25u + 25000u);
    EXPECT_EQ(counterText(*counters[0]), "000025500");
    EXPECT_DOUBLE_EQ(ships[0]->bossScore, 25500.0);
    EXPECT_FALSE(boss->parts[0]->active);
    EXPECT_TRUE(boss->swapSlots[0].pending);
    EXPECT_FALSE(tower->modules[0].turned); // the spawner's side shows
    EXPECT_FALSE(tower->moduleDestroyed[0]);

    // A destroyed part takes no shots but still hurts a ship touching it.
    shootAt(partCentre);
    EXPECT_FALSE(boss->hitByBullets(shots, ships, scoring));
    EXPECT_EQ(shots.bullets.size(), 1u);
    shots.bullets.clear();
    ships[0]->hitBox = {partCentre.x, partCentre.y, 10.f, 10.f};
    const int lives = ships[0]->lives;
    EXPECT_FALSE(boss->hitPlayer(*ships[0]));
    EXPECT_EQ(ships[0]->lives, lives - 1);

    run(1.9f);
    EXPECT_FALSE(boss->parts[0]->active);
    run(0.15f);
    auto* replacement = dynamic_cast<SpawnerIcarus*>(boss->parts[0].get());
    ASSERT_NE(replacement, nullptr); // same list index, same module
    EXPECT_TRUE(replacement->active);
    EXPECT_FLOAT_EQ(replacement->health, 20.f);
    EXPECT_FALSE(boss->swapSlots[0].pending);

    EXPECT_FALSE(fireShots(partCentre, 20));
    EXPECT_FALSE(boss->parts[0]->active);
    EXPECT_TRUE(tower->moduleDestroyed[0]);
    ASSERT_EQ(boss->smokePoints.size(), 1u);
    EXPECT_EQ(boss->smokePoints[0], sf::Vector2f(460.5f, 240.5f));
    run(3.f);
    EXPECT_FALSE(boss->parts[0]->active); // nothing left to swap in
    EXPECT_FALSE(boss->swapSlots[0].pending);
}

TEST_F(BossIcarusFight, HeadDefeatEndsTheFightFromAnyWeapon)
{
    addShip({1200.f, 900.f});
    build(LAYOUT);
    const int before = particles.count();
    EXPECT_FALSE(fireShots({960.f, 340.f}, 99));
    EXPECT_TRUE(fireShots({960.f, 340.f}, 1));
    EXPECT_EQ(particles.count() - before, 10); // ten bursts at the defeat
    EXPECT_EQ(scores[0].score, 100u * 25u + 100000u);
    EXPECT_EQ(scores[1].score, 100000u); // every player gets the defeat points
    EXPECT_DOUBLE_EQ(ships[1]->bossScore, 100000.0);

    // The laser: 1.5 per frame, and the beam stops at the head.
    build(LAYOUT);
    Laser beam(LASER_PLAYER1, 10.f, -90.f);
    int frames = 0;
    bool defeated = false;
    while (!defeated && frames < 200) {
        beam.update(DT, {1100.f, 800.f}, -90.f);
        ++frames;
        for (size_t k = 0; k < beam.segments.size() && !defeated; ++k) {
            const size_t segmentsBefore = beam.segments.size();
            defeated = boss->hitByLaser(beam, k, 1, scoring);
            if (!defeated && k >= beam.segments.size()) {
                EXPECT_LE(beam.segments.size(), segmentsBefore);
                EXPECT_TRUE(beam.impactVisible);
            }
        }
    }
    EXPECT_TRUE(defeated);
    EXPECT_LT(frames, 90);

    // The shield: 0.5 per frame.
    build("HEAD 2 0 0\n");
    Shield shield({960.f, 540.f}, 0);
    shield.setRadius(50.f);
    EXPECT_FALSE(boss->hitByShield(shield, 0, scoring));
    EXPECT_FALSE(boss->hitByShield(shield, 0, scoring));
    EXPECT_FALSE(boss->hitByShield(shield, 0, scoring));
    EXPECT_TRUE(boss->hitByShield(shield, 0, scoring));
}

TEST_F(BossIcarusFight, PartsFireAndSpawnOnTheirClocks)
{
    build("SHOOT 20 -500 -300\nSPAWN 20 -250 -300\nHEAD 100 0 -200\n");
    BulletManager& bullets = *enemies.enemyBullets;
    run(1.45f);
    EXPECT_TRUE(bullets.bullets.empty());
    run(0.1f);
    ASSERT_EQ(bullets.bullets.size(), 2u); // two shots from the module's turret
    EXPECT_EQ(bullets.bullets.front().type, ShootIcarus::BULLET_TYPE);

    // The spawner's first side bee comes 3.3 s in, then one every 3 s.
    run(1.6f);
    EXPECT_EQ(enemiesOfType(enemy_type::SIDE_BEE), 0);
    run(0.2f);
    EXPECT_EQ(enemiesOfType(enemy_type::SIDE_BEE), 1);
    run(3.f);
    EXPECT_EQ(enemiesOfType(enemy_type::SIDE_BEE), 2);

    // Without any ship the bees still get a point to aim at, and a shooter
    // with nobody to aim at re-arms without firing.
    ships.clear();
    EXPECT_FALSE(run(3.5f));
    EXPECT_EQ(enemiesOfType(enemy_type::SIDE_BEE), 3);
    ShootIcarus alone(5, {500.f, 500.f}, 2);
    const size_t fired = bullets.bullets.size();
    for (int f = 0; f < 100; ++f)
        alone.update(DT, enemies, {});
    EXPECT_EQ(bullets.bullets.size(), fired);
    EXPECT_LT(alone.shotTimer, ShootIcarus::SHOT_INTERVAL);
}

TEST_F(BossIcarusFight, HeadReleasesABeeThroughTheDoorsEveryTenSeconds)
{
    build("HEAD 100 0 -200\n");
    BossLvl1* tower = currentBossLvl1();
    run(10.1f);
    EXPECT_TRUE(tower->doorsTriggered);
    // The doors only move as the renderer integrates their velocity.
    bool released = false;
    for (int f = 0; f < 600 && !released; ++f) {
        for (const std::unique_ptr<Mesh>& m : tower->objects)
            m->updateTransform(DT);
        run(DT);
        released = enemiesOfType(enemy_type::BEE) == 1;
    }
    EXPECT_TRUE(released);
}

TEST(BossSpawning, ListHoldsOneBossAndUnknownTypesBuildIcarus)
{
    ParticleSystem particles;
    PlayerList ships;
    BossList list;
    spawnBoss(list, BossData{99, &particles}, &ships);
    ASSERT_EQ(list.bosses.size(), 1u);
    EXPECT_TRUE(list.active);
    EXPECT_EQ(list.bosses[0]->getType(), BOSS_ICARUS);
    EXPECT_EQ(list.bosses[0]->players, &ships);
    EXPECT_EQ(list.bosses[0]->particles, &particles);
    spawnBoss(list, BossData{BOSS_ICARUS, &particles}, &ships);
    EXPECT_EQ(list.bosses.size(), 1u);
    releaseBosses(list);
    EXPECT_TRUE(list.bosses.empty());
    releaseBoss3D();
    EXPECT_EQ(engine().world.boss3D, nullptr);
}
