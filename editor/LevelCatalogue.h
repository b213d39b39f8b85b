#pragma once
// The editor's view of the level index: how many sequences each level has, and
// the file work behind creating, deleting and renumbering sequences and levels.
#include <string>
#include <vector>

class LevelCatalogue {
public:
    // Reads folder + "LevelsData.txt"; a missing index gives no levels.
    explicit LevelCatalogue(std::string folder);

    int nbLevels() const { return static_cast<int>(sequenceCounts.size()); }
    std::string indexFileName() const;
    std::string sequenceFileName(int level, int sequence) const;

    // Rewrites the level index from the counts.
    bool writeIndex() const;
    // Adds a sequence to level (1-based) holding an empty "UP" sequence file;
    // returns its number, or 0 when the level does not exist or is full.
    int newSequence(int level);
    // Adds a level with one empty "UP" sequence; returns its number, or 0 when
    // the index is full.
    int newLevel();
    // Removes sequence (0-based) of level (0-based) and renumbers the files after
    // it; a level left without sequences is removed and the later levels move
    // down. False when the pair does not exist.
    bool deleteSequence(int level, int sequence);
    // The level and sequence (both 1-based) of a global sequence index; false
    // when the index lies outside the catalogue.
    bool locate(int globalIndex, int& level, int& sequence) const;

    std::string folder;
    std::vector<int> sequenceCounts; // sequences per level, index level - 1
};
