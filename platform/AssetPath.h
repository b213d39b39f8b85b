#pragma once
#include <string>

// Asset paths are relative to the working directory with forward slashes.
// The data spells a few folders in more than one letter case; resolveAssetPath
// returns the path as given when it exists, otherwise the first entry of each
// folder level that matches case-insensitively, otherwise the path unchanged.
std::string resolveAssetPath(const std::string& path);

// Whether the resolved path names an existing regular file.
bool assetExists(const std::string& path);
