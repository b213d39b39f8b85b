// The level editor inside the gameplay state, driven with synthetic window
// events as a designer uses it: its windows draw, the mouse places, selects and
// drags spawners, GUI widgets answer clicks and keys, typing into a field moves
// nothing else, copy and paste go through the system clipboard, and play and
// the trajectory preview run the game's own spawner and enemies.
#include "editor/ImGuiSfml.h"
#include "editor/LevelEditor.h"
#include "engine/Engine.h"
#include "gameplay/GameState.h"
#include "support/GameFixtures.h"

#include <SFML/OpenGL.hpp>
#include <SFML/Window/Clipboard.hpp>
#include <gtest/gtest.h>
#include <imgui.h>
#include <imgui_internal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <sstream>

using namespace testing_support;

namespace {

constexpr float FRAME = 1.f / 60.f;

const char* const LEVEL_INDEX = "NB_LEVELS 2\nNB_SEQUENCE 1 2\nNB_SEQUENCE 2 1";
const char* const FIRST_SEQUENCE =
    "UP\n"
    "SPAWNER1 POSITION 960 -100 DIRECTION 270 SPAWN_TIMER 0.2 DELAY_TIMER 0.3 NB_MAX_ENEMY 3 PATTERN_ID 7\n"
    "SPAWNER2 POSITION 500 -100 DIRECTION 270 SPAWN_TIMER 1.5 DELAY_TIMER 0.3 NB_MAX_ENEMY 2 PATTERN_ID 6\n"
    "SPAWNER3 POSITION 960 540 DIRECTION 0 SPAWN_TIMER 2.5 DELAY_TIMER 0.2 NB_MAX_ENEMY 16 PATTERN_ID 4\n";

class EditorInGame : public GameWindowTest {
protected:
    void SetUp() override
    {
        GameWindowTest::SetUp();
        writeFile(levels.file("LevelsData.txt"), LEVEL_INDEX);
        writeFile(levels.file("LEVEL_1_SEQUENCE_1.txt"), FIRST_SEQUENCE);
        writeFile(levels.file("LEVEL_1_SEQUENCE_2.txt"), "DOWN\n");
        writeFile(levels.file("LEVEL_2_SEQUENCE_1.txt"), "LEFT\n");
        openEditor();
        ASSERT_NE(game->levelEditor(), nullptr);
    }

    // A game in editor mode over the test's level folder.
    void openEditor()
    {
        game.reset();
        game = std::make_unique<GameState>(GameMode::Editor, servicesOf(engine()), levels.path + "/");
        ImGui::GetIO().IniFilename = nullptr; // the same layout on every run
    }

    LevelEditor& editor() { return *game->levelEditor(); }

    void frame()
    {
        in.clock.advance(FRAME);
        last = game->update(FRAME);
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
    void button(sf::Mouse::Button b, bool pressed, int x, int y, bool thenFrame = true)
    {
        sf::Event e;
        e.type = pressed ? sf::Event::MouseButtonPressed : sf::Event::MouseButtonReleased;
        e.mouseButton = {b, x, y};
        send(e);
        if (thenFrame)
            frame();
    }
    void click(sf::Mouse::Button b, int x, int y)
    {
        moveMouse(x, y);
        button(b, true, x, y);
        button(b, false, x, y);
    }

    // Starts the editor again on a copy of the shipped level files.
    void openShippedLevels()
    {
        game.reset();
        std::filesystem::copy(SHIPPED_LEVELS, levels.path,
                              std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
        openEditor();
        frame();
    }

    // ---- keys: events for the GUI, the fake keyboard for what the game polls ----
    sf::Event keyEvent(sf::Keyboard::Key code, bool pressed)
    {
        sf::Event e;
        e.type = pressed ? sf::Event::KeyPressed : sf::Event::KeyReleased;
        e.key = {code, false, in.keyboard.isKeyPressed(sf::Keyboard::LControl), false, false};
        return e;
    }
    void press(sf::Keyboard::Key code)
    {
        in.keyboard.press(code);
        send(keyEvent(code, true));
    }
    void release(sf::Keyboard::Key code)
    {
        in.keyboard.release(code);
        send(keyEvent(code, false));
    }
    // Held over a frame, as a person presses a key.
    void hold(sf::Keyboard::Key code)
    {
        press(code);
        frame();
        release(code);
        frame();
    }
    // Pressed and released between two frames.
    void tap(sf::Keyboard::Key code)
    {
        send(keyEvent(code, true));
        send(keyEvent(code, false));
        frame();
    }
    void control(sf::Keyboard::Key code)
    {
        press(sf::Keyboard::LControl);
        press(code);
        frame();
        release(code);
        release(sf::Keyboard::LControl);
        frame();
    }
    void type(const std::string& text)
    {
        for (char c : text) {
            sf::Event e;
            e.type = sf::Event::TextEntered;
            e.text.unicode = static_cast<sf::Uint32>(c);
            send(e);
        }
        frame();
    }
    // Clicks into a number field, replaces its text (typed, or pasted from the clipboard
    // when there is none) and presses Enter.
    void enter(sf::Vector2i field, const std::string& text = "")
    {
        click(sf::Mouse::Left, field.x, field.y);
        control(sf::Keyboard::A);
        if (text.empty())
            control(sf::Keyboard::V);
        else
            type(text);
        hold(sf::Keyboard::Enter);
    }
    // The autosave's time passes: the sequence is written, in the list's order.
    void autosave()
    {
        in.clock.advance(LevelEditor::AUTOSAVE_SECONDS + 0.1f);
        frame();
    }
    // Pressed and released between two frames, after the mouse got there.
    void quickClick(sf::Vector2i at)
    {
        moveMouse(at.x, at.y);
        button(sf::Mouse::Left, true, at.x, at.y, false);
        button(sf::Mouse::Left, false, at.x, at.y);
        frame();
    }
    void click(sf::Vector2i at) { click(sf::Mouse::Left, at.x, at.y); }

    // ---- where the widgets are: found the way keyboard navigation finds them ----
    static ImGuiID idOf(ImGuiID seed, std::initializer_list<const char*> path)
    {
        for (const char* part : path)
            seed = ImHashStr(part, 0, seed);
        return seed;
    }
    sf::Vector2i centreOf(ImGuiWindow* w, ImGuiID id)
    {
        if (!w) {
            ADD_FAILURE() << "no such window";
            return {-1, -1};
        }
        // A window that has just appeared takes the focus once: ask again then.
        ImGuiContext& g = *ImGui::GetCurrentContext();
        for (int attempt = 0; attempt < 3; ++attempt) {
            g.NavWindow = w;
            g.NavId = id;
            g.NavLayer = ImGuiNavLayer_Main;
            frame();
            g.NavDisableMouseHover = false; // the probe is no keyboard navigation: the mouse keeps working
            g.NavDisableHighlight = true;
            if (g.NavIdIsAlive && g.NavId == id) {
                // The rectangle is kept relative to where the window's content starts.
                const ImRect r = w->NavRectRel[ImGuiNavLayer_Main];
                const ImVec2 origin = w->DC.CursorStartPos;
                return {static_cast<int>(origin.x + (r.Min.x + r.Max.x) / 2),
                        static_cast<int>(origin.y + (r.Min.y + r.Max.y) / 2)};
            }
        }
        ADD_FAILURE() << "no such widget in " << w->Name;
        return {-1, -1};
    }
    sf::Vector2i widget(const char* windowName, std::initializer_list<const char*> path)
    {
        if (!ImGui::FindWindowByName(windowName))
            frame(); // windows exist once a frame has built them
        ImGuiWindow* w = ImGui::FindWindowByName(windowName);
        return centreOf(w, w ? idOf(w->ID, path) : 0);
    }
    // The button of record i in the spawner list.
    sf::Vector2i listRow(int i)
    {
        ImGuiWindow* parent = ImGui::FindWindowByName("Level Editor");
        if (!parent)
            return centreOf(nullptr, 0);
        const ImGuiID childId = idOf(parent->ID, {"##spawners"});
        char name[128];
        std::snprintf(name, sizeof name, "%s/%s_%08X", parent->Name, "##spawners", childId);
        ImGuiWindow* child = ImGui::FindWindowByName(name);
        const SpawnerRecord& r = editor().edited.records.at(static_cast<size_t>(i));
        ImGuiID id = ImHashData(&i, sizeof i, child ? child->ID : 0);
        id = ImHashStr(r.name.c_str(), 0, id);
        const ImTextureID texture = reinterpret_cast<ImTextureID>(
            static_cast<std::uintptr_t>(editor().patternIcon(r.patternId).getTexture()->getNativeHandle()));
        id = ImHashData(&texture, sizeof texture, id);
        id = ImHashStr("#image", 0, id);
        // Rows below the visible part of the list are brought up with the wheel.
        for (int turns = 0; turns < 100; ++turns) {
            const sf::Vector2i at = centreOf(child, id);
            if (!child || child->InnerClipRect.Contains(ImVec2(static_cast<float>(at.x), static_cast<float>(at.y))))
                return at;
            const sf::Vector2i middle(static_cast<int>(child->InnerClipRect.GetCenter().x),
                                      static_cast<int>(child->InnerClipRect.GetCenter().y));
            moveMouse(middle.x, middle.y);
            sf::Event wheel;
            wheel.type = sf::Event::MouseWheelScrolled;
            wheel.mouseWheelScroll = {sf::Mouse::VerticalWheel, at.y > middle.y ? -1.f : 1.f, middle.x, middle.y};
            send(wheel);
            frame();
        }
        return centreOf(child, id);
    }

    static constexpr const char* SHIPPED_LEVELS = "2D/Spawner/Config";
};

// The record lines of a sequence file as written, without their labels (which
// the editor renumbers), in file order or sorted.
std::vector<std::string> recordLines(const std::string& path, bool sorted = false)
{
    std::vector<std::string> lines;
    std::istringstream text(readFile(path));
    for (std::string line; std::getline(text, line);)
        if (line.rfind("SPAWNER", 0) == 0)
            lines.push_back(line.substr(line.find(' ') + 1));
    if (sorted)
        std::sort(lines.begin(), lines.end());
    return lines;
}

// A folder this process cannot write to while the guard lives (run as root, the
// process acts as an unprivileged user meanwhile).
struct ReadOnlyFolder {
    explicit ReadOnlyFolder(const std::string& folder) : path(folder)
    {
        using std::filesystem::perms;
        std::filesystem::permissions(path, perms::owner_read | perms::owner_exec | perms::group_read |
                                               perms::group_exec | perms::others_read | perms::others_exec);
        if (geteuid() == 0)
            unprivileged = seteuid(65534) == 0;
    }
    ~ReadOnlyFolder()
    {
        if (unprivileged)
            (void)seteuid(0);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    }
    std::string path;
    bool unprivileged = false;
};

} // namespace

TEST_F(EditorInGame, DrawsItsWindowsAndTheMousePlacesSelectsAndDragsASpawner)
{
    LevelEditor& ed = editor();
    EXPECT_EQ(ed.catalogue.nbLevels(), 2);
    ed.checkBoxes.showGrid = true;
    ed.checkBoxes.showSpawners = true;
    // The Spawner Type Selector opens from its check box.
    EXPECT_FALSE(ed.checkBoxes.createCustomLevel);
    click(widget("Level Editor", {"Create Custom Level"}));
    ASSERT_TRUE(ed.checkBoxes.createCustomLevel);
    ed.edited.selection = {0, 2};
    for (int i = 0; i < 3; ++i)
        frame();
    const sf::Image shot = screenshot(window, "editor_frame");
    EXPECT_GE(ImGui::GetIO().MetricsRenderWindows, 4) << "Level, Level Editor, Spawner Editor, Spawner Type Selector";
    // The ladybug at 0.2 s sits one row above the bottom: its icon is drawn (red tint, selected).
    EXPECT_NE(shot.getPixel(945, 1065 - 60), sf::Color(10, 14, 30));
    // Each selected spawner's icon is tinted, the first selected too; the others are not.
    EXPECT_EQ(ed.patternIcon(7).getColor(), sf::Color(255, 0, 0, 150));
    EXPECT_EQ(ed.patternIcon(6).getColor(), sf::Color::White);
    ed.edited.selection.clear();

    // A GUI button answers a synthetic click: the first pattern of the selector.
    click(sf::Mouse::Left, 1170, 50);
    EXPECT_EQ(ed.placementPattern(), 0) << "the Shooter button of the Spawner Type Selector";
    EXPECT_EQ(ed.edited.records.size(), 3u) << "a click on a window places nothing";
    ed.choosePlacementPattern(pattern_id::BEE);
    EXPECT_EQ(ed.iconColour(0), sf::Color::White);
    EXPECT_EQ(ed.iconColour(pattern_id::BEE), sf::Color::Red);

    // Left click on the field places a bee whose icon's corner is the cursor.
    click(sf::Mouse::Left, 705, 905);
    ASSERT_EQ(ed.edited.records.size(), 4u);
    const SpawnerRecord placed = ed.edited.records.back();
    EXPECT_EQ(placed.patternId, pattern_id::BEE);
    EXPECT_EQ(placed.posX, 735.f);
    EXPECT_NEAR(placed.spawnTimer, 3.6f - 0.1f - 0.1f * (905.f / 30.f), 1e-4f);

    // B stops placing; a right click selects the new icon.
    hold(sf::Keyboard::B);
    EXPECT_EQ(ed.placementPattern(), -1);
    EXPECT_EQ(ed.iconColour(pattern_id::BEE), sf::Color::White);
    click(sf::Mouse::Right, 720, 920);
    ASSERT_EQ(ed.edited.selection, std::vector<int>{3});

    // Press on it, move, release: the drag follows the cursor and ends with the button.
    moveMouse(720, 920);
    button(sf::Mouse::Left, true, 720, 920);
    EXPECT_TRUE(ed.isDragging());
    moveMouse(820, 800);
    button(sf::Mouse::Left, false, 820, 800);
    EXPECT_FALSE(ed.isDragging());
    const SpawnerRecord& dragged = ed.edited.records[3];
    EXPECT_EQ(dragged.posX, 820.f);
    EXPECT_NEAR(dragged.spawnTimer, -800.f / 300.f + 3.6f, 1e-4f);

    // The Delete key asks for confirmation while something is selected; other events do not.
    sf::Event moved;
    moved.type = sf::Event::MouseMoved;
    moved.mouseMove = {sf::Keyboard::Delete, sf::Keyboard::Delete};
    send(moved);
    EXPECT_FALSE(ed.confirmingSpawnerDeletion());
    send(keyEvent(sf::Keyboard::Delete, true));
    EXPECT_TRUE(ed.confirmingSpawnerDeletion());

    // Leaving the editor saves the sequence with the new spawner, sorted by time.
    game.reset();
    const SequenceFile saved = readSequenceFile(levels.file("LEVEL_1_SEQUENCE_1.txt"));
    ASSERT_EQ(saved.records.size(), 4u);
    EXPECT_EQ(saved.records[3].patternId, pattern_id::BEE);
    EXPECT_EQ(saved.records[3].posX, 820.f);
}

TEST_F(EditorInGame, PlayRunsTheSequenceAndThePreviewDrawsTrajectories)
{
    LevelEditor& ed = editor();
    frame();
    // The level window's Play and Stop buttons, side by side under the time slider.
    click(sf::Mouse::Left, 36, 69);
    EXPECT_TRUE(ed.isPlaying());
    click(sf::Mouse::Left, 80, 69);
    EXPECT_FALSE(ed.isPlaying());

    // Play from 1.0 s: the ladybugs at 0.2 s are skipped, the bees come.
    ed.timeline.time = 1.f;
    ed.play(game->editorField());
    EXPECT_TRUE(ed.isPlaying());
    EXPECT_EQ(game->spawner.pending.size(), 2u);
    EXPECT_EQ(engine().world.sceneId(), scene::OPEN_SPACE);
    size_t most = 0;
    for (int i = 0; i < 90; ++i) {
        frame();
        most = std::max(most, game->enemies.enemies.size());
    }
    EXPECT_GE(most, 1u);
    EXPECT_NEAR(ed.timeline.time, 1.5f, 0.02f) << "time runs up to the slider's end, the last spawn time - 1";

    ed.stop(game->editorField());
    EXPECT_FALSE(ed.isPlaying());
    EXPECT_TRUE(game->enemies.enemies.empty());
    EXPECT_TRUE(game->spawnPatterns.empty());

    // The preview runs the selected ladybugs to their end inside one call.
    ed.edited.selection = {0};
    ed.checkBoxes.displayTrajectory = true;
    ed.clearTrajectory();
    ed.previewTrajectory(game->editorField(), true);
    EXPECT_TRUE(game->enemies.enemies.empty());
    EXPECT_TRUE(game->spawnPatterns.empty());
    const sf::Image paths = ed.trajectory().copyToImage();
    EXPECT_GT(share(paths, {0, 0, 1920, 1080}, [](sf::Color c) { return c.a > 0; }), 0.001f)
        << "the ladybugs' paths are collected in the texture";
    frame();
    EXPECT_EQ(ed.edited.selection, std::vector<int>{0});
    // and shown under the field until the box is unticked.
    const sf::Image shown = screenshot(window, "editor_trajectories");
    ed.checkBoxes.displayTrajectory = false;
    frame();
    EXPECT_GT(pixelsStandingOut(shown, screenshot(window, "editor_trajectories_hidden"), {880, 300, 160, 500}, 40.f), 2000);

    // The preview shows the spawner as it stands in the editor, not as the file last held it.
    ed.edited.records[0].posX = 400.f;
    ed.clearTrajectory();
    ed.previewTrajectory(game->editorField(), true);
    const sf::Image moved = ed.trajectory().copyToImage();
    const auto drawn = [](sf::Color c) { return c.a > 0; };
    EXPECT_GT(share(moved, {350, 200, 100, 700}, drawn), 0.01f);
    EXPECT_EQ(share(moved, {900, 200, 120, 700}, drawn), 0.f);
}

// (What a well-formed map imports as is EditorTmxImport's.)
TEST_F(EditorInGame, TileMapImportReplacesTheSequenceOrSaysWhyNotAndLeavesItAsItWas)
{
    LevelEditor& ed = editor();
    autosave();
    const std::string sequence = readFile(levels.file("LEVEL_1_SEQUENCE_1.txt"));

    // A missing map, a garbage one and a layer stored compressed are refused, each saying why;
    // the sequence stays, on disk too.
    ed.importTmx();
    EXPECT_NE(ed.tmxMessage().find("Cannot open"), std::string::npos) << ed.tmxMessage();
    writeFile(levels.file("LEVEL_1_SEQUENCE_1.tmx"), std::string("\x01\x02garbage\"\"\xff", 12));
    ed.importTmx();
    EXPECT_NE(ed.tmxMessage().find("nothing imported"), std::string::npos) << ed.tmxMessage();
    writeFile(levels.file("LEVEL_1_SEQUENCE_1.tmx"),
              "<map version=\"1.2\" width=\"3\" height=\"2\">\n <layer id=\"1\" name=\"T\" width=\"3\" height=\"2\">\n"
              "  <data encoding=\"base64\" compression=\"zlib\">\n   eJxjZGBgYAQAAA0AAw==\n  </data>\n </layer>\n</map>\n");
    ed.importTmx();
    EXPECT_NE(ed.tmxMessage().find("base64, zlib"), std::string::npos) << ed.tmxMessage();
    EXPECT_EQ(ed.edited.records.size(), 3u);
    // A map whose cells are all unknown (no pattern, only flip bits) or all empty gives no spawner.
    for (const char* cells : {"1,2147483648,\n0,1,1", "0,0,0\n0,0,0"}) {
        writeFile(levels.file("LEVEL_1_SEQUENCE_1.tmx"), "<map version=\"1.2\" width=\"3\" height=\"2\">\n"
                                                          "  <data encoding=\"csv\">\n" + std::string(cells) + "\n</data>\n</map>\n");
        ed.importTmx();
        EXPECT_NE(ed.tmxMessage().find("nothing imported"), std::string::npos) << ed.tmxMessage();
        EXPECT_EQ(ed.edited.records.size(), 3u) << cells;
    }
    EXPECT_NE(ed.tmxMessage().find("is empty"), std::string::npos) << ed.tmxMessage();
    autosave();
    EXPECT_EQ(readFile(levels.file("LEVEL_1_SEQUENCE_1.txt")), sequence);

    writeFile(levels.file("LEVEL_1_SEQUENCE_1.tmx"), "<map version=\"1.2\" width=\"3\" height=\"2\">\n"
                                                      "  <data encoding=\"csv\">\n8,0,6,\n0,31,0\n</data>\n</map>\n");
    ed.importTmx();
    EXPECT_NE(ed.tmxMessage().find("Imported 3"), std::string::npos);
    ASSERT_EQ(ed.edited.records.size(), 3u);
    EXPECT_EQ(ed.edited.records[0].name, "SPAWNER3") << "saved and read back at once, the bottom row first";
    EXPECT_EQ(ed.edited.records[0].patternId, pattern_id::WALL);
    EXPECT_EQ(ed.edited.records[0].direction, 1.f);
    EXPECT_EQ(recordLines(levels.file("LEVEL_1_SEQUENCE_1.txt"), true).size(), 3u);
    EXPECT_NE(readFile(levels.file("LEVEL_1_SEQUENCE_1.txt")), sequence) << "the imported spawners are saved";
}

TEST_F(EditorInGame, SpawnerListSelectsCreatesDeletesAndPages)
{
    openShippedLevels();
    LevelEditor& ed = editor();
    const std::vector<std::string> shipped = recordLines(levels.file("LEVEL_1_SEQUENCE_1.txt"));
    ASSERT_GE(shipped.size(), 3u);

    click(widget("Level Editor", {"Spawner"}));
    ASSERT_EQ(ed.edited.records.size(), shipped.size()) << "the list opens on a sequence with spawners";
    click(listRow(2));
    EXPECT_EQ(ed.edited.selection, std::vector<int>{2});
    EXPECT_NE(ImGui::FindWindowByName("Spawner Editor"), nullptr);
    EXPECT_TRUE(ImGui::FindWindowByName("Spawner Editor")->Active);

    // A click quicker than a frame is one click.
    quickClick(widget("Level Editor", {"New Spawner"}));
    ASSERT_EQ(ed.edited.records.size(), shipped.size() + 1);
    const int added = static_cast<int>(shipped.size());
    click(listRow(added));
    ASSERT_EQ(ed.edited.selection, std::vector<int>{added});
    click(widget("Level Editor", {"Delete selected spawners"}));
    click(widget("Spawner Delete", {"Yes"}));
    EXPECT_EQ(ed.edited.records.size(), shipped.size());

    // Saved, the file holds the shipped records unchanged.
    autosave();
    EXPECT_EQ(recordLines(levels.file("LEVEL_1_SEQUENCE_1.txt")), shipped);

    // Level 2 has more than a page of spawners: page 2 lists the rest.
    const std::string secondFile = levels.file("LEVEL_2_SEQUENCE_1.txt");
    const std::vector<std::string> second = recordLines(secondFile, true);
    click(widget("Level", {"Level 2"}));
    click(widget("Level", {"Level 2", "Sequence 1"}));
    ASSERT_GT(ed.edited.records.size(), static_cast<size_t>(LevelEditor::PAGE_SIZE));
    autosave();
    EXPECT_EQ(recordLines(secondFile, true), second) << "every value written back as the designer wrote it";
    click(widget("Level Editor", {"Page", "+"}));
    EXPECT_EQ(ed.page(), 2);
    click(listRow(LevelEditor::PAGE_SIZE + 1));
    EXPECT_EQ(ed.edited.selection, std::vector<int>{LevelEditor::PAGE_SIZE + 1});
}

// The preset buttons put the selected spawner at the places they name.
TEST_F(EditorInGame, PresetButtonsPutTheSpawnerAtThePlacesTheyName)
{
    openShippedLevels();
    LevelEditor& ed = editor();
    click(widget("Level Editor", {"Spawner"}));
    click(listRow(1));
    click(widget("Spawner Editor", {"MidRightX"}));
    click(widget("Spawner Editor", {"TopY"}));
    EXPECT_EQ(ed.edited.records[1].posX, 1320.f);
    EXPECT_EQ(ed.edited.records[1].posY, -100.f);
}

// Play, Stop and their hint share one row: the trajectory box follows on the next.
TEST_F(EditorInGame, PlayStopAndTheirHintShareOneRow)
{
    openShippedLevels();
    const sf::Vector2i play = widget("Level Editor", {"Play"}), stop = widget("Level Editor", {"Stop"});
    const sf::Vector2i trajectory = widget("Level Editor", {"Display Trajectory"});
    EXPECT_EQ(stop.y, play.y);
    EXPECT_GT(stop.x, play.x);
    EXPECT_LT(static_cast<float>(trajectory.y - play.y), 1.5f * ImGui::GetFrameHeightWithSpacing());
}

TEST_F(EditorInGame, KeysTypedIntoAFieldChangeOnlyTheField)
{
    openShippedLevels();
    LevelEditor& ed = editor();
    const std::string file = levels.file("LEVEL_1_SEQUENCE_1.txt");
    std::vector<std::string> expected = recordLines(file);
    click(widget("Level Editor", {"Spawner"}));
    click(listRow(1));
    const float posYBefore = ed.edited.records[1].posY;

    // Ctrl+A selects the field's text, not every spawner; a Backspace tapped
    // between two frames deletes one character; Delete stays in the field.
    click(widget("Spawner Editor", {"PosX", ""}));
    control(sf::Keyboard::A);
    type("12");
    tap(sf::Keyboard::BackSpace);
    type("25");
    hold(sf::Keyboard::Delete);
    hold(sf::Keyboard::Enter);
    EXPECT_EQ(ed.edited.selection, std::vector<int>{1});
    EXPECT_FALSE(ed.confirmingSpawnerDeletion());
    EXPECT_EQ(ed.edited.records[1].posX, 125.f);

    // Escape cancels the edit in the field without pausing the game, and a
    // Backspace then edits nothing else either.
    click(widget("Spawner Editor", {"PosY", ""}));
    type("7");
    press(sf::Keyboard::Escape);
    frame();
    frame();
    send(keyEvent(sf::Keyboard::Escape, true)); // held long enough to repeat, the field now closed
    frame();
    release(sf::Keyboard::Escape);
    frame();
    EXPECT_FALSE(engine().run.paused);
    EXPECT_EQ(ed.edited.records[1].posY, posYBefore);
    hold(sf::Keyboard::BackSpace);
    EXPECT_FALSE(engine().run.paused);
    EXPECT_EQ(last, StateCode::Stay) << "still in the editor";

    // The arrows and B move the text cursor, not the timeline or the placement.
    ed.choosePlacementPattern(pattern_id::BEE);
    click(widget("Spawner Editor", {"Delay", ""}));
    hold(sf::Keyboard::Up);
    hold(sf::Keyboard::B);
    EXPECT_EQ(ed.timeline.time, 0.f);
    EXPECT_EQ(ed.placementPattern(), pattern_id::BEE);
    hold(sf::Keyboard::Escape);

    // Only the typed value reached the file.
    autosave();
    const size_t x = expected[1].find("POSITION ") + std::string("POSITION ").size();
    expected[1].replace(x, expected[1].find(' ', x) - x, "125");
    EXPECT_EQ(recordLines(file), expected);

    // With no field taken, the editor's and the game's keys work again.
    click(sf::Mouse::Left, 900, 700);
    hold(sf::Keyboard::B);
    EXPECT_EQ(ed.placementPattern(), -1);
    hold(sf::Keyboard::Escape);
    EXPECT_TRUE(engine().run.paused);
}

TEST_F(EditorInGame, CopiedPastedAndTypedValuesSurviveSaveAndReloadAndTheSpawnerBoundsCounts)
{
    LevelEditor& ed = editor();
    click(widget("Level Editor", {"Spawner"}));
    click(listRow(0));

    // The clipboard carries a field to another, and text copied in other programs.
    click(widget("Spawner Editor", {"PosX", ""}));
    control(sf::Keyboard::A);
    control(sf::Keyboard::C);
    hold(sf::Keyboard::Escape);
    EXPECT_EQ(sf::Clipboard::getString().toAnsiString(), "960.00");
    enter(widget("Spawner Editor", {"Delay", ""}));
    EXPECT_EQ(ed.edited.records[0].delayTimer, 960.f);
    sf::Clipboard::setString("12.5"); // copied in another program
    enter(widget("Spawner Editor", {"Angle", ""}));
    EXPECT_EQ(ed.edited.records[0].direction, 12.5f);

    enter(widget("Spawner Editor", {"NBMax Enemy", ""}), "500");
    click(listRow(1));
    enter(widget("Spawner Editor", {"NBMax Enemy", ""}), "-3");
    autosave();
    EXPECT_EQ(ed.edited.records[0].nbMaxEnemy, 500) << "read back after the autosave";
    EXPECT_EQ(ed.edited.records[1].nbMaxEnemy, -3);
    const std::string saved = readFile(levels.file("LEVEL_1_SEQUENCE_1.txt"));
    EXPECT_NE(saved.find("NB_MAX_ENEMY 500 "), std::string::npos);
    EXPECT_NE(saved.find("NB_MAX_ENEMY -3 "), std::string::npos);

    // The game releases at most its bound, and nothing for a negative count.
    ed.edited.selection = {0, 1};
    ed.playSelected(game->editorField());
    ASSERT_EQ(game->spawner.pending.size(), 2u);
    EXPECT_EQ(game->spawner.pending.front().count, level_files::MAX_ENEMIES_PER_SPAWNER);
    EXPECT_EQ(game->spawner.pending.back().count, 0);
    ed.stop(game->editorField());

    // A new editor, over an oddly written index, reads the same values; its save writes the
    // same bytes, and it leaves the index alone.
    game.reset();
    engine().run.difficulty = Difficulty::Hard; // the editor's ship keeps its normal lives
    const std::string oddIndex = "\xEF\xBB\xBFNB_LEVELS 2\r\nnb_sequence 1 2\r\nNB_SEQUENCE 2 1\r\n";
    writeFile(levels.file("LevelsData.txt"), oddIndex);
    openEditor();
    EXPECT_EQ(editor().edited.records[0].nbMaxEnemy, 500);
    EXPECT_EQ(editor().edited.records[1].nbMaxEnemy, -3);
    EXPECT_EQ(editor().edited.records[0].delayTimer, 960.f);
    EXPECT_EQ(editor().edited.records[0].direction, 12.5f);
    EXPECT_EQ(game->players[0]->lives, 2);
    EXPECT_EQ(engine().world.sceneId(), scene::OPEN_SPACE);
    for (int i = 0; i < 5; ++i)
        frame();
    game.reset();
    EXPECT_EQ(readFile(levels.file("LEVEL_1_SEQUENCE_1.txt")), saved);
    EXPECT_EQ(readFile(levels.file("LevelsData.txt")), oddIndex);
}

TEST_F(EditorInGame, ShapesDrawnAfterTheGuiKeepTheirColours)
{
    // Sprites with transparent and with opaque texels, drawn additively just before the GUI.
    for (const sf::Color texel : {sf::Color::Transparent, sf::Color(255, 255, 255)}) {
        sf::Image pixels;
        pixels.create(4, 4, texel);
        sf::Texture texture;
        ASSERT_TRUE(texture.loadFromImage(pixels));
        sf::Sprite sprite(texture);
        sprite.setPosition(400.f, 900.f);
        sf::RectangleShape fade({100.f, 100.f});
        fade.setPosition(700.f, 600.f);
        fade.setFillColor(sf::Color(255, 0, 0, 128));

        game->update(FRAME);
        window.clear(sf::Color(10, 14, 30));
        window.draw(sprite, sf::BlendAdd);
        editor().draw();
        window.draw(fade);
        const sf::Color seen = screenshot(window, "editor_fade_after_gui").getPixel(750, 650);
        window.display();
        const sf::Color expected(10 + (255 - 10) * 128 / 255, 14 * 127 / 255, 30 * 127 / 255);
        EXPECT_NEAR(seen.r, expected.r, 3) << "texel alpha " << int(texel.a);
        EXPECT_NEAR(seen.g, expected.g, 3);
        EXPECT_NEAR(seen.b, expected.b, 3);
    }

    // Leaving the editor gives the GUI's font texture back (the editor can be opened again and again).
    const auto font = static_cast<GLuint>(reinterpret_cast<std::uintptr_t>(ImGui::GetIO().Fonts->TexID));
    ASSERT_TRUE(glIsTexture(font));
    game.reset();
    ASSERT_TRUE(window.setActive(true));
    EXPECT_FALSE(glIsTexture(font));
}

// The pointer leaving the game's window leaves no GUI window hovered behind it.
TEST_F(EditorInGame, ThePointerLeavingTheWindowLeavesTheGuiUnhovered)
{
    frame();
    const sf::Vector2i over = widget("Level", {"Level 1"});
    moveMouse(over.x, over.y);
    ASSERT_TRUE(ImGui::GetIO().WantCaptureMouse);
    sf::Event left;
    left.type = sf::Event::MouseLeft;
    send(left);
    frame();
    frame();
    EXPECT_FALSE(ImGui::IsMousePosValid());
    EXPECT_FALSE(ImGui::GetIO().WantCaptureMouse);
}

TEST_F(EditorInGame, SequencesAndLevelsThatCannotBeWrittenAreNotCounted)
{
    LevelEditor& ed = editor();
    click(widget("Level", {"Level 1"}));
    const sf::Vector2i newSequence = widget("Level", {"Level 1", "New Sequence"});
    const sf::Vector2i newLevel = widget("Level", {"New Level"});
    const sf::Vector2i deleteSecond = widget("Level", {"Level 1", "Delete Sequence 2"});
    const std::string index = readFile(levels.file("LevelsData.txt"));
    {
        ReadOnlyFolder readOnly(levels.path);
        click(newSequence);
        EXPECT_NE(ed.catalogueMessage().find("Could not create a sequence"), std::string::npos);
        click(newLevel);
        EXPECT_NE(ed.catalogueMessage().find("Could not create a level"), std::string::npos);
        click(deleteSecond);
        click(widget("Delete Confirm", {"Yes"}));
        EXPECT_NE(ed.catalogueMessage().find("Could not delete sequence 2 of level 1"), std::string::npos);
        EXPECT_EQ(ed.catalogue.sequenceCounts, (std::vector<int>{2, 1}));
        EXPECT_EQ(ed.edited.records.size(), 3u) << "still editing level 1 sequence 1";
    }
    EXPECT_EQ(readFile(levels.file("LevelsData.txt")), index);
    EXPECT_EQ(readFile(levels.file("LEVEL_1_SEQUENCE_2.txt")), "DOWN\n");
    EXPECT_FALSE(std::filesystem::exists(levels.file("LEVEL_1_SEQUENCE_3.txt")));

    // Writable again, a new sequence is counted and listed in the index at once.
    click(newSequence);
    EXPECT_EQ(ed.catalogue.sequenceCounts, (std::vector<int>{3, 1}));
    EXPECT_EQ(readFile(levels.file("LevelsData.txt")), "NB_LEVELS 2\nNB_SEQUENCE 1 3\nNB_SEQUENCE 2 1");
    EXPECT_EQ(ed.edited.sequence, 3);
}

TEST_F(EditorInGame, OpeningASequenceReadInPartKeepsItsOriginalAndSaysSo)
{
    // Keywords in lower case are read; a comment line and an unknown pattern are not.
    std::string damaged = FIRST_SEQUENCE;
    for (char& c : damaged)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    damaged.insert(damaged.find('\n') + 1, "# opening wave\n");
    damaged += "SPAWNER4 POSITION 1 2 DIRECTION 3 SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY 6 PATTERN_ID 41\n";
    const std::string file = levels.file("LEVEL_1_SEQUENCE_1.txt");
    game.reset();
    writeFile(file, damaged);
    testing::internal::CaptureStderr();
    openEditor();
    frame();
    autosave();
    const std::string said = testing::internal::GetCapturedStderr();

    EXPECT_EQ(editor().edited.records.size(), 3u);
    EXPECT_EQ(recordLines(file).size(), 3u);
    EXPECT_EQ(readFile(file + ".unreadable-original"), damaged);
    const std::string note = "2 lines could not be read (lines 2, 6); the original is kept as ";
    EXPECT_NE(editor().edited.keptNote().find(note), std::string::npos) << editor().edited.keptNote();
    EXPECT_NE(said.find(note), std::string::npos) << said;
    frame();
    ImGuiWindow* shown = ImGui::FindWindowByName("Sequence File");
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->Active);
    // The note is written in it, in amber (a new window shows from its second frame).
    frame();
    const sf::IntRect box(static_cast<int>(shown->Pos.x), static_cast<int>(shown->Pos.y),
                          static_cast<int>(shown->Size.x), static_cast<int>(shown->Size.y));
    const auto amber = [](sf::Color c) { return c.r > 200 && c.g > 140 && c.g < 230 && c.b < 130; };
    EXPECT_GT(share(screenshot(window, "editor_kept_note"), box, amber), 0.01f);
}

TEST_F(EditorInGame, AFailedSaveIsShownUntilAWriteWorksAndNoEditIsLost)
{
    LevelEditor& ed = editor();
    const std::string file = levels.file("LEVEL_1_SEQUENCE_1.txt");
    click(widget("Level", {"Level 1"}));
    const sf::Vector2i secondSequence = widget("Level", {"Level 1", "Sequence 2"});
    testing::internal::CaptureStderr();
    {
        ReadOnlyFolder readOnly(levels.path);
        ed.edited.appendNewSpawner();
        autosave();
        ed.edited.appendNewSpawner();
        autosave();
        EXPECT_NE(ed.edited.saveProblem().find("The editor holds 5 spawners, the file 3"), std::string::npos)
            << ed.edited.saveProblem();
        ImGuiWindow* shown = ImGui::FindWindowByName("Sequence File");
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->Active);
        click(secondSequence);
        EXPECT_EQ(ed.edited.sequence, 1) << "switching would drop the new spawners";
        EXPECT_EQ(ed.edited.records.size(), 5u);
    }
    EXPECT_EQ(occurrences(testing::internal::GetCapturedStderr(), "Could not save"), 1) << "said once, not every second nor with every spawner";

    // A write that works puts it right.
    autosave();
    EXPECT_TRUE(ed.edited.saveProblem().empty());
    EXPECT_EQ(recordLines(file).size(), 5u);
    frame();
    EXPECT_FALSE(ImGui::FindWindowByName("Sequence File")->Active);

    // Closed while the file cannot be written, the editor hands its spawners to the error stream.
    ed.edited.appendNewSpawner();
    testing::internal::CaptureStderr();
    {
        ReadOnlyFolder readOnly(levels.path);
        game.reset();
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(occurrences(said, "\nSPAWNER"), 6) << said;
}

namespace {
int liveGuiAllocations = 0;
void* countedAlloc(size_t size, void*)
{
    ++liveGuiAllocations;
    return std::malloc(size);
}
void countedFree(void* block, void*)
{
    if (block)
        --liveGuiAllocations;
    std::free(block);
}
} // namespace

// An editor opened while another one's GUI is still up (a state made before
// the last one is gone) takes over the GUI: the earlier one's is ended, not left behind.
TEST(EditorGuiLayer, InitialisingAgainEndsTheGuiItReplaces)
{
    sf::RenderWindow window(sf::VideoMode(320, 200), "gui layer");
    ImGui::SFML::Shutdown();
    ImGuiMemAllocFunc savedAlloc = nullptr;
    ImGuiMemFreeFunc savedFree = nullptr;
    void* savedData = nullptr;
    ImGui::GetAllocatorFunctions(&savedAlloc, &savedFree, &savedData);
    ImGui::SetAllocatorFunctions(countedAlloc, countedFree);
    ImGui::SFML::Init(window, {320.f, 200.f});
    ImGui::SFML::Init(window, {320.f, 200.f});
    EXPECT_TRUE(ImGui::SFML::isInitialised());
    ImGui::SFML::Shutdown();
    ImGui::SetAllocatorFunctions(savedAlloc, savedFree, savedData);
    EXPECT_EQ(liveGuiAllocations, 0) << "blocks of a GUI context never freed";
}
