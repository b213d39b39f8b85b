#include "engine/TextParse.h"

#include <cerrno>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <set>
#include <sstream>
#include <utility>

namespace {
const char BYTE_ORDER_MARK[] = "\xEF\xBB\xBF";
constexpr size_t BYTE_ORDER_MARK_SIZE = 3;
} // namespace

namespace {

// The whole token read without copying (no '+' sign, no hexadecimal).
template <typename T>
bool parseQuickly(std::string_view token, T& value)
{
    const char* last = token.data() + token.size();
    const std::from_chars_result read = std::from_chars(token.data(), last, value);
    return read.ec == std::errc() && read.ptr == last;
}

// The C library's reading, for the forms the quick path leaves to it (a
// leading '+', hexadecimal, values out of range or too small to keep full
// precision). `convert` is strtof or strtol in base 10.
template <typename T, typename Convert>
bool parseSlowly(std::string_view view, T& value, Convert convert)
{
    const std::string token(view);
    errno = 0;
    char* end = nullptr;
    const T v = convert(token.c_str(), &end);
    if (end != token.c_str() + token.size() || errno == ERANGE || !std::isfinite(static_cast<double>(v)))
        return false;
    value = v;
    return true;
}

} // namespace

bool parseFloatToken(std::string_view token, float& value)
{
    if (token.empty())
        return false;
    float v = 0.f;
    if (parseQuickly(token, v) && std::isfinite(v) && (v == 0.f || std::fabs(v) >= FLT_MIN)) {
        value = v;
        return true;
    }
    return parseSlowly(token, value, [](const char* text, char** end) { return std::strtof(text, end); });
}

bool parseIntToken(std::string_view token, long& value)
{
    if (token.empty())
        return false;
    long v = 0;
    if (parseQuickly(token, v)) {
        value = v;
        return true;
    }
    return parseSlowly(token, value, [](const char* text, char** end) { return std::strtol(text, end, 10); });
}

void stripCarriageReturn(std::string& line)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
}

void skipByteOrderMark(std::istream& in)
{
    const std::istream::pos_type start = in.tellg();
    char head[BYTE_ORDER_MARK_SIZE] = {};
    in.read(head, BYTE_ORDER_MARK_SIZE);
    if (in.gcount() == static_cast<std::streamsize>(BYTE_ORDER_MARK_SIZE)
        && std::string(head, BYTE_ORDER_MARK_SIZE) == BYTE_ORDER_MARK)
        return;
    in.clear();
    in.seekg(start);
}

void stripByteOrderMark(std::string& text)
{
    if (text.compare(0, BYTE_ORDER_MARK_SIZE, BYTE_ORDER_MARK) == 0)
        text.erase(0, BYTE_ORDER_MARK_SIZE);
}

namespace {
constexpr char32_t REPLACEMENT_CHARACTER = 0xFFFD;

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}
} // namespace

bool decodeUtf16Text(std::string& text)
{
    const bool lowFirst = text.compare(0, 2, "\xFF\xFE") == 0;
    if (!lowFirst && text.compare(0, 2, "\xFE\xFF") != 0)
        return false;
    const auto unit = [&](size_t i) -> char32_t {
        const auto byte = [&](size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(text[k])); };
        return lowFirst ? byte(i) | byte(i + 1) << 8 : byte(i) << 8 | byte(i + 1);
    };
    std::string out;
    out.reserve(text.size());
    size_t i = 2;
    for (; i + 1 < text.size(); i += 2) {
        const char32_t c = unit(i);
        const bool lead = c >= 0xD800 && c < 0xDC00;
        const char32_t next = i + 3 < text.size() ? unit(i + 2) : 0;
        if (lead && next >= 0xDC00 && next < 0xE000) {
            appendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00));
            i += 2;
        } else {
            appendUtf8(out, c >= 0xD800 && c < 0xE000 ? REPLACEMENT_CHARACTER : c);
        }
    }
    if (i < text.size())
        appendUtf8(out, REPLACEMENT_CHARACTER);
    text = std::move(out);
    return true;
}

bool readTextFile(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    stripByteOrderMark(text);
    return true;
}

void reportDataFileProblem(const std::string& path, const std::string& problem)
{
    // Beyond this many different messages the stream says so once and goes quiet.
    constexpr size_t MOST_REPORTED = 200;
    static std::mutex mutex;
    static std::set<std::pair<std::string, std::string>> reported;
    std::lock_guard<std::mutex> lock(mutex);
    if (reported.size() > MOST_REPORTED || !reported.emplace(path, problem).second)
        return;
    if (reported.size() > MOST_REPORTED)
        std::cerr << "Orbyndel: too many data file problems; no more are shown" << std::endl;
    else
        std::cerr << "Orbyndel: " << path << ": " << problem << std::endl;
}

void reportUnreadableDataFile(const std::string& path)
{
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    reportDataFileProblem(error ? path : full.lexically_normal().string(),
                          exists ? "cannot be read; going on without it" : "missing; going on without it");
}
