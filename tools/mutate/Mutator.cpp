// The mutation run's fault planter: finds where a small fault can be planted in the game's
// sources, orders those places by a seeded hash, and plants one. scripts/mutate.sh builds
// and drives it; it needs nothing but the standard library.
//
//   mutator plan SEED ROOT FILE...   every mutant of the files, in the order a run tries them
//   mutator sites ROOT FILE:LINE     every mutant of one line
//   mutator apply ROOT ID            plants one mutant (ID as printed: file:line:operator#site)
//   mutator show ROOT FILE           each line of a file, where it sits and how many mutants it offers
//
// A plan line is: ID <tab> operator <tab> original line <tab> mutated line.
//
// Only lines inside function bodies are mutated, plus the numbers of constants and tables
// defined outside functions (the game's rules mostly live there). Comments, string and character
// literals, preprocessor lines, asserts, lines that only write to the console or the error
// stream, and the hit-box debug view are never touched.
//
// The order is stable under unrelated edits: a line is known by its file, its text and how many
// identical lines come before it in the file, never by its number, and the order is a hash of
// that and the seed. Files of a folder take turns (every file's first pick, then every file's
// second...), so a small sample still spreads over the folder.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

// ---- hashing (FNV-1a then a finaliser: the same on every machine) ----

std::uint64_t hashText(std::uint64_t seed, const std::string& text)
{
    std::uint64_t h = 1469598103934665603ULL ^ (seed * 0x9E3779B97F4A7C15ULL);
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
}

// ---- reading a source: the code with comments and literals blanked, and where each character sits ----

enum Region : char { OUTSIDE, BODY, CONSTANT, QUIET };

struct Source {
    std::string text;                // the whole file
    std::vector<std::string> lines;  // as written
    std::vector<std::string> code;   // same columns; comments blanked, literal contents as '_'
    std::vector<std::string> region; // Region of each character of code
};

bool isIdent(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return "";
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool endsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool hasWord(const std::string& s, const std::string& word)
{
    for (auto p = s.find(word); p != std::string::npos; p = s.find(word, p + 1)) {
        const bool before = p == 0 || !isIdent(s[p - 1]);
        const bool after = p + word.size() >= s.size() || !isIdent(s[p + word.size()]);
        if (before && after)
            return true;
    }
    return false;
}

// Blanks comments, the insides of string and character literals and preprocessor lines, keeping
// every column in place (a number's digit separators are kept as part of the number).
std::string blankNonCode(const std::string& text)
{
    std::string out = text;
    const size_t n = text.size();
    size_t i = 0;
    bool lineStart = true;
    while (i < n) {
        const char c = text[i];
        if (c == '\n') {
            lineStart = true;
            ++i;
            continue;
        }
        if (lineStart && c == '#') { // a directive, with its continuation lines
            while (i < n && !(text[i] == '\n' && text[i - 1] != '\\')) {
                if (text[i] != '\n')
                    out[i] = ' ';
                ++i;
            }
            continue;
        }
        if (c != ' ' && c != '\t')
            lineStart = false;
        if (c == '/' && i + 1 < n && text[i + 1] == '/') {
            while (i < n && text[i] != '\n')
                out[i++] = ' ';
        } else if (c == '/' && i + 1 < n && text[i + 1] == '*') {
            while (i < n && !(text[i] == '*' && i + 1 < n && text[i + 1] == '/')) {
                if (text[i] != '\n')
                    out[i] = ' ';
                ++i;
            }
            for (int k = 0; k < 2 && i < n; ++k)
                out[i++] = ' ';
        } else if (c == 'R' && i + 1 < n && text[i + 1] == '"' && (i == 0 || !isIdent(text[i - 1]))) {
            const size_t open = text.find('(', i + 2);
            const std::string close = ")" + text.substr(i + 2, open - i - 2) + "\"";
            const size_t end = text.find(close, open);
            const size_t stop = end == std::string::npos ? n : end + close.size() - 1;
            for (size_t k = i + 2; k < stop; ++k)
                if (text[k] != '\n')
                    out[k] = '_';
            i = stop + 1;
        } else if (c == '"' || c == '\'') {
            ++i;
            while (i < n && text[i] != c && text[i] != '\n') {
                out[i] = '_';
                if (text[i] == '\\' && i + 1 < n)
                    out[++i] = '_';
                ++i;
            }
            ++i;
        } else if (std::isdigit(static_cast<unsigned char>(c)) && (i == 0 || !isIdent(text[i - 1]))) {
            while (i < n && (isIdent(text[i]) || text[i] == '.' || text[i] == '\'' ||
                             ((text[i] == '+' || text[i] == '-') && (text[i - 1] == 'e' || text[i - 1] == 'E'))))
                ++i;
        } else {
            ++i;
        }
    }
    return out;
}

enum Scope { NAMESPACE, CLASS, ENUM, INIT, FUNCTION };

// What a '{' opens, from the text of the statement before it.
Scope scopeOpenedBy(const std::string& statement, const std::string& sinceComma, Scope parent)
{
    static const std::regex afterParameters(
        R"(\)\s*((const|noexcept|override|final|mutable|volatile|&|&&)\s*)*$)");
    static const std::regex trailingReturn(R"(\)\s*->\s*[\w:<>,\s\*&]+$)");
    static const std::regex constructorInits(R"(\)\s*:[^:][\s\S]*[\)\}]$)");
    if (parent == INIT) {
        const std::string t = trim(sinceComma);
        return std::regex_search(t, afterParameters) ? FUNCTION : INIT;
    }
    const std::string t = trim(statement);
    if (endsWith(t, "="))
        return INIT;
    if (std::regex_search(t, afterParameters) || std::regex_search(t, trailingReturn) ||
        std::regex_search(t, constructorInits))
        return FUNCTION;
    if (hasWord(t, "namespace") || hasWord(t, "extern"))
        return NAMESPACE;
    if (hasWord(t, "enum"))
        return ENUM;
    if (hasWord(t, "class") || hasWord(t, "struct") || hasWord(t, "union"))
        return CLASS;
    return INIT;
}

// Function heads whose bodies only serve a debug view.
bool isDebugView(const std::string& head) { return head.find("Debug") != std::string::npos; }

// Marks each character: inside a function body, a constant's initialiser, or neither.
std::string regions(const std::string& code)
{
    std::string out(code.size(), OUTSIDE);
    std::vector<Scope> stack;
    std::vector<bool> quiet;
    std::string statement, sinceComma;
    bool statementHasEquals = false;
    int functionDepth = 0, quietDepth = 0;
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        const Scope top = stack.empty() ? NAMESPACE : stack.back();
        if (functionDepth > 0)
            out[i] = quietDepth > 0 ? QUIET : BODY;
        else if (top == INIT || (statementHasEquals && top != ENUM))
            out[i] = CONSTANT;
        if (c == '{') {
            const Scope s = functionDepth > 0 ? FUNCTION : scopeOpenedBy(statement, sinceComma, top);
            const bool debug = s == FUNCTION && (quietDepth > 0 || (functionDepth == 0 && isDebugView(statement)));
            stack.push_back(s);
            quiet.push_back(debug);
            functionDepth += s == FUNCTION;
            quietDepth += debug;
            if (s != INIT) {
                statement.clear();
                statementHasEquals = false;
            } else {
                statement += c;
            }
            sinceComma.clear();
        } else if (c == '}') {
            if (!stack.empty()) {
                functionDepth -= stack.back() == FUNCTION;
                quietDepth -= quiet.back();
                const bool init = stack.back() == INIT;
                stack.pop_back();
                quiet.pop_back();
                if (init) {
                    statement += c;
                } else {
                    statement.clear();
                    statementHasEquals = false;
                }
            }
            sinceComma.clear();
        } else if (functionDepth == 0) {
            if (c == ';') {
                statement.clear();
                sinceComma.clear();
                statementHasEquals = false;
            } else if (c == ',') {
                sinceComma.clear();
                statement += c;
            } else {
                statement += c;
                sinceComma += c;
                if (c == '=' && top != INIT)
                    statementHasEquals = true;
            }
        }
    }
    return out;
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

bool readSource(const std::string& path, Source& src)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::stringstream buffer;
    buffer << in.rdbuf();
    src.text = buffer.str();
    const std::string code = blankNonCode(src.text);
    src.lines = splitLines(src.text);
    src.code = splitLines(code);
    const std::string marks = regions(code);
    size_t at = 0;
    for (const std::string& line : src.code) {
        src.region.push_back(marks.substr(at, line.size()));
        at += line.size() + 1;
    }
    return true;
}

// ---- the operators ----

struct Mutant {
    std::string op;
    size_t site = 0;      // 1-based among this operator's places on the line
    std::string mutated;  // the whole line after the change
};

// Statements that only talk to the console, the error stream or a debug view.
bool quietStatement(const std::string& code)
{
    static const std::regex quietCalls(
        R"(std::(cerr|cout|clog)\b|\b(f?printf|puts|perror|assert|static_assert|reportDataFileProblem|reportUnreadableDataFile|drawDebugOutlines?)\b)");
    return std::regex_search(code, quietCalls);
}

// The statement of the line that holds column col: between the nearest ; { } around it.
std::string statementAround(const std::string& code, size_t col)
{
    size_t b = col, e = col;
    while (b > 0 && code[b - 1] != ';' && code[b - 1] != '{' && code[b - 1] != '}')
        --b;
    while (e < code.size() && code[e] != ';' && code[e] != '{' && code[e] != '}')
        ++e;
    return code.substr(b, e - b);
}

// Column of the ')' closing the '(' at open, or npos when the line does not close it.
size_t closingParen(const std::string& code, size_t open)
{
    int depth = 0;
    for (size_t i = open; i < code.size(); ++i) {
        depth += code[i] == '(';
        depth -= code[i] == ')';
        if (depth == 0)
            return i;
    }
    return std::string::npos;
}

struct Line {
    const std::string& text;
    const std::string& code;
    const std::string& region;
    const std::string* nextCode; // the next line with code, or null

    bool canMutate(size_t col, bool constantsToo = false) const
    {
        const char r = region[col];
        return (r == BODY || (constantsToo && r == CONSTANT)) && !quietStatement(statementAround(code, col));
    }
    std::string replaced(size_t from, size_t length, const std::string& by) const
    {
        return text.substr(0, from) + by + text.substr(from + length);
    }
};

void add(std::vector<Mutant>& out, const std::string& op, const std::string& mutated)
{
    size_t site = 1;
    for (const Mutant& m : out)
        site += m.op == op;
    out.push_back({op, site, mutated});
}

void flipComparisons(const Line& l, std::vector<Mutant>& out)
{
    static const std::vector<std::pair<std::string, std::string>> flips = {
        {" <= ", " < "}, {" >= ", " > "}, {" < ", " <= "}, {" > ", " >= "}, {" == ", " != "}, {" != ", " == "}};
    for (size_t i = 0; i < l.code.size(); ++i)
        for (const auto& f : flips)
            if (l.code.compare(i, f.first.size(), f.first) == 0 && l.canMutate(i + 1)) {
                add(out, "flip-compare", l.replaced(i, f.first.size(), f.second));
                break;
            }
}

// The length of the whole decimal integer at col (0 when there is none).
size_t integerAt(const std::string& code, size_t col)
{
    size_t e = col;
    while (e < code.size() && std::isdigit(static_cast<unsigned char>(code[e])))
        ++e;
    if (e == col || (e < code.size() && (isIdent(code[e]) || code[e] == '.' || code[e] == '\'')))
        return 0;
    return e - col;
}

void shiftBounds(const Line& l, std::vector<Mutant>& out)
{
    static const std::vector<std::string> comparisons = {" <= ", " >= ", " < ", " > "};
    for (size_t i = 0; i < l.code.size(); ++i) {
        if ((l.code.compare(i, 4, " + 1") == 0 || l.code.compare(i, 4, " - 1") == 0) && integerAt(l.code, i + 3) == 1 &&
            l.canMutate(i + 1)) {
            add(out, "shift-bound", l.replaced(i, 4, ""));
            continue;
        }
        for (const std::string& cmp : comparisons) {
            if (l.code.compare(i, cmp.size(), cmp) != 0)
                continue;
            const size_t at = i + cmp.size();
            const size_t len = integerAt(l.code, at);
            if (len > 0 && len < 10 && l.canMutate(i + 1))
                add(out, "shift-bound", l.replaced(at, len, std::to_string(std::stoll(l.code.substr(at, len)) + 1)));
            break;
        }
    }
}

// A condition that declares or assigns a variable cannot be negated or dropped and still compile.
bool assigns(const std::string& condition)
{
    for (size_t i = 1; i + 1 < condition.size(); ++i)
        if (condition[i] == '=' && condition[i + 1] != '=' && std::string("=!<>").find(condition[i - 1]) == std::string::npos)
            return true;
    return false;
}

void negateConditions(const Line& l, std::vector<Mutant>& out)
{
    for (const std::string& word : {std::string("if ("), std::string("while (")}) {
        for (size_t i = l.code.find(word); i != std::string::npos; i = l.code.find(word, i + 1)) {
            if ((i > 0 && isIdent(l.code[i - 1])) || !l.canMutate(i))
                continue;
            const size_t open = i + word.size() - 1;
            const size_t close = closingParen(l.code, open);
            if (close == std::string::npos)
                continue;
            if (assigns(l.code.substr(open + 1, close - open - 1)))
                continue;
            const std::string cond = l.text.substr(open + 1, close - open - 1);
            add(out, "negate-condition", l.replaced(open + 1, close - open - 1, "!(" + cond + ")"));
        }
    }
}

// A guard: a line whose whole statement leaves the function or the loop.
bool isLeaving(const std::string& statement)
{
    static const std::regex leaving(R"(^(return\b.*|continue|break);$)");
    return std::regex_match(statement, leaving);
}

void dropGuards(const Line& l, std::vector<Mutant>& out)
{
    const std::string t = trim(l.code);
    const size_t start = l.code.find_first_not_of(" \t");
    if (t.rfind("if (", 0) != 0 || !l.canMutate(start))
        return;
    const size_t close = closingParen(l.code, start + 3);
    if (close == std::string::npos || assigns(l.code.substr(start + 4, close - start - 4)))
        return;
    // if (...) return;  or  if (...) / return;  ->  if (false) ...
    const std::string rest = trim(l.code.substr(close + 1));
    if (isLeaving(rest) || ((rest.empty() || rest == "{") && l.nextCode && isLeaving(trim(*l.nextCode))))
        add(out, "drop-guard", l.replaced(start + 4, close - start - 4, "false"));
}

// A whole call statement on one line: the callee (no spaces, so not a declaration), its
// arguments, ';'. It is replaced by an empty block.
void dropCalls(const Line& l, std::vector<Mutant>& out)
{
    static const std::regex callee(R"(^(::)?[A-Za-z_][\w:.<>\[\]-]*$)");
    static const std::regex keyword(R"(^(return|if|while|for|switch|case|delete|throw|else|do|goto|using|typedef|new|co_\w+)\b)");
    const std::string t = trim(l.code);
    const size_t start = l.code.find_first_not_of(" \t");
    const size_t open = t.find('(');
    if (open == std::string::npos || !endsWith(t, ");") || !l.canMutate(start) || std::regex_search(t, keyword) ||
        !std::regex_match(t.substr(0, open), callee))
        return;
    int depth = 0;
    for (size_t i = 0; i + 1 < t.size(); ++i) {
        depth += t[i] == '(';
        depth -= t[i] == ')';
        const bool assignment = t[i] == '=' && t[i + 1] != '=' && i > 0 && std::string("=!<>").find(t[i - 1]) == std::string::npos;
        if (depth < 0 || (depth == 0 && assignment))
            return;
    }
    if (depth == 0)
        add(out, "drop-call", l.text.substr(0, start) + "{}");
}

// A decimal number literal at col: its length, or 0.
size_t numberAt(const std::string& code, size_t col)
{
    if (!std::isdigit(static_cast<unsigned char>(code[col])) || (col > 0 && (isIdent(code[col - 1]) || code[col - 1] == '.')))
        return 0;
    size_t e = col;
    while (e < code.size() && (isIdent(code[e]) || code[e] == '.' || code[e] == '\'' ||
                                ((code[e] == '+' || code[e] == '-') && (code[e - 1] == 'e' || code[e - 1] == 'E'))))
        ++e;
    return e - col;
}

std::string formatNumber(double value, bool isFloat, const std::string& suffix)
{
    if (!isFloat)
        return std::to_string(static_cast<long long>(value)) + suffix;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9g", value);
    std::string s = buf;
    if (s.find_first_of(".en") == std::string::npos)
        s += ".0";
    return s + suffix;
}

void changeConstants(const Line& l, std::vector<Mutant>& out)
{
    static const std::regex decimal(R"(^((\d+)|(\d+\.\d*|\.\d+|\d+)([eE][+-]?\d+)?)([fFlLuU]*)$)");
    for (size_t i = 0; i < l.code.size(); ++i) {
        const size_t len = numberAt(l.code, i);
        if (len == 0)
            continue;
        const std::string literal = l.code.substr(i, len);
        std::smatch m;
        std::string digits = literal;
        digits.erase(std::remove(digits.begin(), digits.end(), '\''), digits.end());
        if (l.canMutate(i, true) && std::regex_match(digits, m, decimal) && !(digits.size() > 1 && digits[0] == '0' && m[2].matched)) {
            const std::string suffix = m[5];
            const bool isFloat = !m[2].matched || suffix.find_first_of("fF") != std::string::npos;
            const double v = std::strtod(digits.substr(0, digits.size() - suffix.size()).c_str(), nullptr);
            const std::pair<const char*, double> changes[] = {{"const-x2", v * 2}, {"const-plus1", v + 1}, {"const-zero", 0}};
            for (const auto& change : changes) {
                const std::string text = formatNumber(change.second, isFloat, suffix);
                if (change.second != v && (change.first != std::string("const-x2") || v * 2 != v + 1))
                    add(out, change.first, l.replaced(i, len, text));
            }
        }
        i += len - 1;
    }
}

std::vector<Mutant> mutantsOf(const Line& l)
{
    std::vector<Mutant> out;
    if (l.code.find_first_not_of(" \t") == std::string::npos)
        return out;
    flipComparisons(l, out);
    shiftBounds(l, out);
    negateConditions(l, out);
    dropGuards(l, out);
    dropCalls(l, out);
    changeConstants(l, out);
    // A mutant that leaves the text as it was is no mutant.
    out.erase(std::remove_if(out.begin(), out.end(), [&](const Mutant& m) { return m.mutated == l.text; }), out.end());
    return out;
}

std::vector<std::vector<Mutant>> mutantsOfFile(const Source& src)
{
    std::vector<std::vector<Mutant>> all(src.lines.size());
    for (size_t i = 0; i < src.lines.size() && i < src.code.size(); ++i) {
        const std::string* next = nullptr;
        for (size_t j = i + 1; j < src.code.size() && !next; ++j)
            if (!trim(src.code[j]).empty())
                next = &src.code[j];
        all[i] = mutantsOf(Line{src.lines[i], src.code[i], src.region[i], next});
    }
    return all;
}

std::string oneLine(std::string s)
{
    std::replace(s.begin(), s.end(), '\t', ' ');
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    return s;
}

std::string idOf(const std::string& file, size_t line, const Mutant& m)
{
    return file + ":" + std::to_string(line) + ":" + m.op + "#" + std::to_string(m.site);
}

void printMutant(const std::string& file, size_t line, const std::string& original, const Mutant& m)
{
    std::cout << idOf(file, line, m) << '\t' << m.op << '\t' << oneLine(trim(original)) << '\t'
              << oneLine(trim(m.mutated)) << '\n';
}

// ---- commands ----

struct Pick {
    size_t round;
    std::uint64_t order;
    std::string file;
    size_t line;
    Mutant mutant;
    std::string original;
};

// One mutant per line: the operator by the seeded hash of the line and the operator, then one
// of its places on the line the same way.
Mutant chooseFor(std::uint64_t seed, const std::string& lineKey, const std::vector<Mutant>& options)
{
    std::string op;
    std::uint64_t best = ~0ULL;
    for (const Mutant& m : options) {
        const std::uint64_t h = hashText(seed, lineKey + "\n" + m.op);
        if (h < best || (h == best && m.op < op)) {
            best = h;
            op = m.op;
        }
    }
    const Mutant* chosen = nullptr;
    best = ~0ULL;
    for (const Mutant& m : options)
        if (m.op == op) {
            const std::uint64_t h = hashText(seed, lineKey + "\n" + m.op + "#" + std::to_string(m.site));
            if (!chosen || h < best) {
                best = h;
                chosen = &m;
            }
        }
    return *chosen;
}

int plan(std::uint64_t seed, const std::string& root, const std::vector<std::string>& files)
{
    std::vector<Pick> picks;
    for (const std::string& file : files) {
        Source src;
        if (!readSource(root + "/" + file, src)) {
            std::cerr << "mutator: cannot read " << file << "\n";
            return 1;
        }
        const auto all = mutantsOfFile(src);
        std::map<std::string, int> seen; // identical lines are told apart by their rank in the file
        std::vector<Pick> ofFile;
        for (size_t i = 0; i < all.size(); ++i) {
            const std::string text = trim(src.lines[i]);
            const std::string key = file + "\n" + text + "\n" + std::to_string(seen[text]++);
            if (all[i].empty())
                continue;
            ofFile.push_back({0, hashText(seed, key), file, i + 1, chooseFor(seed, key, all[i]), src.lines[i]});
        }
        std::sort(ofFile.begin(), ofFile.end(), [](const Pick& a, const Pick& b) { return a.order < b.order; });
        for (size_t r = 0; r < ofFile.size(); ++r)
            ofFile[r].round = r;
        picks.insert(picks.end(), ofFile.begin(), ofFile.end());
    }
    std::sort(picks.begin(), picks.end(), [](const Pick& a, const Pick& b) {
        return a.round != b.round ? a.round < b.round : a.order < b.order;
    });
    for (const Pick& p : picks)
        printMutant(p.file, p.line, p.original, p.mutant);
    return 0;
}

bool parseLocation(const std::string& place, std::string& file, size_t& line, std::string& rest)
{
    const auto a = place.find(':');
    if (a == std::string::npos)
        return false;
    const auto b = place.find(':', a + 1);
    file = place.substr(0, a);
    const std::string number = place.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
    if (number.empty() || number.size() > 9 || number.find_first_not_of("0123456789") != std::string::npos)
        return false;
    line = std::stoul(number);
    rest = b == std::string::npos ? "" : place.substr(b + 1);
    return line > 0;
}

// One line named FILE:LINE[:REST] on the command line, with its file read.
struct Located {
    std::string file, rest;
    size_t line = 0;
    Source src;
    std::vector<Mutant> mutants;
};

bool locate(const std::string& root, const std::string& place, Located& at)
{
    if (!parseLocation(place, at.file, at.line, at.rest) || !readSource(root + "/" + at.file, at.src) ||
        at.line > at.src.lines.size()) {
        std::cerr << "mutator: no such line: " << place << "\n";
        return false;
    }
    at.mutants = mutantsOfFile(at.src)[at.line - 1];
    return true;
}

int sites(const std::string& root, const std::string& place)
{
    Located at;
    if (!locate(root, place, at))
        return 1;
    for (const Mutant& m : at.mutants)
        printMutant(at.file, at.line, at.src.lines[at.line - 1], m);
    return 0;
}

int apply(const std::string& root, const std::string& id)
{
    Located at;
    if (!locate(root, id, at))
        return 1;
    const auto hash = at.rest.find('#');
    const std::string op = at.rest.substr(0, hash);
    const size_t site = hash == std::string::npos ? 1 : std::strtoul(at.rest.c_str() + hash + 1, nullptr, 10);
    for (const Mutant& m : at.mutants) {
        if (m.op != op || m.site != site)
            continue;
        std::string text = at.src.text;
        size_t begin = 0;
        for (size_t i = 1; i < at.line; ++i)
            begin = text.find('\n', begin) + 1;
        const size_t end = std::min(text.find('\n', begin), text.size());
        text.replace(begin, end - begin, m.mutated);
        std::ofstream out(root + "/" + at.file, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out) {
            std::cerr << "mutator: cannot write " << at.file << "\n";
            return 1;
        }
        printMutant(at.file, at.line, at.src.lines[at.line - 1], m);
        return 0;
    }
    std::cerr << "mutator: line " << at.line << " of " << at.file << " has no mutant " << at.rest << " (mutator sites "
              << at.file << ":" << at.line << " lists them)\n";
    return 1;
}

// Every line with the number of mutants it offers and where it sits (B function body,
// C constant, Q quiet, blank outside): to see what a run may touch.
int show(const std::string& root, const std::string& file)
{
    Source src;
    if (!readSource(root + "/" + file, src)) {
        std::cerr << "mutator: cannot read " << file << "\n";
        return 1;
    }
    const auto all = mutantsOfFile(src);
    for (size_t i = 0; i < src.lines.size(); ++i) {
        const size_t first = src.code[i].find_first_not_of(" \t");
        const char r = first == std::string::npos ? char(OUTSIDE) : src.region[i][first];
        std::printf("%5zu %c %2zu  %s\n", i + 1, " BCQ"[static_cast<int>(r)], all[i].size(), oneLine(src.lines[i]).c_str());
    }
    return 0;
}

int usage()
{
    std::cerr << "usage: mutator plan SEED ROOT FILE... | sites ROOT FILE:LINE | apply ROOT FILE:LINE:OPERATOR[#SITE] | show ROOT FILE\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 3 && args[0] == "plan")
        return plan(std::strtoull(args[1].c_str(), nullptr, 10), args[2], {args.begin() + 3, args.end()});
    if (args.size() == 3 && args[0] == "sites")
        return sites(args[1], args[2]);
    if (args.size() == 3 && args[0] == "show")
        return show(args[1], args[2]);
    if (args.size() == 3 && args[0] == "apply")
        return apply(args[1], args[2]);
    return usage();
}
