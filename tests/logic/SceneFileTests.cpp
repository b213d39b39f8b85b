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

TEST(SceneFile, AKeyWithABadValueIsDroppedAndTheRecordGoesOn)
{
    // The offending word is read as a key; the next record still comes. (Single damaged
    // records are rows of the keyword table.)
    auto records = parse("OBJECTTYPE mesh LOC 1 x 3 LOC 4 5 6 ROT 1 2 ENDOBJ OBJECTTYPE mesh NAME B ENDOBJ");
    ASSERT_EQ(records.size(), 2u);
    ASSERT_EQ(records[0].positions.size(), 1u);
    expectNear(records[0].positions[0], {4.f, 5.f, 6.f});
    EXPECT_TRUE(records[0].rotations.empty());
    EXPECT_EQ(records[1].name, "B");
}

TEST(SceneFile, WorldObjectTableAndMissingFiles)
{
    std::istringstream in("Rock 3D/rock 3D/rock.png\nShip 3D/ship 3D/ship.png\nRock 3D/rock2 3D/rock2.png\r\nDangling 3D/x");
    WorldObjectTable table(in);
    EXPECT_EQ(table["Rock"].modelPath, "3D/rock2");
    EXPECT_EQ(table["Ship"].texturePath, "3D/ship.png");
    EXPECT_EQ(table.count("Dangling"), 0u);
    EXPECT_TRUE(table["Unknown"].modelPath.empty());
    // A scene names an object of the table by its name before the last dot.
    EXPECT_EQ(objectNameOf("Rock.001"), "Rock");
    EXPECT_EQ(objectNameOf("a.b.c"), "a.b");
    EXPECT_EQ(objectNameOf("plain"), "plain");

    // A scene file that does not open: nothing loaded, the scene counts as loaded.
    Engine e;
    e.world.sceneId = scene::ASTEROIDS;
    loadSceneFile(e, "Scene/does-not-exist.txt", 3, 2.f);
    EXPECT_TRUE(e.world.sceneObjects.empty());
    EXPECT_TRUE(e.world.cameraFrames.empty());
    EXPECT_TRUE(e.world.sceneLoaded);
    EXPECT_FALSE(e.world.sceneLoading);
}
