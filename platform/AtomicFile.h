#pragma once
// Writing the files a player or designer owns so that nothing is ever half
// written: the text goes to a temporary file beside the target, is flushed to the
// disk, replaces the target in one rename, and the folder is flushed too, so
// that after a crash or a power cut the file is either the old one or the new one.
#include <string>

// False (the target left as it was, the temporary file removed) when the text
// could not be written and flushed in full or the rename failed.
bool writeFileAtomically(const std::string& path, const std::string& text);
