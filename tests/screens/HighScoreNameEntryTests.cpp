#include "screens/HighScoreNameEntry.h"

#include <gtest/gtest.h>

namespace {
NameEntryInput press(bool NameEntryInput::*action)
{
    NameEntryInput in;
    in.*action = true;
    return in;
}
const NameEntryInput NOTHING;
} // namespace

TEST(HighScoreNameEntry, OkWritesUpToThreeSymbolsAndBackErasesTheLast)
{
    HighScoreNameEntry entry(0);
    std::string name = "___";
    EXPECT_TRUE(entry.update(press(&NameEntryInput::ok), 0.016f, name));
    EXPECT_FALSE(entry.update(press(&NameEntryInput::ok), 0.016f, name)) << "a held Ok writes once";
    entry.update(NOTHING, 0.016f, name);
    entry.update(press(&NameEntryInput::ok), 0.016f, name);
    entry.update(NOTHING, 0.016f, name);
    entry.update(press(&NameEntryInput::ok), 0.016f, name);
    EXPECT_EQ(name, "AAA");
    EXPECT_EQ(entry.cursor(), 3);
    entry.update(NOTHING, 0.016f, name);
    EXPECT_FALSE(entry.update(press(&NameEntryInput::ok), 0.016f, name));
    EXPECT_EQ(name, "AAA");

    EXPECT_TRUE(entry.update(press(&NameEntryInput::back), 0.016f, name));
    EXPECT_FALSE(entry.update(press(&NameEntryInput::back), 0.016f, name)) << "a held Back erases once";
    EXPECT_EQ(name, "AA_");
    entry.update(NOTHING, 0.016f, name);
    entry.update(press(&NameEntryInput::back), 0.016f, name);
    entry.update(NOTHING, 0.016f, name);
    entry.update(press(&NameEntryInput::back), 0.016f, name);
    entry.update(NOTHING, 0.016f, name);
    EXPECT_FALSE(entry.update(press(&NameEntryInput::back), 0.016f, name)) << "nothing left to erase";
    EXPECT_EQ(name, "___");
    EXPECT_EQ(entry.cursor(), 0);
}

TEST(HighScoreNameEntry, StartMakesReadyAndFreezesTheName)
{
    HighScoreNameEntry entry(0);
    std::string name = "___";
    entry.update(press(&NameEntryInput::start), 0.016f, name);
    EXPECT_TRUE(entry.ready());
    entry.update(press(&NameEntryInput::ok), 0.016f, name);
    EXPECT_EQ(name, "___");

    HighScoreNameEntry outOfTable(-1);
    std::string none;
    EXPECT_FALSE(outOfTable.update(press(&NameEntryInput::ok), 0.016f, none));
    outOfTable.update(press(&NameEntryInput::start), 0.016f, none);
    EXPECT_TRUE(outOfTable.ready());
}

// At rest the wheel shows the chosen symbol full size between its half-size neighbours, the
// outer two shrunk to nothing; a step to the right brings the next symbol to the middle.
TEST(HighScoreNameEntry, TheWheelShowsTheChosenSymbolLargestBetweenItsNeighbours)
{
    HighScoreNameEntry entry(0);
    std::string name = "___";
    const auto shown = [&entry] {
        std::string symbols;
        for (const WheelSlot& slot : entry.wheel())
            symbols += slot.symbol;
        return symbols;
    };
    const float scales[5] = {0.f, 0.5f, 1.f, 0.5f, 0.f};
    for (int j = 0; j < 5; ++j)
        EXPECT_FLOAT_EQ(entry.wheel()[static_cast<size_t>(j)].scale, scales[j]) << j;
    EXPECT_EQ(shown(), "89ABC");
    entry.update(press(&NameEntryInput::right), HighScoreNameEntry::SLIDE_SECONDS, name);
    EXPECT_EQ(shown(), "9ABCD");
    EXPECT_FLOAT_EQ(entry.wheel()[2].scale, 1.f);
    // The letters run on into the digits and the digits back to the letters.
    EXPECT_EQ(HighScoreNameEntry::symbol(25), 'Z');
    EXPECT_EQ(HighScoreNameEntry::symbol(26), '0');
    EXPECT_EQ(HighScoreNameEntry::symbol(35), '9');
    EXPECT_EQ(HighScoreNameEntry::symbol(36), 'A');
}
