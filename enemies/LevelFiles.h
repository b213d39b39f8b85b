#pragma once
// The level index ("LevelsData.txt") and the level sequence files, as read and as written.
//
// Reading never fails hard: a file that does not open gives an empty result, a record
// with a bad or missing value is skipped (reading goes on with the next record), and
// out-of-range values are refused or clamped as documented below.
#include <string>
#include <vector>

// The first word of a sequence file: the direction the level scrolls.
namespace scroll_direction {
enum : int { UP = 0, DOWN = 1, LEFT = 2, RIGHT = 3 };
}
using ScrollDirection = int;
constexpr int SCROLL_DIRECTION_COUNT = 4;

// The word of a direction ("UP", "DOWN", "LEFT", "RIGHT"), or nullptr outside 0..3.
const char* scrollDirectionWord(int direction);
// The direction of a word, or -1 when the word is none of the four (in any letter case:
// "up" and "Up" can only mean UP).
int scrollDirectionFromWord(const std::string& word);

namespace level_files {

constexpr const char* CONFIG_FOLDER = "2D/Spawner/Config/";
constexpr const char* INDEX_FILE = "LevelsData.txt";
// Limits applied when files are read, so that a damaged file cannot make the game
// allocate without bound.
constexpr int MAX_LEVELS = 100;
constexpr int MAX_SEQUENCES_PER_LEVEL = 100;
// The most enemies one spawner releases: the spawner bounds NB_MAX_ENEMY when it
// releases a record; files and the editor keep the count as entered.
constexpr int MAX_ENEMIES_PER_SPAWNER = 100;
constexpr int PATTERN_COUNT = 28;

// folder + "LEVEL_<level>_SEQUENCE_<sequence>.txt" (both numbered from 1).
std::string sequenceFileName(int level, int sequence, const std::string& folder = CONFIG_FOLDER);

} // namespace level_files

struct LevelIndex {
    std::vector<int> sequenceCounts; // sequences per level, index level - 1
    int totalSequences = 0;          // sum of sequenceCounts
    // What the reader could not take exactly as written, one line each (also said
    // once on the error stream); empty when the index is clean. An index with
    // problems should not be written back from what was read.
    std::vector<std::string> problems;
};

// Reads a level index. "NB_LEVELS n" (0..MAX_LEVELS, larger is clamped) gives the
// number of levels (the last such line when there are several); "NB_SEQUENCE L c"
// sets level L's count (c clamped into 0..MAX_SEQUENCES_PER_LEVEL; the last line of
// a level wins), wherever it stands in the file. What is unambiguous is accepted
// and noted as a problem: keywords in another letter case or with a missing or
// extra final S, NB_SEQUENCE lines before NB_LEVELS. Lines naming no existing
// level, keywords without their numbers and other words are skipped and noted.
// A byte-order mark and CR LF line ends are accepted silently. A missing file
// gives no levels and is reported.
LevelIndex readLevelIndex(const std::string& path);
// "NB_LEVELS n", then "\nNB_SEQUENCE i c" per level; no final line break.
std::string formatLevelIndex(const std::vector<int>& sequenceCounts);
bool writeLevelIndex(const std::string& path, const std::vector<int>& sequenceCounts);

// One SPAWNER record of a sequence file, with the values as the file holds them
// (the level editor's SpawnerRecord adds its list colour).
struct SequenceRecord {
    float posX = 0.f, posY = 0.f; // POSITION: where the pattern starts, field pixels
    float direction = 0.f;        // DIRECTION: degrees counter-clockwise, y up
    float spawnTimer = 0.f;       // SPAWN_TIMER: seconds from the start of the sequence
    float delayTimer = 0.f;       // DELAY_TIMER: seconds between the enemies of the pattern
    int nbMaxEnemy = 0;           // NB_MAX_ENEMY
    int patternId = 0;            // PATTERN_ID
    std::string name;             // the token that opened the record ("SPAWNER1", ...)
};

struct SequenceFile {
    bool opened = false;
    int direction = -1; // ScrollDirection of the first word, -1 when it is not a direction word
    std::vector<SequenceRecord> records;
    // The lines (from 1, ascending) holding anything the reader did not take: dropped
    // records, stray words and numbers, comments. Writing the records back would lose them.
    std::vector<int> unreadLines;
};

// Reads a sequence file. A token holding any of the letters S, P, A, W, N, E, R, or
// starting with "spawner" in any case, opens a record of six labels with their values
// (the labels themselves are not compared). A record whose values are not all finite
// numbers, or that the file cuts short, is dropped and reading resumes at the token after
// its opening one. Records whose PATTERN_ID lies outside 0..27 are dropped; NB_MAX_ENEMY
// is kept as written (any int). What is unambiguous is read: the direction word in any
// case, a decimal comma ("1,5", but not "1,500"), UTF-16 text with its byte-order mark,
// a file whose first record has no direction word before it.
SequenceFile readSequenceFile(const std::string& path);
SequenceFile parseSequenceText(const std::string& text);
// "3 lines could not be read (lines 2, 5, 9)"; "" when every line was read.
std::string describeUnreadLines(const SequenceFile& file);
// The direction word and one numbered line per record whose pattern is within 0..27.
std::string formatSequenceFile(int direction, const std::vector<SequenceRecord>& records);
bool writeSequenceFile(const std::string& path, int direction, const std::vector<SequenceRecord>& records);
