#pragma once
// Shared rules for the game's text files: checked number parsing (a token is a
// number only when the whole of it converts to a finite value), the UTF-8
// byte-order mark and CR LF line ends that editors on other systems leave in a
// file, and one message on the error stream for a data file that cannot be read.
#include <istream>
#include <string>
#include <string_view>

bool parseFloatToken(std::string_view token, float& value);
bool parseIntToken(std::string_view token, long& value);
// Removes a trailing '\r' (files written with CR LF line ends).
void stripCarriageReturn(std::string& line);

// Skips a UTF-8 byte-order mark at the stream's position, if one is there.
void skipByteOrderMark(std::istream& in);
// Removes a leading UTF-8 byte-order mark from a file's text.
void stripByteOrderMark(std::string& text);
// A text that starts with a UTF-16 byte-order mark (either byte order, as some
// editors save), re-encoded as UTF-8 without the mark; what is not UTF-16 (a
// lone surrogate, an odd last byte) becomes U+FFFD. False, and the text left as
// it is, without such a mark.
bool decodeUtf16Text(std::string& text);
// The whole text of a file (byte-order mark removed); false when it does not open.
bool readTextFile(const std::string& path, std::string& text);

// Writes "Orbyndel: <path>: <problem>" to the error stream, once per path and
// problem for the run, so a file read every frame or every level does not flood it.
void reportDataFileProblem(const std::string& path, const std::string& problem);
// The usual problem of a data file that did not open: missing, or unreadable
// (named by its full path, since the game reads from its working directory).
void reportUnreadableDataFile(const std::string& path);
