// One whole run of the game in-process, the way a player goes through it: the
// logos, the 3D hangar menu, a story game lost to the last life, the game over,
// the name entry on the high-score screen and the menu again. Everything goes through the
// real main loop and the game's own states, with synthetic keys, a fake clock
// stepped by 1/60 s per frame and screenshots at each stage.
#include "app/MainLoop.h"
#include "engine/Engine.h"
#include "engine/EngineFrame.h"
#include "engine/Level3Background.h"
#include "engine/SceneChange.h"
#include "gameplay/GameState.h"
#include "screens/HighScoresState.h"
#include "screens/MainMenuState.h"
#include "screens/MenuState.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace testing_support;

namespace {

constexpr int SECOND = 60; // frames
const char* const TABLE = "2D/HighScores/HighScores.txt";
const char* const LEVEL_FOLDER = "2D/Spawner/Config";

// The game as main starts it, in a test window, driven frame by frame.
class FullRun : public GameRunTest {
protected:
    void SetUp() override
    {
        LoopRunTest::SetUp();
        // The run works on copies: other test programs read the installed files meanwhile.
        tablePath = scratch.file("HighScores.txt");
        std::filesystem::copy_file(TABLE, tablePath);
        levelFolder = scratch.file("levels") + "/";
        std::filesystem::copy(LEVEL_FOLDER, levelFolder);
        for (const auto& file : std::filesystem::directory_iterator(levelFolder))
            levelFilesWritten[file.path().string()] = std::filesystem::last_write_time(file.path());
        startRun(2024); // the same run every time
    }

    // A story game reads its level files and never writes them (not even with the same text).
    void TearDown() override
    {
        GameRunTest::TearDown();
        for (const auto& [path, written] : levelFilesWritten)
            EXPECT_EQ(std::filesystem::last_write_time(path), written) << path << " was written by the run";
    }

    // The game's states, with the high-score screen and the game working on the copies.
    void start(std::unique_ptr<MainState> first)
    {
        StateFactory factory = defaultStateFactory();
        factory.highScores = [this](const std::vector<unsigned>& scores) {
            handedScores = scores;
            return std::make_unique<HighScoresState>(servicesOf(engine()), scores, tablePath);
        };
        factory.game = [this](GameMode mode) {
            return std::make_unique<GameState>(mode, servicesOf(engine()), levelFolder);
        };
        startLoop(std::move(first), factory);
        drawWorldSparsely();
    }

    MainMenuState* mainMenu() const
    {
        MenuState* menu = current<MenuState>();
        return menu ? dynamic_cast<MainMenuState*>(&menu->inner()) : nullptr;
    }

    TempDir scratch;
    std::string tablePath;
    std::string levelFolder;
    std::map<std::string, std::filesystem::file_time_type> levelFilesWritten;
    std::vector<unsigned> handedScores;
};

// Mean brightness of a rectangle of the picture, 0..255.
float brightness(const sf::Image& image, sf::IntRect area)
{
    double sum = 0.0;
    int count = 0;
    for (int y = area.top; y < area.top + area.height; y += 4)
        for (int x = area.left; x < area.left + area.width; x += 4, ++count) {
            const sf::Color c = image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
            sum += (c.r + c.g + c.b) / 3.0;
        }
    return count ? static_cast<float>(sum / count) : 0.f;
}

} // namespace

TEST_F(FullRun, LogosMenuGameOverNameEntryAndTheMenuAgain)
{
    // Earlier tests of the same process may have asked for textures in other folders.
    const std::vector<std::string> missingBefore = engine().textures.missingTextures();
    start(makeFirstState());
    ASSERT_NE(mainMenu(), nullptr);

    // ---- the logos, each one skipped with Enter ----
    frames(1);
    for (int stage = 1; stage <= 4; ++stage) {
        tap(sf::Keyboard::Enter);
        ASSERT_EQ(mainMenu()->logos().stage(), stage);
    }

    // ---- the hangar menu: the camera glides in, then Play and single player ----
    worldEvery = 3;
    frames(3 * SECOND);
    ASSERT_TRUE(engine().menu.menuInputReleased);
    const sf::Image menu = redraw("fullrun_2_menu");
    EXPECT_GT(brightness(menu, {0, 0, 1920, 1080}), 10.f) << "the hangar is lit";
    // The page stands the right way up on the desk's screen: the lit entry is in its upper half.
    const auto lit = [](sf::Color c) { return c.g > 110 && c.b > 110 && c.r < 90; };
    EXPECT_GT(share(menu, {700, 270, 700, 220}, lit), 0.002f);
    EXPECT_LT(share(menu, {700, 500, 700, 200}, lit), 0.0005f);
    tap(sf::Keyboard::E); // game
    ASSERT_EQ(engine().menu.menuPage, menu_page::PLAY);
    ASSERT_EQ(engine().menu.menuCursor, 4);
    tap(sf::Keyboard::E); // single player: the next update starts the game (code 7)
    ASSERT_TRUE(until([this] { return current<GameState>() != nullptr; }, 3));
    GameState* game = current<GameState>();
    EXPECT_TRUE(game->inStoryMode());
    EXPECT_FALSE(game->inEditorMode());
    ASSERT_EQ(game->playerCount(), 1);
    EXPECT_EQ(engine().world.sceneId(), scene::INTRO);

    // ---- play: a moment of the intro, then the ship flies in, moves and fires ----
    worldEvery = 4;
    frames(SECOND);
    engine().world.cameraPath().markEnded(); // the intro's camera path ends
    ASSERT_TRUE(until([] { return engine().world.sceneId() == scene::OPEN_SPACE; }, 3));
    ASSERT_TRUE(until([&] { return game->transitions.allowsInput(); }, 5 * SECOND));
    input.keyboard.press(sf::Keyboard::Space);
    input.keyboard.press(sf::Keyboard::Q);
    frames(SECOND / 2);
    input.keyboard.release(sf::Keyboard::Q);
    frames(SECOND);
    ASSERT_EQ(current<GameState>(), game);
    EXPECT_LT(game->players[0]->position.x, 900.f) << "the ship answers the keys";
    EXPECT_FALSE(game->shots->bullets.empty()) << "and fires";
    input.keyboard.release(sf::Keyboard::Space);
    game->award(0, 12345); // a score that enters the table wherever the run's own points stand

    // ---- the ship is hit until it is out of lives ----
    game->players[0]->lives = 2;
    auto hitWhenVulnerable = [&] {
        if (game->isLive(0) && game->isVulnerable(0)) {
            Bullet b;
            b.position = b.origin = game->players[0]->position;
            b.type = 2;
            b.angle = 90.f;
            game->enemies.enemyBullets->bullets.push_back(b);
        }
        return game->continueScreens[0].countingDown != 0;
    };
    ASSERT_TRUE(until(hitWhenVulnerable, 20 * SECOND)) << "two hits put the last ship out";
    EXPECT_LT(game->players[0]->lives, 1);
    frames(3 * SECOND);
    EXPECT_FALSE(game->isGameOver());

    // ---- no revive: the countdown runs out, then the game-over picture ----
    worldEvery = 15;
    ASSERT_TRUE(until([&] { return game->isGameOver(); }, 8 * SECOND));
    EXPECT_EQ(game->continueScreens[0].gaveUp, 1);
    const std::vector<unsigned> finalScores = game->getScores();
    ASSERT_EQ(finalScores.size(), 1u);
    EXPECT_GE(finalScores[0], 12345u);
    frames(4 * SECOND);
    ASSERT_EQ(current<GameState>(), game);
    const sf::Image over = redraw("fullrun_6_game_over");
    EXPECT_GT(share(over, {330, 440, 1260, 170}, strongRed), 0.15f) << "the game-over title shows";
    // The rest of the game-over time passes at once; code 11 still comes from the state's own timer.
    game->skipGameOverWait(0.5f);
    frames(SECOND / 4);
    ASSERT_EQ(current<GameState>(), game) << "not before the game-over time is up";
    ASSERT_TRUE(until([this] { return current<HighScoresState>() != nullptr; }, SECOND))
        << "code 11 after the game-over time";
    EXPECT_EQ(handedScores, finalScores);

    // ---- name entry with the keys: 9 (the wheel wraps left from A), A, C ----
    HighScoresState* scores = current<HighScoresState>();
    ASSERT_EQ(scores->entries().size(), 1u);
    const int row = scores->entries()[0].row();
    ASSERT_GE(row, 0) << "the score entered the table";
    EXPECT_EQ(scores->table()[static_cast<size_t>(row)].name, "___");
    EXPECT_EQ(scores->table()[static_cast<size_t>(row)].score, static_cast<int>(finalScores[0]));
    const auto step = [this](sf::Keyboard::Key key) { // the wheel turns one symbol in 0.2 s
        tap(key);
        frames(SECOND / 4);
    };
    step(sf::Keyboard::Left); // A -> 9
    step(sf::Keyboard::Enter);
    step(sf::Keyboard::Right); // 9 -> A
    step(sf::Keyboard::Right); // B
    step(sf::Keyboard::Enter);
    ASSERT_EQ(current<HighScoresState>(), scores);
    EXPECT_EQ(scores->table()[static_cast<size_t>(row)].name, "9B_");

    // ---- Escape leaves for the menu without the logos (code 4) ----
    tap(sf::Keyboard::Escape);
    ASSERT_NE(mainMenu(), nullptr);
    EXPECT_TRUE(mainMenu()->logos().finished());
    EXPECT_TRUE(window.isOpen());
    worldEvery = 4;
    frames(2 * SECOND);
    ASSERT_NE(mainMenu(), nullptr) << "the menu stays";
    EXPECT_EQ(engine().menu.menuPage, menu_page::MAIN);

    // The copy of the table holds the new row in its place.
    const std::vector<HighScoreEntry> stored = readHighScoreTable(tablePath);
    EXPECT_EQ(stored[static_cast<size_t>(row)].name, "9B_");
    EXPECT_EQ(stored[static_cast<size_t>(row)].score, static_cast<int>(finalScores[0]));
    // Every texture the run needed (menus, level 1, the screens after it) is in the game's tree.
    EXPECT_EQ(engine().textures.missingTextures(), missingBefore);
}

TEST_F(FullRun, TheShaderBackgroundScenesRunOnTheMeasuredFrameTime)
{
    // Level 3 (scene 11, drawn by the shader background) on a machine that
    // draws 100 frames a second: the ship covers 720 px a second all the same.
    engine().run.startLevel = 2;
    start(defaultStateFactory().game(GameMode::Story));
    ASSERT_EQ(engine().world.sceneId(), scene::LEVEL3_START);
    GameState* game = current<GameState>();
    ASSERT_NE(game, nullptr);
    Player2D& ship = *game->players[0];
    ship.position = {500.f, 540.f};
    input.keyboard.press(sf::Keyboard::D);
    auto runFrames = [&](int count, float seconds) {
        for (int i = 0; i < count; ++i) {
            input.clock.advance(seconds);
            loop->runFrame();
        }
    };
    runFrames(2, 0.01f); // the first frames still run on earlier measures
    const float from = ship.position.x;
    runFrames(60, 0.01f);
    input.keyboard.release(sf::Keyboard::D);
    EXPECT_FLOAT_EQ(engine().timing.frameTime, 0.01f);
    EXPECT_NEAR(ship.position.x - from, 720.f * 0.6f, 1.f);

    // The tunnel is drawn straight onto the window: window-sized pictures are
    // made only for a cross-fade, and out of level 3 they are given back.
    Level3Background& tunnel = *engine().world.level3Background();
    EXPECT_EQ(tunnel.renderTexture, nullptr);
    tunnel.startSwitch();
    runFrames(1, 0.01f);
    ASSERT_NE(tunnel.renderTexture, nullptr);
    ASSERT_NE(tunnel.nextPicture, nullptr);
    changeScene(scene::ARENA, 0.f);
    runFrames(1, 0.01f);
    EXPECT_EQ(tunnel.renderTexture, nullptr);
    EXPECT_EQ(tunnel.nextPicture, nullptr);
}
