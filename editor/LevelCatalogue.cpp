#include "editor/LevelCatalogue.h"

#include "platform/AtomicFile.h"
#include "enemies/LevelFiles.h"
#include "platform/AssetPath.h"

#include <cstdio>

namespace {

const char* const EMPTY_SEQUENCE = "UP\n";

// Missing files are skipped: the renumbering goes on without them.
void moveFile(const std::string& from, const std::string& to)
{
    std::rename(resolveAssetPath(from).c_str(), to.c_str());
}

} // namespace

LevelCatalogue::LevelCatalogue(std::string folderName) : folder(std::move(folderName))
{
    sequenceCounts = readLevelIndex(indexFileName()).sequenceCounts;
}

std::string LevelCatalogue::indexFileName() const { return folder + level_files::INDEX_FILE; }

std::string LevelCatalogue::sequenceFileName(int level, int sequence) const
{
    return level_files::sequenceFileName(level, sequence, folder);
}

bool LevelCatalogue::writeIndex() const { return writeFileAtomically(indexFileName(), formatLevelIndex(sequenceCounts)); }

int LevelCatalogue::newSequence(int level)
{
    if (level < 1 || level > nbLevels() || sequenceCounts[level - 1] >= level_files::MAX_SEQUENCES_PER_LEVEL)
        return 0;
    const int count = ++sequenceCounts[level - 1];
    writeFileAtomically(sequenceFileName(level, count), EMPTY_SEQUENCE);
    return count;
}

int LevelCatalogue::newLevel()
{
    if (nbLevels() >= level_files::MAX_LEVELS)
        return 0;
    sequenceCounts.push_back(1);
    writeFileAtomically(sequenceFileName(nbLevels(), 1), EMPTY_SEQUENCE);
    return nbLevels();
}

bool LevelCatalogue::deleteSequence(int levelIndex, int sequenceIndex)
{
    if (levelIndex < 0 || levelIndex >= nbLevels() || sequenceIndex < 0 ||
        sequenceIndex >= sequenceCounts[levelIndex])
        return false;
    const int level = levelIndex + 1;
    const int removed = sequenceIndex + 1;
    std::remove(resolveAssetPath(sequenceFileName(level, removed)).c_str());
    for (int k = removed + 1; k <= sequenceCounts[levelIndex]; ++k)
        moveFile(sequenceFileName(level, k), sequenceFileName(level, k - 1));
    --sequenceCounts[levelIndex];
    if (sequenceCounts[levelIndex] == 0) {
        for (int m = level + 1; m <= nbLevels(); ++m)
            for (int k = 1; k <= sequenceCounts[m - 1]; ++k)
                moveFile(sequenceFileName(m, k), sequenceFileName(m - 1, k));
        sequenceCounts.erase(sequenceCounts.begin() + levelIndex);
    }
    return true;
}

bool LevelCatalogue::locate(int globalIndex, int& level, int& sequence) const
{
    if (globalIndex < 0)
        return false;
    int first = 0;
    for (int l = 0; l < nbLevels(); ++l) {
        if (globalIndex < first + sequenceCounts[l]) {
            level = l + 1;
            sequence = globalIndex - first + 1;
            return true;
        }
        first += sequenceCounts[l];
    }
    return false;
}
