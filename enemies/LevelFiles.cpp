#include "enemies/LevelFiles.h"

#include "engine/TextParse.h"
#include "platform/AssetPath.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>

namespace {

const char* const DIRECTION_WORDS[SCROLL_DIRECTION_COUNT] = {"UP", "DOWN", "LEFT", "RIGHT"};

// A word of a data file and the line (from 1) it stands on.
struct Token {
    std::string text;
    int line = 1;
};

std::vector<Token> tokenizeLines(const std::string& text)
{
    std::vector<Token> tokens;
    int line = 1;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        while (i < n && std::isspace(static_cast<unsigned char>(text[i])))
            line += text[i++] == '\n' ? 1 : 0;
        size_t start = i;
        while (i < n && !std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        if (i > start)
            tokens.push_back({text.substr(start, i - start), line});
    }
    return tokens;
}

std::vector<std::string> tokenize(const std::string& text)
{
    std::vector<std::string> words;
    for (Token& t : tokenizeLines(text))
        words.push_back(std::move(t.text));
    return words;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool allDigits(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

// A decimal number as stream extraction reads it: sign, digits, optional fraction and
// exponent. The whole token must be the number.
bool parsePointNumber(const std::string& token, float& out)
{
    size_t i = 0;
    const size_t n = token.size();
    if (i < n && (token[i] == '+' || token[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < n && isDigit(token[i]))
        ++i, ++digits;
    if (i < n && token[i] == '.') {
        ++i;
        while (i < n && isDigit(token[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n && (token[i] == 'e' || token[i] == 'E')) {
        ++i;
        if (i < n && (token[i] == '+' || token[i] == '-'))
            ++i;
        size_t expDigits = 0;
        while (i < n && isDigit(token[i]))
            ++i, ++expDigits;
        if (expDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    const double v = std::strtod(token.c_str(), nullptr);
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max())
        return false;
    out = static_cast<float>(v);
    return true;
}

// A number written with a decimal comma ("1,5", "-0,25"), with the comma made a point.
// Three digits after a comma that follows anything but zeros ("1,500") could as well
// group thousands, so such a token is not a number.
bool decimalCommaAsPoint(std::string& token)
{
    const size_t comma = token.find(',');
    if (comma == std::string::npos || token.find_first_of(",.", comma + 1) != std::string::npos ||
        token.find('.') != std::string::npos)
        return false;
    const size_t start = token[0] == '+' || token[0] == '-' ? 1 : 0;
    const std::string whole = token.substr(start, comma - start), fraction = token.substr(comma + 1);
    if (!allDigits(whole) || !allDigits(fraction))
        return false;
    if (fraction.size() == 3 && whole.find_first_not_of('0') != std::string::npos)
        return false;
    token[comma] = '.';
    return true;
}

bool parseFloat(const std::string& token, float& out)
{
    if (parsePointNumber(token, out))
        return true;
    std::string pointed = token;
    return decimalCommaAsPoint(pointed) && parsePointNumber(pointed, out);
}

bool parseInt(const std::string& token, int& out)
{
    size_t i = 0;
    if (i < token.size() && (token[i] == '+' || token[i] == '-'))
        ++i;
    if (i == token.size())
        return false;
    for (size_t k = i; k < token.size(); ++k)
        if (!isDigit(token[k]))
            return false;
    errno = 0;
    const long long v = std::strtoll(token.c_str(), nullptr, 10);
    if (errno == ERANGE || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    out = static_cast<int>(v);
    return true;
}

std::string upperCase(std::string word)
{
    for (char& c : word)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return word;
}

bool opensRecord(const std::string& token)
{
    return token.find_first_of("SPAWNER") != std::string::npos || upperCase(token).rfind("SPAWNER", 0) == 0;
}

// Reads the thirteen tokens after a record's opening token; `next` is the token after the
// record, or, when the record fails, the token after its opening one, so that a record
// swallowed by a stray word is still found.
bool parseRecord(const std::vector<Token>& t, size_t open, SequenceRecord& r, size_t& next)
{
    size_t i = open + 1;
    auto label = [&]() {
        if (i >= t.size())
            return false;
        ++i;
        return true;
    };
    auto number = [&](float& v) {
        if (i >= t.size() || !parseFloat(t[i].text, v))
            return false;
        ++i;
        return true;
    };
    auto integer = [&](int& v) {
        if (i >= t.size() || !parseInt(t[i].text, v))
            return false;
        ++i;
        return true;
    };
    r.name = t[open].text;
    const bool ok = label() && number(r.posX) && number(r.posY) && label() && number(r.direction) && label() &&
                    number(r.spawnTimer) && label() && number(r.delayTimer) && label() && integer(r.nbMaxEnemy) && label() &&
                    integer(r.patternId);
    next = ok ? i : open + 1;
    return ok;
}

// The lines of the tokens that were not taken, each once, ascending.
std::vector<int> linesNotTaken(const std::vector<Token>& t, const std::vector<bool>& taken)
{
    std::vector<int> lines;
    for (size_t i = 0; i < t.size(); ++i)
        if (!taken[i] && (lines.empty() || lines.back() != t[i].line))
            lines.push_back(t[i].line);
    return lines;
}

// The shortest text that reads back as the same float ("0.1041667", not
// "0.104167"), so that saving a file never alters a value nobody edited.
std::string formatFloat(float v)
{
    char text[32];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, v);
    return std::string(text, end.ptr);
}

enum class IndexKeyword { None, Levels, Sequence };

// The keyword a word stands for: the exact spelling, or one that differs only in
// letter case or a missing or extra final S (nothing else could be meant).
IndexKeyword indexKeywordOf(const std::string& word)
{
    const std::string upper = upperCase(word);
    if (upper == "NB_LEVELS" || upper == "NB_LEVEL")
        return IndexKeyword::Levels;
    if (upper == "NB_SEQUENCE" || upper == "NB_SEQUENCES")
        return IndexKeyword::Sequence;
    return IndexKeyword::None;
}

const char* exactSpelling(IndexKeyword keyword) { return keyword == IndexKeyword::Levels ? "NB_LEVELS" : "NB_SEQUENCE"; }

// Collects what the index reader could not take as written, within a bound.
struct IndexProblems {
    static constexpr size_t MAX_LISTED = 12;
    std::vector<std::string>& list;
    size_t unlisted = 0;
    void note(std::string problem)
    {
        if (std::find(list.begin(), list.end(), problem) != list.end())
            return;
        if (list.size() < MAX_LISTED)
            list.push_back(std::move(problem));
        else
            ++unlisted;
    }
};

struct SequenceLine {
    int level = 0;
    int count = 0;
};

// Reads the keywords and their numbers in any order.
void scanLevelIndex(const std::vector<std::string>& t, std::vector<int>& levelLines,
                    std::vector<SequenceLine>& sequenceLines, IndexProblems& problems)
{
    for (size_t i = 0; i < t.size(); ++i) {
        const IndexKeyword keyword = indexKeywordOf(t[i]);
        if (keyword == IndexKeyword::None) {
            problems.note("unknown word \"" + t[i].substr(0, 40) + "\" skipped");
            continue;
        }
        if (t[i] != exactSpelling(keyword))
            problems.note("\"" + t[i] + "\" read as " + exactSpelling(keyword));
        int n = 0, level = 0, count = 0;
        if (keyword == IndexKeyword::Levels && i + 1 < t.size() && parseInt(t[i + 1], n)) {
            levelLines.push_back(n);
            i += 1;
        } else if (keyword == IndexKeyword::Sequence && i + 2 < t.size() && parseInt(t[i + 1], level)
                   && parseInt(t[i + 2], count)) {
            if (levelLines.empty())
                problems.note("NB_SEQUENCE " + t[i + 1] + " comes before NB_LEVELS");
            sequenceLines.push_back({level, count});
            i += 2;
        } else {
            problems.note(std::string(exactSpelling(keyword)) + " without its numbers skipped");
        }
    }
}

int levelCountOf(const std::vector<int>& levelLines, IndexProblems& problems)
{
    if (levelLines.empty()) {
        problems.note("no NB_LEVELS line: no levels");
        return 0;
    }
    if (levelLines.size() > 1)
        problems.note("NB_LEVELS given " + std::to_string(levelLines.size()) + " times; the last one ("
                      + std::to_string(levelLines.back()) + ") is used");
    const int n = std::clamp(levelLines.back(), 0, level_files::MAX_LEVELS);
    if (n != levelLines.back())
        problems.note("NB_LEVELS " + std::to_string(levelLines.back()) + " taken as " + std::to_string(n));
    return n;
}

void applySequenceLines(const std::vector<SequenceLine>& lines, std::vector<int>& counts, IndexProblems& problems)
{
    std::vector<bool> named(counts.size(), false);
    for (const SequenceLine& line : lines) {
        const std::string level = std::to_string(line.level);
        if (line.level < 1 || line.level > static_cast<int>(counts.size())) {
            problems.note("NB_SEQUENCE names level " + level + ", which the index does not have");
            continue;
        }
        const size_t slot = static_cast<size_t>(line.level - 1);
        if (named[slot])
            problems.note("level " + level + " is given more than once; its last count is used");
        named[slot] = true;
        counts[slot] = std::clamp(line.count, 0, level_files::MAX_SEQUENCES_PER_LEVEL);
        if (counts[slot] != line.count)
            problems.note("level " + level + ": " + std::to_string(line.count) + " sequences taken as "
                          + std::to_string(counts[slot]));
    }
}

} // namespace

const char* scrollDirectionWord(int direction)
{
    if (direction < 0 || direction >= SCROLL_DIRECTION_COUNT)
        return nullptr;
    return DIRECTION_WORDS[direction];
}

int scrollDirectionFromWord(const std::string& word)
{
    const std::string upper = upperCase(word);
    for (int d = 0; d < SCROLL_DIRECTION_COUNT; ++d)
        if (upper == DIRECTION_WORDS[d])
            return d;
    return -1;
}

std::string level_files::sequenceFileName(int level, int sequence, const std::string& folder)
{
    return folder + "LEVEL_" + std::to_string(level) + "_SEQUENCE_" + std::to_string(sequence) + ".txt";
}

LevelIndex readLevelIndex(const std::string& path)
{
    LevelIndex index;
    const std::string file = resolveAssetPath(path);
    std::string text;
    if (!readTextFile(file, text)) {
        reportUnreadableDataFile(file);
        return index;
    }
    std::vector<int> levelLines;
    std::vector<SequenceLine> sequenceLines;
    IndexProblems problems{index.problems};
    scanLevelIndex(tokenize(text), levelLines, sequenceLines, problems);
    index.sequenceCounts.assign(static_cast<size_t>(levelCountOf(levelLines, problems)), 0);
    applySequenceLines(sequenceLines, index.sequenceCounts, problems);
    if (problems.unlisted > 0)
        problems.list.push_back("and " + std::to_string(problems.unlisted) + " more problems");
    for (int c : index.sequenceCounts)
        index.totalSequences += c;
    for (const std::string& problem : index.problems)
        reportDataFileProblem(file, "level index: " + problem);
    return index;
}

std::string formatLevelIndex(const std::vector<int>& sequenceCounts)
{
    std::string text = "NB_LEVELS " + std::to_string(sequenceCounts.size());
    for (size_t i = 0; i < sequenceCounts.size(); ++i)
        text += "\nNB_SEQUENCE " + std::to_string(i + 1) + " " + std::to_string(sequenceCounts[i]);
    return text;
}

bool writeLevelIndex(const std::string& path, const std::vector<int>& sequenceCounts)
{
    return writeFileAtomically(path, formatLevelIndex(sequenceCounts));
}

SequenceFile parseSequenceText(const std::string& text)
{
    SequenceFile file;
    file.opened = true;
    // Text a Windows editor saved as UTF-16 is read as UTF-8; a broken code unit
    // becomes U+FFFD, which no value reads as.
    std::string body = text;
    decodeUtf16Text(body);
    stripByteOrderMark(body);
    const std::vector<Token> t = tokenizeLines(body);
    std::vector<bool> taken(t.size(), false);
    size_t i = 0;
    while (i < t.size()) {
        // The direction word comes first; a comment line before it does not hide it.
        const bool startsLine = i == 0 || t[i - 1].line != t[i].line;
        if (file.direction < 0 && file.records.empty() && startsLine && scrollDirectionFromWord(t[i].text) >= 0) {
            file.direction = scrollDirectionFromWord(t[i].text);
            taken[i++] = true;
            continue;
        }
        if (!opensRecord(t[i].text)) {
            ++i;
            continue;
        }
        SequenceRecord r;
        size_t next = i + 1;
        if (parseRecord(t, i, r, next) && r.patternId >= 0 && r.patternId < level_files::PATTERN_COUNT) {
            file.records.push_back(r);
            std::fill(taken.begin() + static_cast<std::ptrdiff_t>(i), taken.begin() + static_cast<std::ptrdiff_t>(next), true);
        }
        i = next;
    }
    file.unreadLines = linesNotTaken(t, taken);
    return file;
}

std::string describeUnreadLines(const SequenceFile& file)
{
    constexpr size_t MOST_LISTED = 10;
    const std::vector<int>& lines = file.unreadLines;
    if (lines.empty())
        return "";
    std::string text = std::to_string(lines.size()) + (lines.size() == 1 ? " line" : " lines") +
                       " could not be read (line" + (lines.size() == 1 ? " " : "s ");
    for (size_t k = 0; k < lines.size() && k < MOST_LISTED; ++k)
        text += (k > 0 ? ", " : "") + std::to_string(lines[k]);
    return text + (lines.size() > MOST_LISTED ? ", ...)" : ")");
}

SequenceFile readSequenceFile(const std::string& path)
{
    std::string text;
    if (!readTextFile(resolveAssetPath(path), text))
        return SequenceFile{};
    return parseSequenceText(text);
}

std::string formatSequenceFile(int direction, const std::vector<SequenceRecord>& records)
{
    const char* word = scrollDirectionWord(direction);
    std::string text = std::string(word ? word : DIRECTION_WORDS[scroll_direction::RIGHT]) + "\n";
    int number = 0;
    for (const SequenceRecord& r : records) {
        if (r.patternId < 0 || r.patternId >= level_files::PATTERN_COUNT)
            continue;
        text += "SPAWNER" + std::to_string(++number) + " POSITION " + formatFloat(r.posX) + " " + formatFloat(r.posY) +
                " DIRECTION " + formatFloat(r.direction) + " SPAWN_TIMER " + formatFloat(r.spawnTimer) +
                " DELAY_TIMER " + formatFloat(r.delayTimer) + " NB_MAX_ENEMY " + std::to_string(r.nbMaxEnemy) +
                " PATTERN_ID " + std::to_string(r.patternId) + "\n";
    }
    return text;
}

bool writeSequenceFile(const std::string& path, int direction, const std::vector<SequenceRecord>& records)
{
    return writeFileAtomically(path, formatSequenceFile(direction, records));
}
