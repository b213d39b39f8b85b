#include "app/MainLoop.h"
#include "app/Startup.h"
#include "engine/Engine.h"
#include "screens/HighScoresState.h"
#include "screens/MenuState.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace testing_support;

namespace {
class HighScoreScreen : public LoopRunTest {
protected:
    void SetUp() override
    {
        LoopRunTest::SetUp();
        engine().initResources();
        soundManager();
        // Work on a copy of the installed table.
        tablePath = dir.file("HighScores.txt");
        std::filesystem::copy_file("2D/HighScores/HighScores.txt", tablePath);
        original = readFile(tablePath);
    }
    // Player `pad` presses the buttons for one frame, then releases them for one.
    void press(unsigned pad, std::uint16_t buttons)
    {
        input.pads.states[pad].buttons = buttons;
        frames(1);
        input.pads.states[pad].buttons = 0;
        frames(1);
    }
    // The loop takes the state over; the test keeps watching it.
    void run(HighScoresState* state) { startLoop(std::unique_ptr<MainState>(state), defaultStateFactory()); }

    TempDir dir;
    std::string tablePath;
    std::string original;
};

} // namespace

TEST_F(HighScoreScreen, TwoPlayersNameTheirRowsAndTheTableIsStored)
{
    input.pads.connected = {true, true, false, false};
    const std::vector<HighScoreEntry> before = readHighScoreTable(tablePath);
    const unsigned score = static_cast<unsigned>(before[2].score) + 1;
    auto* state = new HighScoresState(servicesOf(engine()), {score, score}, tablePath);
    run(state);
    ASSERT_EQ(state->entries()[0].row(), 2);
    ASSERT_EQ(state->entries()[1].row(), 3);

    // Each pad names its own row: player 1 "A", player 2 "9" (the wheel wraps left from A).
    press(0, pad::A);
    input.pads.states[1].buttons = pad::DPAD_LEFT;
    frames(6); // mid-slide for the picture
    const sf::Image entry = screenshot(window, "high_scores_name_entry");
    // Above the table, each player's label ("PL1 : score") in the player's colour.
    const auto near = [](sf::Color want) {
        return [want](sf::Color c) { return std::abs(c.r - want.r) + std::abs(c.g - want.g) + std::abs(c.b - want.b) < 40; };
    };
    EXPECT_GT(share(entry, {615, 255, 200, 30}, near(sf::Color(1, 251, 198))), 0.002f);
    EXPECT_GT(share(entry, {1100, 255, 200, 30}, near(sf::Color(255, 118, 221))), 0.002f);
    input.pads.states[1].buttons = 0;
    frames(15);
    press(1, pad::A);
    EXPECT_EQ(state->table()[2].name, "A__");
    EXPECT_EQ(state->table()[3].name, "9__");

    const sf::Image waiting = screenshot(window, "high_scores_none_ready");
    press(0, pad::START);
    ASSERT_EQ(loop->currentState(), state) << "player 2 is not ready yet";
    frames(1);
    const sf::Image oneReady = screenshot(window, "high_scores_one_ready");
    // READY, in white, under the ready player's column; nothing in the screen's corner.
    const auto white = [](sf::Color c) { return c.r > 230 && c.g > 230 && c.b > 230; };
    EXPECT_GT(share(oneReady, {615, 955, 200, 40}, white), share(waiting, {615, 955, 200, 40}, white) + 0.005f);
    EXPECT_EQ(share(oneReady, {0, 0, 120, 40}, white), 0.f);
    press(1, pad::START);
    frames(1);
    EXPECT_NE(dynamic_cast<MenuState*>(loop->currentState()), nullptr);

    const std::string text = readFile(tablePath);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 9);
    const std::vector<HighScoreEntry> after = readHighScoreTable(tablePath);
    EXPECT_EQ(after[2].name, "A__");
    EXPECT_EQ(after[3].name, "9__");
    EXPECT_EQ(after[4].name, before[2].name);
}

TEST_F(HighScoreScreen, ClosingTheWindowStoresTheNamesEntered)
{
    run(new HighScoresState(servicesOf(engine()), {999999}, tablePath));
    input.keyboard.press(sf::Keyboard::Enter);
    frames(1);
    input.keyboard.release(sf::Keyboard::Enter);
    sf::Event closed;
    closed.type = sf::Event::Closed;
    events.push_back(closed);
    frames(1);
    EXPECT_FALSE(window.isOpen());
    EXPECT_EQ(readHighScoreTable(tablePath)[0].name, "A__");
}

namespace {
// The band at the top of the screen where a warning shows, clear of the key hints.
const sf::IntRect WARNING_BAND(560, 30, 800, 65);
} // namespace

TEST_F(HighScoreScreen, ABoardWithoutScoresWritesNothingAndOneThatCannotSaveSaysSo)
{
    {
        HighScoresState board(servicesOf(engine()), {}, tablePath);
        EXPECT_EQ(board.update(0.1f), StateCode::Stay);
        sf::Event::KeyEvent escape{sf::Keyboard::Escape, false, false, false, false};
        EXPECT_EQ(board.checkKeys(escape), StateCode::Stay);
    }
    EXPECT_EQ(readFile(tablePath), original);
    EXPECT_FALSE(std::filesystem::exists(tablePath + ".part"));

    // A folder where the table should be: nothing can replace it; the screen and the error stream say so.
    const std::string blocked = dir.file("Blocked");
    std::filesystem::create_directories(blocked + "/inside");
    ::testing::internal::CaptureStderr();
    run(new HighScoresState(servicesOf(engine()), {999999}, blocked));
    frames(2);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_GT(share(screenshot(window, "high_scores_not_saved"), WARNING_BAND, strongRed), 0.005f);
    EXPECT_NE(said.find(blocked + ": the high scores could not be saved"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(blocked + "/inside"));
}

TEST_F(HighScoreScreen, AKeyboardPlayerReadsTheKeysAndLeavesWithTheMenusBack)
{
    auto* state = new HighScoresState(servicesOf(engine()), {999999}, tablePath);
    run(state);
    frames(1);
    window.clear();
    HighScoresState(servicesOf(engine()), {}, tablePath).drawBoard(window);
    const sf::Image board = screenshot(window, "high_scores_board_only");
    window.clear();
    state->draw(window);
    const sf::Image entry = screenshot(window, "high_scores_keys");
    // Under the Ready signs, the keys stand out from the starry background in bright text.
    const sf::IntRect keysBand(240, 1015, 1440, 60);
    EXPECT_GT(pixelsStandingOut(entry, board, keysBand, 100.f), 2000);
    EXPECT_EQ(share(entry, WARNING_BAND, strongRed), 0.f) << "the score was saved: no warning";

    input.keyboard.press(sf::Keyboard::Enter);
    frames(1);
    input.keyboard.release(sf::Keyboard::Enter);
    events.push_back(keyEvent(sf::Keyboard::B)); // the menu's Back: the name entry has no use for it
    frames(1);
    EXPECT_NE(dynamic_cast<MenuState*>(loop->currentState()), nullptr);
    EXPECT_EQ(readHighScoreTable(tablePath)[0].name, "A__");
}
