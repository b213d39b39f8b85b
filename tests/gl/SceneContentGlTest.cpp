// Every scene of the game drawn by the 3D engine from its own files, at a
// moment of its camera path; the screenshots are for looking at.
#include <gtest/gtest.h>

#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/Math3D.h"
#include "engine/SceneChange.h"
#include "support/GameFixtures.h"

using namespace testing_support;

namespace {

struct SceneShot {
    int id;
    float startSeconds;
    const char* shot;
};

class SceneContentGl : public EngineWindowSuite, public ::testing::WithParamInterface<SceneShot> {};

} // namespace

TEST_P(SceneContentGl, SceneDrawsAFullPicture)
{
    const SceneShot& s = GetParam();
    changeScene(s.id, s.startSeconds);
    if (s.id == 0) {
        // The hangar scene's path never plays: look from where the menu leaves the camera.
        engine().player3D->position = {-19000.f, -4000.f, 3300.f};
        engine().camera->rotation = {0.f, -90.f, -12.f};
    }
    engine().frameClock.restart();
    sf::Image picture = play(4, s.shot);
    EXPECT_GT(distinctColours(picture), 30) << s.shot;
    // Something besides the sky: the scene's objects are in view.
    EXPECT_GT(engine().visibleObjects.size(), 1u) << s.shot;
    // Every texture the scene needs is in the game's tree.
    EXPECT_EQ(engine().missingTextures(), std::vector<std::string>{}) << s.shot;
}

INSTANTIATE_TEST_SUITE_P(
    EveryScene, SceneContentGl,
    ::testing::Values(SceneShot{0, 0.f, "scene_hangar"}, SceneShot{1, 1.5f, "scene_1_intro_start"},
                      SceneShot{1, 4.f, "scene_1_intro_launch"}, SceneShot{2, 20.f, "scene_2_open_space"},
                      SceneShot{3, 30.f, "scene_3_asteroids"}, SceneShot{4, 4.f, "scene_4_dive"},
                      SceneShot{5, 40.f, "scene_5_gas_giant"}, SceneShot{6, 20.f, "scene_6_approach"},
                      SceneShot{6, 89.5f, "scene_6_tower"}, SceneShot{8, 30.f, "scene_8_corridor"},
                      SceneShot{9, 20.f, "scene_9_arena"}, SceneShot{10, 30.f, "scene_10_ice"},
                      SceneShot{14, 10.f, "scene_credits"}, SceneShot{16, 30.f, "scene_moon"},
                      SceneShot{15, 0.f, "scene_menu_hangar"}),
    [](const ::testing::TestParamInfo<SceneShot>& scene) { return std::string(scene.param.shot); });
