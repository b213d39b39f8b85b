// The level editor inside the gameplay state, driven with synthetic window
// events: its windows draw, the mouse places, selects and drags spawners, a GUI
// button answers a click, and play and the trajectory preview run the game's
// own spawner and enemies.
#include "editor/LevelEditor.h"
#include "engine/Engine.h"
#include "gameplay/GameState.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <imgui.h>
#include <memory>

using namespace testing_support;

namespace {

constexpr float FRAME = 1.f / 60.f;

const char* const LEVEL_INDEX = "NB_LEVELS 2\nNB_SEQUENCE 1 2\nNB_SEQUENCE 2 1";
const char* const FIRST_SEQUENCE =
    "UP\n"
    "SPAWNER1 POSITION 960 -100 DIRECTION 270 SPAWN_TIMER 0.2 DELAY_TIMER 0.3 NB_MAX_ENEMY 3 PATTERN_ID 7\n"
    "SPAWNER2 POSITION 500 -100 DIRECTION 270 SPAWN_TIMER 1.5 DELAY_TIMER 0.3 NB_MAX_ENEMY 2 PATTERN_ID 6\n"
    "SPAWNER3 POSITION 960 540 DIRECTION 0 SPAWN_TIMER 2.5 DELAY_TIMER 0.2 NB_MAX_ENEMY 16 PATTERN_ID 4\n";

class EditorInGame : public ::testing::Test {
protected:
    void SetUp() override
    {
        openTestWindow(window);
        Engine& eng = engine();
        eng.window = &window;
        eng.paused = false;
        writeFile(levels.file("LevelsData.txt"), LEVEL_INDEX);
        writeFile(levels.file("LEVEL_1_SEQUENCE_1.txt"), FIRST_SEQUENCE);
        writeFile(levels.file("LEVEL_1_SEQUENCE_2.txt"), "DOWN\n");
        writeFile(levels.file("LEVEL_2_SEQUENCE_1.txt"), "LEFT\n");
        game = std::make_unique<GameState>(game_mode::EDITOR, levels.path + "/");
        ASSERT_NE(game->editor, nullptr);
        ImGui::GetIO().IniFilename = nullptr; // the same layout on every run
    }
    void TearDown() override
    {
        game.reset();
        engine().window = nullptr;
    }

    LevelEditor& editor() { return *game->editor; }

    void frame()
    {
        in.clock.advance(FRAME);
        game->update(FRAME);
        window.clear(sf::Color(10, 14, 30));
        game->draw(window);
    }
    void send(const sf::Event& event)
    {
        game->handleEvent(event);
        if (event.type == sf::Event::MouseButtonPressed)
            game->handleMouseClick(event.mouseButton, {event.mouseButton.x, event.mouseButton.y});
    }
    void moveMouse(int x, int y)
    {
        sf::Event e;
        e.type = sf::Event::MouseMoved;
        e.mouseMove = {x, y};
        send(e);
        // Whether the GUI wants the mouse is known one frame after it moved.
        frame();
        frame();
    }
    void button(sf::Mouse::Button b, bool pressed, int x, int y)
    {
        sf::Event e;
        e.type = pressed ? sf::Event::MouseButtonPressed : sf::Event::MouseButtonReleased;
        e.mouseButton = {b, x, y};
        send(e);
        frame();
    }
    void click(sf::Mouse::Button b, int x, int y)
    {
        moveMouse(x, y);
        button(b, true, x, y);
        button(b, false, x, y);
    }

    SyntheticInput in;
    sf::RenderWindow window;
    TempDir levels;
    std::unique_ptr<GameState> game;
};

} // namespace

TEST_F(EditorInGame, FrameDrawsTimelineGridAndWindows)
{
    LevelEditor& ed = editor();
    EXPECT_EQ(ed.edited.records.size(), 3u);
    EXPECT_EQ(ed.catalogue.nbLevels(), 2);
    ed.showGrid = true;
    ed.showSpawners = true;
    ed.createCustomLevel = true;
    ed.edited.selection = {0, 2};
    for (int i = 0; i < 3; ++i)
        frame();
    const sf::Image shot = screenshot(window, "editor_frame");
    window.display();
    EXPECT_GT(distinctColours(shot), 20);
    EXPECT_GE(ImGui::GetIO().MetricsRenderWindows, 4) << "Level, Level Editor, Spawner Editor, Spawner Type Selector";
    // The ladybug at 0.2 s sits one row above the bottom: its icon is drawn (red tint, selected).
    const sf::Color icon = shot.getPixel(945, 1065 - 60);
    EXPECT_NE(icon, sf::Color(10, 14, 30));
    // The level index is rewritten every frame.
    EXPECT_EQ(readFile(levels.file("LevelsData.txt")), "NB_LEVELS 2\nNB_SEQUENCE 1 2\nNB_SEQUENCE 2 1");
}

TEST_F(EditorInGame, MousePlacesSelectsAndDragsASpawner)
{
    LevelEditor& ed = editor();
    ed.showSpawners = true;
    frame();

    // A GUI button answers a synthetic click: the first pattern of the selector.
    ed.createCustomLevel = true;
    frame();
    click(sf::Mouse::Left, 1170, 50);
    EXPECT_EQ(ed.placementPattern, 0) << "the Shooter button of the Spawner Type Selector";
    EXPECT_EQ(ed.edited.records.size(), 3u) << "a click on a window places nothing";
    ed.choosePlacementPattern(pattern_id::BEE);
    EXPECT_EQ(ed.iconColours[0], sf::Color::White);
    EXPECT_EQ(ed.iconColours[pattern_id::BEE], sf::Color::Red);

    // Left click on the field places a bee whose icon's corner is the cursor.
    click(sf::Mouse::Left, 705, 905);
    ASSERT_EQ(ed.edited.records.size(), 4u);
    const SpawnerRecord placed = ed.edited.records.back();
    EXPECT_EQ(placed.patternId, pattern_id::BEE);
    EXPECT_EQ(placed.posX, 735.f);
    EXPECT_NEAR(placed.spawnTimer, 3.6f - 0.1f - 0.1f * (905.f / 30.f), 1e-4f);

    // B stops placing; a right click selects the new icon.
    in.keyboard.press(sf::Keyboard::B);
    frame();
    in.keyboard.release(sf::Keyboard::B);
    EXPECT_EQ(ed.placementPattern, -1);
    EXPECT_EQ(ed.iconColours[pattern_id::BEE], sf::Color::White);
    click(sf::Mouse::Right, 720, 920);
    ASSERT_EQ(ed.edited.selection, std::vector<int>{3});

    // Press on it, move, release: the drag follows the cursor and ends with the button.
    moveMouse(720, 920);
    button(sf::Mouse::Left, true, 720, 920);
    EXPECT_TRUE(ed.dragging);
    moveMouse(820, 800);
    button(sf::Mouse::Left, false, 820, 800);
    EXPECT_FALSE(ed.dragging);
    const SpawnerRecord& dragged = ed.edited.records[3];
    EXPECT_EQ(dragged.posX, 820.f);
    EXPECT_NEAR(dragged.spawnTimer, -800.f / 300.f + 3.6f, 1e-4f);
    const sf::Image shot = screenshot(window, "editor_after_drag");
    window.display();
    EXPECT_GT(distinctColours(shot), 10);

    // The Delete key asks for confirmation while something is selected; other events do not.
    sf::Event moved;
    moved.type = sf::Event::MouseMoved;
    moved.mouseMove = {sf::Keyboard::Delete, sf::Keyboard::Delete};
    send(moved);
    EXPECT_FALSE(ed.confirmDeleteSpawners);
    sf::Event del;
    del.type = sf::Event::KeyPressed;
    del.key = {sf::Keyboard::Delete, false, false, false, false};
    send(del);
    EXPECT_TRUE(ed.confirmDeleteSpawners);

    // Leaving the editor saves the sequence with the new spawner, sorted by time.
    game.reset();
    const SequenceFile saved = readSequenceFile(levels.file("LEVEL_1_SEQUENCE_1.txt"));
    ASSERT_EQ(saved.records.size(), 4u);
    EXPECT_EQ(saved.records[3].pattern, pattern_id::BEE);
    EXPECT_EQ(saved.records[3].x, 820.f);
}

TEST_F(EditorInGame, PlayRunsTheSequenceAndThePreviewDrawsTrajectories)
{
    LevelEditor& ed = editor();
    frame();

    // Play from 1.0 s: the ladybugs at 0.2 s are skipped, the bees come.
    ed.timeline.time = 1.f;
    ed.play(game->spawner, game->enemies, game->spawnPatterns);
    EXPECT_TRUE(ed.playing);
    EXPECT_EQ(game->spawner.pending.size(), 2u);
    EXPECT_EQ(engine().sceneId, 2);
    size_t most = 0;
    for (int i = 0; i < 90; ++i) {
        frame();
        most = std::max(most, game->enemies.enemies.size());
    }
    EXPECT_GE(most, 1u);
    EXPECT_NEAR(ed.timeline.time, 1.5f, 0.02f) << "time runs up to the slider's end, the last spawn time - 1";
    const sf::Image playing = screenshot(window, "editor_playing");
    window.display();
    EXPECT_GT(distinctColours(playing), 10);

    ed.stop(game->spawner, game->enemies, game->spawnPatterns);
    EXPECT_FALSE(ed.playing);
    EXPECT_TRUE(game->enemies.enemies.empty());
    EXPECT_TRUE(game->spawnPatterns.empty());

    // Play of the selection: the circle alone, due at once.
    ed.edited.selection = {2};
    ed.playSelected(game->spawner, game->enemies, game->spawnPatterns);
    ASSERT_EQ(game->spawner.pending.size(), 1u);
    EXPECT_EQ(game->spawner.pending.front().time, 0.f);
    EXPECT_EQ(game->spawner.pending.front().pattern, pattern_id::CIRCLE);
    ed.stop(game->spawner, game->enemies, game->spawnPatterns);

    // The preview runs the selected ladybugs to their end inside one call.
    ed.edited.selection = {0};
    ed.displayTrajectory = true;
    ed.trajectoryTexture.clear(sf::Color::Transparent);
    ed.previewTrajectory(game->spawner, game->enemies, game->spawnPatterns, true);
    EXPECT_TRUE(game->enemies.enemies.empty());
    EXPECT_TRUE(game->spawnPatterns.empty());
    const sf::Image paths = ed.trajectoryTexture.getTexture().copyToImage();
    int drawn = 0;
    for (unsigned y = 0; y < 1080; y += 6)
        for (unsigned x = 0; x < 1920; x += 6)
            drawn += paths.getPixel(x, y).a > 0;
    EXPECT_GT(drawn, 50) << "the ladybugs' paths are collected in the texture";
    frame();
    EXPECT_EQ(ed.edited.selection, std::vector<int>{0});
    const sf::Image shot = screenshot(window, "editor_trajectory");
    window.display();
    EXPECT_GT(distinctColours(shot), 10);
}

TEST_F(EditorInGame, TileMapImportReplacesTheSequenceOrSaysWhyNot)
{
    LevelEditor& ed = editor();
    frame();
    ed.importTmx();
    EXPECT_NE(ed.tmxMessage.find("Cannot open"), std::string::npos);
    EXPECT_EQ(ed.edited.records.size(), 3u) << "a missing map leaves the sequence alone";

    writeFile(levels.file("LEVEL_1_SEQUENCE_1.tmx"), "<map version=\"1.2\" width=\"3\" height=\"2\">\n"
                                                      "  <data encoding=\"csv\">\n8,0,6,\n0,31,0\n</data>\n</map>\n");
    ed.importTmx();
    EXPECT_NE(ed.tmxMessage.find("Imported 3"), std::string::npos);
    ASSERT_EQ(ed.edited.records.size(), 3u);
    EXPECT_EQ(ed.edited.records[0].name, "SPAWNER3") << "saved and read back at once, the bottom row first";
    EXPECT_EQ(ed.edited.records[0].patternId, pattern_id::WALL);
    EXPECT_EQ(ed.edited.records[0].direction, 1.f);
    const SequenceFile saved = readSequenceFile(levels.file("LEVEL_1_SEQUENCE_1.txt"));
    EXPECT_EQ(saved.records.size(), 3u);

    writeFile(levels.file("LEVEL_1_SEQUENCE_1.tmx"), std::string("\x01\x02garbage\"\"\xff", 12));
    ed.importTmx();
    EXPECT_NE(ed.tmxMessage.find("nothing imported"), std::string::npos);
    EXPECT_EQ(ed.edited.records.size(), 3u);
}
