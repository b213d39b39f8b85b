#include "enemies/Spawner.h"

#include "engine/TextParse.h"
#include "platform/AssetPath.h"

#include <algorithm>

namespace {
// Walls scroll with the ground, which is timed at 25 frames where the file counts 24.
constexpr float WALL_TIME_FACTOR = 1.0416666f;
} // namespace

SpawnEntry spawnEntryFromRecord(const SequenceRecord& r)
{
    SpawnEntry e;
    e.x = r.posX;
    e.y = r.posY;
    e.angle = 360.f - r.direction;
    e.time = r.patternId == pattern_id::WALL ? r.spawnTimer * WALL_TIME_FACTOR : r.spawnTimer;
    e.interval = r.delayTimer;
    // A designer's count is kept in the file as entered; the game spawns at most this many.
    e.count = std::clamp(r.nbMaxEnemy, 0, level_files::MAX_ENEMIES_PER_SPAWNER);
    e.pattern = r.patternId;
    return e;
}

Spawner::Spawner(const std::string& configFolder)
{
    const LevelIndex index = readLevelIndex(configFolder + level_files::INDEX_FILE);
    sequenceCounts = index.sequenceCounts;
    levelCount = static_cast<int>(sequenceCounts.size());
    totalSequences = index.totalSequences;
    for (int level = 1; level <= levelCount; ++level)
        for (int s = 1; s <= sequenceCounts[level - 1]; ++s)
            sequenceNames.push_back(level_files::sequenceFileName(level, s, configFolder));
}

void Spawner::update(float dt, std::list<SpawnPattern>& running)
{
    clock += dt;
    for (auto it = pending.begin(); it != pending.end();) {
        if (it->time <= clock) {
            SpawnPattern p;
            p.elapsed = clock - it->time;
            p.interval = it->interval;
            p.count = it->count;
            p.pattern = it->pattern;
            p.point = {it->x, it->y};
            p.angle = it->angle;
            p.direction = scrollDirection;
            p.spawned = 0;
            running.push_back(p);
            it = pending.erase(it);
        } else {
            ++it;
        }
    }
}

int Spawner::getSequenceIndex(int level, int sequence) const
{
    if (level < 1 || level > levelCount || sequence < 1 || sequence > sequenceCounts[level - 1])
        return -1;
    int index = 0;
    for (int l = 0; l < level - 1; ++l)
        index += sequenceCounts[l];
    return index + sequence - 1;
}

bool Spawner::readSequence(int index, SequenceFile& file)
{
    if (index < 0 || index >= static_cast<int>(sequenceNames.size()))
        return false;
    const std::string& name = sequenceNames[static_cast<size_t>(index)];
    file = readSequenceFile(name);
    // Said once per file and problem, however often the sequence is played.
    if (!file.opened)
        reportUnreadableDataFile(resolveAssetPath(name));
    else if (!file.unreadLines.empty())
        reportDataFileProblem(resolveAssetPath(name), describeUnreadLines(file) + "; the sequence plays without " +
                                                          (file.unreadLines.size() == 1 ? "it" : "them"));
    return file.opened;
}

void Spawner::applyDirection(const SequenceFile& file, const DirectionSink& game)
{
    if (file.direction >= 0)
        scrollDirection = file.direction;
    if (game)
        game(scrollDirection);
}

bool Spawner::loadSequence(int index, const DirectionSink& game)
{
    return loadFrom(index, 0.f, false, game);
}

bool Spawner::loadSequenceFrom(int index, float startTime, const DirectionSink& game)
{
    return loadFrom(index, startTime, true, game);
}

bool Spawner::loadFrom(int index, float startTime, bool skipEarlier, const DirectionSink& game)
{
    currentSequence = index;
    clock = startTime;
    pending.clear();
    SequenceFile file;
    if (!readSequence(index, file))
        return false;
    applyDirection(file, game);
    for (const SequenceRecord& r : file.records)
        if (!skipEarlier || r.spawnTimer >= startTime)
            pending.push_back(spawnEntryFromRecord(r));
    return true;
}

bool Spawner::loadSelectedSpawners(int index, std::vector<int> ordinals, bool allAtZero, const DirectionSink& game)
{
    currentSequence = index;
    if (ordinals.empty())
        return false;
    clock = 0.f;
    pending.clear();
    SequenceFile file;
    if (!readSequence(index, file))
        return false;
    applyDirection(file, game);
    size_t next = 0;
    for (size_t n = 0; n < file.records.size() && next < ordinals.size(); ++n)
        if (static_cast<int>(n) == ordinals[next]) {
            pending.push_back(spawnEntryFromRecord(file.records[n]));
            ++next;
        }
    if (pending.empty())
        return true;
    const float first = pending.front().time;
    for (SpawnEntry& e : pending)
        e.time = allAtZero ? 0.f : e.time - first;
    return true;
}

void Spawner::clear() { pending.clear(); }
