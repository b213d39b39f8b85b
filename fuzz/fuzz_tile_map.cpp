// Tile maps (TMX with a CSV layer) as the level editor imports them, for each
// scroll direction. Properties: every imported record is a known pattern at a
// finite place and time, and no more records than cells.
#include "FuzzSupport.h"

#include "editor/TmxImport.h"
#include "enemies/LevelFiles.h"

#include <cmath>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::enterGameTree();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text = fuzz::asText(data, size);
    for (int direction = 0; direction < SCROLL_DIRECTION_COUNT; ++direction) {
        const TmxImportResult result = parseTmx(text, direction);
        if (result.status != TmxImportResult::Status::Imported)
            continue;
        fuzz::require(result.records.size() <= text.size(), "no more records than cells");
        for (const SpawnerRecord& r : result.records) {
            fuzz::require(r.patternId >= 0 && r.patternId < level_files::PATTERN_COUNT, "known patterns");
            fuzz::require(std::isfinite(r.posX) && std::isfinite(r.posY) && std::isfinite(r.spawnTimer),
                          "finite places and times");
        }
    }
    return 0;
}
