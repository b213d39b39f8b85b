// Damaged tables read, new scores ranked, and what a player's table file goes through
// when it is stored. The screen's saving (ten lines, a save that fails) is checked
// on the high-score screen (HighScoreEntryGlTest), the round trip by the fuzz target.
#include "screens/HighScoreTable.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>

using testing_support::TempDir;
using testing_support::readFile;
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
        {"lines without a name or a number", "malformed.txt",
         "abc notanumber\nlonely\nbob 7 extra\nhex 0x10\n   \nok 5\r\nneg -3\nend 12", "end 12\nok 5"},
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

TEST(HighScoreTable, RowsAreReadAsThePlayerPlainlyMeantThem)
{
    // An editor that saves UTF-16 (either byte order); a sign, a zero fraction, a name
    // with a space, a score beyond what the table holds (kept as the highest it can).
    const std::string plain = "abc 1200\r\nxyz 50";
    std::string little = "\xFF\xFE", big = "\xFE\xFF";
    for (char c : plain) {
        little += {c, '\0'};
        big += {'\0', c};
    }
    const struct {
        const char* what;
        std::string text;
        std::string rows;
    } rows[] = {
        {"UTF-16, low byte first", little, "abc 1200\nxyz 50"},
        {"UTF-16, high byte first", big, "abc 1200\nxyz 50"},
        {"lines ended the old way, by a carriage return alone", "abc 1200\rxyz 50\rmid 600\r", "abc 1200\nmid 600\nxyz 50"},
        {"numbers and names as typed", "pls +20000\nflt 25000.0\nBob Smith 500\nA B 400\nbig 99999999999\nodd 70.5\nneg -0.5",
         "big 2147483647\nflt 25000\npls 20000\nBob 500\nAB 400\nodd 70"},
    };
    TempDir dir;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        writeFile(dir.file("HighScores.txt"), row.text);
        EXPECT_EQ(formatHighScores(readHighScoreTable(dir.file("HighScores.txt"))), paddedTable(row.rows));
    }
}

namespace {
// Every file of the folder but the table, with its text.
std::map<std::string, std::string> filesBeside(const TempDir& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path))
        if (entry.path().filename() != "HighScores.txt")
            files[entry.path().string()] = readFile(entry.path().string());
    return files;
}
} // namespace

TEST(HighScoreTable, ATableNotReadInFullIsKeptAsItWasBeforeItIsFirstRewritten)
{
    TempDir dir;
    const std::string path = dir.file("HighScores.txt");
    const std::string damaged = "abc 900\nneg -5\nBob Smith 500\n\x01\x02 junk";
    writeFile(path, damaged);
    ::testing::internal::CaptureStderr();
    HighScoreFile file(path);
    std::vector<HighScoreEntry> table = file.rows();
    insertNewScores(table, {0}); // a game without a high score changes nothing
    EXPECT_TRUE(file.store(table));
    EXPECT_EQ(readFile(path), damaged);
    EXPECT_TRUE(filesBeside(dir).empty());

    insertNewScores(table, {700});
    EXPECT_TRUE(file.store(table));
    table[1].name = "ABC";
    EXPECT_TRUE(file.store(table)); // the first rewrite only keeps a copy
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(readHighScoreTable(path)[1].name, "ABC");
    const auto kept = filesBeside(dir);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept.begin()->second, damaged);
    EXPECT_NE(said.find(kept.begin()->first), std::string::npos) << said;
    for (const char* line : {"line 2", "line 3", "line 4"})
        EXPECT_NE(said.find(line), std::string::npos) << "what was lost: " << said;

    // Damaged again later: a second copy, the first one untouched.
    writeFile(path, "xyz -1\nabc 3");
    HighScoreFile later(path);
    table = later.rows();
    insertNewScores(table, {5});
    EXPECT_TRUE(later.store(table));
    const auto both = filesBeside(dir);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both.count(kept.begin()->first), 1u);
    EXPECT_EQ(both.at(kept.begin()->first), damaged);

    // A table read in full goes without a copy.
    HighScoreFile clean(path);
    EXPECT_TRUE(clean.losses().empty());
    table = clean.rows();
    insertNewScores(table, {50});
    EXPECT_TRUE(clean.store(table));
    EXPECT_EQ(filesBeside(dir).size(), 2u);
    // Rows that only look odd are read in full: a zero fraction, the highest score a row holds, minus zero.
    writeFile(path, "abc 25000.0\ntop 2147483647\nz -0");
    EXPECT_EQ(HighScoreFile(path).losses(), "");
}

// A table whose bytes cannot be read (here a folder in its place) says so.
TEST(HighScoreTable, ATableThatCannotBeReadSaysSo)
{
    TempDir dir;
    const std::string path = dir.file("HighScores.txt");
    std::filesystem::create_directories(path);
    ::testing::internal::CaptureStderr();
    HighScoreFile file(path);
    ::testing::internal::GetCapturedStderr();
    EXPECT_NE(file.losses().find("could not be read"), std::string::npos) << file.losses();
}

TEST(HighScoreTable, AReadOnlyTableStaysAsThePlayerMadeIt)
{
    TempDir dir;
    const std::string path = dir.file("HighScores.txt");
    writeFile(path, "abc 900\nneg -5");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read
                                           | std::filesystem::perms::others_read);
    const auto mode = std::filesystem::status(path).permissions();
    HighScoreFile file(path);
    std::vector<HighScoreEntry> table = file.rows();
    insertNewScores(table, {1000});
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(file.store(table));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("read-only"), std::string::npos) << said;
    EXPECT_EQ(readFile(path), "abc 900\nneg -5");
    EXPECT_EQ(std::filesystem::status(path).permissions(), mode);
    EXPECT_TRUE(filesBeside(dir).empty()) << "no copy of a table that is not rewritten";
}
