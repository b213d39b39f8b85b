#include "engine/TextParse.h"

#include <cerrno>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdlib>

namespace {

// The C library's reading, for the forms the fast path leaves to it (a leading
// '+', hexadecimal, values out of range or too small to keep full precision).
bool parseFloatSlowly(std::string_view view, float& value)
{
    const std::string token(view);
    errno = 0;
    char* end = nullptr;
    const float v = std::strtof(token.c_str(), &end);
    if (end != token.c_str() + token.size() || errno == ERANGE || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool parseIntSlowly(std::string_view view, long& value)
{
    const std::string token(view);
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(token.c_str(), &end, 10);
    if (end != token.c_str() + token.size() || errno == ERANGE)
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
    const char* last = token.data() + token.size();
    const std::from_chars_result read = std::from_chars(token.data(), last, v);
    if (read.ec == std::errc() && read.ptr == last && std::isfinite(v) && (v == 0.f || std::fabs(v) >= FLT_MIN)) {
        value = v;
        return true;
    }
    return parseFloatSlowly(token, value);
}

bool parseIntToken(std::string_view token, long& value)
{
    if (token.empty())
        return false;
    long v = 0;
    const char* last = token.data() + token.size();
    const std::from_chars_result read = std::from_chars(token.data(), last, v);
    if (read.ec == std::errc() && read.ptr == last) {
        value = v;
        return true;
    }
    return parseIntSlowly(token, value);
}

void stripCarriageReturn(std::string& line)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
}
