#include "screens/HighScoreTable.h"

#include "engine/TextParse.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// What a line of the file lost on its way into the table.
enum class RowLoss { NOT_A_ROW, NEGATIVE, FRACTION, BEYOND_INT, NAME, COUNT };

const char* const ROW_LOSS_TEXTS[] = {
    "not a name and a score, left out",
    "a negative score, left out",
    "a score with a fraction, kept without it",
    "a score beyond 2147483647, kept as 2147483647",
    "a name cut to the three printable characters the board shows",
};
static_assert(std::size(ROW_LOSS_TEXTS) == static_cast<size_t>(RowLoss::COUNT), "one text per loss");

constexpr size_t LINES_NAMED_PER_LOSS = 5;

// A table text taken apart, with what could not be taken as written.
struct TableText {
    std::vector<HighScoreEntry> rows;
    std::vector<int> linesLosing[static_cast<size_t>(RowLoss::COUNT)];
    std::vector<std::string> fileLosses; // of the file as a whole

    void lose(RowLoss loss, int line) { linesLosing[static_cast<size_t>(loss)].push_back(line); }
    std::string summary() const;
};

// "line 4: ..." or "lines 2, 5 and 3 more: ..." in the order of the file, then the
// file's own losses, joined by "; ".
std::string TableText::summary() const
{
    std::vector<std::pair<int, std::string>> parts; // first line, text
    for (size_t k = 0; k < static_cast<size_t>(RowLoss::COUNT); ++k) {
        const std::vector<int>& lines = linesLosing[k];
        if (lines.empty())
            continue;
        std::string part = lines.size() == 1 ? "line " : "lines ";
        for (size_t i = 0; i < std::min(lines.size(), LINES_NAMED_PER_LOSS); ++i)
            part += (i ? ", " : "") + std::to_string(lines[i]);
        if (lines.size() > LINES_NAMED_PER_LOSS)
            part += " and " + std::to_string(lines.size() - LINES_NAMED_PER_LOSS) + " more";
        parts.emplace_back(lines.front(), part + ": " + ROW_LOSS_TEXTS[k]);
    }
    std::sort(parts.begin(), parts.end());
    for (const std::string& loss : fileLosses)
        parts.emplace_back(INT_MAX, loss);
    std::string text;
    for (const auto& part : parts)
        text += (text.empty() ? "" : "; ") + part.second;
    return text;
}

enum class ScoreRead { EXACT, FRACTION, BEYOND_INT, NEGATIVE, NOT_A_NUMBER };

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A whole word as a score: an optional sign, decimal digits, an optional fraction.
ScoreRead readScore(const std::string& word, int& score)
{
    size_t i = 0;
    const bool minus = !word.empty() && word[0] == '-';
    if (!word.empty() && (word[0] == '-' || word[0] == '+'))
        ++i;
    const size_t firstDigit = i;
    long long value = 0;
    for (; i < word.size() && isDigit(word[i]); ++i)
        value = std::min<long long>(value * 10 + (word[i] - '0'), INT_MAX + 1LL);
    if (i == firstDigit)
        return ScoreRead::NOT_A_NUMBER;
    bool fraction = false;
    if (i < word.size() && word[i] == '.')
        for (++i; i < word.size() && isDigit(word[i]); ++i)
            fraction = fraction || word[i] != '0';
    if (i != word.size())
        return ScoreRead::NOT_A_NUMBER;
    if (minus && (value > 0 || fraction))
        return ScoreRead::NEGATIVE;
    score = static_cast<int>(std::min<long long>(value, INT_MAX));
    if (value > INT_MAX)
        return ScoreRead::BEYOND_INT;
    return fraction ? ScoreRead::FRACTION : ScoreRead::EXACT;
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

// One line: every word but the last is the name, the last is the score.
void readRow(const std::string& line, int number, TableText& table)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    if (words.empty())
        return;
    int score = 0;
    const ScoreRead read = words.size() < 2 ? ScoreRead::NOT_A_NUMBER : readScore(words.back(), score);
    if (read == ScoreRead::NOT_A_NUMBER || read == ScoreRead::NEGATIVE) {
        table.lose(read == ScoreRead::NEGATIVE ? RowLoss::NEGATIVE : RowLoss::NOT_A_ROW, number);
        return;
    }
    if (read != ScoreRead::EXACT)
        table.lose(read == ScoreRead::FRACTION ? RowLoss::FRACTION : RowLoss::BEYOND_INT, number);
    std::string name = words[0];
    for (size_t i = 1; i + 1 < words.size(); ++i)
        name += " " + words[i];
    const std::string shown = cleanName(name);
    if (shown != name)
        table.lose(RowLoss::NAME, number);
    table.rows.push_back({score, shown});
}

// CR LF and a lone CR (files of old editors) end a line as LF does.
void unifyLineEnds(std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != '\r')
            out += text[i];
        else if (i + 1 == text.size() || text[i + 1] != '\n')
            out += '\n';
    text = std::move(out);
}

TableText readTableText(std::string text)
{
    if (!decodeUtf16Text(text))
        stripByteOrderMark(text);
    unifyLineEnds(text);
    TableText table;
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);)
        readRow(line, ++number, table);
    return table;
}

// The rows of the file's text (at most MAX_FILE_BYTES of it) with what reading it lost.
TableText readTableFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        TableText none;
        std::error_code error;
        if (std::filesystem::exists(path, error))
            none.fileLosses.push_back("the file could not be opened");
        return none;
    }
    std::string text(high_scores::MAX_FILE_BYTES + 1, '\0');
    in.read(&text[0], static_cast<std::streamsize>(text.size()));
    const bool failed = in.bad();
    text.resize(static_cast<size_t>(in.gcount()));
    const bool tooLong = text.size() > high_scores::MAX_FILE_BYTES;
    if (tooLong) // the row cut in two is not read: its score would be a part of the number
        text.resize(text.find_last_of('\n', high_scores::MAX_FILE_BYTES - 1) + 1);
    TableText table = readTableText(text);
    if (failed)
        table.fileLosses.push_back("the file could not be read");
    if (tooLong)
        table.fileLosses.push_back("only its first " + std::to_string(high_scores::MAX_FILE_BYTES) + " bytes were read");
    return table;
}

// The ten rows of the file, best first, with what reading it lost.
TableText readTableFile(const std::string& path)
{
    TableText table = readTableFileText(path);
    const size_t rows = table.rows.size();
    if (rows > static_cast<size_t>(high_scores::TABLE_ROWS))
        table.fileLosses.push_back(std::to_string(rows - high_scores::TABLE_ROWS)
                                   + " rows more than ten, the lowest left out");
    normaliseHighScores(table.rows);
    return table;
}

// "HighScores.txt" -> "HighScores.not-fully-read.txt", then "HighScores.not-fully-read-2.txt", ...
std::string keptCopyName(const std::string& path, int n)
{
    const std::filesystem::path table(path);
    const std::string number = n > 1 ? "-" + std::to_string(n) : "";
    return (table.parent_path() / (table.stem().string() + ".not-fully-read" + number + table.extension().string()))
        .string();
}

} // namespace

bool operator==(const HighScoreEntry& a, const HighScoreEntry& b) { return a.score == b.score && a.name == b.name; }

bool highScoreGreater(const HighScoreEntry& a, const HighScoreEntry& b) { return a.score > b.score; }

std::vector<HighScoreEntry> parseHighScores(const std::string& text) { return readTableText(text).rows; }

void normaliseHighScores(std::vector<HighScoreEntry>& table)
{
    std::stable_sort(table.begin(), table.end(), highScoreGreater);
    if (table.size() > static_cast<size_t>(high_scores::TABLE_ROWS))
        table.resize(high_scores::TABLE_ROWS);
    while (table.size() < static_cast<size_t>(high_scores::TABLE_ROWS))
        table.push_back({0, high_scores::UNNAMED_ROW});
}

std::vector<HighScoreEntry> readHighScoreTable(const std::string& path) { return readTableFile(path).rows; }

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

HighScoreFile::HighScoreFile(std::string path) : path_(std::move(path))
{
    TableText read = readTableFile(path_);
    stored_ = std::move(read.rows);
    losses_ = read.summary();
    if (!losses_.empty())
        reportDataFileProblem(path_, "not read in full (" + losses_
                                         + "); the file stays as it is until a new high score is saved, and is "
                                           "then kept beside it");
}

bool HighScoreFile::store(const std::vector<HighScoreEntry>& table)
{
    if (table == stored_)
        return true;
    if (isReadOnlyFile(path_)) {
        reportDataFileProblem(path_, "the file is read-only; the high scores are not saved into it");
        return false;
    }
    if (!losses_.empty() && keptCopy_.empty()) {
        keptCopy_ = keepFileAside(path_, [this](int n) { return keptCopyName(path_, n); });
        if (keptCopy_.empty()) {
            reportDataFileProblem(path_, "not read in full, and no copy of it could be kept beside it; it is left "
                                         "as it was");
            return false;
        }
        reportDataFileProblem(path_, "the table as it was, not read in full (" + losses_ + "), is kept in "
                                         + keptCopy_ + " before the new scores replace it");
    }
    if (!writeHighScoreTable(path_, table))
        return false;
    stored_ = table;
    return true;
}
