// Scene files with their camera path, and the world-object table: the input is a
// scene file, optionally followed by a line "=== WORLD_OBJECT ===" and a table.
// Properties: every kept key is finite, the camera path has one frame per
// position key after the first rotation key, the table holds one entry per name.
#include "FuzzSupport.h"

#include "engine/CameraPath.h"
#include "engine/SceneFile.h"

#include <cmath>
#include <sstream>

namespace {
bool finite(const sf::Vector3f& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::enterGameTree();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<std::string> parts = fuzz::splitParts(fuzz::asText(data, size), "=== WORLD_OBJECT ===");
    std::istringstream sceneText(parts[0]);
    const std::vector<SceneRecord> records = readSceneRecords(sceneText);
    std::vector<CameraFrame> frames;
    size_t positionKeys = 0;
    for (const SceneRecord& record : records) {
        for (const sf::Vector3f& p : record.positions)
            fuzz::require(finite(p), "positions are finite");
        for (const sf::Vector3f& r : record.rotations)
            fuzz::require(finite(r), "rotations are finite");
        if (record.kind == SceneRecordKind::Camera) {
            appendCameraFrames(frames, record);
            positionKeys += record.positions.size();
        }
        objectNameOf(record.name);
    }
    fuzz::require(frames.size() <= positionKeys, "no more camera frames than position keys");
    markFramesPlayed(frames, size % 7 * 0.5f);

    if (parts.size() > 1) {
        std::istringstream tableText(parts[1]);
        const WorldObjectTable table(tableText);
        for (const auto& entry : table)
            fuzz::require(!entry.first.empty() && !entry.second.modelPath.empty(), "table rows are whole");
    }
    return 0;
}
