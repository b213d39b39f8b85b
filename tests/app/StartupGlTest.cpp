// Start-up as the game's main() makes it, in the test's window.
#include "app/Startup.h"
#include "engine/SceneChange.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>

using StartupGl = testing_support::EngineWindowTest;

// The engine knows the menu's hangar before any state is made: a program that goes into play
// without the menu (the frame benchmark) still prepares the hangar for the scene leading to it.
TEST_F(StartupGl, TheEngineKnowsTheMenusHangarFromStartUp)
{
    installMenuSceneSteps({});
    startGame();
    EXPECT_NE(menuSceneSteps().build, nullptr);
    EXPECT_NE(menuSceneSteps().preload, nullptr);
}
