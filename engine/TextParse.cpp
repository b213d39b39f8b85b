#include "engine/TextParse.h"

#include <cerrno>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdlib>

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
