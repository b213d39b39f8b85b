#include "app/MainLoop.h"
#include "app/Startup.h"
#include "audio/SoundManagerInstance.h"
#include "engine/Engine.h"
#include "engine/SceneChange.h"
#include "engine/SceneFile.h"
#include "gameplay/PlayPreload.h"
#include "screens/CinematicState.h"
#include "screens/HighScoresState.h"
#include "screens/MainMenuState.h"
#include "engine/Mesh.h"
#include "screens/MenuNavigation.h"
#include "screens/MenuScene.h"
#include "screens/MenuScreen.h"
#include "screens/MenuState.h"
#include "support/GameFixtures.h"
#include "support/VirtualPads.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

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
        factory.game = [this](GameMode mode) {
            gameModes.push_back(mode);
            return std::make_unique<GameStandIn>();
        };
        startLoop(std::move(first), factory);
    }
    std::vector<GameMode> gameModes;
};
} // namespace

TEST_F(MenuRun, AnEnterHeldPastTheLastLogoIsNotTakenByTheMenu)
{
    start(makeFirstState(), defaultStateFactory());
    auto* menu = dynamic_cast<MenuState*>(loop->currentState());
    ASSERT_NE(menu, nullptr);
    const auto& logos = dynamic_cast<MainMenuState&>(menu->inner()).logos();
    frames(1);
    const sf::Image studio = screenshot(window, "menu_studio_logo");
    EXPECT_GT(coverage(studio, {860, 490, 200, 100}, sf::Color::Black), 0.2f) << "the studio logo from the first frame";
    for (int stage = 1; stage <= 3; ++stage) {
        tap(sf::Keyboard::Enter);
        ASSERT_EQ(logos.stage(), stage);
    }
    // Under the logos' curtain the hangar is projected but not drawn; once they end, it is.
    const long drawnUnderLogos = engine().renderer.drawCalls;
    frames(3);
    ASSERT_FALSE(logos.finished());
    EXPECT_FALSE(engine().renderer.pipeline.batches().empty()) << "the hangar is projected";
    EXPECT_EQ(engine().renderer.drawCalls, drawnUnderLogos) << "nothing drawn under the curtain";

    // Enter ends the logos; while it is held the menu does not take it.
    input.keyboard.press(sf::Keyboard::Enter);
    events.push_back(keyEvent(sf::Keyboard::Enter));
    frames(10);
    ASSERT_TRUE(logos.finished());
    EXPECT_GT(engine().renderer.drawCalls, drawnUnderLogos) << "the hangar shows";
    EXPECT_FALSE(engine().menu.menuInputReleased);
    EXPECT_EQ(engine().menu.menuPage, menu_page::MAIN);
    input.keyboard.release(sf::Keyboard::Enter);
    frames(30);
    EXPECT_TRUE(engine().menu.menuInputReleased);
    tap(sf::Keyboard::E);
    EXPECT_EQ(engine().menu.menuPage, menu_page::PLAY) << "a fresh press is taken";

    // The difficulty page takes the choice under the cursor.
    tap(sf::Keyboard::S);
    tap(sf::Keyboard::E);
    ASSERT_EQ(engine().menu.menuPage, menu_page::DIFFICULTY);
    tap(sf::Keyboard::S);
    frames(14); // validate released for a quarter of a second
    tap(sf::Keyboard::E);
    EXPECT_EQ(engine().run.difficulty, Difficulty::Hard);
}

// Player 1's pad skips a logo with A, as Enter does.
TEST_F(MenuRun, TheFirstPadsASkipsALogo)
{
    SdlPadsInstalled pads;
    VirtualPad first;
    start(makeFirstState(), defaultStateFactory());
    auto* menu = dynamic_cast<MenuState*>(loop->currentState());
    ASSERT_NE(menu, nullptr);
    const auto& logos = dynamic_cast<MainMenuState&>(menu->inner()).logos();
    frames(2);
    ASSERT_EQ(logos.stage(), 0);
    first.hold(SDL_CONTROLLER_BUTTON_A);
    frames(3);
    first.hold(SDL_CONTROLLER_BUTTON_A, false);
    frames(3);
    EXPECT_EQ(logos.stage(), 1);
}

TEST_F(MenuRun, DeveloperKeyAndQuitKeyWorkDuringTheLogos)
{
    start(makeFirstState(), defaultStateFactory());
    frames(5);
    tap(sf::Keyboard::Numpad9);
    EXPECT_EQ(gameModes, std::vector<GameMode>{GameMode::Editor});

    start(makeFirstState(), defaultStateFactory());
    frames(5);
    tap(sf::Keyboard::Escape);
    EXPECT_EQ(loop->currentState(), nullptr);
    EXPECT_FALSE(window.isOpen());
}

// The main page's last item ends the game.
TEST_F(MenuRun, QuitOnTheMainPageClosesTheGame)
{
    start(defaultStateFactory().menuWithoutLogos(), defaultStateFactory());
    frames(3);
    for (int down = 0; down < 3; ++down)
        tap(sf::Keyboard::S);
    ASSERT_EQ(engine().menu.menuCursor, 3);
    ASSERT_NE(loop->currentState(), nullptr);
    tap(sf::Keyboard::E);
    frames(2);
    EXPECT_EQ(loop->currentState(), nullptr);
    EXPECT_FALSE(window.isOpen());
}

TEST_F(MenuRun, TheMenuAfterTheHighScoresIsLiveAtOnceResetsRumbleAndIgnoresTheHeldEscapeThatLeft)
{
    input.pads.connected = {true, false, true, true};
    TempDir dir;
    writeFile(dir.file("HighScores.txt"), "abc 10");
    start(std::make_unique<HighScoresState>(servicesOf(engine()), std::vector<unsigned>{5}, dir.file("HighScores.txt")),
          defaultStateFactory());
    frames(2);
    input.pads.vibrations[3] = {9000, 9000};
    input.keyboard.press(sf::Keyboard::Escape);
    events.push_back(keyEvent(sf::Keyboard::Escape));
    events.push_back(keyEvent(sf::Keyboard::Escape)); // key repeat
    frames(1);
    events.push_back(keyEvent(sf::Keyboard::Escape));
    frames(5);
    ASSERT_NE(dynamic_cast<MenuState*>(loop->currentState()), nullptr);
    EXPECT_TRUE(window.isOpen());
    EXPECT_EQ(input.pads.vibrations[3].leftMotor, 0) << "a pad after a gap in the ids is reset too";
    input.keyboard.release(sf::Keyboard::Escape);
    frames(1);
    EXPECT_TRUE(engine().menu.menuInputReleased) << "no logos to wait for";
    tap(sf::Keyboard::S);
    EXPECT_EQ(engine().menu.menuCursor, 1);
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
    InDirectory inTree(tree.path);

    Engine& e = engine();
    buildMenuScene(e);
    std::vector<Mesh*> live;
    for (const std::unique_ptr<Mesh>& mesh : e.world.meshes)
        if (!mesh->isMarkedForDeletion())
            live.push_back(mesh.get());
    ASSERT_EQ(live.size(), 1u);
    EXPECT_EQ(live[0]->name(), "3D/Hangar/Door/Gate");
    EXPECT_EQ(live[0]->maps().baseTexture, e.textures.getTexture("3D/Hangar/HangarColor.png", TextureUse::Scene));
    EXPECT_EQ(e.world.menuScreen(), nullptr);
    EXPECT_EQ(e.menu.menuBindings.size(), 6u);

    e.menu.menuInputReleased = true;
    e.menu.menuCursor = 0;
    input.keyboard.press(sf::Keyboard::S);
    updateMenuScene(e);
    EXPECT_EQ(e.menu.menuCursor, 1) << "the menu runs without its screen mesh";
    input.keyboard.release(sf::Keyboard::S);
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
    soundManager().playLoop(LOOP_LASER_ACTIVE);   // a laser still humming as the last level ends
    start(std::make_unique<CinematicState>(servicesOf(engine()), std::vector<unsigned>{1200, 800}), factory);
    EXPECT_NE(soundManager().loop(LOOP_LASER_ACTIVE).getStatus(), sf::Music::Playing) << "the game's sounds end with it";
    EXPECT_EQ(engine().world.sceneId(), scene::CREDITS);
    EXPECT_FALSE(engine().world.cameraPath().ended());
    frames(20);
    EXPECT_LT(engine().world.cameraPath().frame(), 25) << "the credits roll from their start";
    EXPECT_TRUE(handed.empty());
    input.keyboard.release(sf::Keyboard::Enter);
    frames(1);
    input.keyboard.press(sf::Keyboard::Enter);
    frames(1);
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0], (std::vector<unsigned>{1200, 800}));
    input.keyboard.release(sf::Keyboard::Enter);

    start(std::make_unique<CinematicState>(servicesOf(engine()), std::vector<unsigned>{5}), factory);
    frames(3);
    engine().world.cameraPath().markEnded();
    frames(1);
    ASSERT_EQ(handed.size(), 2u);
    EXPECT_EQ(handed[1], std::vector<unsigned>{5});
}

// The board of the menu's high-score page is drawn once per table: after a new
// high score, the next menu shows the new table.
TEST_F(MenuRun, TheHighScoreBoardShowsTheTableFileOfEachMenuVisit)
{
    TempDir tree;
    std::filesystem::create_directories(tree.file("2D/Text"));
    std::filesystem::copy_file("2D/Text/Pixeled.ttf", tree.file("2D/Text/Pixeled.ttf"));
    InDirectory inTree(tree.path);
    const auto boardFor = [](const std::string& table) {
        writeFile(high_scores::TABLE_PATH, table);
        MainMenuState menu(servicesOf(engine()), false);
        return menuScreen().highScoreBoard.copyToImage();
    };
    const sf::Image first = boardFor("abc 10");
    sf::Image black;
    black.create(first.getSize().x, first.getSize().y, sf::Color::Black);
    const sf::IntRect bestRow(300, 160, 450, 40); // the best score's line on the desk screen
    EXPECT_GT(pixelsStandingOut(first, black, bestRow, 100.f), 20);
    EXPECT_GT(pixelsStandingOut(boardFor("zzz 99999"), first, bestRow, 100.f), 20);
}

// Browsing the menu holds none of the game's sprites: the play page has them
// prepared, and the menu that opens after a game lets them go.
TEST_F(MenuRun, TheGamesSpritesArePreparedFromThePlayPageAndReleasedAfterTheGame)
{
    const std::string sheet = playSprites().front();
    start(defaultStateFactory().menuWithoutLogos(), defaultStateFactory());
    frames(3);
    scenePreloader().wait();
    EXPECT_FALSE(engine().textures.hasEntry(sheet));
    tap(sf::Keyboard::E); // the play page
    frames(2);
    scenePreloader().wait();
    EXPECT_TRUE(engine().textures.hasEntry(sheet));
    start(defaultStateFactory().menuWithoutLogos(), defaultStateFactory());
    EXPECT_FALSE(engine().textures.hasEntry(sheet));
}

namespace {
// The base textures a scene file's meshes are drawn with.
std::set<std::string> sceneTextures(int sceneId)
{
    std::set<std::string> textures;
    WorldObjectTable table;
    for (const SceneRecord& record : readSceneFile(sceneFilePath(sceneId)).records)
        if (record.kind == SceneRecordKind::Mesh)
            textures.insert(table[objectNameOf(record.name)].texturePath);
    textures.erase("");
    return textures;
}
} // namespace

// Browsing the menu holds nothing of a game: the scene a level was preparing
// goes with it, none is prepared before the play page, and the high-score
// screen's picture goes once the board is drawn from it.
TEST_F(MenuRun, TheMenuHoldsNoSceneOfAGameNorTheHighScorePicture)
{
    changeScene(scene::INTRO, 0.f); // level 1, left for the menu while scene 2 is prepared
    scenePreloader().wait();
    std::set<std::string> prepared = sceneTextures(scene::OPEN_SPACE);
    for (const std::string& shown : sceneTextures(scene::INTRO))
        prepared.erase(shown);
    ASSERT_FALSE(prepared.empty());
    ASSERT_TRUE(engine().textures.hasEntry(*prepared.begin()));

    start(defaultStateFactory().menuWithoutLogos(), defaultStateFactory());
    frames(3);
    scenePreloader().wait();
    frames(1);
    for (const std::string& texture : prepared)
        EXPECT_FALSE(engine().textures.hasEntry(texture)) << texture;
    EXPECT_FALSE(engine().textures.hasEntry(HighScoresState::BACKGROUND));
    EXPECT_GT(menuScreen().highScoreBoard.getSize().x, 0u) << "the board keeps its own picture";
}

// The desk's page is drawn again when what it shows changes (a cursor move, a
// picture turned, the backdrop's animation moving on), not every frame.
TEST_F(MenuRun, TheDeskPageIsDrawnOnlyWhenWhatItShowsChanges)
{
    start(defaultStateFactory().menuWithoutLogos(), defaultStateFactory());
    frames(3);
    const MenuScreenResources& screen = menuScreen();
    // A frame on a clock that stands still, with a key pressed in it or not.
    const auto stillFrame = [this](sf::Keyboard::Key key = sf::Keyboard::Unknown) {
        if (key != sf::Keyboard::Unknown) {
            input.keyboard.press(key);
            events.push_back(keyEvent(key));
        }
        loop->runFrame();
        input.keyboard.releaseAll();
    };
    const long drawn = screen.pageDraws;
    for (int i = 0; i < 5; ++i)
        stillFrame();
    EXPECT_EQ(screen.pageDraws, drawn) << "nothing changed";

    const sf::Image before = screen.target->getTexture().copyToImage();
    stillFrame(sf::Keyboard::S);
    stillFrame();
    EXPECT_EQ(screen.pageDraws, drawn + 1);
    EXPECT_GT(pixelsStandingOut(screen.target->getTexture().copyToImage(), before, {350, 20, 350, 119}, 30.f), 500)
        << "the cursor moved on the page";

    engine().menu.menuPage = menu_page::CREDITS;
    stillFrame();
    stillFrame(sf::Keyboard::D);
    EXPECT_EQ(menuControls().creditsPage, 1);
    EXPECT_EQ(screen.pageDraws, drawn + 3) << "the page opened, then its next picture";
    frames(2);
    EXPECT_EQ(screen.pageDraws, drawn + 5) << "the backdrop moves with time";
}
