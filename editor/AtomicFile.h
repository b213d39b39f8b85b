#pragma once
// Writing the editor's files so that a reader never sees half of one: the text
// goes to a temporary file beside the target, which then replaces it in one step.
#include <string>

// False (and the target left as it was) when the text could not be written in full.
bool writeFileAtomically(const std::string& path, const std::string& text);
