#include "enemies/EnemyManager.h"
#include "enemies/EnemyTypes.h"
#include "enemies/Spawner.h"
#include "engine/Engine.h"
#include "support/TestSupport.h"

#include <functional>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

std::string record(int n, float x, float direction, float time, float delay, int count, int pattern)
{
    return "SPAWNER" + std::to_string(n) + " POSITION " + std::to_string(x) + " 100 DIRECTION " +
           std::to_string(direction) + " SPAWN_TIMER " + std::to_string(time) + " DELAY_TIMER " +
           std::to_string(delay) + " NB_MAX_ENEMY " + std::to_string(count) + " PATTERN_ID " +
           std::to_string(pattern) + "\n";
}

// A config folder with a level index and its sequence files.
struct LevelFolder {
    LevelFolder() = default;
    // One level of one sequence.
    explicit LevelFolder(const std::string& sequence)
    {
        write("LevelsData.txt", "NB_LEVELS 1 NB_SEQUENCE 1 1");
        write("LEVEL_1_SEQUENCE_1.txt", sequence);
    }
    TempDir dir;
    std::string folder() const { return dir.path + "/"; }
    void write(const std::string& name, const std::string& text) { writeFile(dir.file(name), text); }
};

// Plays the folder's one sequence as the game does (spawner, patterns, enemies) for `frames`
// frames of `dt` against a ship at `ship`, showing the field after each frame.
void play(const LevelFolder& f, int frames, float dt, sf::Vector2f ship,
          const std::function<void(const EnemyManager&)>& look)
{
    Spawner spawner(f.folder());
    ASSERT_TRUE(spawner.loadSequence(0));
    std::list<SpawnPattern> running;
    EnemyManager enemies(engine().textures);
    for (int frame = 0; frame < frames; ++frame) {
        spawner.update(dt, running);
        updateSpawnPatterns(running, dt, enemies, {ship});
        enemies.update(dt, {ship});
        look(enemies);
    }
}

} // namespace

TEST(Spawner, ListsSequencesAndMapsLevelsToGlobalIndexes)
{
    LevelFolder f;
    f.write("LevelsData.txt", "NB_LEVELS 3\nNB_SEQUENCE 1 5\nNB_SEQUENCE 2 1\nNB_SEQUENCE 3 2");
    Spawner s(f.folder());
    EXPECT_EQ(s.totalSequences, 8);
    EXPECT_EQ(s.sequenceNames[7], f.folder() + "LEVEL_3_SEQUENCE_2.txt");
    EXPECT_EQ(s.getSequenceIndex(2, 1), 5);
    EXPECT_EQ(s.getSequenceIndex(3, 2), 7);
    EXPECT_EQ(s.getSequenceIndex(0, 1), -1);
    EXPECT_EQ(s.getSequenceIndex(4, 1), -1);
    EXPECT_EQ(s.getSequenceIndex(2, 2), -1);

    // Missing sequence files and indexes out of range load nothing and keep the direction.
    int seen = -1;
    EXPECT_FALSE(s.loadSequence(3, [&](int d) { seen = d; }));
    EXPECT_FALSE(s.loadSequence(-1));
    EXPECT_FALSE(s.loadSequence(99));
    EXPECT_TRUE(s.pending.empty());
    EXPECT_EQ(seen, -1);
    EXPECT_EQ(s.scrollDirection, scroll_direction::RIGHT);
}

// In play a sequence file that is missing, or lines of one the game cannot read,
// are named once on the error stream, however often the sequence is played.
TEST(Spawner, AMissingOrPartlyUnreadableSequenceIsNamedOnce)
{
    LevelFolder f;
    f.write("LevelsData.txt", "NB_LEVELS 1 NB_SEQUENCE 1 2");
    // A decimal comma cuts the second record short; the third has no such pattern.
    f.write("LEVEL_1_SEQUENCE_2.txt", "UP\n" + record(1, 960, 270, 1, 0.5f, 3, 7) +
                                          "SPAWNER2 POSITION 1,5 100 DIRECTION 270 SPAWN_TIMER 2\n" +
                                          record(3, 960, 270, 3, 0.5f, 3, 40) + "\n" +
                                          record(4, 960, 270, 4, 0.5f, 3, 7));
    Spawner spawner(f.folder());
    testing::internal::CaptureStderr();
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(spawner.loadSequence(0));
        EXPECT_TRUE(spawner.loadSequence(1));
        EXPECT_EQ(spawner.pending.size(), 2u);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(occurrences(said, "LEVEL_1_SEQUENCE_1.txt: missing"), 1) << said;
    EXPECT_EQ(occurrences(said, "LEVEL_1_SEQUENCE_2.txt: 2 lines could not be read"), 1) << said;
    EXPECT_EQ(occurrences(said, "\n"), 2) << said;
}

TEST(Spawner, ReleasesEachEntryAtItsTimeOverFixedFrames)
{
    LevelFolder f("DOWN\n" + record(1, 10, 270, 0, 0.5f, 3, 6) + record(2, 20, 90, 1, 0.5f, 2, 7) +
                  record(3, 30, 0, 1, 0.5f, 2, 8) + record(4, 40, 180, 2.4f, 0.1f, 4, 15) + record(5, 50, 0, 3, 0, 1, 16));
    Spawner s(f.folder());
    int direction = -1;
    ASSERT_TRUE(s.loadSequence(0, [&](int d) { direction = d; }));
    EXPECT_EQ(direction, scroll_direction::DOWN);
    EXPECT_EQ(s.scrollDirection, scroll_direction::DOWN);
    ASSERT_EQ(s.pending.size(), 5u);
    EXPECT_FLOAT_EQ(s.pending.front().angle, 90.f); // 360 - 270: down the screen

    std::list<SpawnPattern> running;
    std::vector<std::pair<float, int>> released; // clock, pattern
    bool finishSeen = false;
    const float dt = 0.02f;
    for (int frame = 0; frame < 200; ++frame) {
        const size_t before = running.size();
        s.update(dt, running);
        auto it = running.begin();
        std::advance(it, before);
        for (; it != running.end(); ++it) {
            released.emplace_back(s.clock, it->pattern);
        }
        finishSeen |= updateSpawnPatterns(running, dt, [](const EnemyData&) {}, {});
    }
    ASSERT_EQ(released.size(), 5u);
    EXPECT_EQ(released[0].second, 6);
    EXPECT_NEAR(released[0].first, 0.02f, 1e-4); // due at 0: the first update
    // Two entries due together leave in the same frame, in file order.
    EXPECT_EQ(released[1].second, 7);
    EXPECT_EQ(released[2].second, 8);
    EXPECT_FLOAT_EQ(released[1].first, released[2].first);
    EXPECT_GE(released[1].first, 1.f);
    EXPECT_LT(released[1].first, 1.f + dt);
    // Walls are stretched by 25/24: 2.4 s becomes 2.5 s.
    EXPECT_EQ(released[3].second, 15);
    EXPECT_GE(released[3].first, 2.5f - 1e-4f);
    EXPECT_LT(released[3].first, 2.5f + dt);
    EXPECT_EQ(released[4].second, 16);
    EXPECT_TRUE(finishSeen);
    EXPECT_TRUE(s.pending.empty());
}

// A damaged file's far-off directions (beyond any int) reach the enemies as
// clamped headings; every pattern still spawns and runs, walls pick a tile of
// their sheet, and nothing overflows on the way (a build with the
// undefined-behaviour sanitizer aborts here when it does).
// The editor's Play from the timeline's time, and its play of the selected records.
TEST(Spawner, EditorLoadsFromATimeOrOnlyTheSelectedRecords)
{
    LevelFolder f("SIDEWAYS\n" + record(1, 1, 0, 9.9f, 0, 1, 6) + record(2, 2, 0, 10, 0, 1, 6) +
                  record(3, 3, 0, 9.8f, 0, 1, 15) + record(4, 4, 0, 12, 0, 1, 6));
    Spawner s(f.folder());
    s.scrollDirection = scroll_direction::UP;
    // A record due exactly at the start time is played (the timeline starts at 0, where
    // imported maps put their first row).
    ASSERT_TRUE(s.loadSequenceFrom(0, 10.f));
    EXPECT_EQ(s.scrollDirection, scroll_direction::UP); // "SIDEWAYS" is not a direction word
    ASSERT_EQ(s.pending.size(), 2u);
    EXPECT_FLOAT_EQ(s.pending.front().x, 2.f);
    std::list<SpawnPattern> running;
    s.update(0.f, running);
    ASSERT_EQ(running.size(), 1u);
    EXPECT_FLOAT_EQ(running.front().point.x, 2.f);

    // The first selected record is due at once, the others keep their distance from it.
    ASSERT_TRUE(s.loadSelectedSpawners(0, {1, 3}, false));
    ASSERT_EQ(s.pending.size(), 2u);
    EXPECT_FLOAT_EQ(s.pending.front().time, 0.f);
    EXPECT_FLOAT_EQ(s.pending.back().time, 2.f);
    EXPECT_FLOAT_EQ(s.pending.back().x, 4.f);
    ASSERT_TRUE(s.loadSelectedSpawners(0, {0, 2}, true));
    EXPECT_FLOAT_EQ(s.pending.back().time, 0.f);

    // No selection keeps what was pending; clear empties it and releases nothing more.
    s.clock = 5.f;
    s.loadSelectedSpawners(0, {}, false);
    EXPECT_EQ(s.pending.size(), 2u);
    EXPECT_FLOAT_EQ(s.clock, 5.f);
    s.clear();
    running.clear();
    s.update(100.f, running);
    EXPECT_TRUE(running.empty());
}

TEST(Spawner, FarOffDirectionsOfADamagedFileSpawnAndRun)
{
    std::string sequence = "RIGHT\n";
    for (int pattern = 0; pattern < PATTERN_ID_COUNT; ++pattern)
        for (const char* direction : {"3e9", "-3e9"})
            sequence += "SPAWNER1 POSITION 1900 500 DIRECTION " + std::string(direction) +
                        " SPAWN_TIMER 0 DELAY_TIMER 0.1 NB_MAX_ENEMY 2 PATTERN_ID " + std::to_string(pattern) + "\n";
    int walls = 0;
    play(LevelFolder(sequence), 120, 0.02f, {960.f, 540.f}, [&](const EnemyManager& enemies) {
        for (const auto& enemy : enemies.enemies) {
            if (enemy->getType() != enemy_type::WALL)
                continue;
            ++walls;
            EXPECT_GE(enemy->frame.left, 0.f);
            EXPECT_LE(enemy->frame.left, 450.f);
        }
    });
    EXPECT_GT(walls, 0);
}

TEST(Spawner, AHostileSequenceFileCannotFloodTheField)
{
    // A hundred spawners of a hundred shooters each, all due at once: a 10 KB file.
    std::string text = "UP\n";
    for (int n = 1; n <= 100; ++n)
        text += record(n, 960.f, 270.f, 0.f, 0.f, 100, pattern_id::SHOOTER);
    size_t most = 0;
    play(LevelFolder(text), 180, 1.f / 60.f, {960.f, 900.f},
         [&](const EnemyManager& enemies) { most = std::max(most, enemies.enemies.size()); });
    EXPECT_EQ(most, static_cast<size_t>(EnemyManager::MAX_LIVE_ENEMIES));
}
