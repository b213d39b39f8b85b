#include "editor/TmxImport.h"

#include "enemies/SpawnPattern.h"
#include "engine/TextParse.h"
#include "platform/AssetPath.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <sstream>

namespace {

const char* const CSV_DATA_TAG = "<data encoding=\"csv\">";
constexpr int FIRST_WALL_ID = 28;
constexpr int TILE_ID_OFFSET = 2; // tile numbers count from the tile set's first entry
// The map editor keeps a tile's flips and rotation in the top bits of its number.
constexpr long long TILE_FLIP_BITS = 0xF0000000LL;
constexpr long long LARGEST_TILE_NUMBER = 0xFFFFFFFFLL;

// A decimal integer as std::stoi reads it: optional blanks, a sign, digits, and
// whatever follows ignored. False for no digits or a value outside int.
bool parseLeadingInt(const std::string& text, long long& value)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(begin, &end, 10);
    if (end == begin || errno == ERANGE)
        return false;
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

// A cell's tile number without its flip bits; false for text that is not a
// 32-bit unsigned tile number.
bool parseTileNumber(const std::string& cell, long long& tile)
{
    const char* begin = cell.c_str();
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(begin, &end, 10);
    if (end == begin || errno == ERANGE || value < 0 || value > LARGEST_TILE_NUMBER)
        return false;
    tile = value & ~TILE_FLIP_BITS;
    return true;
}

// The value of attribute `name` inside one tag, or "" when the tag has none.
std::string attribute(const std::string& tag, const std::string& name)
{
    const std::string key = " " + name + "=\"";
    const size_t at = tag.find(key);
    if (at == std::string::npos)
        return "";
    const size_t start = at + key.size();
    const size_t end = tag.find('"', start);
    return tag.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// The first tile layer stored other than as CSV text, described by its encoding
// and compression ("base64, zlib"); "" when every layer is CSV.
std::string firstNonCsvEncoding(const std::string& text)
{
    for (size_t at = text.find("<data"); at != std::string::npos; at = text.find("<data", at + 1)) {
        const size_t close = text.find('>', at);
        const std::string tag = text.substr(at, close == std::string::npos ? std::string::npos : close - at + 1);
        if (tag.size() > 5 && tag[5] != ' ' && tag[5] != '>')
            continue; // another element whose name starts the same way
        const std::string encoding = attribute(tag, "encoding");
        if (encoding == "csv")
            continue;
        const std::string compression = attribute(tag, "compression");
        const std::string name = encoding.empty() ? "XML" : encoding;
        return compression.empty() ? name : name + ", " + compression;
    }
    return "";
}

std::string trimmed(const std::string& line)
{
    const size_t first = line.find_first_not_of(" \t");
    return first == std::string::npos ? "" : line.substr(first);
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The first width and height attributes: the text split at double quotes, the
// token after ' width=' being W and the one after ' height=' H, scanning until
// both are non-zero.
TmxImportResult::Status readMapSize(const std::string& text, int& width, int& height)
{
    width = height = 0;
    size_t start = 0;
    std::string previous;
    while (start <= text.size() && (width == 0 || height == 0)) {
        const size_t quote = text.find('"', start);
        const std::string token = text.substr(start, quote == std::string::npos ? std::string::npos : quote - start);
        if (previous == " width=" || previous == " height=") {
            long long v = 0;
            if (!parseLeadingInt(token, v))
                return TmxImportResult::Status::BadMapSize;
            (previous == " width=" ? width : height) = static_cast<int>(v);
        }
        previous = token;
        if (quote == std::string::npos)
            break;
        start = quote + 1;
    }
    if (width == 0 || height == 0)
        return TmxImportResult::Status::NoMapSize;
    if (width < 0 || height < 0)
        return TmxImportResult::Status::BadMapSize;
    return TmxImportResult::Status::Imported;
}

void importRow(const std::string& line, int row, TmxImportResult& result, int scrollDirection)
{
    int column = 0;
    size_t start = 0;
    while (start <= line.size()) {
        size_t comma = line.find(',', start);
        if (comma == std::string::npos)
            comma = line.size();
        const std::string cell = line.substr(start, comma - start);
        start = comma + 1;
        if (cell.empty())
            continue; // empty values between commas are not columns
        const int c = column++;
        if (cell[0] == '0')
            continue;
        long long value = 0;
        if (!parseTileNumber(cell, value) || value - TILE_ID_OFFSET < 0) {
            ++result.skippedCells;
            continue;
        }
        const long long id = value - TILE_ID_OFFSET;
        SpawnerRecord r;
        r.patternId = id >= FIRST_WALL_ID ? pattern_id::WALL : static_cast<int>(id);
        r.colour = sf::Color::Black;
        placeTmxTile(r, scrollDirection, row, result.height, c, result.width);
        if (id >= FIRST_WALL_ID)
            r.direction = static_cast<float>(id - FIRST_WALL_ID);
        result.records.push_back(r);
    }
}

} // namespace

void placeTmxTile(SpawnerRecord& record, int scrollDirection, int r, int h, int c, int w)
{
    const float row = static_cast<float>(r), column = static_cast<float>(c);
    const float height = static_cast<float>(h), width = static_cast<float>(w);
    float crossAxis = 0.f, spawnTime = 0.f;
    switch (scrollDirection) {
    case scroll_direction::UP:
        crossAxis = 30.f * column + 240.f;
        spawnTime = (height - row - 1.f) * 0.1f;
        break;
    case scroll_direction::DOWN:
        crossAxis = 30.f * column + 240.f;
        spawnTime = (row + 1.f) * 0.1f;
        break;
    case scroll_direction::LEFT:
        crossAxis = 30.f * (row - 6.f);
        spawnTime = (width - column - 1.f) * 0.1f;
        break;
    default:
        crossAxis = 30.f * (row - 6.f);
        spawnTime = (column + 1.f) * 0.1f;
        break;
    }
    placeRecord(record, scrollPlacement(scrollDirection, crossAxis), spawnTime);
}

TmxImportResult parseTmx(const std::string& text, int scrollDirection)
{
    TmxImportResult result;
    result.status = readMapSize(text, result.width, result.height);
    if (result.status != TmxImportResult::Status::Imported)
        return result;
    result.encoding = firstNonCsvEncoding(text);
    if (!result.encoding.empty()) {
        result.status = TmxImportResult::Status::NotCsv;
        return result;
    }
    const std::vector<std::string> lines = splitLines(text);
    bool layerFound = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (trimmed(lines[i]) != CSV_DATA_TAG)
            continue;
        layerFound = true;
        // Rows run to the map height or the end of the file, whichever comes first.
        for (int row = 0; row < result.height && i + 1 < lines.size(); ++row)
            importRow(lines[++i], row, result, scrollDirection);
    }
    if (!layerFound)
        result.status = TmxImportResult::Status::NoCsvLayer;
    else if (result.records.empty())
        result.status = TmxImportResult::Status::NoSpawners;
    return result;
}

TmxImportResult importTmxFile(const std::string& path, int scrollDirection)
{
    std::string text;
    if (!readTextFile(resolveAssetPath(path), text))
        return TmxImportResult{};
    return parseTmx(text, scrollDirection);
}

std::string describeTmxImport(const TmxImportResult& result, const std::string& path)
{
    switch (result.status) {
    case TmxImportResult::Status::NotOpened: return "Cannot open " + path + ": nothing imported";
    case TmxImportResult::Status::NoMapSize: return "No map width and height in " + path + ": nothing imported";
    case TmxImportResult::Status::BadMapSize: return "Bad map width or height in " + path + ": nothing imported";
    case TmxImportResult::Status::NotCsv:
        return "The tile layer of " + path + " is stored as " + result.encoding +
               ", not CSV: nothing imported (save the map with the CSV layer format)";
    case TmxImportResult::Status::NoCsvLayer: return "No CSV tile layer in " + path + ": nothing imported";
    case TmxImportResult::Status::NoSpawners:
        if (result.skippedCells == 0)
            return "Every cell of " + path + " is empty: nothing imported";
        return "No cell of " + path + " holds a tile the editor knows (" + std::to_string(result.skippedCells) +
               " unknown cells): nothing imported";
    case TmxImportResult::Status::Imported: break;
    }
    std::string text = "Imported " + std::to_string(result.records.size()) + " spawners from " + path;
    if (result.skippedCells > 0)
        text += " (" + std::to_string(result.skippedCells) + " unknown cells skipped)";
    return text;
}
