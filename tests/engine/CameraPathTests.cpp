#include <gtest/gtest.h>
#include "engine/Scenes.h"
#include "support/TestSupport.h"

#include "engine/Engine.h"
#include "engine/SceneFile.h"

namespace {

SceneRecord cameraRecord(int keys)
{
    SceneRecord r;
    r.kind = SceneRecordKind::Camera;
    for (int k = 0; k < keys; ++k) {
        r.positions.push_back({static_cast<float>(k), 0.f, 0.f});
        r.rotations.push_back({0.f, static_cast<float>(k), 0.f});
    }
    return r;
}

struct PathFixture {
    explicit PathFixture(int keys, int sceneId = scene::INTRO)
    {
        e.world.installPlayer(std::make_unique<Player>());
        e.world.enterScene(sceneId);
        e.world.cameraPath().append(cameraRecord(keys));
    }
    // Runs engine frames at `dt`; returns how many of them posed a path frame.
    int run(int frames, float dt)
    {
        int poses = 0;
        e.timing.frameTime = dt;
        for (int i = 0; i < frames; ++i)
            poses += playCameraPath(e) ? 1 : 0;
        return poses;
    }
    testing_support::SyntheticInput input;
    Engine e;
};

} // namespace

// The frames built from the keys are posed in PosesPerSecondAtDifferentFrameTimes; their
// count on odd key lists is a property of the scene fuzz target.
TEST(CameraPath, AStartTimeSkipsTheFramesBeforeIt)
{
    std::vector<CameraFrame> path;
    appendCameraFrames(path, cameraRecord(301));
    markFramesPlayed(path, 2.5f);
    EXPECT_FALSE(path[149].pending);
    EXPECT_TRUE(path[150].pending);
    markFramesPlayed(path, 1e9f); // more than the path: all of it
    EXPECT_FALSE(path.back().pending);
    std::vector<CameraFrame> fresh;
    appendCameraFrames(fresh, cameraRecord(10));
    markFramesPlayed(fresh, -3.f);
    EXPECT_TRUE(fresh[0].pending);
}

TEST(CameraPath, PosesPerSecondAtDifferentFrameTimes)
{
    // 1/60 s: about one pose per engine frame.
    PathFixture steady(2000);
    const int posesAt60 = steady.run(600, 1.f / 60.f);
    EXPECT_GE(posesAt60, 590);
    EXPECT_LE(posesAt60, 600);
    const int posed = steady.e.world.cameraPath().posedFrame();
    EXPECT_NEAR(steady.e.world.player3D()->position.x, static_cast<float>(posed), 0.f);
    EXPECT_EQ(steady.e.world.camera()->rotation.y, static_cast<float>(steady.e.world.cameraPath().posedFrame() + 1));

    // 0.01 s: a pose every 1 to 2 engine frames, the path still runs at 60 per second.
    PathFixture slow(2000);
    EXPECT_NEAR(slow.run(600, 0.01f), 360, 2);
    EXPECT_NEAR(slow.e.world.cameraPath().posedFrame(), 359, 2);
}

TEST(CameraPath, EndRuleSkipAndLoop)
{
    PathFixture four(5);
    four.run(3, 1.f / 60.f);
    EXPECT_FALSE(four.e.world.cameraPath().ended());
    four.run(1, 1.f / 60.f);
    EXPECT_EQ(four.e.world.cameraPath().posedFrame(), 3);
    EXPECT_TRUE(four.e.world.cameraPath().ended());
    // A hitch that passes the last frame within one step ends the path as well.
    PathFixture hitch(5);
    hitch.run(1, 10.f / 60.f);
    EXPECT_TRUE(hitch.e.world.cameraPath().ended());

    // K skips everything: nothing is posed and the skip itself ends nothing.
    PathFixture skipped(3001);
    skipped.input.keyboard.press(sf::Keyboard::K);
    EXPECT_EQ(skipped.run(5, 1.f / 60.f), 0);
    EXPECT_FALSE(skipped.e.world.cameraPath().ended());

    // The arena loops the part after frame 180 for as long as it lasts.
    PathFixture looping(301, scene::ARENA);
    looping.run(300, 1.f / 60.f);
    EXPECT_EQ(looping.e.world.cameraPath().posedFrame(), 299);
    looping.run(1, 1.f / 60.f);
    EXPECT_EQ(looping.e.world.cameraPath().posedFrame(), 181);
    looping.run(1000, 1.f / 60.f);
    EXPECT_GE(looping.e.world.cameraPath().posedFrame(), 181);
    EXPECT_FALSE(looping.e.world.cameraPath().ended());

    // The hangar, the tower and the menu never play a path.
    for (int id : {scene::HANGAR, scene::TOWER, scene::MAIN_MENU}) {
        PathFixture still(100, id);
        still.run(10, 1.f / 60.f);
        EXPECT_TRUE(still.e.world.cameraPath().frames()[0].pending) << id;
    }
}

TEST(CameraPath, SceneObjectsFollowTheirKeysInTheirSceneOnly)
{
    PathFixture f(50, scene::OPEN_SPACE);
    for (int id : {scene::OPEN_SPACE, scene::ASTEROIDS}) {
        SceneObjectRecord record;
        record.sceneId = id;
        record.mesh = std::make_unique<Mesh>(std::vector<Triangle>{}, sf::Vector3f(), "m", false);
        record.positions = {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}};
        record.rotations = {{1, 0, 0}};
        f.e.world.sceneObjects.push_back(std::move(record));
    }
    f.run(2, 1.f / 60.f);
    EXPECT_EQ(f.e.world.cameraPath().posedFrame(), 1);
    EXPECT_EQ(f.e.world.sceneObjects[0].mesh->localPosition().x, 10.f);
    EXPECT_EQ(f.e.world.sceneObjects[0].mesh->rotation().x, 1.f); // key 1 missing: rotation stays
    EXPECT_EQ(f.e.world.sceneObjects[1].mesh->localPosition().x, 0.f);
}
