#include "screens/HighScoreTable.h"

#include "engine/TextParse.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// A whole token that is a signed decimal integer within int.
bool parseScore(const std::string& token, int& score)
{
    if (token.empty())
        return false;
    const char* begin = token.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin || *end != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return false;
    score = static_cast<int>(value);
    return true;
}

// The name as the board can show it and the file keep it: printable ASCII
// only (what the font draws; a stray byte-order mark or other UTF-8 goes), cut
// to the name entry's length; "___" when nothing is left.
std::string cleanName(const std::string& raw)
{
    std::string name;
    for (char c : raw)
        if (c > ' ' && c < 0x7F && name.size() < high_scores::NAME_LENGTH)
            name += c;
    return name.empty() ? high_scores::NEW_ROW : name;
}

} // namespace

bool highScoreGreater(const HighScoreEntry& a, const HighScoreEntry& b) { return a.score > b.score; }

std::vector<HighScoreEntry> parseHighScores(const std::string& text)
{
    std::vector<HighScoreEntry> rows;
    std::string body = text;
    stripByteOrderMark(body);
    std::istringstream lines(body);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string name, scoreWord, extra;
        int score = 0;
        if (!(words >> name >> scoreWord) || (words >> extra) || !parseScore(scoreWord, score) || score < 0)
            continue;
        rows.push_back({score, cleanName(name)});
    }
    return rows;
}

void normaliseHighScores(std::vector<HighScoreEntry>& table)
{
    std::stable_sort(table.begin(), table.end(), highScoreGreater);
    if (table.size() > static_cast<size_t>(high_scores::TABLE_ROWS))
        table.resize(high_scores::TABLE_ROWS);
    while (table.size() < static_cast<size_t>(high_scores::TABLE_ROWS))
        table.push_back({0, high_scores::UNNAMED_ROW});
}

std::vector<HighScoreEntry> readHighScoreTable(const std::string& path)
{
    std::vector<HighScoreEntry> table;
    std::ifstream in(path, std::ios::binary);
    if (in) {
        std::string text(high_scores::MAX_FILE_BYTES, '\0');
        in.read(&text[0], static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<size_t>(in.gcount()));
        table = parseHighScores(text);
    }
    normaliseHighScores(table);
    return table;
}

std::string formatHighScores(const std::vector<HighScoreEntry>& table)
{
    std::string text;
    for (size_t i = 0; i < table.size(); ++i) {
        text += table[i].name + " " + std::to_string(table[i].score);
        if (i + 1 < table.size())
            text += "\n";
    }
    return text;
}

bool writeHighScoreTable(const std::string& path, const std::vector<HighScoreEntry>& table)
{
    return writeFileAtomically(path, formatHighScores(table));
}

std::vector<int> insertNewScores(std::vector<HighScoreEntry>& table, const std::vector<unsigned>& scores)
{
    std::vector<int> rows;
    for (unsigned raw : scores) {
        const int score = static_cast<int>(std::min<unsigned>(raw, INT_MAX));
        // Below every row of equal or better score, as a stable sort of the appended row puts it.
        const auto place = std::find_if(table.begin(), table.end(),
                                        [score](const HighScoreEntry& e) { return e.score < score; });
        const int row = static_cast<int>(place - table.begin());
        if (table.empty() || row >= static_cast<int>(table.size())) {
            rows.push_back(-1);
            continue;
        }
        table.insert(place, {score, high_scores::NEW_ROW});
        table.pop_back();
        for (int& earlier : rows)
            if (earlier >= row && earlier != -1)
                earlier = earlier + 1 < static_cast<int>(table.size()) ? earlier + 1 : -1;
        rows.push_back(row);
    }
    return rows;
}
