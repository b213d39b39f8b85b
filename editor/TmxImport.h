#pragma once
// Importing a sequence drawn as a tile map: each non-empty cell of the map's CSV
// layer becomes one spawner, its column giving the position across the scroll
// axis and its row (its column, in horizontal scrolling) the spawn time at 0.1 s
// per 30-pixel cell.
#include "editor/SpawnerRecord.h"

#include <string>
#include <vector>

// Fills the position, direction, spawn time, count and delay of a record whose
// pattern is set, for the cell at row r, column c of a W x H map.
void placeTmxTile(SpawnerRecord& record, int scrollDirection, int row, int height, int column, int width);

struct TmxImportResult {
    enum class Status { Imported, NotOpened, NoMapSize, BadMapSize, NotCsv, NoCsvLayer, NoSpawners };
    Status status = Status::NotOpened;
    std::string encoding; // NotCsv: how the layer is stored ("base64, zlib", "XML")
    std::vector<SpawnerRecord> records; // in file order; only meaningful when Imported
    int width = 0, height = 0;
    int skippedCells = 0; // cells whose text is not a tile number the editor knows
};

// The tile map's text as records. Walls (tile ids 28 and up) become "Wall"
// spawners whose direction is the wall's tile variant. Tile numbers lose their
// flip bits. A map with a layer not stored as CSV (NotCsv), without any CSV
// layer (NoCsvLayer), or whose cells are all empty or unknown (NoSpawners), imports nothing.
TmxImportResult parseTmx(const std::string& text, int scrollDirection);
// Reads and parses a tile-map file (NotOpened when it does not open).
TmxImportResult importTmxFile(const std::string& path, int scrollDirection);
// One line for the editor describing the result.
std::string describeTmxImport(const TmxImportResult& result, const std::string& path);
