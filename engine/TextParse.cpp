#include "engine/TextParse.h"

#include <cerrno>
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

bool parseFloatToken(const std::string& token, float& value)
{
    if (token.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const float v = std::strtof(token.c_str(), &end);
    if (end != token.c_str() + token.size() || errno == ERANGE || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool parseIntToken(const std::string& token, long& value)
{
    if (token.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(token.c_str(), &end, 10);
    if (end != token.c_str() + token.size() || errno == ERANGE)
        return false;
    value = v;
    return true;
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
