#include "editor/LevelCatalogue.h"

#include "platform/AtomicFile.h"
#include "enemies/LevelFiles.h"
#include "platform/AssetPath.h"

#include <cerrno>
#include <cstdio>

namespace {

const char* const EMPTY_SEQUENCE = "UP\n";

// A file that is already missing counts as moved or removed: the renumbering
// goes on without it.
bool moveFile(const std::string& from, const std::string& to)
{
    return std::rename(resolveAssetPath(from).c_str(), resolveAssetPath(to).c_str()) == 0 || errno == ENOENT;
}

bool removeFile(const std::string& path) { return std::remove(resolveAssetPath(path).c_str()) == 0 || errno == ENOENT; }

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
    const int created = sequenceCounts[level - 1] + 1;
    if (!writeFileAtomically(sequenceFileName(level, created), EMPTY_SEQUENCE))
        return 0;
    ++sequenceCounts[level - 1];
    if (writeIndex())
        return created;
    --sequenceCounts[level - 1];
    removeFile(sequenceFileName(level, created));
    return 0;
}

int LevelCatalogue::newLevel()
{
    if (nbLevels() >= level_files::MAX_LEVELS)
        return 0;
    const int created = nbLevels() + 1;
    if (!writeFileAtomically(sequenceFileName(created, 1), EMPTY_SEQUENCE))
        return 0;
    sequenceCounts.push_back(1);
    if (writeIndex())
        return created;
    sequenceCounts.pop_back();
    removeFile(sequenceFileName(created, 1));
    return 0;
}

bool LevelCatalogue::deleteSequence(int levelIndex, int sequenceIndex)
{
    if (levelIndex < 0 || levelIndex >= nbLevels() || sequenceIndex < 0 ||
        sequenceIndex >= sequenceCounts[levelIndex])
        return false;
    const int level = levelIndex + 1;
    const int removed = sequenceIndex + 1;
    if (!removeFile(sequenceFileName(level, removed)))
        return false; // nothing changed
    // From here the files have changed: the counts follow them even when a later step fails.
    bool moved = true;
    for (int k = removed + 1; k <= sequenceCounts[levelIndex]; ++k)
        moved = moveFile(sequenceFileName(level, k), sequenceFileName(level, k - 1)) && moved;
    --sequenceCounts[levelIndex];
    if (sequenceCounts[levelIndex] == 0) {
        for (int m = level + 1; m <= nbLevels(); ++m)
            for (int k = 1; k <= sequenceCounts[m - 1]; ++k)
                moved = moveFile(sequenceFileName(m, k), sequenceFileName(m - 1, k)) && moved;
        sequenceCounts.erase(sequenceCounts.begin() + levelIndex);
    }
    return writeIndex() && moved;
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
