#include <gtest/gtest.h>
#include "engine/Scenes.h"

#include "engine/Engine.h"
#include "engine/SceneFile.h"
#include "support/TestSupport.h"

#include <sstream>

// What a damaged record keeps: the rows of SceneKeywordTable; any damaged file read to
// its end: the scene fuzz target.
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
    e.world.enterScene(scene::ASTEROIDS);
    loadSceneFile(e, "Scene/does-not-exist.txt", 3, 2.f);
    EXPECT_TRUE(e.world.sceneObjects.empty());
    EXPECT_TRUE(e.world.cameraPath().empty());
    EXPECT_TRUE(e.world.justLoaded());
    EXPECT_FALSE(e.world.loading());
}

// A new scene's camera path is added to what the world holds: the scene before must leave none.
TEST(SceneFile, ASceneLoadedAfterAnotherFliesOnlyItsOwnCameraPath)
{
    testing_support::TempDir dir;
    const std::string path = dir.file("camera.txt");
    testing_support::writeFile(path, "OBJECTTYPE camera NAME Camera LOC 0 0 0 ROT 0 0 0 LOC 1 0 0 ROT 0 0 0 "
                                     "LOC 2 0 0 ROT 0 0 0 ENDOBJ\n");
    Engine e;
    e.world.enterScene(scene::ASTEROIDS);
    loadSceneFile(e, path, scene::ASTEROIDS, 0.f);
    ASSERT_EQ(e.world.cameraPath().size(), 2u);
    e.clearScene();
    loadSceneFile(e, path, scene::ASTEROIDS, 0.f);
    EXPECT_EQ(e.world.cameraPath().size(), 2u);
}
