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

TEST(HighScoreNameEntry, HeldDirectionStepsOncePerSlideAndWraps)
{
    HighScoreNameEntry entry(2);
    std::string name = "___";
    // Left from 'A' wraps to '9'; held for 0.5 s at 100 frames per second it
    // steps at 0, 0.2 and 0.4 s.
    for (int frame = 0; frame < 50; ++frame)
        entry.update(press(&NameEntryInput::left), 0.01f, name);
    EXPECT_EQ(entry.wheelIndex(), 33);
    EXPECT_EQ(HighScoreNameEntry::symbol(35), '9');
    EXPECT_EQ(HighScoreNameEntry::symbol(-1), '9');
    EXPECT_EQ(HighScoreNameEntry::symbol(36 + 25), 'Z');

    for (int frame = 0; frame < 30; ++frame)
        entry.update(NOTHING, 0.01f, name);
    for (int frame = 0; frame < 70; ++frame)
        entry.update(press(&NameEntryInput::right), 0.01f, name);
    EXPECT_EQ(entry.wheelIndex(), 1) << "33 + 4 steps wraps past 35";
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
