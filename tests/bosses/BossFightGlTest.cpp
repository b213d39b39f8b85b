// Boss fights played in-process as the main loop runs them: the gameplay
// state's update, the engine step and 3D drawing, then the play layer.
#include "app/Startup.h"
#include "bosses/BodyPart.h"
#include "bosses/Boss.h"
#include "bosses/BossLvl1.h"
#include "bosses/Icarus.h"
#include "bosses/Murzel.h"
#include "engine/Engine.h"
#include "engine/EngineFrame.h"
#include "engine/SceneChange.h"
#include "engine/Scenes.h"
#include "gameplay/GameState.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace testing_support;

namespace {

// Frames as the main loop runs them; to keep the test quick only every third one is
// drawn (the engine step and the play layer's update run every frame).
class BossFightGl : public GameWindowTest {
protected:
    void SetUp() override
    {
        GameWindowTest::SetUp();
        engine().initResources();
        engine().timing.frameClock.restart();
        engine().run.difficulty = Difficulty::Easy;
        stepEngine = true;
        drawEvery = 3;
        writeFile(levels.file("LevelsData.txt"), "NB_LEVELS 1\nNB_SEQUENCE 1 2");
        writeFile(levels.file("LEVEL_1_SEQUENCE_1.txt"), "UP\n");
        writeFile(levels.file("LEVEL_1_SEQUENCE_2.txt"), "UP\n");
    }

    void startGame(int startLevel)
    {
        in.pads.connected[0] = true;
        engine().run.startLevel = startLevel;
        game = std::make_unique<GameState>(GameMode::Story, servicesOf(engine()), levels.path + "/");
    }

    // Frames in which nothing reaches the ship, so that it keeps firing.
    void framesUnharmed(int n)
    {
        for (int i = 0; i < n; ++i) {
            game->enemies.enemyBullets->bullets.clear();
            game->enemies.enemies.clear();
            game->players[0]->invulnerable = 0;
            frames(1);
        }
    }

    Boss* boss() const { return game->bosses.bosses.empty() ? nullptr : game->bosses.bosses.front().get(); }

    // The ship under x, firing straight up (the right stick aims and fires).
    void holdUnder(float x)
    {
        Player2D& ship = *game->players[0];
        ship.position = {x, 900.f};
        ship.invulnerable = 0;
        ship.blinking = 0;
        ship.lives = 5;
        in.pads.states[0].thumbRY = 32000;
    }
};

} // namespace

TEST_F(BossFightGl, TheShipsShotsWearTheTowerBossDownUntilItFalls)
{
    startGame(0);
    frames(1);
    spawnBoss(game->bosses, bossData(BossType::Icarus, &game->particles, servicesOf(engine())), &game->players);
    for (const std::unique_ptr<Player2D>& ship : game->players)
        ship->bossLevel = 1;
    auto* icarus = dynamic_cast<Icarus*>(boss());
    ASSERT_NE(icarus, nullptr);
    ASSERT_TRUE(icarus->head);
    ASSERT_EQ(icarus->parts.size(), 4u);
    ASSERT_NE(currentBossLvl1(engine().world), nullptr);
    EXPECT_EQ(engine().world.sceneId(), scene::TOWER);
    const BossLvl1& tower = *currentBossLvl1(engine().world);
    for (const Mesh* door : {tower.door1, tower.door2, tower.doorTop}) {
        ASSERT_NE(door, nullptr);
        EXPECT_NE(door->maps().emissiveMap, nullptr) << "the doors glow with the tower's lights";
    }

    holdUnder(1100.f);
    frames(240);
    EXPECT_LT(icarus->head->health, icarus->maxHealth);
    EXPECT_GT(game->scores[0].score, 0u);
    EXPECT_GT(game->enemies.enemies.size() + game->enemies.enemyBullets->bullets.size(), 0u);
    EXPECT_LT(icarus->timer, 95.f);
    // The health bar shows; without the debug view no hit box is outlined.
    const sf::Image fight = shot("tower_boss_fight");
    const auto reddish = [](sf::Color c) { return c.r > c.g + 80 && c.r > c.b + 80; };
    EXPECT_GT(coverage(fight, {480, 12, 960, 24}, sf::Color(20, 30, 60)), 0.8f) << "the health bar along the top";
    std::vector<sf::IntRect> boxes{sf::IntRect(icarus->head->getHitbox())};
    for (const std::unique_ptr<BodyPart>& part : icarus->parts)
        boxes.emplace_back(part->getHitbox());
    for (const sf::IntRect& box : boxes) {
        int outlined = 0;
        for (int x = std::max(box.left + 2, 0); x < std::min(box.left + box.width - 2, 1920); ++x)
            for (int y = std::max(box.top - 1, 0); y <= std::min(box.top + 1, 1079); ++y)
                outlined += reddish(fight.getPixel(x, y));
        EXPECT_LT(outlined, box.width / 2);
    }

    // The head falls: the fight is over and the tower turns red.
    icarus->head->health = 0.5f;
    bool defeated = false;
    for (int f = 0; f < 60 && !defeated; ++f) {
        framesUnharmed(1);
        defeated = game->bosses.bosses.empty();
    }
    ASSERT_TRUE(defeated);
    EXPECT_GE(game->scores[0].score, 100000u);
    ASSERT_NE(currentBossLvl1(engine().world), nullptr); // the tower stays, red, until the scene changes
    EXPECT_TRUE(currentBossLvl1(engine().world)->moduleDestroyed[3]);

    // Leaving the scene lets go of the tower.
    changeScene(scene::CORRIDOR, 0.f);
    frames(1);
    EXPECT_EQ(currentBossLvl1(engine().world), nullptr);
}

// Its death is BossFight.EachWeaponWearsTheBossDownItsDefeatPaysEveryPlayerAndTheCountdownEndsIt.
TEST_F(BossFightGl, TheShipsShotsWearTheHeadBossDownOnceItShowsItself)
{
    startGame(3); // the last level opens with the head's fight
    frames(1);
    auto* murzel = dynamic_cast<Murzel*>(boss());
    ASSERT_NE(murzel, nullptr);
    EXPECT_EQ(engine().world.sceneId(), scene::ARENA);
    frames(60);
    EXPECT_FLOAT_EQ(murzel->hitBox.left, Murzel::HIDDEN);

    // Exposed: the ship's shots wear it down.
    skipCameraTo(760);
    frames(2); // the boss reads the frame the engine step reached in the frame before
    ASSERT_EQ(murzel->phase, 2);
    const sf::FloatRect box = murzel->hitBox;
    ASSERT_GT(box.width, 20.f);
    holdUnder(box.left + box.width / 2.f);
    frames(120);
    EXPECT_LT(murzel->health, Murzel::MAX_HEALTH);
    EXPECT_GT(game->scores[0].score, 0u);

    // A ship on its last life that flies into the head is out, as if shot down.
    Player2D& ship = *game->players[0];
    ship.lives = 1;
    ship.invulnerable = 0;
    ship.blinking = 0;
    ship.position = {box.left + box.width / 2.f, box.top + box.height / 2.f};
    ship.move(0.f, ShipLayout::Open);
    game->collidePlayersWithEnemies();
    EXPECT_EQ(ship.lives, 0);
    EXPECT_FALSE(game->isLive(0));
}

// A spawner's hatching picture stands over its mouth, where its bee comes out.
TEST_F(BossFightGl, ASpawnersHatchingShowsCentredOnItsMouth)
{
    SpawnerIcarus part(20, {700.f, 300.f}, 1, engine().textures);
    part.spawning = true;
    const sf::Color background(0, 0, 0);
    window.clear(background);
    part.draw(window);
    const sf::Image shot = screenshot(window, "boss_hatching");
    window.display();
    ASSERT_NE(part.spawnSprite.getTexture(), nullptr);
    const sf::FloatRect box = part.spawnSprite.getGlobalBounds();
    EXPECT_NEAR(box.left + box.width / 2.f, part.spawnPoint.x, 1.f);
    EXPECT_NEAR(box.top + box.height / 2.f, part.spawnPoint.y, 1.f);
    const sf::Vector2i mouth(part.spawnPoint);
    EXPECT_GT(coverage(shot, {mouth.x - 40, mouth.y - 30, 80, 60}, background), 0.2f);
}
