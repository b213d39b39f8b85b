// The edited sequence and the level catalogue on disk: save and load, sorting,
// selection, deletion and the renumbering of sequence files.
#include "editor/EditedSequence.h"
#include "editor/LevelCatalogue.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

SpawnerRecord record(float time, int pattern = 0, float x = 960.f)
{
    SpawnerRecord r;
    r.posX = x;
    r.posY = 540.f;
    r.direction = 22.5f;
    r.spawnTimer = time;
    r.delayTimer = 0.3f;
    r.nbMaxEnemy = 3;
    r.patternId = pattern;
    return r;
}

std::vector<float> times(const EditedSequence& s)
{
    std::vector<float> out;
    for (const SpawnerRecord& r : s.records)
        out.push_back(r.spawnTimer);
    return out;
}

bool exists(const std::string& path) { return std::filesystem::exists(path); }

size_t recordsIn(const std::string& file) { return readSequenceFile(file).records.size(); }

} // namespace

TEST(EditorSequence, SaveAndLoadRoundTripRenumbersSortsAndKeepsTheSelection)
{
    TempDir dir;
    EditedSequence seq(dir.path + "/");
    seq.scrollDirection = scroll_direction::LEFT;
    seq.records = {record(2.f, 6, 100.5f), record(0.5f, 15), record(1.f, 4)};
    seq.records[0].name = "anything";
    seq.selection = {2};
    ASSERT_TRUE(seq.saveSequence());

    // (Each value as written: EditorGlTest; the round trip of any file: the sequence fuzz target.)
    EXPECT_EQ(readFile(dir.file("LEVEL_1_SEQUENCE_1.txt")).substr(0, 5), "LEFT\n");

    // Read back: names from the file, the selected record (third in the file) red
    // and unmoved, the others sorted around it.
    ASSERT_EQ(seq.records.size(), 3u);
    EXPECT_EQ(seq.records[0].name, "SPAWNER2");
    EXPECT_EQ(seq.records[2].name, "SPAWNER3");
    EXPECT_EQ(seq.records[2].colour, sf::Color::Red);
    EXPECT_EQ(times(seq), (std::vector<float>{0.5f, 2.f, 1.f}));
    EXPECT_EQ(seq.selection, std::vector<int>{2});

    // Switching sequence clears the selection; a missing file gives an empty
    // list and keeps the scroll direction.
    seq.loadSequence(1, 2);
    EXPECT_TRUE(seq.records.empty());
    EXPECT_TRUE(seq.selection.empty());
    EXPECT_EQ(seq.scrollDirection, scroll_direction::LEFT);

    // A selection that outlives its records (the file shrank) is cut to the list.
    seq.loadSequence(1, 1);
    seq.selection = {0, 2};
    writeFile(dir.file("LEVEL_1_SEQUENCE_1.txt"), "UP\nSPAWNER1 POSITION 1 2 DIRECTION 3 SPAWN_TIMER 4 "
                                                  "DELAY_TIMER 5 NB_MAX_ENEMY 6 PATTERN_ID 7\n");
    seq.loadSequence(1, 1);
    EXPECT_EQ(seq.selection, std::vector<int>{0});
    EXPECT_EQ(seq.scrollDirection, scroll_direction::UP) << "the file's direction, the first of the four";
    seq.clearSelection();
    EXPECT_EQ(seq.records[0].colour, sf::Color::White);
}

TEST(EditorSequence, UnwritableFileKeepsTheListAndTheOldFile)
{
    // A target that cannot be replaced (a folder in its place) is left alone. (A folder that
    // cannot be written to: EditorGlTest.)
    TempDir dir;
    std::filesystem::create_directories(dir.file("LEVEL_1_SEQUENCE_1.txt"));
    EditedSequence blocked(dir.path + "/");
    blocked.records = {record(1.f)};
    EXPECT_FALSE(blocked.saveSequence());
    EXPECT_EQ(blocked.records.size(), 1u) << "the list is not reloaded from a file that was not written";
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("LEVEL_1_SEQUENCE_1.txt")));
    EXPECT_FALSE(exists(dir.file("LEVEL_1_SEQUENCE_1.txt.part")));
}

TEST(EditorSequence, AFileReadInPartIsKeptBesideItBeforeItIsWrittenOver)
{
    TempDir dir;
    const std::string file = dir.file("LEVEL_1_SEQUENCE_1.txt");
    const std::string spawner = "SPAWNER1 POSITION 1 2 DIRECTION 3 SPAWN_TIMER 4 DELAY_TIMER 5 NB_MAX_ENEMY 6 PATTERN_ID ";
    const std::string original = "DOWN\n# first wave\n" + spawner + "7\n" + spawner + "41\n" + spawner + "6\n";
    writeFile(file, original);
    writeFile(file + ".unreadable-original", "kept by an earlier editor");
    EditedSequence seq(dir.path + "/");
    seq.loadSequence(1, 1);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(seq.saveSequence());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(readFile(file + ".unreadable-original"), "kept by an earlier editor");
    EXPECT_EQ(readFile(file + ".unreadable-original-2"), original);
    EXPECT_NE(seq.keptNote().find("2 lines could not be read (lines 2, 4); the original is kept as " + file +
                                  ".unreadable-original-2"), std::string::npos) << seq.keptNote();
    EXPECT_NE(said.find(seq.keptNote()), std::string::npos);
    EXPECT_EQ(recordsIn(file), 2u);

    // Read in full now: no further copy; the note stays until another sequence is edited.
    ASSERT_TRUE(seq.saveSequence());
    EXPECT_FALSE(exists(file + ".unreadable-original-3"));
    EXPECT_FALSE(seq.keptNote().empty());

    // With no name left for the original, the file is not written over.
    const std::string second = dir.file("LEVEL_1_SEQUENCE_2.txt");
    writeFile(second, "UP\nstray\n");
    for (int n = 1; n <= 100; ++n)
        std::filesystem::create_directories(second + ".unreadable-original" + (n > 1 ? "-" + std::to_string(n) : ""));
    seq.loadSequence(1, 2);
    EXPECT_TRUE(seq.keptNote().empty());
    seq.records = {record(1.f)};
    testing::internal::CaptureStderr();
    EXPECT_FALSE(seq.saveSequence());
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
    EXPECT_EQ(readFile(second), "UP\nstray\n");
    EXPECT_NE(seq.saveProblem().find("1 line could not be read (line 2)"), std::string::npos) << seq.saveProblem();
}

TEST(EditorSequence, SortingKeepsTheSelectedRecordAndDeletionKeepsTheRestInOrder)
{
    EditedSequence seq("unused/");
    // Equal times keep their order; a selected record never moves and nothing passes it.
    seq.records = {record(3.f, 1), record(1.f, 2), record(9.f, 3), record(1.f, 4), record(0.f, 5), record(1.f, 6)};
    seq.selection = {2};
    seq.sortBySpawnTime();
    std::vector<int> order;
    for (const SpawnerRecord& r : seq.records)
        order.push_back(r.patternId);
    EXPECT_EQ(order, (std::vector<int>{2, 1, 3, 5, 4, 6}));

    // Records 2, 5 and 7 of 9 deleted leave 0, 1, 3, 4, 6, 8 in order.
    EditedSequence nine("unused/");
    for (int i = 0; i < 9; ++i)
        nine.records.push_back(record(static_cast<float>(i), i));
    nine.selection = {7, 2, 5};
    nine.deleteSelected();
    order.clear();
    for (const SpawnerRecord& r : nine.records)
        order.push_back(r.patternId);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 3, 4, 6, 8}));
    EXPECT_TRUE(nine.selection.empty());
    nine.deleteSelected();
    EXPECT_EQ(nine.records.size(), 6u) << "an empty selection deletes nothing";
}

TEST(EditorCatalogue, DeletingSequencesRenumbersFilesAndLevels)
{
    TempDir dir;
    const std::string folder = dir.path + "/";
    writeFile(dir.file("LevelsData.txt"), "NB_LEVELS 3\nNB_SEQUENCE 1 4\nNB_SEQUENCE 2 1\nNB_SEQUENCE 3 2");
    for (int s = 1; s <= 4; ++s)
        writeFile(dir.file("LEVEL_1_SEQUENCE_" + std::to_string(s) + ".txt"), "UP\n#" + std::to_string(s));
    writeFile(dir.file("LEVEL_2_SEQUENCE_1.txt"), "DOWN\n#21");
    writeFile(dir.file("LEVEL_3_SEQUENCE_1.txt"), "LEFT\n#31");
    writeFile(dir.file("LEVEL_3_SEQUENCE_2.txt"), "RIGHT\n#32");

    LevelCatalogue cat(folder);
    EXPECT_EQ(cat.sequenceCounts, (std::vector<int>{4, 1, 2}));
    int level = 0, sequence = 0;
    ASSERT_TRUE(cat.locate(4, level, sequence));
    EXPECT_EQ(level, 2);
    EXPECT_EQ(sequence, 1);
    EXPECT_FALSE(cat.locate(7, level, sequence));
    EXPECT_FALSE(cat.locate(-1, level, sequence));

    // Sequence 2 of 4: files 3 and 4 become 2 and 3.
    ASSERT_TRUE(cat.deleteSequence(0, 1));
    EXPECT_EQ(readFile(dir.file("LEVEL_1_SEQUENCE_2.txt")), "UP\n#3");
    EXPECT_EQ(readFile(dir.file("LEVEL_1_SEQUENCE_3.txt")), "UP\n#4");
    EXPECT_FALSE(exists(dir.file("LEVEL_1_SEQUENCE_4.txt")));
    EXPECT_EQ(cat.sequenceCounts, (std::vector<int>{3, 1, 2}));

    // The only sequence of level 2: level 3's files become level 2's.
    ASSERT_TRUE(cat.deleteSequence(1, 0));
    EXPECT_EQ(cat.sequenceCounts, (std::vector<int>{3, 2}));
    EXPECT_EQ(readFile(dir.file("LEVEL_2_SEQUENCE_1.txt")), "LEFT\n#31");
    EXPECT_EQ(readFile(dir.file("LEVEL_2_SEQUENCE_2.txt")), "RIGHT\n#32");
    EXPECT_FALSE(exists(dir.file("LEVEL_3_SEQUENCE_1.txt")));
    ASSERT_TRUE(cat.writeIndex());
    EXPECT_EQ(readFile(dir.file("LevelsData.txt")), "NB_LEVELS 2\nNB_SEQUENCE 1 3\nNB_SEQUENCE 2 2");

    // Pairs that do not exist change nothing; a file already gone does not stop the renumbering.
    EXPECT_FALSE(cat.deleteSequence(5, 0));
    EXPECT_FALSE(cat.deleteSequence(0, 3));
    std::filesystem::remove(dir.file("LEVEL_1_SEQUENCE_1.txt"));
    ASSERT_TRUE(cat.deleteSequence(0, 0));
    EXPECT_EQ(readFile(dir.file("LEVEL_1_SEQUENCE_1.txt")), "UP\n#3");
    EXPECT_EQ(cat.sequenceCounts, (std::vector<int>{2, 2}));

    // A new level starts as an empty "UP" file (a new sequence: EditorGlTest); a level
    // that does not exist gets no sequence.
    EXPECT_EQ(cat.newLevel(), 3);
    EXPECT_EQ(readFile(dir.file("LEVEL_3_SEQUENCE_1.txt")), "UP\n");
    EXPECT_EQ(cat.newSequence(9), 0);
    // The hundredth level is the last, and a level holds at most its cap of sequences.
    const std::vector<int> counts = cat.sequenceCounts;
    cat.sequenceCounts.assign(level_files::MAX_LEVELS, 1);
    EXPECT_EQ(cat.newLevel(), 0);
    cat.sequenceCounts = counts;
    cat.sequenceCounts[0] = level_files::MAX_SEQUENCES_PER_LEVEL;
    EXPECT_EQ(cat.newSequence(1), 0);
    cat.sequenceCounts = counts;

    // An index that cannot be replaced (a folder took its name) counts nothing new
    // and leaves no new file behind.
    std::filesystem::remove(dir.file("LevelsData.txt"));
    std::filesystem::create_directories(dir.file("LevelsData.txt") + "/held");
    const std::vector<int> before = cat.sequenceCounts;
    EXPECT_EQ(cat.newLevel(), 0);
    EXPECT_EQ(cat.newSequence(1), 0);
    EXPECT_EQ(cat.sequenceCounts, before);
    EXPECT_FALSE(exists(dir.file("LEVEL_4_SEQUENCE_1.txt")));
    EXPECT_FALSE(exists(dir.file("LEVEL_1_SEQUENCE_3.txt")));

    // A missing index gives no levels.
    TempDir empty;
    EXPECT_EQ(LevelCatalogue(empty.path + "/").nbLevels(), 0);
}
