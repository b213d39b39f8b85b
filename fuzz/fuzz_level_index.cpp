// The level index ("LevelsData.txt"): read by the game's reader and by the
// spawner. Properties: counts within the limits, the total is their sum, the
// spawner lists one file per sequence, and writing the index and reading it back
// gives the same counts.
#include "FuzzSupport.h"

#include "enemies/LevelFiles.h"
#include "enemies/Spawner.h"

#include <numeric>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::enterGameTree();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = fuzz::writeScratchFile(level_files::INDEX_FILE, fuzz::asText(data, size));
    const LevelIndex index = readLevelIndex(path);
    fuzz::require(index.sequenceCounts.size() <= static_cast<size_t>(level_files::MAX_LEVELS), "a bounded level count");
    for (int c : index.sequenceCounts)
        fuzz::require(c >= 0 && c <= level_files::MAX_SEQUENCES_PER_LEVEL, "bounded sequence counts");
    fuzz::require(index.totalSequences == std::accumulate(index.sequenceCounts.begin(), index.sequenceCounts.end(), 0),
                  "the total is the sum of the counts");

    const Spawner spawner(fuzz::scratchFolder() + "/");
    fuzz::require(spawner.sequenceCounts == index.sequenceCounts, "the spawner reads the same index");
    fuzz::require(spawner.sequenceNames.size() == static_cast<size_t>(index.totalSequences), "one file per sequence");

    const std::string copy = fuzz::scratchFolder() + "/copy.txt";
    fuzz::require(writeLevelIndex(copy, index.sequenceCounts), "the index can be written");
    fuzz::require(readLevelIndex(copy).sequenceCounts == index.sequenceCounts, "round trip equal");
    return 0;
}
