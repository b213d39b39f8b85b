#include "screens/HighScoreTable.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {
void expectPadded(const std::vector<HighScoreEntry>& table, size_t fromRow)
{
    ASSERT_EQ(table.size(), 10u);
    for (size_t i = fromRow; i < table.size(); ++i) {
        EXPECT_EQ(table[i].name, "xxx") << "row " << i;
        EXPECT_EQ(table[i].score, 0) << "row " << i;
    }
}

std::string tenRows()
{
    return "AAA 1000\nBBB 900\nCCC 800\nDDD 700\nEEE 600\nFFF 500\nGGG 400\nHHH 300\nIII 200\nJJJ 100";
}
} // namespace

TEST(HighScoreTable, MissingEmptyAndTrailingLineEndFilesGiveTenCleanRows)
{
    TempDir dir;
    expectPadded(readHighScoreTable(dir.file("none.txt")), 0);

    writeFile(dir.file("empty.txt"), "");
    expectPadded(readHighScoreTable(dir.file("empty.txt")), 0);

    writeFile(dir.file("trailing.txt"), "abc 1200\nxyz 50\n\n");
    std::vector<HighScoreEntry> table = readHighScoreTable(dir.file("trailing.txt"));
    EXPECT_EQ(table[0].name, "abc");
    EXPECT_EQ(table[1].score, 50);
    expectPadded(table, 2);
    EXPECT_TRUE(std::none_of(table.begin(), table.end(), [](const HighScoreEntry& e) { return e.name.empty(); }));

    // One new score removes the lowest row only: still ten rows, none empty.
    std::vector<int> rows = insertNewScores(table, {60});
    EXPECT_EQ(rows, std::vector<int>{1});
    ASSERT_EQ(table.size(), 10u);
    EXPECT_EQ(table[1].name, "___");
    EXPECT_EQ(table[2].name, "xyz");
}

TEST(HighScoreTable, MalformedLinesAreSkippedAndTheRestKept)
{
    const std::vector<HighScoreEntry> rows = parseHighScores("abc notanumber\n"
                                                             "lonely\n"
                                                             "bob 7 extra\n"
                                                             "big 99999999999\n"
                                                             "hex 0x10\n"
                                                             "   \n"
                                                             "ok 5\r\n"
                                                             "neg -3\n"
                                                             "end 12");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "ok");
    EXPECT_EQ(rows[0].score, 5);
    EXPECT_EQ(rows[1].name, "end");
}

TEST(HighScoreTable, NegativeScoresAndNamesNoEntryCanMakeAreNotKeptAsRead)
{
    // A negative score would sort above the padding rows and move on the next save.
    TempDir dir;
    // A 60 KB name would be drawn across the screen; bytes the font cannot draw (here
    // a byte-order mark pasted in the middle of the file) would not survive a save.
    writeFile(dir.file("HighScores.txt"),
              "neg -5\nlow 3\n" + std::string(60 * 1024, 'W') + " 7\n\xEF\xBB\xBF\xC3\xA9TAV 9\n\xEF\xBB\xBF 1");
    std::vector<HighScoreEntry> table = readHighScoreTable(dir.file("HighScores.txt"));
    ASSERT_EQ(table.size(), 10u);
    EXPECT_EQ(table[0].name, "TAV");
    EXPECT_EQ(table[1].name, "WWW");
    EXPECT_EQ(table[1].score, 7);
    EXPECT_EQ(table[2].name, "low");
    EXPECT_EQ(table[3].name, "___");
    EXPECT_EQ(table[3].score, 1);
    for (const HighScoreEntry& row : table)
        EXPECT_GE(row.score, 0);
    ASSERT_TRUE(writeHighScoreTable(dir.file("HighScores.txt"), table));
    const std::vector<HighScoreEntry> again = readHighScoreTable(dir.file("HighScores.txt"));
    EXPECT_EQ(formatHighScores(again), formatHighScores(table));
}

TEST(HighScoreTable, GarbageAndOversizedFilesReadQuicklyIntoTenRowsBestFirst)
{
    TempDir dir;
    std::string garbage(4 * 1024 * 1024, '\0');
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 2654435761u) >> 13);
    writeFile(dir.file("garbage.txt"), garbage);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(readHighScoreTable(dir.file("garbage.txt")).size(), 10u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    // Twelve rows out of order: the best ten, best first.
    writeFile(dir.file("long.txt"), "low 1\n" + tenRows() + "\nmid 650");
    const std::vector<HighScoreEntry> table = readHighScoreTable(dir.file("long.txt"));
    ASSERT_EQ(table.size(), 10u);
    EXPECT_EQ(table[0].name, "AAA");
    EXPECT_EQ(table[4].name, "mid");
    EXPECT_EQ(table[9].name, "III");
}

TEST(HighScoreTable, NewScoresRankBelowEqualOnesAndTheTenthIsNotBeaten)
{
    std::vector<HighScoreEntry> table = parseHighScores(tenRows());
    EXPECT_EQ(insertNewScores(table, {100}), std::vector<int>{-1});
    EXPECT_EQ(formatHighScores(table), tenRows());

    EXPECT_EQ(insertNewScores(table, {800}), std::vector<int>{3}); // below CCC 800
    EXPECT_EQ(table[2].name, "CCC");
    EXPECT_EQ(table[9].name, "III");

    // Scores beyond int stay at the top instead of wrapping negative.
    EXPECT_EQ(insertNewScores(table, {4000000000u}), std::vector<int>{0});
    EXPECT_GT(table[0].score, 0);

    // Two players: a later, better score pushes an earlier player's row down with it; one
    // pushed out of the table has no row any more. (Equal scores: HighScoreScreen's test.)
    std::vector<HighScoreEntry> full = parseHighScores(tenRows());
    EXPECT_EQ(insertNewScores(full, {150, 5000}), (std::vector<int>{-1, 0}));
    std::vector<HighScoreEntry> again = parseHighScores(tenRows());
    EXPECT_EQ(insertNewScores(again, {650, 5000}), (std::vector<int>{5, 0}));
    EXPECT_EQ(again[5].name, "___");
    EXPECT_EQ(again[5].score, 650);
}

TEST(HighScoreTable, WrittenFileHasTenLinesAndReplacesTheOldOneWhole)
{
    TempDir dir;
    const std::string path = dir.file("HighScores.txt");
    writeFile(path, "old 1");
    std::vector<HighScoreEntry> table = readHighScoreTable(path);
    insertNewScores(table, {42});
    ASSERT_TRUE(writeHighScoreTable(path, table));

    const std::string text = readFile(path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 9);
    EXPECT_NE(text.back(), '\n');
    EXPECT_EQ(text.substr(0, 14), "___ 42\nold 1\nx");
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
    EXPECT_EQ(formatHighScores(readHighScoreTable(path)), text);

    // A file that cannot be written leaves nothing behind and reports it.
    EXPECT_FALSE(writeHighScoreTable(dir.file("missing/folder/HighScores.txt"), table));
    EXPECT_EQ(readFile(path), text);
}
