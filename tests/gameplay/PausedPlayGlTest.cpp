// A story game paused through the real main loop: nothing on the screen moves
// while the pause picture is up, and a run tells the error stream nothing when
// nothing is wrong.
#include "app/MainLoop.h"
#include "engine/Engine.h"
#include "engine/Math3D.h"
#include "engine/SceneChange.h"
#include "gameplay/GameState.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

constexpr int SECOND = 60; // frames
const sf::IntRect WHOLE_WINDOW(0, 0, 1920, 1080);

class PausedPlay : public GameRunTest {
protected:
    void SetUp() override
    {
        LoopRunTest::SetUp();
        startRun(7);
    }

    // A story game from the menu's start level (0 level 1 ... 3 level 4).
    void startStory(int startLevel)
    {
        engine().run.startLevel = startLevel;
        start();
    }

    void start()
    {
        startLoop(defaultStateFactory().game(GameMode::Story), defaultStateFactory());
        drawWorldSparsely();
        worldEvery = 30;
    }

    // Level 1 past its intro, in open space, `seconds` into the flight's camera path.
    void flyOpenSpace(int seconds)
    {
        startStory(0);
        frames(2);
        engine().world.cameraPath().markEnded(); // the intro's camera path ends
        ASSERT_TRUE(until([] { return engine().world.sceneId() == scene::OPEN_SPACE; }, 3));
        engine().world.cameraPath().skipFrames(static_cast<size_t>(seconds * SECOND));
        frames(2);
    }

    // Pauses with Escape, then pictures the paused game each second for five
    // seconds: the pixels that changed from the first picture, added up.
    int pixelsMovingWhilePaused(const std::string& name)
    {
        tap(sf::Keyboard::Escape);
        EXPECT_TRUE(engine().run.paused);
        const sf::Image first = redraw(name);
        int moved = 0;
        for (int second = 1; second <= 5; ++second) {
            input.clock.advance(1.f - 1.f / SECOND); // a whole second in one frame
            frames(1);
            moved += pixelsStandingOut(redraw(""), first, WHOLE_WINDOW, 1.f);
        }
        EXPECT_TRUE(engine().run.paused);
        return moved;
    }
};

const SceneObjectRecord* sceneObject(const std::string& name)
{
    for (const SceneObjectRecord& record : engine().world.sceneObjects)
        if (record.name == name && record.mesh)
            return &record;
    return nullptr;
}

} // namespace

TEST_F(PausedPlay, TheStationsWindowLightsHoldStillWhilePaused)
{
    flyOpenSpace(22); // the flight passes the space station
    const SceneObjectRecord* station = sceneObject("Station");
    ASSERT_NE(station, nullptr);
    ASSERT_TRUE(engine().world.camera());
    const sf::Vector2f onScreen = projectToScreen(*engine().world.camera(), station->mesh->position());
    ASSERT_TRUE(WHOLE_WINDOW.contains(static_cast<sf::Vector2i>(onScreen))) << onScreen.x << ", " << onScreen.y;
    EXPECT_EQ(pixelsMovingWhilePaused("paused_station"), 0);
}

TEST_F(PausedPlay, TheLastLevelsStartHoldsStillWhilePausedItsLivesCounterToo)
{
    engine().run.cheatLives = true; // a life a frame: the lives counter is rolling when the game is paused
    startStory(3);
    frames(SECOND / 2);
    EXPECT_EQ(engine().world.sceneId(), scene::ARENA);
    EXPECT_EQ(pixelsMovingWhilePaused("paused_level4"), 0);
}

TEST_F(PausedPlay, ARunFromLevelOneToTheCreditsPutsNothingOnTheErrorStream)
{
    testing::internal::CaptureStderr();
    flyOpenSpace(0);
    redraw("");
    tap(sf::Keyboard::G); // the developer key: straight to the credits, which prepare the menu's hangar
    ASSERT_EQ(engine().world.sceneId(), scene::CREDITS);
    scenePreloader().wait();
    frames(2);
    redraw("");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
