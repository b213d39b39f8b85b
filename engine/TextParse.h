#pragma once
// Checked number parsing for the engine's text files: a token is a number only
// when the whole of it converts to a finite value.
#include <string>
#include <string_view>

bool parseFloatToken(std::string_view token, float& value);
bool parseIntToken(std::string_view token, long& value);
// Removes a trailing '\r' (files written with CR LF line ends).
void stripCarriageReturn(std::string& line);
