// Damaged tables read and new scores ranked. Saving (ten lines, a save that fails) is
// checked on the high-score screen (HighScoreEntryGlTest), the round trip by the fuzz target.
#include "screens/HighScoreTable.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

using testing_support::TempDir;
using testing_support::writeFile;

namespace {
std::string tenRows()
{
    return "AAA 1000\nBBB 900\nCCC 800\nDDD 700\nEEE 600\nFFF 500\nGGG 400\nHHH 300\nIII 200\nJJJ 100";
}

// The table's text: the rows given, then "xxx 0" rows up to ten.
std::string paddedTable(std::string rows)
{
    for (long n = rows.empty() ? 0 : std::count(rows.begin(), rows.end(), '\n') + 1; n < 10; ++n)
        rows += rows.empty() ? "xxx 0" : "\nxxx 0";
    return rows;
}
} // namespace

TEST(HighScoreTable, DamagedFilesReadAsTenCleanRowsBestFirst)
{
    struct Row {
        const char* what;
        const char* file; // null: no file
        std::string text;
        std::string rows;
    };
    const Row rows[] = {
        {"no file", nullptr, "", ""},
        {"lines without a name, a number or beyond int", "malformed.txt",
         "abc notanumber\nlonely\nbob 7 extra\nbig 99999999999\nhex 0x10\n   \nok 5\r\nneg -3\nend 12", "end 12\nok 5"},
        // A negative score would sort above the padding rows and move on the next save. A 60 KB
        // name would be drawn across the screen; bytes the font cannot draw (here a byte-order
        // mark pasted in the middle of the file) would not survive a save.
        {"a negative score, a huge name, bytes the font cannot draw", "names.txt",
         "neg -5\nlow 3\n" + std::string(60 * 1024, 'W') + " 7\n\xEF\xBB\xBF\xC3\xA9TAV 9\n\xEF\xBB\xBF 1",
         "TAV 9\nWWW 7\nlow 3\n___ 1"},
    };
    TempDir dir;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string path = dir.file(row.file ? row.file : "none.txt");
        if (row.file)
            writeFile(path, row.text);
        const std::vector<HighScoreEntry> table = readHighScoreTable(path);
        ASSERT_EQ(table.size(), 10u);
        EXPECT_EQ(formatHighScores(table), paddedTable(row.rows));
    }

    std::string garbage(4 * 1024 * 1024, '\0');
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 2654435761u) >> 13);
    writeFile(dir.file("garbage.txt"), garbage);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(readHighScoreTable(dir.file("garbage.txt")).size(), 10u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(HighScoreTable, NewScoresRankBelowEqualOnesAndTheTenthIsNotBeaten)
{
    std::vector<HighScoreEntry> table = parseHighScores(tenRows());
    EXPECT_EQ(insertNewScores(table, {100}), std::vector<int>{-1});
    EXPECT_EQ(formatHighScores(table), tenRows());

    EXPECT_EQ(insertNewScores(table, {800}), std::vector<int>{3}); // below CCC 800
    EXPECT_EQ(table[2].name, "CCC");
    EXPECT_EQ(table[9].name, "III");

    // Two players: a later, better score pushes an earlier player's row down with it; one
    // pushed out of the table has no row any more. (Equal scores: HighScoreScreen's test.)
    std::vector<HighScoreEntry> full = parseHighScores(tenRows());
    EXPECT_EQ(insertNewScores(full, {150, 5000}), (std::vector<int>{-1, 0}));
    std::vector<HighScoreEntry> again = parseHighScores(tenRows());
    EXPECT_EQ(insertNewScores(again, {650, 5000}), (std::vector<int>{5, 0}));
    EXPECT_EQ(again[5].name, "___");
    EXPECT_EQ(again[5].score, 650);
}
