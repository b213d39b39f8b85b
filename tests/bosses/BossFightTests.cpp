// The two 2D bosses: what they share (being worn down by each weapon, dying, paying the
// players, the countdown) as one row per boss, then what only one of them does. Each
// boss's scene, and the tower's release when the scene changes, are played in BossFightGlTest.
#include "bosses/BodyPart.h"
#include "bosses/BossLvl1.h"
#include "bosses/Icarus.h"
#include "bosses/IcarusLayout.h"
#include "bosses/Murzel.h"
#include "engine/Engine.h"
#include "engine/Mesh.h"
#include "engine/SceneChange.h"
#include "enemies/EnemyManager.h"
#include "enemies/EnemyTypes.h"
#include "play/BulletManager.h"
#include "play/Laser.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"
#include "play/Shield.h"
#include "play/TextManager.h"
#include "support/GameFixtures.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

using namespace testing_support;

namespace {

// A frame time that sums exactly in binary, so whole seconds stay whole.
constexpr float DT = 1.f / 64.f;

// The tower boss's pairs on modules 0 and 1, a lone shooter, the head.
const char* const LAYOUT = "SHOOT 20 -500 -300\n"
                           "lone 5 0 300\n"
                           "SPAWN 20 -250 -300\n"
                           "HEAD 100 0 -200\n"
                           "HEAD 999 0 0\n";

// The digits a text shows, read from the kind of text its first chain holds.
std::string shownText(const std::vector<TextNode*>& heads, int kind)
{
    std::string text;
    for (const TextNode* n = heads.at(0); n && n->kind == kind; n = n->next)
        text += static_cast<char>(kind == TEXT_COUNTER ? '0' + n->target : '0' + n->tiles[0].getTextureRect().left / 21);
    return text;
}

// Two ships with their scores, and what a fight needs around them; builds either boss.
class BossFight : public ::testing::Test, protected BossArena {
public:
    void SetUp() override
    {
        engine().timing.frameTime = DT;
        addShip({960.f, 900.f});
        addShip({1200.f, 900.f});
    }
    void TearDown() override
    {
        boss.reset();
        Engine& e = engine();
        releaseBoss3D(e.world);
        e.world.sceneObjects.clear();
        e.world.lookThrough(nullptr);
        e.world.cameraPath().standAt(0);
    }

    // The tower boss from `layout` (written to a file), over its 3D tower.
    Icarus& icarus(const std::string& layout = LAYOUT)
    {
        writeFile(dir.file("Icarus.txt"), layout);
        return icarusFrom(dir.file("Icarus.txt"));
    }
    Icarus& icarusFrom(const std::string& layoutPath)
    {
        engine().world.lookThrough(nullptr);
        boss = std::make_unique<Icarus>(bossData(BossType::Icarus, &particles, servicesOf(engine())), layoutPath);
        boss->players = &ships;
        return static_cast<Icarus&>(*boss);
    }
    Boss& icarusHead() { return icarus("HEAD 100 0 -200\n"); }

    // The head boss, built with an empty working directory: scene 9's files are not there,
    // so the scene change loads no textures (no display here). Its head mesh is added as the
    // renderer leaves it: a position and screen bounds.
    Murzel& murzel()
    {
        Engine& e = engine();
        e.world.lookThrough(&camera);
        e.world.cameraPath().standAt(0);
        {
            TempDir empty;
            InDirectory inEmpty(empty.path);
            boss = std::make_unique<Murzel>(bossData(BossType::Murzel, &particles, servicesOf(e)));
            scenePreloader().wait();
        }
        boss->players = &ships;
        SceneObjectRecord record;
        record.name = "4head";
        record.mesh = std::make_unique<Mesh>(std::vector<Triangle>{}, sf::Vector3f(300.f, 0.f, 800.f),
                                             "3D/Murzel/4head", false);
        record.mesh->screenBounds = {1200.f, 300.f, 1500.f, 600.f};
        head = record.mesh.get();
        e.world.sceneObjects.push_back(std::move(record));
        return static_cast<Murzel&>(*boss);
    }
    Boss& murzelBoss() { return murzel(); }

    // One frame at the camera-path frame `frame` (only the head boss reads it).
    bool step(int frame)
    {
        engine().world.cameraPath().standAt(frame);
        return update();
    }
    // One frame: the tower as the engine steps it, then the boss.
    bool update()
    {
        if (BossLvl1* tower = currentBossLvl1(engine().world))
            tower->update(engine().timing.frameTime);
        return boss->update(DT, enemies, ships, scoring, particles);
    }
    // Frames for `seconds`; true as soon as one ends the fight.
    bool run(float seconds)
    {
        const int frames = static_cast<int>(seconds / DT + 0.5f);
        for (int f = 0; f < frames; ++f)
            if (update())
                return true;
        return false;
    }

    // Player shots of damage 1 at `at`, all in one pass of the hit test.
    bool volley(sf::Vector2f at, int count, int owner = 0)
    {
        for (int i = 0; i < count; ++i) {
            Bullet b;
            b.type = BulletManager::PLAYER_SHOT_TYPE;
            b.position = at;
            b.owner = owner;
            shots.bullets.push_back(b);
        }
        return boss->hitByBullets(shots, ships, scoring);
    }
    int enemiesOfType(int type) const
    {
        int n = 0;
        for (const auto& e : enemies.enemies)
            n += e->getType() == type;
        return n;
    }

    TempDir dir;
    Camera camera;
    std::unique_ptr<Boss> boss;
    Mesh* head = nullptr; // the head boss's mesh
};

// What the design gives each boss. Both take 1 per shot, 1.5 per frame of beam and 0.5 per
// frame of shield; the defeat pays every player.
struct BossRow {
    const char* name;
    Boss& (BossFight::*build)();
    float& (*health)(Boss&);
    sf::Vector2f at; // a point of its hit box
    sf::Vector2f beamFrom;
    float beamAngle;
    float maxHealth;
    uint32_t shotPoints, beamPoints, defeatPoints;
    bool defeatToBossScoreAnywhere; // also for a ship outside a boss level
    float fightTime;                // seconds on the countdown
};

float& headHealth(Boss& b) { return static_cast<Icarus&>(b).head->health; }
float& bodyHealth(Boss& b) { return b.health; }

const BossRow BOSSES[] = {
    {"tower boss", &BossFight::icarusHead, headHealth, {960.f, 340.f}, {1100.f, 800.f}, -90.f, 100.f, 25, 40, 100000,
     true, 99.f},
    {"head boss", &BossFight::murzelBoss, bodyHealth, {1350.f, 450.f}, {1000.f, 450.f}, 0.f, 640.f, 2500, 2500,
     1000000, false, 200.f},
};

} // namespace

TEST_F(BossFight, EachWeaponWearsTheBossDownItsDefeatPaysEveryPlayerAndTheCountdownEndsIt)
{
    for (const BossRow& row : BOSSES) {
        SCOPED_TRACE(row.name);
        scores.assign(2, PlayerScore{});
        for (auto& ship : ships)
            ship->bossScore = 0.0;
        ships[0]->bossLevel = 1; // ship 1 is not in a boss level
        Boss& fought = (this->*row.build)();
        EXPECT_FALSE(run(1.f - DT));
        ASSERT_FALSE(step(800)); // the head boss stands exposed at this camera frame
        const std::string secondsLeft = std::to_string(static_cast<int>(row.fightTime) - 1);
        EXPECT_EQ(shownText(fought.timerText->digitHeads(), TEXT_DIGITS), secondsLeft) << "a second in";
        float& health = row.health(fought);
        EXPECT_FLOAT_EQ(health, row.maxHealth);

        // Shots: every one is spent on it, 1 each.
        const int hits = static_cast<int>(row.maxHealth) - 10;
        EXPECT_FALSE(volley(row.at, hits));
        EXPECT_TRUE(shots.bullets.empty());
        EXPECT_FLOAT_EQ(health, 10.f);
        uint32_t paid = static_cast<uint32_t>(hits) * row.shotPoints;
        EXPECT_EQ(scores[0].score, paid);

        // A beam: 1.5, and it is cut where it meets the boss.
        BossLvl1* tower = currentBossLvl1(engine().world);
        if (tower)
            tower->flashOn[BossLvl1::TOWER_FLASH] = false; // the shots' flash over
        Laser beam(LASER_PLAYER1, 10.f, row.beamAngle, textures());
        for (int i = 0; i < 40; ++i)
            beam.update(DT, row.beamFrom, row.beamAngle);
        ASSERT_GT(beam.segments.size(), 2u);
        for (size_t k = 0; k < beam.segments.size(); ++k)
            EXPECT_FALSE(fought.hitByLaser(beam, k, 0, scoring));
        EXPECT_TRUE(beam.impactVisible);
        EXPECT_FLOAT_EQ(health, 8.5f);
        paid += row.beamPoints;
        if (tower) {
            EXPECT_TRUE(tower->flashOn[BossLvl1::TOWER_FLASH]) << "the beam at the head flashes the whole tower";
        }

        // A shield: 0.5.
        Shield shield(row.at, 0, textures());
        shield.setRadius(50.f);
        EXPECT_FALSE(fought.hitByShield(shield, 0, scoring));
        EXPECT_FLOAT_EQ(health, 8.f);
        paid += row.shotPoints;
        EXPECT_EQ(scores[0].score, paid);
        EXPECT_DOUBLE_EQ(ships[0]->bossScore, static_cast<double>(paid));

        // The countdown's end ends the fight.
        fought.timer = 1.5f * DT;
        EXPECT_FALSE(update());
        EXPECT_TRUE(update());

        // Each weapon defeats it when it takes the last of its health.
        health = 0.5f;
        EXPECT_TRUE(fought.hitByShield(shield, 0, scoring));
        health = 1.5f;
        beam.update(DT, row.beamFrom, row.beamAngle);
        bool defeated = false;
        for (size_t k = 0; k < beam.segments.size() && !defeated; ++k)
            defeated = fought.hitByLaser(beam, k, 0, scoring);
        EXPECT_TRUE(defeated);
        health = 1.f;
        EXPECT_TRUE(volley(row.at, 2));
        EXPECT_EQ(shots.bullets.size(), 1u); // the pass stops at the defeat
        shots.bullets.clear();
        EXPECT_EQ(scores[1].score, 3 * row.defeatPoints); // the player who did not fire too
        EXPECT_DOUBLE_EQ(ships[1]->bossScore, row.defeatToBossScoreAnywhere ? 3.0 * row.defeatPoints : 0.0);
    }
    EXPECT_FALSE(scoring.award(2, 1u)); // points for a player the table does not hold go nowhere
}

TEST(BossIcarusLayout, RecordsReadUntilTheFirstBadOne)
{
    std::istringstream truncated("HEAD 300 0 -200\nSHOOT 60 -553.5 -306\nSPAWN 60 298");
    const std::vector<IcarusPartRecord> records = readIcarusLayout(truncated);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].kind, "SHOOT");
    EXPECT_EQ(records[1].hp, 60);
    EXPECT_FLOAT_EQ(records[1].offset.x, -553.5f);

    // Hit points below 1 count as 1 (a part that cannot die would hold up the fight);
    // no more than MAX_RECORDS are read.
    std::istringstream weak("SHOOT -4 0 0\nSHOOT 0 0 0\n");
    for (const IcarusPartRecord& r : readIcarusLayout(weak))
        EXPECT_EQ(r.hp, 1);
    std::string many;
    for (int i = 0; i < 100; ++i)
        many += "X 1 0 0\n";
    std::istringstream flood(many);
    EXPECT_EQ(readIcarusLayout(flood).size(), static_cast<size_t>(icarus_layout::MAX_RECORDS));
}

TEST_F(BossFight, TowerWithoutALayoutRunsOnlyTheCountdown)
{
    Icarus& tower = icarusFrom(dir.file("nowhere.txt"));
    EXPECT_FALSE(volley({960.f, 540.f}, 1));
    EXPECT_EQ(shots.bullets.size(), 1u);
    EXPECT_FALSE(tower.hitPlayer(*ships[0]));
    EXPECT_FALSE(run(98.9f));
    EXPECT_TRUE(run(0.2f));
}

TEST_F(BossFight, TowerLayoutPairsPartsWhoseFallenPartIsReplacedThenDiesForGood)
{
    Icarus& tower = icarus();
    ASSERT_TRUE(tower.head);
    EXPECT_FLOAT_EQ(tower.maxHealth, 100.f); // the second HEAD is ignored
    ASSERT_EQ(tower.parts.size(), 3u);
    auto* spawner = dynamic_cast<SpawnerIcarus*>(tower.parts[2].get());
    ASSERT_NE(spawner, nullptr);
    EXPECT_EQ(spawner->module, 1); // the lone part did not advance the module

    // The shooter on module 0 falls; its spawner takes its place two seconds later.
    BossLvl1* model = currentBossLvl1(engine().world);
    const sf::Vector2f partCentre(460.f, 240.f);

    // A shield wears down only the part it touches (player 2's, whose score this test leaves aside).
    Shield shield(partCentre, 1, textures());
    shield.setRadius(30.f);
    const float partHealth = tower.parts[0]->health, otherHealth = tower.parts[1]->health;
    EXPECT_FALSE(tower.hitByShield(shield, 1, scoring));
    EXPECT_FLOAT_EQ(tower.parts[0]->health, partHealth - 0.5f);
    EXPECT_FLOAT_EQ(tower.parts[1]->health, otherHealth);
    tower.parts[0]->health = partHealth;

    EXPECT_FALSE(volley(partCentre, 19));
    EXPECT_TRUE(tower.parts[0]->active);
    const auto emitters = [this] {
        int count = 0;
        particles.forEach([&count](const Particle& spark) {
            count += spark.kind == PARTICLE_EMITTER && (spark.velocity.x != 0.f || spark.velocity.y != 0.f);
        });
        return count;
    };
    const int emittersBefore = emitters();
    EXPECT_FALSE(volley(partCentre, 1));
    EXPECT_EQ(shownText(counters[0]->counterHeads(), TEXT_COUNTER), "000025500"); // 20 shots and the part
    EXPECT_FALSE(tower.parts[0]->active);
    EXPECT_GT(emitters(), emittersBefore) << "the part's fall bursts into flying sparks";
    EXPECT_FALSE(model->modules[0].turned); // the spawner's side shows
    EXPECT_FALSE(model->moduleDestroyed[0]);

    // A destroyed part takes no shots but still hurts a ship touching it, as the head does.
    EXPECT_FALSE(volley(partCentre, 1));
    EXPECT_EQ(shots.bullets.size(), 1u);
    shots.bullets.clear();
    ships[0]->hitBox = {partCentre.x, partCentre.y, 10.f, 10.f};
    const int lives = ships[0]->lives;
    EXPECT_FALSE(tower.hitPlayer(*ships[0]));
    EXPECT_EQ(ships[0]->lives, lives - 1);
    ships[0]->hitBox = {960.f, 340.f, 10.f, 10.f};
    EXPECT_FALSE(tower.hitPlayer(*ships[0]));
    EXPECT_EQ(ships[0]->lives, lives - 2);

    run(1.9f);
    EXPECT_FALSE(tower.parts[0]->active);
    run(0.15f);
    auto* replacement = dynamic_cast<SpawnerIcarus*>(tower.parts[0].get());
    ASSERT_NE(replacement, nullptr); // same list index, same module
    EXPECT_TRUE(replacement->active);
    EXPECT_FLOAT_EQ(replacement->health, 20.f);

    EXPECT_FALSE(volley(partCentre, 20));
    EXPECT_FALSE(tower.parts[0]->active);
    EXPECT_TRUE(model->moduleDestroyed[0]);
    EXPECT_EQ(tower.smokePoints.size(), 1u);
    run(3.f);
    EXPECT_FALSE(tower.parts[0]->active); // nothing left to swap in

    // A shot at the head makes the whole tower flash.
    ASSERT_FALSE(model->flashOn[BossLvl1::TOWER_FLASH]);
    const sf::FloatRect headBox = tower.head->getHitbox();
    EXPECT_FALSE(volley({headBox.left + headBox.width / 2.f, headBox.top + headBox.height / 2.f}, 1));
    EXPECT_TRUE(model->flashOn[BossLvl1::TOWER_FLASH]);

    // A fifth pair has no module left and is ignored.
    EXPECT_EQ(icarus("SHOOT 1 0 0\nSPAWN 1 0 0\nSHOOT 1 0 0\nSPAWN 1 0 0\nSHOOT 1 0 0\nHEAD 5 0 0\n").parts.size(), 4u);
}

TEST_F(BossFight, TowerPartsFireAndSpawnOnTheirClocks)
{
    icarus("SHOOT 20 -500 -300\nSPAWN 20 -250 -300\nHEAD 100 0 -200\n");
    BulletManager& bullets = *enemies.enemyBullets;
    run(1.55f);
    ASSERT_EQ(bullets.bullets.size(), 2u); // two shots from the module's turret, 1.5 s in
    for (const Bullet& b : bullets.bullets) { // both at player 1, though player 2 is there too
        const sf::Vector2f to = ships[0]->position - b.origin;
        EXPECT_NEAR(b.angle, std::atan2(to.y, to.x) * 57.29578f, 0.1f);
    }

    // The spawner's first side bee comes 3.3 s in, then one every 3 s.
    run(1.8f);
    EXPECT_EQ(enemiesOfType(enemy_type::SIDE_BEE), 1);
    run(3.f);
    EXPECT_EQ(enemiesOfType(enemy_type::SIDE_BEE), 2);

    // Without any ship the bees still get a point to aim at.
    ships.clear();
    EXPECT_FALSE(run(3.5f));
    EXPECT_EQ(enemiesOfType(enemy_type::SIDE_BEE), 3);
}

// Each module's spawner lets its bees out of its own mouth, the outer ones higher up.
TEST_F(BossFight, ASpawnersBeesComeOutOfItsModulesMouth)
{
    for (int module : {0, 3}) {
        SCOPED_TRACE(module);
        enemies.enemies.clear();
        SpawnerIcarus part(20, {500.f, 300.f}, module, engine().textures);
        for (int f = 0; f < 4 * 64 && enemies.enemies.empty(); ++f)
            part.update(DT, enemies, {ships[0]->position}, nullptr);
        ASSERT_EQ(enemies.enemies.size(), 1u);
        EXPECT_EQ(enemies.enemies.front()->position, sf::Vector2f(module == 0 ? 460.f : 540.f, 270.f));
    }
}

TEST_F(BossFight, APartWhoseTowerIsGoneFiresFromItsOwnMuzzles)
{
    ShootIcarus part(20, {500.f, 300.f}, 0);
    BulletManager& bullets = *enemies.enemyBullets;
    for (int f = 0; f < 2 * 64 && bullets.bullets.empty(); ++f)
        part.update(DT, enemies, {ships[0]->position}, nullptr);
    ASSERT_EQ(bullets.bullets.size(), 2u);
    EXPECT_EQ(bullets.bullets.front().origin, sf::Vector2f(540.f, 300.f));
    EXPECT_EQ(bullets.bullets.back().origin, sf::Vector2f(460.f, 300.f));
}

TEST_F(BossFight, TowerHeadReleasesABeeThroughTheDoorsEveryTenSeconds)
{
    icarusHead();
    BossLvl1* tower = currentBossLvl1(engine().world);
    // The doors only move as the renderer integrates their velocity; they open, stay open a
    // second to let the bee out, close and stop, and the cycle ends. So every ten seconds.
    for (int bee = 1; bee <= 2; ++bee) {
        SCOPED_TRACE(bee);
        int wait = 0;
        for (; wait < 1000 && !tower->doorsTriggered; ++wait)
            run(DT);
        if (bee == 1) {
            EXPECT_EQ(wait, 641) << "the doors first open just after the tenth second";
        }
        EXPECT_EQ(enemiesOfType(enemy_type::BEE), bee - 1); // not before the doors have opened
        int f = 0, open = 0;
        float widest = 0.f; // between the two doors, which slide apart and back
        const auto gap = [tower] { return tower->door1->position().x - tower->door2->position().x; };
        for (; f < 2000 && tower->doorsTriggered; ++f) {
            for (const std::unique_ptr<Mesh>& m : tower->objects)
                m->updateTransform(DT);
            run(DT);
            open += tower->doorsOpen;
            widest = std::max(widest, gap());
        }
        EXPECT_LT(f, 2000);
        EXPECT_NEAR(open, 64, 2);
        EXPECT_GT(widest, 1800.f);
        EXPECT_LT(gap(), 50.f);
        EXPECT_EQ(enemiesOfType(enemy_type::BEE), bee);
        EXPECT_FLOAT_EQ(tower->door1->velocity().x, 0.f);
    }
}

TEST_F(BossFight, HeadPhasesFollowTheCameraFramesOverAWholeLoopAndOnlyAnExposedHeadIsHit)
{
    Murzel& m = murzel();
    bool blinked = false;
    bool laserSeen = false;
    int flickeredDark = 0; // the lights go out one frame in four to frame 50
    for (int f = 0; f <= 4900; ++f) {
        ASSERT_FALSE(step(f)) << f;
        flickeredDark += f <= 50 && engine().world.light().brightness() == 0.f;
        const bool exposed = m.hitBox.left > -1000.f;
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
            ASSERT_TRUE(m.warning);
        }
        if (f >= 623 && f <= 721)
            blinked = blinked || !head->emissive();
        if (f >= 4421 && f <= 4818 && m.laser)
            laserSeen = true;
        if (f > 4818) {
            ASSERT_EQ(m.laser, nullptr) << f;
        }
        if (f == 100 || f == 150) { // the arena is dark to frame 150; the hidden head's box is far off the field
            EXPECT_FLOAT_EQ(engine().world.light().brightness(), 0.f);
            EXPECT_FLOAT_EQ(m.hitBox.left, Murzel::HIDDEN);
        }
    }
    EXPECT_EQ(flickeredDark, 12);
    EXPECT_TRUE(blinked);
    EXPECT_TRUE(laserSeen);
    EXPECT_FLOAT_EQ(engine().world.light().brightness(), 2.5f);

    // Exposed: two thirds of the head's outline, centred on it.
    step(800);
    EXPECT_EQ(m.hitBox, sf::FloatRect(1250.f, 350.f, 200.f, 200.f));
    // A head squashed to a point: a zero-sized hit box still flashes safely.
    head->screenBounds = {1300.f, 400.f, 1300.f, 400.f};
    ASSERT_FALSE(step(801));
    EXPECT_FLOAT_EQ(m.hitBox.width, 0.f);
    particles.clear();
    m.flashHit();
    EXPECT_TRUE(m.flashing);
    particles.forEach([](const Particle& spark) { EXPECT_EQ(spark.position, sf::Vector2f(1300.f, 400.f)); });
    EXPECT_EQ(particles.count(), 1);

    // Deleting the boss mid-flash and mid-blink leaves the head lit and unflashed.
    step(802);
    head->setEmissive(false);
    boss.reset();
    EXPECT_TRUE(head->emissive());
    EXPECT_FLOAT_EQ(head->flashGrey(), 0.f);
}

TEST_F(BossFight, HeadLaserHitsShipsAndClashesWithTheirs)
{
    Murzel& m = murzel();
    // Phase 3 fires left from the head; the ship in its way is hit.
    for (int f = 4421; f < 4480; ++f)
        ASSERT_FALSE(step(f));
    ASSERT_NE(m.laser, nullptr);
    ASSERT_GT(m.laser->segments.size(), 3u);
    const sf::Vector2f origin = m.laserOrigin;
    Player2D& ship = *ships[0];
    ship.hitBox = {origin.x - 300.f, origin.y - 10.f, 20.f, 20.f};
    const int lives = ship.lives;
    EXPECT_FALSE(m.hitPlayer(ship));
    EXPECT_EQ(ship.lives, lives - 1);
    // A ship clear of the beam and of the boss is not.
    ship.hitBox = {origin.x - 300.f, origin.y + 300.f, 20.f, 20.f};
    ship.invulnerable = 0;
    EXPECT_FALSE(m.hitPlayer(ship));
    EXPECT_EQ(ship.lives, lives - 1);

    // A player's beam meeting the boss's beam head-on cuts both and hurts the boss.
    ship.laser = std::make_unique<Laser>(LASER_PLAYER1, 10.f, 180.f, textures());
    for (int i = 0; i < 40; ++i)
        ship.laser->update(DT, origin - sf::Vector2f(1.f, 0.f), 180.f);
    ASSERT_GT(ship.laser->segments.size(), 2u);
    size_t pastTheEnd = ship.laser->segments.size();
    EXPECT_FALSE(m.hitByLaser(*ship.laser, pastTheEnd, 0, scoring)); // no segment there to hit
    const float health = m.health;
    const size_t theirs = ship.laser->segments.size(), its = m.laser->segments.size();
    EXPECT_FALSE(m.clashLasers(scoring));
    EXPECT_LT(ship.laser->segments.size(), theirs); // each beam now ends where they met
    EXPECT_LT(m.laser->segments.size(), its);
    EXPECT_FLOAT_EQ(m.health, health - 2.5f);
    EXPECT_EQ(scores[0].score, 10000u);
    EXPECT_TRUE(ship.laser->impactVisible);
    // Regrown, they meet again in the boss's update, which ends the fight.
    m.health = 1.f;
    bool over = false;
    for (int i = 0; i < 60 && !over; ++i) {
        ship.laser->update(DT, origin - sf::Vector2f(1.f, 0.f), 180.f);
        over = step(4480 + i);
    }
    EXPECT_TRUE(over);
    EXPECT_EQ(scores[1].score, 1000000u);
}
