#pragma once
// The table of the ten best scores and its file: one "name score" row per line,
// best first, no line end after the last row.
#include <string>
#include <vector>

struct HighScoreEntry {
    int score = 0;
    std::string name;
};
bool operator==(const HighScoreEntry& a, const HighScoreEntry& b);

namespace high_scores {
constexpr const char* TABLE_PATH = "2D/HighScores/HighScores.txt";
constexpr int TABLE_ROWS = 10;
constexpr const char* UNNAMED_ROW = "xxx";   // name of the rows that pad a short table
constexpr const char* NEW_ROW = "___";       // name of a row a player is about to name
constexpr size_t MAX_FILE_BYTES = 64 * 1024; // a table file is far smaller; the rest is not read
constexpr size_t NAME_LENGTH = 3;            // what the name entry writes; longer names are cut
} // namespace high_scores

// The sort order of the table: true when a scored higher than b.
bool highScoreGreater(const HighScoreEntry& a, const HighScoreEntry& b);

// The rows of a table text: UTF-8 or UTF-16 with a byte-order mark, any line
// ends. A row is a name (words, even several) and a score: a decimal number with
// an optional sign and fraction. A fraction is dropped and a score beyond int
// kept as INT_MAX; a line that is no such row, and a row with a negative score
// (no run scores below 0), is left out. Names keep their printable ASCII
// characters (what the font draws), cut to NAME_LENGTH; a name with none left
// becomes "___".
std::vector<HighScoreEntry> parseHighScores(const std::string& text);

// Orders the rows best first (rows of equal score keep their order), keeps the
// best ten and pads with {0, "xxx"} up to ten.
void normaliseHighScores(std::vector<HighScoreEntry>& table);

// Reads the table file (as HighScoreFile does); a missing or unreadable file
// gives ten rows {0, "xxx"}.
std::vector<HighScoreEntry> readHighScoreTable(const std::string& path);

// The file text of a table: each row as name, a blank and the score, rows
// separated by a line end, none after the last.
std::string formatHighScores(const std::vector<HighScoreEntry>& table);

// Writes the table through a temporary file flushed to disk and renamed over
// the old one, so a failed write or a power cut leaves the old file whole.
// False when nothing was replaced.
bool writeHighScoreTable(const std::string& path, const std::vector<HighScoreEntry>& table);

// Enters each new score in turn as a row named "___" below the rows of equal or
// better score, dropping the last row. Returns, per score, the row its own
// insertion produced (kept up to date as later scores push it down), or -1
// when the score did not enter the table.
std::vector<int> insertNewScores(std::vector<HighScoreEntry>& table, const std::vector<unsigned>& scores);

// The table file as the high-score screen keeps it. Reading notes what of the
// file could not be taken as written; before the first rewrite of such a table
// the file as it was is kept beside it, so a player's table is never lost to a
// row the game did not understand.
class HighScoreFile {
public:
    // Reads the table (ten rows, best first); what could not be taken as written
    // is said once on the error stream.
    explicit HighScoreFile(std::string path);

    const std::vector<HighScoreEntry>& rows() const { return stored_; }
    // What of the file could not be taken as written, for the error stream; empty
    // when every row was read as written.
    const std::string& losses() const { return losses_; }
    // The name under which the file as it was is kept, once it has been.
    const std::string& keptCopy() const { return keptCopy_; }

    // Stores the table. Nothing is written when the file already holds it. A table
    // not read in full is first kept beside the file (the error stream says what
    // was lost and where the copy is); when no copy can be made, or the player
    // made the file read-only, nothing is written. False when the file does not
    // hold the table afterwards.
    bool store(const std::vector<HighScoreEntry>& table);

private:
    std::string path_;
    std::vector<HighScoreEntry> stored_; // the rows the file holds
    std::string losses_;
    std::string keptCopy_;
};
