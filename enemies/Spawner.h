#pragma once
// Turns the level files into timed spawn events: reads the level index at construction,
// loads a sequence's spawner records on request and releases each one as a running
// spawn pattern when its time has come.
#include "enemies/LevelFiles.h"
#include "enemies/SpawnPattern.h"

#include <functional>
#include <list>
#include <string>
#include <vector>

// One spawner record waiting for its time.
struct SpawnEntry {
    float x = 0.f, y = 0.f;
    float angle = 0.f;    // 360 - DIRECTION: degrees, y down
    float time = 0.f;     // SPAWN_TIMER, stretched by 25/24 for walls
    float interval = 0.f; // DELAY_TIMER
    int count = 0;
    int pattern = 0;
};

class Spawner {
public:
    // Receives the scroll direction of a sequence that has been read, so that the game
    // can turn itself and its players' ships to it.
    using DirectionSink = std::function<void(int direction)>;

    explicit Spawner(const std::string& configFolder = level_files::CONFIG_FOLDER);

    // Advances the clock and moves every due entry, in file order, to the end of running.
    void update(float dt, std::list<SpawnPattern>& running);
    // Global index of sequence `sequence` of level `level` (both from 1); -1 when either
    // lies outside the level index.
    int getSequenceIndex(int level, int sequence) const;
    // Loads a sequence by global index; false when it has no file or the file does not open.
    bool loadSequence(int index, const DirectionSink& game = {});
    // As loadSequence, with the clock at startTime and only the records due from then on.
    bool loadSequenceFrom(int index, float startTime, const DirectionSink& game = {});
    // Loads only the records whose ordinals (ascending, from 0) are listed; the first kept
    // one is due at once (allAtZero: all of them are).
    bool loadSelectedSpawners(int index, std::vector<int> ordinals, bool allAtZero, const DirectionSink& game = {});
    void clear();

    int totalSequences = 0;
    int levelCount = 0;
    std::vector<int> sequenceCounts;
    float clock = 0.f;
    std::list<SpawnEntry> pending;
    std::vector<std::string> sequenceNames;
    int currentSequence = 0;
    int scrollDirection = scroll_direction::RIGHT;

private:
    bool loadFrom(int index, float startTime, bool skipEarlier, const DirectionSink& game);
    bool readSequence(int index, SequenceFile& file);
    void applyDirection(const SequenceFile& file, const DirectionSink& game);
};

// The spawn entry a record of a sequence file becomes (its count bounded to
// 0..MAX_ENEMIES_PER_SPAWNER).
SpawnEntry spawnEntryFromRecord(const SequenceRecord& record);
