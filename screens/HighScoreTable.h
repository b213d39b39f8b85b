#pragma once
// The table of the ten best scores and its file: one "name score" row per line,
// best first, no line end after the last row.
#include <string>
#include <vector>

struct HighScoreEntry {
    int score = 0;
    std::string name;
};

namespace high_scores {
constexpr const char* TABLE_PATH = "2D/HighScores/HighScores.txt";
constexpr int TABLE_ROWS = 10;
constexpr const char* UNNAMED_ROW = "xxx";   // name of the rows that pad a short table
constexpr const char* NEW_ROW = "___";       // name of a row a player is about to name
constexpr size_t MAX_FILE_BYTES = 64 * 1024; // a table file is far smaller; the rest is ignored
constexpr size_t NAME_LENGTH = 3;            // what the name entry writes; longer names are cut
} // namespace high_scores

// The sort order of the table: true when a scored higher than b.
bool highScoreGreater(const HighScoreEntry& a, const HighScoreEntry& b);

// The rows of a table text (byte-order mark and CR LF line ends accepted). A line
// that is not exactly a name and a decimal integer (within the range of int) is
// skipped, as are blank lines and rows with a negative score (no run scores
// below 0). Names keep their printable ASCII characters (what the font draws),
// cut to NAME_LENGTH; a name with none left becomes "___".
std::vector<HighScoreEntry> parseHighScores(const std::string& text);

// Orders the rows best first (rows of equal score keep their order), keeps the
// best ten and pads with {0, "xxx"} up to ten.
void normaliseHighScores(std::vector<HighScoreEntry>& table);

// Reads the table file; a missing or unreadable file gives ten rows {0, "xxx"}.
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
