#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fuzz {

namespace {
struct ScratchFolder {
    std::string path;
    ScratchFolder()
    {
        // The script's own folder when it names one (it removes it, even after a crash).
        const char* given = std::getenv("FUZZ_SCRATCH_DIR");
        if (given && *given) {
            std::error_code ignored;
            std::filesystem::create_directories(given, ignored);
            path = given;
            return;
        }
        // In memory when the machine has it: the game's writes flush to disk, which
        // would otherwise dominate the time of a run.
        std::error_code error;
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::string pattern = (base / "orbyndel-fuzz-XXXXXX").string();
        if (!mkdtemp(&pattern[0]))
            std::abort();
        path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};
} // namespace

void enterGameTree()
{
    const char* dir = std::getenv("ORBYNDEL_GAME_DIR");
    const std::string gameDir = dir && *dir ? dir : FUZZ_GAME_DIR;
    if (chdir(gameDir.c_str()) != 0) {
        std::fprintf(stderr, "fuzz: cannot enter the game tree %s\n", gameDir.c_str());
        std::abort();
    }
    setenv("ALSOFT_DRIVERS", "null", 0);
}

const std::string& scratchFolder()
{
    static ScratchFolder folder;
    return folder.path;
}

std::string writeScratchFile(const std::string& name, const std::string& bytes)
{
    const std::string path = scratchFolder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return path;
}

std::string asText(const uint8_t* data, size_t size) { return std::string(reinterpret_cast<const char*>(data), size); }

std::vector<std::string> splitParts(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts(1);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        if (last)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        if (line == separator)
            parts.emplace_back();
        else
            parts.back() += line + (last ? "" : "\n");
        if (last)
            break;
        start = end + 1;
    }
    return parts;
}

void require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz: property broken: %s\n", property);
    std::abort();
}

} // namespace fuzz
