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

constexpr float FRAME = 1.f / 60.f;
constexpr int WALLS_FROM_FRAME = 61; // the lines exist once the camera path is past frame 60

// Where the ledges are drawn: the ceiling's lower edge and the floor's upper
// edge lie in these bands of the screen all along the corridor.
constexpr float CEILING_MIN = 90.f, CEILING_MAX = 190.f;
constexpr float FLOOR_MIN = 890.f, FLOOR_MAX = 990.f;
// How far a ground enemy's foot may be off the ledge it stands on (px).
constexpr float LEDGE_TOLERANCE = 10.f;

class CorridorWalls : public EngineWindowSuite {
protected:
    void SetUp() override
    {
        Engine& e = engine();
        e.run = RunSettings{};
        e.world.cinematicFinished = false;
        e.world.cameraFrame = 0;
        e.timing.frameClock.restart();
        writeFile(levels.file("LevelsData.txt"), "NB_LEVELS 2\nNB_SEQUENCE 1 4\nNB_SEQUENCE 2 1");
        for (int s = 1; s <= 4; ++s)
            writeFile(levels.file("LEVEL_1_SEQUENCE_" + std::to_string(s) + ".txt"), "UP\n");
        // Level 2 runs on, empty, until its end long after the tests.
        writeFile(levels.file("LEVEL_2_SEQUENCE_1.txt"),
                  "RIGHT\nSPAWNER1 POSITION 960 540 DIRECTION 0 SPAWN_TIMER 500 DELAY_TIMER 0 NB_MAX_ENEMY 1 PATTERN_ID 16\n");
    }
    void TearDown() override
    {
        game.reset();
        engine().run = RunSettings{};
    }

    // Level 2 from its start, over the given level folder.
    void startLevelTwo(const std::string& folder)
    {
        engine().run.startLevel = 1;
        game = std::make_unique<GameState>(game_mode::STORY, folder);
        ASSERT_EQ(engine().world.sceneId, scene::CORRIDOR);
        ASSERT_EQ(game->sequenceIndex(), 4);
    }

    // One frame as the main loop runs it; the 3D scene and the play layer are
    // drawn when `draw` is set or a screenshot is asked for, with the wall
    // lines outlined in red on request.
    sf::Image frame(bool draw = false, const std::string& shot = "", bool outlineWalls = false)
    {
        input_.clock.advance(FRAME);
        game->update(FRAME);
        window_->clear(sf::Color::Black);
        updateEngineFrame();
        sf::Image picture;
        if (!draw && shot.empty())
            return picture;
        engine().render3D();
        game->draw(*window_);
        if (outlineWalls)
            for (const Polygon& wall : game->wallLines)
                drawPolygon(wall, *window_);
        if (!shot.empty())
            picture = screenshot(*window_, shot);
        window_->display();
        return picture;
    }

    bool until(const std::function<bool()>& condition, int maxFrames)
    {
        for (int i = 0; i < maxFrames && !condition(); ++i)
            frame();
        return condition();
    }

    // Marks the camera path's frames before `index` as played.
    static void skipCameraTo(int index)
    {
        std::vector<CameraFrame>& path = engine().world.cameraFrames;
        for (int i = 0; i < index && i < static_cast<int>(path.size()); ++i)
            path[static_cast<size_t>(i)].pending = false;
    }

    // Past the camera path's frame 60 (the update builds the lines from the
    // frame that the engine step of an earlier frame reached).
    void reachTheWalls()
    {
        skipCameraTo(WALLS_FROM_FRAME);
        ASSERT_TRUE(until([&] { return game->wallLines.size() == 2u; }, 4));
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

    TempDir levels;
    std::unique_ptr<GameState> game;
};

} // namespace

TEST_F(CorridorWalls, LinesFollowTheLedgesFromFrameSixtyToTheEndOfTheLevel)
{
    startLevelTwo(levels.path + "/");
    for (int i = 0; i < 30; ++i)
        frame();
    EXPECT_TRUE(game->wallLines.empty()); // not before the path's frame 60

    ASSERT_TRUE(until([] { return engine().world.cameraFrame > 60; }, 60));
    frame();
    expectLinesAlongTheLedges("at the start");

    // Along the whole level (it ends at 95 s) and on to the end of the path.
    for (int second : {20, 45, 70, 94, 150, 189}) {
        skipCameraTo(second * 60);
        ASSERT_TRUE(until([&] { return engine().world.cameraFrame >= second * 60; }, 3));
        frame();
        expectLinesAlongTheLedges(("at " + std::to_string(second) + " s").c_str());
    }
}

TEST_F(CorridorWalls, ShipsAreHitOnTheWallsOnly)
{
    startLevelTwo(levels.path + "/");
    reachTheWalls();
    Player2D& ship = *game->players[0];

    // In the middle of the corridor nothing touches it.
    placeShip(ship, {960.f, 540.f});
    for (int i = 0; i < 120; ++i)
        frame();
    EXPECT_FALSE(ship.invulnerable);
    const int hitPoints = ship.hitPoints;
    const int lives = ship.lives;

    // Flown down into the floor: hit at the floor's ledge, not before.
    input_.keyboard.press(sf::Keyboard::S);
    ASSERT_TRUE(until([&] { return ship.invulnerable != 0; }, 240));
    input_.keyboard.release(sf::Keyboard::S);
    EXPECT_TRUE(ship.hitPoints < hitPoints || ship.lives < lives);
    EXPECT_GE(ship.hitBox.top + ship.hitBox.height, FLOOR_MIN);
    EXPECT_LE(ship.hitBox.top, FLOOR_MAX);

    // Back in the middle, out of its hit phase, then up into the ceiling.
    placeShip(ship, {960.f, 540.f});
    input_.keyboard.press(sf::Keyboard::Z);
    ASSERT_TRUE(until([&] { return ship.invulnerable != 0; }, 240));
    input_.keyboard.release(sf::Keyboard::Z);
    EXPECT_LE(ship.hitBox.top, CEILING_MAX);
    EXPECT_GE(ship.hitBox.top + ship.hitBox.height, CEILING_MIN);
}

TEST_F(CorridorWalls, GroundEnemiesStandOnTheLedgesInPlay)
{
    // The game's own level 2 for 36 s: turrets, wall columns and fence posts
    // come by on the ceiling and the floor. The 3D scene is drawn now and
    // then (every frame would be slow), so its painter's order ages as in play.
    startLevelTwo("2D/Spawner/Config/");
    engine().run.cheatLives = true;
    Player2D& ship = *game->players[0];
    std::set<int> seen;
    for (int i = 1; i <= 60 * 36; ++i) {
        ship.position = {500.f, 540.f};
        frame(i % 60 == 0);
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
    frame(true, "corridor_in_play_wall_lines", true);
    expectLinesAlongTheLedges("in play");

    // The wall layers are still drawn from the back wall to the near ledges.
    int lastLayer = 4;
    for (const Batch* batch : engine().renderer.pipeline.batches()) {
        if (batch->name.find("3D/LVL2/wall/") != 0)
            continue;
        // "wall1" and "wall2" are the near ledges, "..._2" to "..._4" the layers behind.
        const size_t suffix = batch->name.rfind('_');
        const int layer = suffix == std::string::npos ? 1 : batch->name[suffix + 1] - '0';
        EXPECT_LE(layer, lastLayer) << batch->name;
        lastLayer = layer;
    }
    EXPECT_EQ(lastLayer, 1);
}

TEST_F(CorridorWalls, ShipsStartAndJoinInTheOpenMiddleClearOfTheLedges)
{
    // Level 2 from the menu; player 2 joins once the walls are up.
    startLevelTwo(levels.path + "/");
    reachTheWalls();
    input_.pads.connected[1] = true;
    game->joystickConnected(1);
    ASSERT_EQ(game->playerCount, 2);
    frame();
    ASSERT_EQ(game->wallLines.size(), 2u);
    for (const std::unique_ptr<Player2D>& ship : game->players) {
        // A ship's height of open corridor between its sprite and either ledge.
        const float reach = ship->halfSize().y;
        const float x = ship->position.x;
        EXPECT_LE(ship->position.y + reach, lineHeightAt(game->wallLines[0], x, 1080.f) - 2.f * reach)
            << "player " << ship->playerIndex + 1;
        EXPECT_GE(ship->position.y - reach, lineHeightAt(game->wallLines[1], x, 0.f) + 2.f * reach)
            << "player " << ship->playerIndex + 1;
        EXPECT_FALSE(ship->invulnerable);
    }
    frame(true, "corridor_start_two_players");
}
