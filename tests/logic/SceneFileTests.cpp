#include <gtest/gtest.h>
#include "engine/Scenes.h"
#include "support/TestSupport.h"

#include "engine/Engine.h"
#include "engine/SceneFile.h"

#include <sstream>

namespace {

std::vector<SceneRecord> parse(const std::string& text)
{
    std::istringstream in(text);
    return readSceneRecords(in);
}

void expectNear(const sf::Vector3f& a, const sf::Vector3f& b, float eps = 1e-3f)
{
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

} // namespace

TEST(SceneFile, EveryRecordKindWithItsConversions)
{
    const auto records = parse(
        "junk before OBJECTTYPE camera NAME Cam FRAME 1 LOC 1 2 3 ROT 0 0 0 LOC 4 5 6 ROT 1.5707964 0 0 ENDOBJ\n"
        "OBJECTTYPE mesh NAME Rock.001 LOC 1 2 3 ROT 0 0 0 INTENSITY 5 RANGE 9 COLOR 1 1 1 ENDOBJ\n"
        "OBJECTTYPE light LOC 7 8 9 ROT 1 1 1 INTENSITY 2.5 RANGE 1000 COLOR 1 0.5 0 NAME Lamp ENDOBJ\n");
    ASSERT_EQ(records.size(), 3u);

    const SceneRecord& camera = records[0];
    EXPECT_EQ(camera.kind, SceneRecordKind::Camera);
    EXPECT_EQ(camera.name, "Cam");
    ASSERT_EQ(camera.positions.size(), 2u);
    ASSERT_EQ(camera.rotations.size(), 2u);
    expectNear(camera.rotations[0], {90.f, 0.f, 0.f});
    expectNear(camera.rotations[1], {0.f, 0.f, 0.f});

    const SceneRecord& mesh = records[1];
    EXPECT_EQ(mesh.kind, SceneRecordKind::Mesh);
    EXPECT_EQ(objectNameOf(mesh.name), "Rock");
    expectNear(mesh.positions.at(0), {1.f, 2.f, 3.f});
    expectNear(mesh.rotations.at(0), {270.f, -180.f, 0.f});
    // Light values in other records are read and dropped.
    EXPECT_EQ(mesh.intensity, 0.f);
    EXPECT_EQ(mesh.colour, sf::Color::White);

    const SceneRecord& light = records[2];
    EXPECT_EQ(light.kind, SceneRecordKind::Light);
    EXPECT_FLOAT_EQ(light.intensity, 2.5f);
    EXPECT_FLOAT_EQ(light.range, 1000.f);
    EXPECT_EQ(light.colour, sf::Color(255, 127, 0));
    expectNear(light.positions.at(0), {7.f, 8.f, 9.f});
}

TEST(SceneFile, NamesUnknownKindsAndKeys)
{
    const auto records = parse(
        "OBJECTTYPE armature NAME Bones LOC 1 1 1 ENDOBJ\n"
        "OBJECTTYPE mesh FOO 3 BAR NAME NULL LOC 5 5 5 ENDOBJ\n"
        "OBJECTTYPE light INTENSITY 3 LOC 1 1 1 NAME NULL LOC 2 2 2 INTENSITY 9 ENDOBJ\n"
        "OBJECTTYPE mesh LOC 1 1 1 ENDOBJ\n");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].name, "NULL");
    EXPECT_TRUE(records[0].positions.empty());
    // Keys before "NAME NULL" still count.
    EXPECT_FLOAT_EQ(records[1].intensity, 3.f);
    EXPECT_EQ(records[1].positions.size(), 1u);
    EXPECT_EQ(records[2].name, "name");
    EXPECT_EQ(objectNameOf("a.b.c"), "a.b");
    EXPECT_EQ(objectNameOf("plain"), "plain");
}

TEST(SceneFile, NonNumericValuesAndTruncatedFiles)
{
    // A key with a bad value is dropped; the offending word is read as a key.
    auto records = parse("OBJECTTYPE mesh LOC 1 x 3 LOC 4 5 6 ROT 1 2 ENDOBJ OBJECTTYPE mesh NAME B ENDOBJ");
    ASSERT_EQ(records.size(), 2u);
    ASSERT_EQ(records[0].positions.size(), 1u);
    expectNear(records[0].positions[0], {4.f, 5.f, 6.f});
    EXPECT_TRUE(records[0].rotations.empty());
    EXPECT_EQ(records[1].name, "B");

    records = parse("OBJECTTYPE light COLOR 1 nan? 0 INTENSITY lots RANGE 1e999 ENDOBJ");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].colour, sf::Color::White);
    EXPECT_EQ(records[0].intensity, 0.f);
    EXPECT_EQ(records[0].range, 0.f);

    // A rotation whose degrees overflow a float is dropped like a bad value.
    records = parse("OBJECTTYPE camera ROT 1e38 0 0 ROT 0 -3e37 0 ROT 0 0 0 ENDOBJ");
    ASSERT_EQ(records.at(0).rotations.size(), 1u);
    expectNear(records[0].rotations[0], {90.f, 0.f, 0.f});

    // Colours are kept in 0..255.
    records = parse("OBJECTTYPE light COLOR 2 -1 0.999 ENDOBJ");
    EXPECT_EQ(records.at(0).colour, sf::Color(255, 0, 254));

    // Cut short: the record ends with the file.
    records = parse("OBJECTTYPE camera LOC 1 2 3 ROT 0 0 0 LOC 4 5");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].positions.size(), 1u);
    EXPECT_TRUE(parse("OBJECTTYPE").empty());
    EXPECT_TRUE(parse("").empty());
}

TEST(SceneFile, WorldObjectTableAndMissingFiles)
{
    std::istringstream in("Rock 3D/rock 3D/rock.png\nShip 3D/ship 3D/ship.png\nRock 3D/rock2 3D/rock2.png\r\nDangling 3D/x");
    WorldObjectTable table(in);
    EXPECT_EQ(table["Rock"].modelPath, "3D/rock2");
    EXPECT_EQ(table["Ship"].texturePath, "3D/ship.png");
    EXPECT_EQ(table.count("Dangling"), 0u);
    EXPECT_TRUE(table["Unknown"].modelPath.empty());

    // A scene file that does not open: nothing loaded, the scene counts as loaded.
    Engine e;
    e.world.sceneId = scene::ASTEROIDS;
    loadSceneFile(e, "Scene/does-not-exist.txt", 3, 2.f);
    EXPECT_TRUE(e.world.sceneObjects.empty());
    EXPECT_TRUE(e.world.cameraFrames.empty());
    EXPECT_TRUE(e.world.sceneLoaded);
    EXPECT_FALSE(e.world.sceneLoading);
}

TEST(SceneFile, ClearSceneMarksOnlyTheCurrentScene)
{
    Engine e;
    e.world.sceneId = scene::DIVE;
    for (int id : {scene::ASTEROIDS, scene::DIVE}) {
        SceneObjectRecord record;
        record.sceneId = id;
        record.mesh = std::make_unique<Mesh>(std::vector<Triangle>{}, sf::Vector3f(), "m", false);
        e.world.sceneObjects.push_back(std::move(record));
    }
    e.addMesh(new Mesh({}, {}, "registered", false));
    e.world.cameraFrames.resize(3);
    e.clearScene();
    EXPECT_FALSE(e.world.sceneObjects[0].removePending);
    EXPECT_TRUE(e.world.sceneObjects[1].removePending);
    EXPECT_TRUE(e.world.sceneObjects[1].mesh->markedForDeletion);
    EXPECT_TRUE(e.world.meshes[0]->markedForDeletion);
    EXPECT_TRUE(e.world.cameraFrames.empty());

    // Released at the first rebuild after the next load.
    e.updateVisibleObjects();
    EXPECT_EQ(e.world.sceneObjects.size(), 2u);
    EXPECT_TRUE(e.world.meshes.empty());
    e.world.sceneLoaded = true;
    e.updateVisibleObjects();
    ASSERT_EQ(e.world.sceneObjects.size(), 1u);
    EXPECT_EQ(e.world.sceneObjects[0].sceneId, scene::ASTEROIDS);
    EXPECT_FALSE(e.world.sceneLoaded);
}
