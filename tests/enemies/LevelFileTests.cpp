#include "enemies/LevelFiles.h"
#include "enemies/Spawner.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const char* const TWO_RECORDS =
    "UP\n"
    "SPAWNER1 POSITION 960 -80 DIRECTION 270 SPAWN_TIMER 1.5 DELAY_TIMER 0.25 NB_MAX_ENEMY 5 PATTERN_ID 6\n"
    "SPAWNER2 POSITION 100.5 200 DIRECTION 22.5 SPAWN_TIMER 3 DELAY_TIMER 0 NB_MAX_ENEMY 1 PATTERN_ID 16\n";

void expectRecord(const SequenceRecord& read, const SequenceRecord& expected)
{
    EXPECT_EQ(read.name, expected.name);
    EXPECT_FLOAT_EQ(read.posX, expected.posX);
    EXPECT_FLOAT_EQ(read.posY, expected.posY);
    EXPECT_FLOAT_EQ(read.direction, expected.direction);
    EXPECT_FLOAT_EQ(read.spawnTimer, expected.spawnTimer);
    EXPECT_FLOAT_EQ(read.delayTimer, expected.delayTimer);
    EXPECT_EQ(read.nbMaxEnemy, expected.nbMaxEnemy);
    EXPECT_EQ(read.patternId, expected.patternId);
}

} // namespace

TEST(LevelIndexFile, ReadsCountsFromDamagedOrLooseIndexesAndSaysWhatItTook)
{
    struct Row {
        const char* what;
        std::string text;
        std::vector<int> counts;
        int total;
        std::vector<const char*> said; // what the designer is told; none: nothing
    };
    const Row rows[] = {
        {"as the game writes it", "NB_LEVELS 4\nNB_SEQUENCE 1 4\nNB_SEQUENCE 2 1\nNB_SEQUENCE 3 3\nNB_SEQUENCE 4 2",
         {4, 1, 3, 2}, 10, {}},
        {"a byte-order mark and CR LF line ends", "\xEF\xBB\xBFNB_LEVELS 2\r\nNB_SEQUENCE 1 4\r\nNB_SEQUENCE 2 1\r\n",
         {4, 1}, 5, {}},
        // Lines before NB_LEVELS, levels out of range, bad numbers, a repeated level
        // (the last count wins and the total follows the table), a truncated end.
        {"damaged lines", "NB_SEQUENCE 1 9\nNB_LEVELS 3\nNB_SEQUENCE 0 4\nNB_SEQUENCE 7 4\nNB_SEQUENCE two 4\n"
                          "NB_SEQUENCE 2 x\njunk\nNB_SEQUENCE 1 2\nNB_SEQUENCE 1 3\nNB_SEQUENCE 3 -5\nNB_SEQUENCE 2",
         {3, 0, 0}, 3, {"comes before NB_LEVELS", "names level 7", "level 1 is given more than once"}},
        // Huge or negative level counts are clamped rather than allocated.
        {"a huge level count, then a negative one", "NB_LEVELS 2000000000 NB_LEVELS -3", {}, 0,
         {"NB_LEVELS given 2 times", "NB_LEVELS -3 taken as 0"}},
        {"a huge level count alone", "NB_LEVELS 2000000000", std::vector<int>(level_files::MAX_LEVELS, 0), 0,
         {"NB_LEVELS 2000000000 taken as"}},
        {"another letter case, a missing S, the sequence lines first",
         "nb_sequence 1 4\nNB_SEQUENCE 2 1\nNB_LEVEL 3\nNb_Sequence 3 2", {4, 1, 2}, 7,
         {"\"NB_LEVEL\" read as NB_LEVELS", "before NB_LEVELS"}},
        {"no level count, an unknown word", "LEVELS 4\nNB_SEQUENCE 1 2", {}, 0,
         {"no NB_LEVELS line", "unknown word \"LEVELS\""}},
        {"fifteen unknown words: twelve named, the rest counted",
         "NB_LEVELS 1\nNB_SEQUENCE 1 1\nW1 W2 W3 W4 W5 W6 W7 W8 W9 W10 W11 W12 W13 W14 W15", {1}, 1,
         {"unknown word \"W12\"", "and 3 more problems"}},
    };
    TempDir dir;
    int file = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string path = dir.file("index" + std::to_string(++file) + ".txt"); // some words are said once a file
        writeFile(path, row.text);
        ::testing::internal::CaptureStderr();
        const LevelIndex index = readLevelIndex(path);
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(index.sequenceCounts, row.counts);
        EXPECT_EQ(index.totalSequences, row.total);
        for (const char* words : row.said) {
            EXPECT_NE(said.find(words), std::string::npos) << said;
            EXPECT_NE(said.find(path), std::string::npos) << said;
        }
        if (row.said.empty()) {
            EXPECT_EQ(said, "");
            EXPECT_TRUE(index.problems.empty());
        }
    }

    // A missing index is named once, however often it is read.
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(readLevelIndex(dir.file("absent.txt")).sequenceCounts.empty());
    readLevelIndex(dir.file("absent.txt"));
    const std::string missingSaid = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(missingSaid.find(dir.file("absent.txt") + ": missing"), std::string::npos);
    EXPECT_EQ(missingSaid.find("missing"), missingSaid.rfind("missing"));
}

// Reading back what was written: the level-index fuzz target, for any index.
TEST(LevelIndexFile, WritesTheFormatOrSaysItCannot)
{
    EXPECT_EQ(formatLevelIndex({4, 1}), "NB_LEVELS 2\nNB_SEQUENCE 1 4\nNB_SEQUENCE 2 1");
    EXPECT_EQ(formatLevelIndex({}), "NB_LEVELS 0");
    TempDir dir;
    EXPECT_FALSE(writeLevelIndex(dir.file("no/such/folder/index.txt"), {1}));
}

TEST(SequenceFile, ReadsRecordsInOrderWithAnyLineEnds)
{
    std::string crlf = TWO_RECORDS;
    for (size_t p = crlf.find('\n'); p != std::string::npos; p = crlf.find('\n', p + 2))
        crlf.replace(p, 1, "\r\n");
    for (const std::string& text : {std::string(TWO_RECORDS), crlf}) {
        SequenceFile f = parseSequenceText(text);
        EXPECT_EQ(f.direction, scroll_direction::UP);
        ASSERT_EQ(f.records.size(), 2u);
        expectRecord(f.records[0], {960.f, -80.f, 270.f, 1.5f, 0.25f, 5, 6, "SPAWNER1"});
        expectRecord(f.records[1], {100.5f, 200.f, 22.5f, 3.f, 0.f, 1, 16, "SPAWNER2"});
    }
    // A byte-order mark does not hide the direction word.
    TempDir dir;
    writeFile(dir.file("bom.txt"), "\xEF\xBB\xBF" + std::string(TWO_RECORDS));
    EXPECT_EQ(readSequenceFile(dir.file("bom.txt")).direction, scroll_direction::UP);
    // The four direction words, in any letter case.
    EXPECT_EQ(parseSequenceText("right\n").direction, scroll_direction::RIGHT);
    EXPECT_EQ(parseSequenceText("LEFT").direction, scroll_direction::LEFT);
    EXPECT_EQ(parseSequenceText("LEFTWARDS").direction, -1);
}

// What a designer plainly meant is read; every line with anything else is named, so
// that nobody writes the records back believing they are the whole file.
TEST(SequenceFile, ReadsWhatWasPlainlyMeantAndNamesTheLinesItCannotRead)
{
    std::string lower = TWO_RECORDS;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string utf16 = "\xFF\xFE", utf16be = "\xFE\xFF"; // little-endian: Windows editors' "Unicode"
    for (const char c : std::string(TWO_RECORDS)) {
        utf16 += std::string{c, '\0'};
        utf16be += std::string{'\0', c};
    }
    std::string commas = TWO_RECORDS;
    for (const auto& [point, comma] : {std::pair{"1.5", "1,5"}, {"0.25", "0,25"}, {"100.5", "100,5"}, {"22.5", "22,5"}})
        commas.replace(commas.find(point), std::string(point).size(), comma);
    for (const std::string& text : {lower, utf16, utf16be, commas, "# level 1, opening\n" + std::string(TWO_RECORDS)}) {
        const SequenceFile f = parseSequenceText(text);
        EXPECT_EQ(f.direction, scroll_direction::UP);
        ASSERT_EQ(f.records.size(), 2u) << text;
        expectRecord(f.records[0], {960.f, -80.f, 270.f, 1.5f, 0.25f, 5, 6, f.records[0].name});
        expectRecord(f.records[1], {100.5f, 200.f, 22.5f, 3.f, 0.f, 1, 16, f.records[1].name});
        EXPECT_EQ(f.unreadLines, text[0] == '#' ? std::vector<int>{1} : std::vector<int>{}) << text;
    }
    EXPECT_EQ(parseSequenceText("SPAWNER1 POSITION 1 2 DIRECTION 3 SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY 6 "
                                "PATTERN_ID 7").records.size(), 1u) << "no direction line: the first record stays";

    // An unknown pattern, a comma that may group thousands, a stray word, a value cut off.
    const std::string good =
        "SPAWNER9 POSITION 1 2 DIRECTION 3 SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY 6 PATTERN_ID 7\n";
    const SequenceFile damaged = parseSequenceText(
        "DOWN\n" + good +
        "SPAWNER2 POSITION 1 2 DIRECTION 3 SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY 6 PATTERN_ID 41\n" + good +
        "SPAWNER4 POSITION 1,500 2 DIRECTION 3 SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY 6 PATTERN_ID 7\n\n" + good +
        "later 42\n" + good + "SPAWNER8 POSITION 1 2 DIRECTION 3 SPAWN_TIMER");
    EXPECT_EQ(damaged.records.size(), 4u);
    EXPECT_EQ(damaged.unreadLines, (std::vector<int>{3, 5, 8, 10}));
    EXPECT_EQ(describeUnreadLines(damaged), "4 lines could not be read (lines 3, 5, 8, 10)");
    EXPECT_EQ(describeUnreadLines(parseSequenceText(TWO_RECORDS)), "");
}

TEST(SequenceFile, SkipsDamagedRecordsAndKeepsTheRest)
{
    const std::string good =
        "SPAWNER9 POSITION 1 2 DIRECTION 3 SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY 6 PATTERN_ID 7\n";
    // A stray number is skipped; a stray capitalised word opens a record that then fails.
    SequenceFile stray = parseSequenceText("DOWN 42 lower\n" + good + "Stray\n" + good);
    EXPECT_EQ(stray.records.size(), 2u);

    // Non-numeric values, out-of-range ids, non-finite numbers and an unknown keyword in
    // a value's place: each damaged record goes, the good ones stay.
    SequenceFile bad = parseSequenceText(
        "UP\n"
        "SPAWNER1 POSITION abc 2 DIRECTION 3 SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY 6 PATTERN_ID 7\n" + good +
        "SPAWNER2 POSITION 1 2 DIRECTION 3 SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY 6 PATTERN_ID 28\n"
        "SPAWNER3 POSITION 1 2 DIRECTION 3 SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY 6 PATTERN_ID -1\n"
        "SPAWNER4 POSITION 1 2 DIRECTION 1e99 SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY 6 PATTERN_ID 7\n"
        "SPAWNER5 POSITION 1 2 DIRECTION nan SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY 6 PATTERN_ID 7\n"
        "SPAWNER6 POSITION 1 2 DIRECTION 3 SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY 6.5 PATTERN_ID 7\n"
        "SPAWNER7 POSITION 1 2 DIRECTION 3 SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY 99999999999 PATTERN_ID 7\n"
        "SPAWNER8 POSITION 1 2 DIRECTION 3 SPAWN_TIMER 4 BOGUS NB_MAX_ENEMY 6 PATTERN_ID 7\n" + good);
    ASSERT_EQ(bad.records.size(), 2u);
    EXPECT_EQ(bad.records[0].name, "SPAWNER9");
    EXPECT_EQ(bad.records[1].name, "SPAWNER9");

    // A record cut short by the end of the file is dropped.
    SequenceFile cut = parseSequenceText("UP\n" + good + "SPAWNER2 POSITION 1 2 DIRECTION 3 SPAWN_TIMER");
    EXPECT_EQ(cut.records.size(), 1u);

    // Counts are read as written; the spawner bounds them, so that an all-at-once
    // formation cannot flood the game.
    SequenceFile huge = parseSequenceText(
        "UP SPAWNER1 POSITION 1 2 DIRECTION 3 SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY 2000000000 PATTERN_ID 5 "
        "SPAWNER2 POSITION 1 2 DIRECTION 3 SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY -4 PATTERN_ID 5");
    ASSERT_EQ(huge.records.size(), 2u);
    EXPECT_EQ(huge.records[0].nbMaxEnemy, 2000000000);
    EXPECT_EQ(huge.records[1].nbMaxEnemy, -4);
    EXPECT_EQ(spawnEntryFromRecord(huge.records[0]).count, level_files::MAX_ENEMIES_PER_SPAWNER);
    EXPECT_EQ(spawnEntryFromRecord(huge.records[1]).count, 0);
}

// Reading back what was written, for any file: the sequence fuzz target.
TEST(SequenceFile, WritesEveryFieldOfThePatternsThatExist)
{
    std::vector<SequenceRecord> records(4);
    records[0] = {540.f, 0.3f, 22.5f, 2.4f, 0.125f, 16, 6, {}};
    records[1] = {-120.75f, 1e6f, 337.5f, 0.f, 3.f, 1, 15, {}};
    records[2] = {1.f, 2.f, 3.f, 4.f, 5.f, 6, 30, {}}; // not a pattern: not written, takes no number
    records[3] = {1920.f, 1080.f, 270.f, 59.9f, 1e-5f, 100, 27, {}};
    const std::string text = formatSequenceFile(scroll_direction::LEFT, records);
    EXPECT_EQ(text.substr(0, text.find('\n')), "LEFT");
    EXPECT_NE(text.find("SPAWNER1 POSITION 540 0.3 DIRECTION 22.5 SPAWN_TIMER 2.4 DELAY_TIMER 0.125 "
                        "NB_MAX_ENEMY 16 PATTERN_ID 6\n"),
              std::string::npos);
    EXPECT_NE(text.find("POSITION -120.75 1e+06"), std::string::npos);
    EXPECT_NE(text.find("SPAWNER3 POSITION 1920"), std::string::npos);
    EXPECT_EQ(text.find("SPAWNER4"), std::string::npos);
    EXPECT_NE(text.find("DELAY_TIMER 1e-05 NB_MAX_ENEMY 100 PATTERN_ID 27"), std::string::npos);
}
