// Start-up as the game's main() makes it, in the test's window.
#include "app/Startup.h"
#include "engine/SceneChange.h"
#include "platform/Random.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>
#include <ctime>

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

// Each run plays its own random numbers: start-up seeds them from the clock,
// whatever state they were left in before.
TEST_F(StartupGl, StartUpSeedsTheRandomNumbersFromTheClock)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        const std::time_t before = std::time(nullptr);
        seedRandom15(1);
        startGame();
        const int first = random15();
        seedRandom15(2);
        startGame();
        const int second = random15();
        if (std::time(nullptr) != before)
            continue; // the clock ticked between the two starts: their seeds differ
        EXPECT_EQ(first, second);
        return;
    }
    ADD_FAILURE() << "the clock ticked during every attempt";
}
