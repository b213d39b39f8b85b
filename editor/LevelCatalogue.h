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

    // Rewrites the level index from the counts. Only the operations below call
    // it: an index is never rewritten just because the editor read it.
    bool writeIndex() const;
    // Adds a sequence to level (1-based) holding an empty "UP" sequence file, and
    // writes the index; returns its number, or 0 when the level does not exist,
    // is full or the files could not be written (the catalogue then stays as it was).
    int newSequence(int level);
    // Adds a level with one empty "UP" sequence and writes the index; returns its
    // number, or 0 when the index is full or the files could not be written.
    int newLevel();
    // Removes sequence (0-based) of level (0-based), renumbers the files after
    // it and writes the index; a level left without sequences is removed and the
    // later levels move down. False when the pair does not exist, when the file
    // could not be removed (nothing changed) or when a later step failed (the
    // counts then follow the files that did change).
    bool deleteSequence(int level, int sequence);
    // The level and sequence (both 1-based) of a global sequence index; false
    // when the index lies outside the catalogue.
    bool locate(int globalIndex, int& level, int& sequence) const;

    std::string folder;
    std::vector<int> sequenceCounts; // sequences per level, index level - 1
};
