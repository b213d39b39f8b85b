#include "app/MainLoop.h"
#include "app/Startup.h"
#include "engine/Engine.h"
#include "engine/Scenes.h"
#include "screens/CinematicState.h"
#include "screens/HighScoresState.h"
#include "screens/MainMenuState.h"
#include "engine/Mesh.h"
#include "screens/MenuNavigation.h"
#include "screens/MenuScene.h"
#include "screens/MenuScreen.h"
#include "screens/MenuState.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace testing_support;

namespace {
// Stands in for the gameplay state.
using GameStandIn = IdleState;

// The game's window, loop and synthetic input, with a stand-in for the gameplay state.
class MenuRun : public LoopRunTest {
protected:
    void SetUp() override
    {
        LoopRunTest::SetUp();
        engine().initResources();
        soundManager();
    }

    void start(std::unique_ptr<MainState> first, StateFactory factory)
    {
        factory.game = [this](int mode) {
            gameModes.push_back(mode);
            return std::make_unique<GameStandIn>();
        };
        startLoop(std::move(first), factory);
    }
    // Draws the current frame again for a screenshot (the loop displays it).
    sf::Image shot(const std::string& name)
    {
        window.clear(sf::Color::Black);
        engine().render3D();
        loop->currentState()->draw(window);
        return screenshot(window, name);
    }
    void saveMenuScreen(const std::string& name)
    {
        const char* dir = std::getenv("ORBYNDEL_SHOT_DIR");
        std::filesystem::path folder = dir ? dir : "screenshots";
        std::filesystem::create_directories(folder);
        const sf::Image picture = menuScreen().target->getTexture().copyToImage();
        EXPECT_GT(distinctColours(picture), 4) << name;
        picture.saveToFile((folder / (name + ".png")).string());
    }

    std::vector<int> gameModes;
};
} // namespace

TEST_F(MenuRun, LogosThenTheMenuPagesThenAGame)
{
    start(makeFirstState(), defaultStateFactory());
    auto* menu = dynamic_cast<MenuState*>(loop->currentState());
    ASSERT_NE(menu, nullptr);
    const auto& logos = dynamic_cast<MainMenuState&>(menu->inner()).logos();

    frames(1);
    EXPECT_GT(distinctColours(shot("menu_logo_0_studio")), 20);
    frames(60);
    ASSERT_EQ(logos.stage(), 1);
    frames(75);
    EXPECT_GT(distinctColours(shot("menu_logo_1_school")), 3);
    tap(sf::Keyboard::Enter);
    ASSERT_EQ(logos.stage(), 2);
    frames(70);
    EXPECT_GT(distinctColours(shot("menu_logo_2_scenario")), 50);
    tap(sf::Keyboard::Enter);
    frames(90);
    ASSERT_EQ(logos.stage(), 3);
    EXPECT_GT(distinctColours(shot("menu_logo_3_product")), 20);

    // Enter ends the logos; while it is held the menu does not take it.
    input.keyboard.press(sf::Keyboard::Enter);
    frames(10);
    ASSERT_TRUE(logos.finished());
    EXPECT_FALSE(engine().menu.menuInputReleased);
    input.keyboard.release(sf::Keyboard::Enter);
    frames(30);
    EXPECT_TRUE(engine().menu.menuInputReleased);
    shot("menu_hangar");
    saveMenuScreen("menu_page_main");

    tap(sf::Keyboard::S);
    tap(sf::Keyboard::E); // high scores
    ASSERT_EQ(engine().menu.menuPage, menu_page::HIGH_SCORES);
    frames(1);
    saveMenuScreen("menu_page_high_scores");
    tap(sf::Keyboard::B); // back resets the cursor to the first item
    tap(sf::Keyboard::S);
    tap(sf::Keyboard::S);
    tap(sf::Keyboard::E); // credits
    ASSERT_EQ(engine().menu.menuPage, menu_page::CREDITS);
    tap(sf::Keyboard::D);
    saveMenuScreen("menu_page_credits");
    tap(sf::Keyboard::B);
    tap(sf::Keyboard::E); // play
    ASSERT_EQ(engine().menu.menuPage, menu_page::PLAY);
    saveMenuScreen("menu_page_play");
    tap(sf::Keyboard::S);
    tap(sf::Keyboard::E); // difficulty
    frames(20);
    tap(sf::Keyboard::S);
    tap(sf::Keyboard::E); // hard
    EXPECT_EQ(engine().run.difficulty, DIFFICULTY_HARD);
    saveMenuScreen("menu_page_difficulty");
    tap(sf::Keyboard::B);
    tap(sf::Keyboard::S);
    tap(sf::Keyboard::S);
    tap(sf::Keyboard::E); // how to play
    ASSERT_EQ(engine().menu.menuPage, menu_page::HOW_TO_PLAY);
    saveMenuScreen("menu_page_how_to_play");
    tap(sf::Keyboard::B);
    tap(sf::Keyboard::Z);
    tap(sf::Keyboard::E); // cheats
    ASSERT_EQ(engine().menu.menuPage, menu_page::CHEATS);
    frames(20);
    tap(sf::Keyboard::E); // laser
    EXPECT_TRUE(engine().run.cheatLaser);
    saveMenuScreen("menu_page_cheats");
    tap(sf::Keyboard::B);
    ASSERT_EQ(engine().menu.menuPage, menu_page::PLAY);
    ASSERT_EQ(engine().menu.menuCursor, 4);
    tap(sf::Keyboard::E); // single player
    frames(2);
    EXPECT_EQ(gameModes, std::vector<int>{1});
    EXPECT_NE(dynamic_cast<GameStandIn*>(loop->currentState()), nullptr);
}

TEST_F(MenuRun, DeveloperKeyAndQuitKeyWorkDuringTheLogos)
{
    start(makeFirstState(), defaultStateFactory());
    frames(5);
    tap(sf::Keyboard::Numpad9);
    EXPECT_EQ(gameModes, std::vector<int>{2});

    start(makeFirstState(), defaultStateFactory());
    frames(5);
    tap(sf::Keyboard::Escape);
    EXPECT_EQ(loop->currentState(), nullptr);
    EXPECT_FALSE(window.isOpen());
}

TEST_F(MenuRun, MenuWithoutLogosIsLiveAtOnceAndResetsRumble)
{
    input.pads.connected = {true, false, true, true};
    input.pads.vibrations[3] = {9000, 9000};
    start(defaultStateFactory().menuWithoutLogos(), defaultStateFactory());
    frames(1);
    EXPECT_TRUE(engine().menu.menuInputReleased);
    EXPECT_EQ(input.pads.vibrations[3].leftMotor, 0) << "a pad after a gap in the ids is reset too";
    shot("menu_without_logos");
    tap(sf::Keyboard::S);
    EXPECT_EQ(engine().menu.menuCursor, 1);
}

TEST_F(MenuRun, HeldEscapeLeavingTheHighScoresDoesNotQuitTheNewMenu)
{
    TempDir dir;
    writeFile(dir.file("HighScores.txt"), "abc 10");
    start(std::make_unique<HighScoresState>(std::vector<unsigned>{5}, dir.file("HighScores.txt")), defaultStateFactory());
    frames(2);
    input.keyboard.press(sf::Keyboard::Escape);
    events.push_back(keyEvent(sf::Keyboard::Escape));
    events.push_back(keyEvent(sf::Keyboard::Escape)); // key repeat
    frames(1);
    events.push_back(keyEvent(sf::Keyboard::Escape));
    frames(5);
    ASSERT_NE(dynamic_cast<MenuState*>(loop->currentState()), nullptr);
    EXPECT_TRUE(window.isOpen());
    input.keyboard.release(sf::Keyboard::Escape);
    frames(1);
    tap(sf::Keyboard::Escape);
    EXPECT_EQ(loop->currentState(), nullptr) << "a fresh press quits";
}

TEST_F(MenuRun, MissingHangarModelsAndTexturesAreSkippedOrReplaced)
{
    // A tree with one hangar model and the shared colour sheet only.
    TempDir tree;
    writeFile(tree.file("3D/Hangar/Door/Gate.obj"), "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nf 1/1 2/2 3/3\n");
    sf::Image colour;
    colour.create(4, 4, sf::Color(90, 90, 100));
    colour.saveToFile(tree.file("3D/Hangar/HangarColor.png"));
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(tree.path);

    Engine& e = engine();
    buildMenuScene();
    std::vector<Mesh*> live;
    for (Mesh* mesh : e.world.meshes)
        if (!mesh->markedForDeletion)
            live.push_back(mesh);
    ASSERT_EQ(live.size(), 1u);
    EXPECT_EQ(live[0]->name, "3D/Hangar/Door/Gate");
    EXPECT_EQ(live[0]->baseTexture, e.textures.getTexture("3D/Hangar/HangarColor.png", TextureUse::Scene));
    EXPECT_EQ(e.world.menuScreenMesh, nullptr);
    EXPECT_EQ(e.menu.menuBindings.size(), 6u);

    e.menu.menuInputReleased = true;
    input.keyboard.press(sf::Keyboard::S);
    updateMenuScene();
    EXPECT_EQ(e.menu.menuCursor, 1) << "the menu runs without its screen mesh";
    input.keyboard.release(sf::Keyboard::S);
    std::filesystem::current_path(previous);
}

TEST_F(MenuRun, CutSceneNeedsAFreshPassAndHandsTheScoresOn)
{
    std::vector<std::vector<unsigned>> handed;
    StateFactory factory;
    factory.highScores = [&handed](const std::vector<unsigned>& scores) {
        handed.push_back(scores);
        return std::make_unique<GameStandIn>();
    };
    input.keyboard.press(sf::Keyboard::Enter); // still held from the last level
    start(std::make_unique<CinematicState>(std::vector<unsigned>{1200, 800}), factory);
    EXPECT_EQ(engine().world.sceneId, scene::CREDITS);
    EXPECT_FALSE(engine().world.cinematicFinished);
    frames(20);
    EXPECT_TRUE(handed.empty());
    input.keyboard.release(sf::Keyboard::Enter);
    frames(1);
    input.keyboard.press(sf::Keyboard::Enter);
    frames(1);
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0], (std::vector<unsigned>{1200, 800}));
    input.keyboard.release(sf::Keyboard::Enter);

    start(std::make_unique<CinematicState>(std::vector<unsigned>{5}), factory);
    frames(3);
    engine().world.cinematicFinished = true;
    frames(1);
    ASSERT_EQ(handed.size(), 2u);
    EXPECT_EQ(handed[1], std::vector<unsigned>{5});
}
