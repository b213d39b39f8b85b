// Every scene of the game drawn by the 3D engine from its own files, at a
// moment of its camera path; the screenshots are for looking at.
#include <gtest/gtest.h>

#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/Math3D.h"
#include "engine/SceneChange.h"
#include "engine/Scenes.h"
#include "screens/MenuScene.h"
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
    installMenuScene();
    changeScene(s.id, s.startSeconds);
    if (s.id == scene::HANGAR) {
        // The hangar scene's path never plays: look from where the menu leaves the camera.
        engine().world.player3D->position = {-19000.f, -4000.f, 3300.f};
        engine().world.camera->rotation = {0.f, -90.f, -12.f};
    }
    engine().timing.frameClock.restart();
    sf::Image picture = play(4, s.shot);
    EXPECT_GT(distinctColours(picture), 30) << s.shot;
    // Something besides the sky: the scene's objects are in view.
    EXPECT_GT(engine().renderer.visibleObjects.size(), 1u) << s.shot;
    // Every texture the scene needs is in the game's tree.
    EXPECT_EQ(engine().textures.missingTextures(), std::vector<std::string>{}) << s.shot;
}

INSTANTIATE_TEST_SUITE_P(
    EveryScene, SceneContentGl,
    ::testing::Values(SceneShot{scene::HANGAR, 0.f, "scene_hangar"}, SceneShot{scene::INTRO, 1.5f, "scene_1_intro_start"},
                      SceneShot{scene::INTRO, 4.f, "scene_1_intro_launch"}, SceneShot{scene::OPEN_SPACE, 20.f, "scene_2_open_space"},
                      SceneShot{scene::ASTEROIDS, 30.f, "scene_3_asteroids"}, SceneShot{scene::DIVE, 4.f, "scene_4_dive"},
                      SceneShot{scene::GAS_GIANT, 40.f, "scene_5_gas_giant"}, SceneShot{scene::APPROACH, 20.f, "scene_6_approach"},
                      SceneShot{scene::APPROACH, 89.5f, "scene_6_tower"}, SceneShot{scene::CORRIDOR, 30.f, "scene_8_corridor"},
                      SceneShot{scene::ARENA, 20.f, "scene_9_arena"}, SceneShot{scene::ICE_PLANET, 30.f, "scene_10_ice"},
                      SceneShot{scene::CREDITS, 10.f, "scene_credits"}, SceneShot{scene::MOON, 30.f, "scene_moon"},
                      SceneShot{scene::MAIN_MENU, 0.f, "scene_menu_hangar"}),
    [](const ::testing::TestParamInfo<SceneShot>& scene) { return std::string(scene.param.shot); });
