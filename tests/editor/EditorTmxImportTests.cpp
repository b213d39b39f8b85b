// Tile-map import: cells become spawners by scroll direction; missing, truncated,
// garbage and out-of-range maps import nothing and say why.
#include "editor/TmxImport.h"
#include "enemies/SpawnPattern.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const char* const DATA_LINE = "  <data encoding=\"csv\">\n";

// A map of the given size whose layer rows are given (missing rows are left out).
std::string map(int width, int height, const std::vector<std::string>& rows, int layers = 1)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.2\" orientation=\"orthogonal\" "
                       "width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) +
                       "\" tilewidth=\"30\" tileheight=\"30\">\n";
    for (int l = 0; l < layers; ++l) {
        text += " <layer name=\"L\" width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\">\n";
        text += DATA_LINE;
        for (const std::string& row : rows)
            text += row + "\n";
        text += "</data>\n </layer>\n";
    }
    return text + "</map>\n";
}

// A row of `width` empty cells with `value` at `column`.
std::string row(int width, int column, int value)
{
    std::string text;
    for (int c = 0; c < width; ++c)
        text += (c == column ? std::to_string(value) : "0") + ",";
    return text;
}

std::vector<std::string> rowsWith(int width, int height, int r, int column, int value)
{
    std::vector<std::string> rows;
    for (int i = 0; i < height; ++i)
        rows.push_back(i == r ? row(width, column, value) : row(width, -1, 0));
    return rows;
}

} // namespace

TEST(EditorTmxImport, CellsBecomeSpawnersAlongEachScrollDirection)
{
    struct Cell {
        const char* what;
        int scroll, width, height, row, column, tile;
        int pattern;
        float x, y, direction, spawnTimer;
    };
    const Cell cells[] = {
        {"up: a Bee in the bottom row spawns first, aimed at the centre", scroll_direction::UP, 20, 40, 39, 0, 8,
         pattern_id::BEE, 240.f, -100.f, 318.37f, 0.f},
        {"down: a Circle formation in the top row", scroll_direction::DOWN, 20, 5, 0, 10, 6, pattern_id::CIRCLE, 540.f,
         540.f, 0.f, 0.1f},
        {"left: a wall tile is a Wall of variant 1", scroll_direction::LEFT, 50, 10, 6, 49, 31, pattern_id::WALL, 140.f,
         0.f, 1.f, 0.f},
        {"down: the first wall tile is a Wall of variant 0", scroll_direction::DOWN, 3, 1, 0, 1, 30, pattern_id::WALL, 270.f,
         1180.f, 0.f, 0.1f},
        {"right: the first column, on the right edge", scroll_direction::RIGHT, 5, 8, 7, 0, 19, pattern_id::TURRET, 1780.f, 30.f, 180.f,
         0.1f},
    };
    for (const Cell& c : cells) {
        const std::string text = map(c.width, c.height, rowsWith(c.width, c.height, c.row, c.column, c.tile));
        const TmxImportResult result = parseTmx(text, c.scroll);
        ASSERT_EQ(result.status, TmxImportResult::Status::Imported) << c.what;
        ASSERT_EQ(result.records.size(), 1u) << c.what;
        const SpawnerRecord& r = result.records[0];
        EXPECT_EQ(r.patternId, c.pattern) << c.what;
        EXPECT_EQ(sf::Vector2f(r.posX, r.posY), sf::Vector2f(c.x, c.y)) << c.what;
        EXPECT_NEAR(r.direction, c.direction, 0.01f) << c.what;
        EXPECT_NEAR(r.spawnTimer, c.spawnTimer, 1e-6f) << c.what;
        // A circle brings its 16 enemies 0.2 s apart; the other kinds here, one.
        EXPECT_EQ(r.nbMaxEnemy, c.pattern == pattern_id::CIRCLE ? 16 : 1) << c.what;
        EXPECT_FLOAT_EQ(r.delayTimer, c.pattern == pattern_id::CIRCLE ? 0.2f : 0.3f) << c.what;
    }
}

TEST(EditorTmxImport, ColumnsLayersAndOddCells)
{
    // "0" cells count as columns; empty values between commas do not; several layers all import.
    TmxImportResult two = parseTmx(map(6, 1, {"0,,8,0,,3,"}, 2), scroll_direction::UP);
    ASSERT_EQ(two.status, TmxImportResult::Status::Imported);
    ASSERT_EQ(two.records.size(), 4u);
    EXPECT_EQ(two.records[1].posX, 30.f * 3 + 240.f);
    EXPECT_EQ(two.records[1].posX, two.records[3].posX);

    // A cell of 1 (no pattern), garbage, negative and out-of-range values are skipped but keep their column.
    TmxImportResult odd = parseTmx(map(6, 1, {"1,x,-5,99999999999,4294967296,9"}), scroll_direction::UP);
    ASSERT_EQ(odd.status, TmxImportResult::Status::Imported);
    ASSERT_EQ(odd.records.size(), 1u);
    EXPECT_EQ(odd.skippedCells, 5);
    EXPECT_EQ(odd.records[0].posX, 30.f * 5 + 240.f);

    // Flipped and rotated tiles keep their kind: the flip bits are not part of the tile number.
    TmxImportResult flipped = parseTmx(map(4, 1, {"2147483656,1073741830,536870945,268435489"}), scroll_direction::UP);
    ASSERT_EQ(flipped.records.size(), 4u);
    EXPECT_EQ(flipped.records[0].patternId, pattern_id::BEE);
    EXPECT_EQ(flipped.records[1].patternId, pattern_id::CIRCLE);
    for (int k = 2; k < 4; ++k) {
        EXPECT_EQ(flipped.records[k].patternId, pattern_id::WALL);
        EXPECT_EQ(flipped.records[k].direction, 3.f) << "wall variant of tile 33";
    }

    // Windows line ends are read like plain ones.
    std::string crlf = map(3, 1, {"0,8,0"});
    for (size_t at = crlf.find('\n'); at != std::string::npos; at = crlf.find('\n', at + 2))
        crlf.insert(at, "\r");
    EXPECT_EQ(parseTmx(crlf, scroll_direction::UP).records.size(), 1u);

    // A layer stored otherwise than as CSV (here XML; base64 with zlib is the editor's own
    // import in EditorGlTest) refuses the whole map, which says how it is stored.
    std::string xml = map(3, 1, {"0,8,0"}, 2);
    xml.replace(xml.rfind(DATA_LINE), std::string(DATA_LINE).size(), "  <data>\n");
    const TmxImportResult refused = parseTmx(xml, 0);
    EXPECT_EQ(refused.status, TmxImportResult::Status::NotCsv);
    EXPECT_TRUE(refused.records.empty());
    EXPECT_NE(describeTmxImport(refused, "m.tmx").find("stored as XML,"), std::string::npos);

    // A huge height with few rows reads to the end of the file and stops.
    TmxImportResult tall = parseTmx(map(3, 2000000000, {"8,0,8"}), scroll_direction::DOWN);
    EXPECT_EQ(tall.status, TmxImportResult::Status::Imported);
    EXPECT_EQ(tall.records.size(), 2u);
}

// A missing map and a garbage one, with the message the designer reads, are the editor's
// own import in EditorGlTest.
TEST(EditorTmxImport, TruncatedAndMalformedFilesGiveADefinedOutcome)
{
    TempDir dir;
    const std::string whole = map(10, 3, rowsWith(10, 3, 1, 2, 8));
    using S = TmxImportResult::Status;
    struct Row {
        const char* file;
        std::string text;
        S status;
        size_t records;
    };
    const Row rows[] = {
        {"cut.tmx", whole.substr(0, whole.find("height")), S::NoMapSize, 0},
        {"short.tmx", whole.substr(0, whole.find("</data>") - 22), S::Imported, 1}, // keeps the rows it has
        {"wide.tmx", "<map version=\"1\" width=\"99999999999\" height=\"3\">", S::BadMapSize, 0},
        {"words.tmx", "<map version=\"1\" width=\"ten\" height=\"3\">", S::BadMapSize, 0},
        {"negative.tmx", "<map version=\"1\" width=\"4\" height=\"-3\">", S::BadMapSize, 0},
        {"nocsv.tmx", "<map version=\"1\" width=\"4\" height=\"4\"></map>", S::NoCsvLayer, 0},
    };
    for (const Row& row : rows) {
        writeFile(dir.file(row.file), row.text);
        const TmxImportResult result = importTmxFile(dir.file(row.file), 0);
        EXPECT_EQ(result.status, row.status) << row.file;
        EXPECT_EQ(result.records.size(), row.records) << row.file;
    }
}
