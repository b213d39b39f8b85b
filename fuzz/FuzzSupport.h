#pragma once
// What every fuzz target shares: the game's data tree as working directory, a
// private scratch folder for the files a target writes, and a way to cut one
// input into the parts of a multi-file format.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// Moves into the game's runnable tree (ORBYNDEL_GAME_DIR, else the build's own)
// and quiets the sound back end. Call from LLVMFuzzerInitialize.
void enterGameTree();

// A scratch folder of this process (FUZZ_SCRATCH_DIR when set), created on first
// use, removed at a normal exit.
const std::string& scratchFolder();
// Writes bytes to scratchFolder() + "/" + name and returns that path.
std::string writeScratchFile(const std::string& name, const std::string& bytes);

std::string asText(const uint8_t* data, size_t size);

// Splits text at every line that is exactly `separator`; at least one part.
std::vector<std::string> splitParts(const std::string& text, const std::string& separator);

// Stops the run with a message when a property does not hold (libFuzzer then
// saves the input as a crash).
void require(bool holds, const char* property);

} // namespace fuzz
