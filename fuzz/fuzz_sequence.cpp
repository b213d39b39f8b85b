// Sequence files through the real spawner, spawn patterns and enemy manager:
// the input is level 1's only sequence, played for two seconds, then every one
// of its spawners released at once (the editor's preview) for two more.
// Properties: the live enemies stay within the manager's cap, no frame takes
// longer than FRAME_BOUND_SECONDS, and writing the records and reading them back
// gives the same text, every line of it read.
#include "FuzzSupport.h"

#include "app/Startup.h"
#include "enemies/EnemyManager.h"
#include "enemies/LevelFiles.h"
#include "enemies/SpawnPattern.h"
#include "enemies/Spawner.h"
#include "engine/Engine.h"

#include <ctime>
#include <numeric>

namespace {
// Processor time of this thread (other processes on the machine do not count).
constexpr double FRAME_BOUND_SECONDS = 0.25; // instrumented build; the release frame is far shorter

double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void play(Spawner& spawner, EnemyManager& manager, std::list<SpawnPattern>& running, int frames)
{
    const std::vector<sf::Vector2f> players = {{960.f, 900.f}};
    for (int f = 0; f < frames; ++f) {
        const double start = threadSeconds();
        spawner.update(1.f / 60.f, running);
        updateSpawnPatterns(running, 1.f / 60.f, manager, players);
        manager.update(1.f / 60.f, players);
        const double took = threadSeconds() - start;
        fuzz::require(manager.enemies.size() <= static_cast<size_t>(EnemyManager::MAX_LIVE_ENEMIES),
                      "live enemies within the cap");
        fuzz::require(took < FRAME_BOUND_SECONDS, "no frame over the bound");
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::enterGameTree();
    soundManager(); // loads every sound once, before any frame is timed
    fuzz::writeScratchFile(level_files::INDEX_FILE, "NB_LEVELS 1\nNB_SEQUENCE 1 1");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text = fuzz::asText(data, size);
    fuzz::writeScratchFile("LEVEL_1_SEQUENCE_1.txt", text);

    const SequenceFile file = parseSequenceText(text);
    const std::string written = formatSequenceFile(file.direction, file.records);
    const SequenceFile reread = parseSequenceText(written);
    fuzz::require(formatSequenceFile(reread.direction, reread.records) == written, "round trip equal");
    fuzz::require(reread.unreadLines.empty(), "what is written is read in full");

    static EnemyManager manager(engine().textures);
    manager.enemies.clear();
    std::list<SpawnPattern> running;
    Spawner spawner(fuzz::scratchFolder() + "/");
    spawner.loadSequence(0);
    play(spawner, manager, running, 120);
    std::vector<int> all(file.records.size());
    std::iota(all.begin(), all.end(), 0);
    spawner.loadSelectedSpawners(0, all, true);
    play(spawner, manager, running, 120);
    return 0;
}
