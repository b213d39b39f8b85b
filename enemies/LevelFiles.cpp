#include "enemies/LevelFiles.h"

#include "platform/AssetPath.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>

namespace {

const char* const DIRECTION_WORDS[SCROLL_DIRECTION_COUNT] = {"UP", "DOWN", "LEFT", "RIGHT"};

std::vector<std::string> tokenize(const std::string& text)
{
    std::vector<std::string> tokens;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        while (i < n && std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        size_t start = i;
        while (i < n && !std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        if (i > start)
            tokens.emplace_back(text, start, i - start);
    }
    return tokens;
}

bool readWholeFile(const std::string& path, std::string& text)
{
    std::ifstream in(resolveAssetPath(path), std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number as stream extraction reads it: sign, digits, optional fraction and
// exponent. The whole token must be the number.
bool parseFloat(const std::string& token, float& out)
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

bool opensRecord(const std::string& token) { return token.find_first_of("SPAWNER") != std::string::npos; }

// Reads the thirteen tokens after a record's opening token; `next` is the token after the
// record, or, when the record fails, the token after its opening one, so that a record
// swallowed by a stray word is still found.
bool parseRecord(const std::vector<std::string>& t, size_t open, SequenceRecord& r, size_t& next)
{
    size_t i = open + 1;
    auto label = [&]() {
        if (i >= t.size())
            return false;
        ++i;
        return true;
    };
    auto number = [&](float& v) {
        if (i >= t.size() || !parseFloat(t[i], v))
            return false;
        ++i;
        return true;
    };
    auto integer = [&](int& v) {
        if (i >= t.size() || !parseInt(t[i], v))
            return false;
        ++i;
        return true;
    };
    r.name = t[open];
    const bool ok = label() && number(r.posX) && number(r.posY) && label() && number(r.direction) && label() &&
                    number(r.spawnTimer) && label() && number(r.delayTimer) && label() && integer(r.nbMaxEnemy) && label() &&
                    integer(r.patternId);
    next = ok ? i : open + 1;
    return ok;
}

// The shortest text that reads back as the same float ("0.1041667", not
// "0.104167"), so that saving a file never alters a value nobody edited.
std::string formatFloat(float v)
{
    char text[32];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, v);
    return std::string(text, end.ptr);
}

bool writeText(const std::string& path, const std::string& text)
{
    std::ofstream out(resolveAssetPath(path), std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out << text;
    return static_cast<bool>(out);
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
    for (int d = 0; d < SCROLL_DIRECTION_COUNT; ++d)
        if (word == DIRECTION_WORDS[d])
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
    std::string text;
    if (!readWholeFile(path, text))
        return index;
    const std::vector<std::string> t = tokenize(text);
    for (size_t i = 0; i < t.size(); ++i) {
        int n = 0, level = 0, count = 0;
        if (t[i] == "NB_LEVELS" && i + 1 < t.size() && parseInt(t[i + 1], n)) {
            index.sequenceCounts.assign(static_cast<size_t>(std::clamp(n, 0, level_files::MAX_LEVELS)), 0);
            ++i;
        } else if (t[i] == "NB_SEQUENCE" && i + 2 < t.size() && parseInt(t[i + 1], level) &&
                   parseInt(t[i + 2], count)) {
            if (level >= 1 && level <= static_cast<int>(index.sequenceCounts.size()))
                index.sequenceCounts[level - 1] = std::clamp(count, 0, level_files::MAX_SEQUENCES_PER_LEVEL);
            i += 2;
        }
    }
    for (int c : index.sequenceCounts)
        index.totalSequences += c;
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
    return writeText(path, formatLevelIndex(sequenceCounts));
}

SequenceFile parseSequenceText(const std::string& text)
{
    SequenceFile file;
    file.opened = true;
    const std::vector<std::string> t = tokenize(text);
    if (t.empty())
        return file;
    file.direction = scrollDirectionFromWord(t[0]);
    size_t i = 1;
    while (i < t.size()) {
        if (!opensRecord(t[i])) {
            ++i;
            continue;
        }
        SequenceRecord r;
        size_t next = i + 1;
        if (parseRecord(t, i, r, next) && r.patternId >= 0 && r.patternId < level_files::PATTERN_COUNT)
            file.records.push_back(r);
        i = next;
    }
    return file;
}

SequenceFile readSequenceFile(const std::string& path)
{
    std::string text;
    if (!readWholeFile(path, text))
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
    return writeText(path, formatSequenceFile(direction, records));
}
