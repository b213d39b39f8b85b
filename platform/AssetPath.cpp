#include "platform/AssetPath.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
bool sameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}
}

std::string resolveAssetPath(const std::string& path)
{
    std::error_code ec;
    if (path.empty() || fs::exists(path, ec))
        return path;

    fs::path given(path);
    fs::path current = given.is_absolute() ? given.root_path() : fs::path(".");
    fs::path built = given.is_absolute() ? given.root_path() : fs::path();
    for (const fs::path& part : given.relative_path()) {
        const std::string name = part.string();
        if (name == "." || name == "..") {
            current /= part;
            built /= part;
            continue;
        }
        fs::path exact = current / part;
        if (fs::exists(exact, ec)) {
            current = exact;
            built /= part;
            continue;
        }
        bool found = false;
        for (fs::directory_iterator it(current, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string candidate = it->path().filename().string();
            if (sameIgnoringCase(candidate, name)) {
                current = it->path();
                built /= candidate;
                found = true;
                break;
            }
        }
        if (!found)
            return path;
    }
    return built.generic_string();
}

bool assetExists(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(resolveAssetPath(path), ec);
}
