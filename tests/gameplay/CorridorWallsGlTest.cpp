// The level 2 corridor in play, as the main loop runs it: the wall lines
// built from the scene's collision markers lie along the ceiling and floor
// ledges drawn by the 3D scene, hit the ships and swallow shots and bullets.
#include "engine/Engine.h"
#include "engine/EngineFrame.h"
#include "enemies/EnemyManager.h"
#include "enemies/EnemyTypes.h"
#include "engine/Scenes.h"
#include "gameplay/GameState.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <set>
#include <string>

using namespace testing_support;

namespace {

// Where the ledges are drawn: the ceiling's lower edge and the floor's upper
// edge lie in these bands of the screen all along the corridor.
constexpr float CEILING_MIN = 90.f, CEILING_MAX = 190.f;
constexpr float FLOOR_MIN = 890.f, FLOOR_MAX = 990.f;
// How far a ground enemy's foot may be off the ledge it stands on (px).
constexpr float LEDGE_TOLERANCE = 10.f;

class CorridorWalls : public GameWindowTest {
protected:
    void SetUp() override
    {
        GameWindowTest::SetUp();
        engine().initResources();
        engine().timing.frameClock.restart();
        stepEngine = true;
        writeFile(levels.file("LevelsData.txt"), "NB_LEVELS 2\nNB_SEQUENCE 1 4\nNB_SEQUENCE 2 1");
        for (int s = 1; s <= 4; ++s)
            writeFile(levels.file("LEVEL_1_SEQUENCE_" + std::to_string(s) + ".txt"), "UP\n");
        // Level 2 runs on, empty, until its end long after the tests.
        writeFile(levels.file("LEVEL_2_SEQUENCE_1.txt"),
                  "RIGHT\nSPAWNER1 POSITION 960 540 DIRECTION 0 SPAWN_TIMER 500 DELAY_TIMER 0 NB_MAX_ENEMY 1 PATTERN_ID 16\n");
    }

    // Level 2 from its start, over the given level folder.
    void startLevelTwo(const std::string& folder)
    {
        engine().run.startLevel = 1;
        game = std::make_unique<GameState>(game_mode::STORY, folder);
        ASSERT_EQ(engine().world.sceneId, scene::CORRIDOR);
        ASSERT_EQ(game->sequenceIndex(), 4);
    }

    // The ship at `at`, once out of its hit phase and blinking (its hit box
    // follows its position when it can move again).
    void placeShip(Player2D& ship, sf::Vector2f at)
    {
        ship.position = at;
        ASSERT_TRUE(until([&] { return !ship.invulnerable && !ship.blinking; }, 60 * 10));
        ASSERT_EQ(ship.position, at);
    }

    // The wall line's height at x: the edge of its polygon that spans x,
    // leaving out the closing edge along the screen's border.
    static float lineHeightAt(const Polygon& wall, float x, float border)
    {
        for (size_t i = 0; i + 1 < wall.size(); ++i) {
            const sf::Vector2f a = wall[i].position, b = wall[i + 1].position;
            if (a.y == border || b.y == border || a.x > x || b.x < x || a.x == b.x)
                continue;
            return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
        }
        return -1.f;
    }

    // Both lines exist and run along their ledges across the whole screen.
    void expectLinesAlongTheLedges(const char* when)
    {
        ASSERT_EQ(game->wallLines.size(), 2u) << when;
        const Polygon& floor = game->wallLines[0];
        const Polygon& ceiling = game->wallLines[1];
        for (float x = 0.f; x <= 1920.f; x += 160.f) {
            const float low = lineHeightAt(floor, x, 1080.f);
            const float high = lineHeightAt(ceiling, x, 0.f);
            EXPECT_GE(low, FLOOR_MIN) << when << " x " << x;
            EXPECT_LE(low, FLOOR_MAX) << when << " x " << x;
            EXPECT_GE(high, CEILING_MIN) << when << " x " << x;
            EXPECT_LE(high, CEILING_MAX) << when << " x " << x;
        }
    }
};

} // namespace

TEST_F(CorridorWalls, LinesFollowTheLedgesToTheEndShipsStartClearOfThemAndAreHitOnThemOnly)
{
    startLevelTwo(levels.path + "/");
    for (int i = 0; i < 30; ++i)
        frames(1);
    EXPECT_TRUE(game->wallLines.empty()); // not before the path's frame 60
    ASSERT_TRUE(until([] { return engine().world.cameraFrame > 60; }, 60));
    frames(1);
    expectLinesAlongTheLedges("at the start");

    // The ship that started the level and player 2 joining now are in the open middle:
    // a ship's height of open corridor between each sprite and either ledge.
    in.pads.connected[1] = true;
    game->joystickConnected(1);
    ASSERT_EQ(game->playerCount, 2);
    drawnFrame("corridor_start_two_players");
    ASSERT_EQ(game->wallLines.size(), 2u);
    for (const std::unique_ptr<Player2D>& ship : game->players) {
        const float reach = ship->halfSize().y;
        const float x = ship->position.x;
        EXPECT_LE(ship->position.y + reach, lineHeightAt(game->wallLines[0], x, 1080.f) - 2.f * reach)
            << "player " << ship->playerIndex + 1;
        EXPECT_GE(ship->position.y - reach, lineHeightAt(game->wallLines[1], x, 0.f) + 2.f * reach)
            << "player " << ship->playerIndex + 1;
        EXPECT_FALSE(ship->invulnerable);
    }

    // In the middle of the corridor nothing touches player 1.
    Player2D& ship = *game->players[0];
    placeShip(ship, {960.f, 540.f});
    for (int i = 0; i < 120; ++i)
        frames(1);
    EXPECT_FALSE(ship.invulnerable);
    const int hitPoints = ship.hitPoints;
    const int lives = ship.lives;

    // Flown down into the floor: hit at the floor's ledge, not before.
    in.keyboard.press(sf::Keyboard::S);
    ASSERT_TRUE(until([&] { return ship.invulnerable != 0; }, 240));
    in.keyboard.release(sf::Keyboard::S);
    EXPECT_TRUE(ship.hitPoints < hitPoints || ship.lives < lives);
    EXPECT_GE(ship.hitBox.top + ship.hitBox.height, FLOOR_MIN);
    EXPECT_LE(ship.hitBox.top, FLOOR_MAX);

    // Back in the middle, out of its hit phase, then up into the ceiling.
    placeShip(ship, {960.f, 540.f});
    in.keyboard.press(sf::Keyboard::Z);
    ASSERT_TRUE(until([&] { return ship.invulnerable != 0; }, 240));
    in.keyboard.release(sf::Keyboard::Z);
    EXPECT_LE(ship.hitBox.top, CEILING_MAX);
    EXPECT_GE(ship.hitBox.top + ship.hitBox.height, CEILING_MIN);

    // The lines run along the ledges over the whole level (it ends at 95 s) and on to the end of the path.
    for (int second : {20, 45, 70, 94, 150, 189}) {
        skipCameraTo(second * 60);
        ASSERT_TRUE(until([&] { return engine().world.cameraFrame >= second * 60; }, 3));
        frames(1);
        expectLinesAlongTheLedges(("at " + std::to_string(second) + " s").c_str());
    }
}

TEST_F(CorridorWalls, GroundEnemiesStandOnTheLedgesInPlay)
{
    // The game's own level 2 for 36 s: turrets, wall columns and fence posts
    // come by on the ceiling and the floor. The 3D scene is drawn now and
    // then (every frame would be slow), so its painter's order ages as in play.
    startLevelTwo("2D/Spawner/Config/");
    drawEvery = 60;
    engine().run.cheatLives = true;
    Player2D& ship = *game->players[0];
    std::set<int> seen;
    for (int i = 1; i <= 60 * 36; ++i) {
        ship.position = {500.f, 540.f};
        frames(1);
        if (i % 30 != 0 || game->wallLines.size() != 2u)
            continue;
        for (size_t k = 0; k < game->enemies.enemies.size(); ++k) {
            const int type = game->enemies.enemies[k]->getType();
            const sf::FloatRect box = game->enemies.getBounds(static_cast<int>(k));
            const float x = box.left + box.width / 2.f;
            if (type < enemy_type::WALL || type > enemy_type::ELECTRICAL_FENCE || x < 0.f || x > 1920.f)
                continue;
            seen.insert(type);
            const bool onFloor = box.top > 540.f;
            const float ledge = onFloor ? lineHeightAt(game->wallLines[0], x, 1080.f) : lineHeightAt(game->wallLines[1], x, 0.f);
            // How far the enemy stands off its ledge (negative: sunk into the wall).
            const float gap = onFloor ? ledge - (box.top + box.height) : box.top - ledge;
            EXPECT_GE(gap, -LEDGE_TOLERANCE) << "type " << type << " at " << x << ", frame " << i;
            if (type != enemy_type::WALL) { // wall tiles stack up from the ledge
                EXPECT_LE(gap, LEDGE_TOLERANCE) << "type " << type << " at " << x << ", frame " << i;
            }
        }
    }
    EXPECT_EQ(seen, (std::set<int>{enemy_type::WALL, enemy_type::TURRET, enemy_type::ELECTRICAL_FENCE}));
    outlineWalls = true;
    drawnFrame("corridor_in_play_wall_lines");
    expectLinesAlongTheLedges("in play");

    // The wall layers are still drawn from the back wall to the near ledges.
    int lastLayer = 4;
    for (const Batch* batch : engine().renderer.pipeline.batches()) {
        const std::string& name = batch->mesh->name();
        if (name.find("3D/LVL2/wall/") != 0)
            continue;
        // "wall1" and "wall2" are the near ledges, "..._2" to "..._4" the layers behind.
        const size_t suffix = name.rfind('_');
        const int layer = suffix == std::string::npos ? 1 : name[suffix + 1] - '0';
        EXPECT_LE(layer, lastLayer) << name;
        lastLayer = layer;
    }
    EXPECT_EQ(lastLayer, 1);
}
