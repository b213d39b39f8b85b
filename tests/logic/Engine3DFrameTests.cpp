#include <gtest/gtest.h>
#include "engine/Scenes.h"
#include "support/TestSupport.h"

#include "engine/BossParent.h"
#include "engine/Engine.h"
#include "engine/EngineFrame.h"

namespace {

// Puts the engine singleton in a quiet scene with a fake clock and keyboard,
// and restores what the tests change.
struct FrameFixture {
    FrameFixture()
    {
        e.timing.frameClock.restart();
        e.world.sceneId = scene::ASTEROIDS;
        e.run.paused = false;
    }
    ~FrameFixture()
    {
        e.world.sceneObjects.clear();
        e.world.boss3D = nullptr;
        e.run.paused = false;
        e.timing.frameClock.restart();
    }
    void step(float seconds)
    {
        input.clock.advance(seconds);
        updateEngineFrame();
    }
    testing_support::SyntheticInput input;
    Engine& e = engine();
};

std::unique_ptr<Mesh> bareMesh(const std::string& name, const sf::Vector3f& at = {})
{
    return std::make_unique<Mesh>(std::vector<Triangle>{}, at, name, false);
}

struct RecordingBoss : BossParent {
    void update() override { livingAtUpdate = objects.size(); }
    void setAllRed() override {}
    size_t livingAtUpdate = 0;
};

} // namespace

TEST(Engine3DFrame, FrameTimeIsClampedAndPauseStopsTheRest)
{
    FrameFixture f;
    f.step(0.5f);
    EXPECT_FLOAT_EQ(f.e.timing.frameTime, 0.02f);
    f.step(0.01f);
    EXPECT_FLOAT_EQ(f.e.timing.frameTime, 0.01f);

    SceneObjectRecord record;
    record.name = "GreenPlanet";
    record.mesh = bareMesh("3D/GreenPlanet/planet");
    f.e.world.sceneObjects.push_back(std::move(record));
    f.e.run.paused = true;
    f.step(0.3f);
    EXPECT_FLOAT_EQ(f.e.timing.frameTime, 0.02f); // still measured
    EXPECT_EQ(f.e.world.sceneObjects[0].mesh->lightData.intensity, 0.f); // nothing else ran
    f.e.run.paused = false;
    f.step(0.01f);
    EXPECT_EQ(f.e.world.sceneObjects[0].mesh->lightData.intensity, 3.5f);
    EXPECT_EQ(f.e.world.sceneObjects[0].mesh->lightData.range, 75000.f);
}

TEST(Engine3DFrame, LightTickListsLightsInRangeTwentyTimesASecond)
{
    FrameFixture f;
    for (float x : {0.f, 500.f, 50000.f}) {
        SceneObjectRecord record;
        record.mesh = bareMesh("obj", {x, 0.f, 0.f});
        f.e.world.sceneObjects.push_back(std::move(record));
    }
    f.e.world.sceneObjects[0].mesh->lightData = {2.f, 1000.f, sf::Color::Blue};
    f.e.world.lightTickTimer = 0.f;
    f.step(0.01f);
    EXPECT_TRUE(f.e.world.lightTick);
    EXPECT_EQ(f.e.world.sceneObjects[0].mesh->lights.size(), 1u); // a light lists itself
    EXPECT_EQ(f.e.world.sceneObjects[1].mesh->lights.size(), 1u);
    EXPECT_TRUE(f.e.world.sceneObjects[2].mesh->lights.empty());
    // Lists are rebuilt, not grown, and only every 0.05 s.
    f.step(0.02f);
    EXPECT_FALSE(f.e.world.lightTick);
    f.step(0.02f);
    f.step(0.02f);
    EXPECT_TRUE(f.e.world.lightTick);
    EXPECT_EQ(f.e.world.sceneObjects[1].mesh->lights.size(), 1u);
}

TEST(Engine3DFrame, DeadBossObjectsGoBeforeTheBossUpdates)
{
    FrameFixture f;
    RecordingBoss boss;
    for (int i = 0; i < 4; ++i)
        boss.objects.push_back(std::make_unique<Mesh>(std::vector<Triangle>{}, sf::Vector3f(), std::to_string(i), false));
    boss.objects[1]->markedForDeletion = true;
    boss.objects[3]->markedForDeletion = true;
    f.e.world.boss3D = &boss;
    f.step(0.01f);
    EXPECT_EQ(boss.livingAtUpdate, 2u);
    ASSERT_EQ(boss.objects.size(), 2u);
    EXPECT_EQ(boss.objects[0]->name, "0");
    EXPECT_EQ(boss.objects[1]->name, "2");
}

// The 3D world is drawn every frame, paused or not: a turning module, a
// sliding door and a corridor wall's sort offset stand still while paused.
TEST(Engine3DFrame, NothingInTheWorldMovesWhilePaused)
{
    FrameFixture f;
    f.e.world.sceneId = scene::ARENA; // every scene object is drawn
    for (const char* name : {"3D/Boss/module", "3D/LVL2/wall/wall1"}) {
        SceneObjectRecord record;
        record.mesh = bareMesh(name);
        record.mesh->spin = {0.f, 1.5f, 0.f};
        record.mesh->velocity = {600.f, 0.f, 0.f};
        f.e.world.sceneObjects.push_back(std::move(record));
    }
    auto frame = [&] {
        f.step(1.f / 60.f);
        f.e.buildBatches();
    };
    frame();
    const Mesh& module = *f.e.world.sceneObjects[0].mesh;
    const Mesh& wall = *f.e.world.sceneObjects[1].mesh;
    const sf::Vector3f turned = module.rotation, at = module.position, sortOffset = wall.depthOffset;
    ASSERT_EQ(f.e.renderer.projectedMeshes.size(), 2u);

    f.e.run.paused = true;
    for (int i = 0; i < 600; ++i)
        frame();
    EXPECT_EQ(module.rotation, turned);
    EXPECT_EQ(module.position, at);
    EXPECT_EQ(wall.depthOffset, sortOffset);
    EXPECT_EQ(f.e.renderer.projectedMeshes.size(), 2u); // still drawn

    f.e.run.paused = false;
    frame();
    EXPECT_FLOAT_EQ(module.rotation.y, turned.y + 1.5f);
    EXPECT_NEAR(module.position.x, at.x + 10.f, 1e-3f);
    EXPECT_GT(wall.depthOffset.x, sortOffset.x);
}
