#include "engine/TextParse.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

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
