#pragma once
// Writing the files a player or designer owns so that nothing is ever half
// written: the text goes to a temporary file beside the target, is flushed to the
// disk, replaces the target in one rename, and the folder is flushed too, so
// that after a crash or a power cut the file is either the old one or the new one.
//
// The temporary file is named after the target and this process
// (<name>.saving-<process>-<count>.part). Those left by a write that never
// finished (the game was killed) are removed the next time the folder is
// written, unless the process that made them still runs.
#include <functional>
#include <string>

// False (the target left as it was, the temporary file removed) when the text
// could not be written and flushed in full or the rename failed. A file replaced
// keeps its permissions; a file without write permission (the player made it
// read-only) is not replaced.
bool writeFileAtomically(const std::string& path, const std::string& text);

// The file exists and may not be written: no write permission at all, or none
// for this process.
bool isReadOnlyFile(const std::string& path);

// Keeps the file as it is now, byte for byte, under the first of nameFor(1),
// nameFor(2), ... that does not exist yet (an existing file is never replaced),
// flushed to the disk. The name used, or "" when no copy could be kept.
std::string keepFileAside(const std::string& path, const std::function<std::string(int)>& nameFor);
