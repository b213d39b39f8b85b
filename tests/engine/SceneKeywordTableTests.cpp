// The scene-file keywords, one typed row each: a record as an artist's exporter writes it
// (or a damaged one) and what the reader makes of it. A renamed keyword, a swapped
// conversion, a light value leaking into a mesh or a bad value kept fails its row.
#include "engine/SceneFile.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using Kind = SceneRecordKind;
using Keys = std::vector<sf::Vector3f>;
const sf::Color WHITE = sf::Color::White;

struct KeywordRow {
    const char* text;
    bool makesRecord;
    Kind kind;
    const char* name;
    Keys positions;
    Keys rotations; // degrees
    float intensity;
    float range;
    sf::Color colour;
};

// Rotations are radians in the file: 1.5707964 is a quarter turn, 1 is 57.29578 degrees.
const KeywordRow ROWS[] = {
    {"OBJECTTYPE camera NAME Cam ENDOBJ", true, Kind::Camera, "Cam", {}, {}, 0, 0, WHITE},
    {"OBJECTTYPE mesh NAME Rock.001 ENDOBJ", true, Kind::Mesh, "Rock.001", {}, {}, 0, 0, WHITE},
    {"OBJECTTYPE light NAME Lamp ENDOBJ", true, Kind::Light, "Lamp", {}, {}, 0, 0, WHITE},
    {"junk OBJECTTYPE armature NAME Bones LOC 1 2 3 ENDOBJ", false, Kind::Mesh, "", {}, {}, 0, 0, WHITE},
    {"OBJECTTYPE mesh ENDOBJ", true, Kind::Mesh, "name", {}, {}, 0, 0, WHITE},
    {"OBJECTTYPE mesh FRAME 7 LOC 1 2 3 LOC 4 5 6 ENDOBJ", true, Kind::Mesh, "name", {{1, 2, 3}, {4, 5, 6}}, {}, 0, 0, WHITE},
    {"OBJECTTYPE camera ROT 0 0 0 ROT 1.5707964 1 -1 ENDOBJ", true, Kind::Camera, "name", {},
     {{90, 0, 0}, {0, 57.29578f, -57.29578f}}, 0, 0, WHITE},
    {"OBJECTTYPE mesh ROT 0 0 0 ROT 1.5707964 1 -1 ENDOBJ", true, Kind::Mesh, "name", {},
     {{270, -180, 0}, {360, -237.29578f, -57.29578f}}, 0, 0, WHITE},
    {"OBJECTTYPE light ROT 0 1 0 ENDOBJ", true, Kind::Light, "name", {}, {{270, -237.29578f, 0}}, 0, 0, WHITE},
    {"OBJECTTYPE light INTENSITY 2.5 RANGE 1000 COLOR 1 0.5 0 ENDOBJ", true, Kind::Light, "name", {}, {}, 2.5f,
     1000, sf::Color(255, 127, 0)},
    {"OBJECTTYPE mesh INTENSITY 5 RANGE 9 COLOR 0 0 0 LOC 1 1 1 ENDOBJ", true, Kind::Mesh, "name", {{1, 1, 1}}, {}, 0,
     0, WHITE},
    {"OBJECTTYPE camera INTENSITY 5 RANGE 9 COLOR 0 0 0 LOC 1 1 1 ENDOBJ", true, Kind::Camera, "name", {{1, 1, 1}}, {},
     0, 0, WHITE},
    {"OBJECTTYPE mesh NAME NULL LOC 1 1 1 ENDOBJ", true, Kind::Mesh, "NULL", {}, {}, 0, 0, WHITE},
    {"OBJECTTYPE light INTENSITY 3 LOC 1 1 1 NAME NULL LOC 2 2 2 ENDOBJ", true, Kind::Light, "NULL", {{1, 1, 1}}, {},
     3, 0, WHITE},
    {"OBJECTTYPE mesh loc 1 2 3 Rot 0 0 0 name Big ENDOBJ", true, Kind::Mesh, "name", {}, {}, 0, 0, WHITE},
    {"OBJECTTYPE mesh NAME A ENDOBJ LOC 1 2 3", true, Kind::Mesh, "A", {}, {}, 0, 0, WHITE},
    // Damaged values: a key whose value does not read is dropped (the bad word is then read
    // as a key), a rotation whose degrees overflow a float likewise, colours stay in 0..255,
    // a record cut short ends with the file.
    {"OBJECTTYPE light COLOR 1 nan? 0 INTENSITY lots RANGE 1e999 ENDOBJ", true, Kind::Light, "name", {}, {}, 0, 0,
     WHITE},
    {"OBJECTTYPE camera ROT 1e38 0 0 ROT 0 -3e37 0 ROT 0 0 0 ENDOBJ", true, Kind::Camera, "name", {}, {{90, 0, 0}}, 0,
     0, WHITE},
    {"OBJECTTYPE light COLOR 2 -1 0.999 ENDOBJ", true, Kind::Light, "name", {}, {}, 0, 0, sf::Color(255, 0, 254)},
    {"OBJECTTYPE camera LOC 1 2 3 ROT 0 0 0 LOC 4 5", true, Kind::Camera, "name", {{1, 2, 3}}, {{90, 0, 0}}, 0, 0,
     WHITE},
    {"", false, Kind::Mesh, "", {}, {}, 0, 0, WHITE},
};

void expectKeys(const Keys& read, const Keys& expected)
{
    ASSERT_EQ(read.size(), expected.size());
    for (size_t k = 0; k < read.size(); ++k) {
        EXPECT_NEAR(read[k].x, expected[k].x, 1e-3f) << k;
        EXPECT_NEAR(read[k].y, expected[k].y, 1e-3f) << k;
        EXPECT_NEAR(read[k].z, expected[k].z, 1e-3f) << k;
    }
}

} // namespace

TEST(SceneKeywordTable, EveryKeywordIsReadAsTheExporterMeantIt)
{
    for (const KeywordRow& row : ROWS) {
        SCOPED_TRACE(row.text);
        std::istringstream in(row.text);
        const std::vector<SceneRecord> records = readSceneRecords(in);
        ASSERT_EQ(records.size(), row.makesRecord ? 1u : 0u);
        if (!row.makesRecord)
            continue;
        const SceneRecord& r = records[0];
        EXPECT_EQ(r.kind, row.kind);
        EXPECT_EQ(r.name, row.name);
        expectKeys(r.positions, row.positions);
        expectKeys(r.rotations, row.rotations);
        EXPECT_FLOAT_EQ(r.intensity, row.intensity);
        EXPECT_FLOAT_EQ(r.range, row.range);
        EXPECT_EQ(r.colour, row.colour);
    }
}
