#include <gtest/gtest.h>
#include "engine/Scenes.h"
#include "support/TestSupport.h"

#include "engine/BossParent.h"
#include "engine/Engine.h"
#include "engine/EngineFrame.h"
#include "engine/GlowReach.h"

namespace {

// Puts the engine singleton in a quiet scene with a fake clock and keyboard,
// and restores what the tests change.
struct FrameFixture {
    FrameFixture()
    {
        e.timing.frameClock.restart();
        e.world.enterScene(scene::ASTEROIDS);
        e.run.paused = false;
    }
    ~FrameFixture()
    {
        e.world.sceneObjects.clear();
        e.world.clearBoss3D();
        e.run.paused = false;
        e.timing.frameClock.restart();
    }
    void step(float seconds)
    {
        input.clock.advance(seconds);
        updateEngineFrame();
    }
    // A scene object with a bare mesh of that name.
    Mesh& addObject(const std::string& name, const sf::Vector3f& at = {})
    {
        SceneObjectRecord record;
        record.name = name;
        record.mesh = std::make_unique<Mesh>(std::vector<Triangle>{}, at, name, false);
        e.world.sceneObjects.push_back(std::move(record));
        return *e.world.sceneObjects.back().mesh;
    }
    testing_support::SyntheticInput input;
    Engine& e = engine();
};

struct RecordingBoss : BossParent {
    void update(float) override { livingAtUpdate = objects.size(); }
    void setAllRed() override {}
    size_t livingAtUpdate = 0;
};

} // namespace

TEST(Engine3DFrame, LightTickListsLightsInRangeTwentyTimesASecond)
{
    FrameFixture f;
    Mesh& lamp = f.addObject("obj");
    const Mesh& near = f.addObject("obj", {500.f, 0.f, 0.f});
    const Mesh& far = f.addObject("obj", {50000.f, 0.f, 0.f});
    // A light reaches 2000 past its range.
    const Mesh& edge = f.addObject("obj", {2999.f, 0.f, 0.f});
    const Mesh& past = f.addObject("obj", {3001.f, 0.f, 0.f});
    lamp.lightData = {2.f, 1000.f, sf::Color::Blue};
    f.e.world.light().tickNextFrame();
    f.step(0.01f);
    EXPECT_TRUE(f.e.world.light().ticked());
    EXPECT_EQ(lamp.lightsReaching().size(), 1u); // a light lists itself
    EXPECT_EQ(near.lightsReaching().size(), 1u);
    EXPECT_TRUE(far.lightsReaching().empty());
    EXPECT_EQ(edge.lightsReaching().size(), 1u);
    EXPECT_TRUE(past.lightsReaching().empty());
    // Lists are rebuilt, not grown, and only every 0.05 s.
    f.step(0.02f);
    EXPECT_FALSE(f.e.world.light().ticked());
    f.step(0.02f);
    f.step(0.02f);
    EXPECT_TRUE(f.e.world.light().ticked());
    EXPECT_EQ(near.lightsReaching().size(), 1u);
}

TEST(Engine3DFrame, DeadBossObjectsGoBeforeTheBossUpdates)
{
    FrameFixture f;
    RecordingBoss boss;
    for (const char* name : {"0", "1", "2", "3"})
        boss.objects.push_back(std::make_unique<Mesh>(std::vector<Triangle>{}, sf::Vector3f(), name, false));
    boss.objects[1]->markForDeletion();
    boss.objects[3]->markForDeletion();
    f.e.world.setBoss3D(&boss);
    f.step(0.01f);
    EXPECT_EQ(boss.livingAtUpdate, 2u);
    ASSERT_EQ(boss.objects.size(), 2u);
    EXPECT_EQ(boss.objects[0]->name(), "0");
    EXPECT_EQ(boss.objects[1]->name(), "2");
}

// The 3D world is drawn every frame, paused or not: a turning module, a
// sliding door, a corridor wall's sort offset and a planet's glow stand still while paused.
TEST(Engine3DFrame, NothingInTheWorldMovesWhilePaused)
{
    FrameFixture f;
    f.e.world.enterScene(scene::ARENA); // every scene object is drawn
    f.e.run.paused = true;
    const Mesh& planet = f.addObject("GreenPlanet");
    f.step(0.3f);
    EXPECT_FLOAT_EQ(f.e.timing.frameTime, 0.02f); // still measured, and held to a fiftieth
    EXPECT_EQ(planet.lightData.intensity, 0.f);
    f.e.run.paused = false;
    f.step(0.01f);
    EXPECT_EQ(planet.lightData.intensity, 3.5f);
    EXPECT_EQ(planet.lightData.range, 75000.f);

    Mesh& module = f.addObject("3D/Boss/module");
    Mesh& wall = f.addObject("3D/LVL2/wall/wall1");
    for (Mesh* moving : {&module, &wall}) {
        moving->setSpin({0.f, 1.5f, 0.f});
        moving->moveAt({600.f, 0.f, 0.f});
    }
    auto frame = [&] {
        f.step(1.f / 60.f);
        f.e.buildBatches();
    };
    frame();
    const sf::Vector3f turned = module.rotation(), at = module.position(), sortOffset = wall.sortOffset();
    ASSERT_EQ(f.e.renderer.projectedMeshes.size(), 3u);

    f.e.run.paused = true;
    for (int i = 0; i < 600; ++i)
        frame();
    EXPECT_EQ(module.rotation(), turned);
    EXPECT_EQ(module.position(), at);
    EXPECT_EQ(wall.sortOffset(), sortOffset);
    EXPECT_EQ(f.e.renderer.projectedMeshes.size(), 3u); // still drawn

    f.e.run.paused = false;
    frame();
    EXPECT_FLOAT_EQ(module.rotation().y, turned.y + 1.5f);
    EXPECT_NEAR(module.position().x, at.x + 10.f, 1e-3f);
    EXPECT_GT(wall.sortOffset().x, sortOffset.x);
}

// The intro's planet lights up, peaks and dims with the camera path's frame; in open space it grows
// to full over three and a half seconds.
TEST(Engine3DFrame, PlanetGlowFollowsTheIntrosCameraPathAndGrowsInOpenSpace)
{
    FrameFixture f;
    f.e.world.enterScene(scene::INTRO);
    Mesh& planet = f.addObject("GreenPlanet");
    const std::pair<int, float> expected[] = {{60, 0.f},    {65, 0.f},    {66, 0.04f},  {184, 4.76f},
                                              {185, 4.72f}, {250, 2.12f}, {400, 2.12f}};
    for (const auto& [frame, value] : expected) {
        f.e.world.cameraPath().standAt(frame);
        f.step(0.01f);
        f.e.world.cameraPath().clear(); // keep the free camera from touching the frame
        EXPECT_NEAR(planet.lightData.intensity, value, 1e-5f) << frame;
    }
    f.e.world.enterScene(scene::OPEN_SPACE);
    planet.lightData.intensity = 0.f;
    for (int i = 0; i < 50; ++i)
        f.step(0.02f);
    EXPECT_NEAR(planet.lightData.intensity, 1.f, 1e-3f);
}

// A light far off the window (behind the camera its projection lands anywhere) brightens
// nothing; one on the window's corner brightens only pixels inside it.
TEST(Engine3DFrame, AGlowReachesOnlyWindowPixels)
{
    for (const sf::Vector2f far : {sf::Vector2f(-1e10f, 500.f), sf::Vector2f(500.f, 1e10f), sf::Vector2f(3e9f, -3e9f)})
        EXPECT_EQ(glowReach(far, 2.f, 40.f, sf::Color::White), sf::IntRect()) << far.x << ", " << far.y;
    const sf::IntRect corner = glowReach({1920.f, 0.f}, 2.f, 40.f, sf::Color::White);
    EXPECT_GT(corner.width, 0);
    EXPECT_EQ(corner, sf::IntRect(corner.left, 0, 1920 - corner.left, corner.height));
}

// The space backdrop is a sphere round the camera: each step centres it on the camera again.
TEST(Engine3DFrame, TheSpaceBackdropStaysCentredOnTheCamera)
{
    FrameFixture f;
    Camera* const camera = f.e.world.camera();
    Camera own;
    own.position = {1200.f, -300.f, 50000.f};
    f.e.world.lookThrough(&own);
    const bool installed = f.e.world.spaceBackdrop() == nullptr;
    if (installed)
        f.e.world.setSpaceBackdrop(std::make_unique<Mesh>(std::vector<Triangle>{}, sf::Vector3f(), "space", false));
    f.step(0.02f);
    EXPECT_EQ(f.e.world.spaceBackdrop()->position(), own.position);
    own.position.z += 9000.f;
    f.step(0.02f);
    EXPECT_EQ(f.e.world.spaceBackdrop()->position(), own.position);
    if (installed)
        f.e.world.setSpaceBackdrop(nullptr);
    f.e.world.lookThrough(camera);
}
