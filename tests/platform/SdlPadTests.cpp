// The SDL pad backend driven through SDL's virtual pads: the XInput shape of
// every button and axis, the bindings' thresholds, slots and rumble.
#include "platform/Bindings.h"
#include "support/TestSupport.h"
#include "platform/SdlPadBackend.h"
#include "support/VirtualPads.h"

#include <SDL.h>
#include <SDL_hints.h>
#include <SDL_timer.h>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

using Changes = std::vector<pad::PadChange>;

class SdlPads : public ::testing::Test {
protected:
    pad::PadState state(unsigned index)
    {
        pad::PadState s;
        EXPECT_TRUE(pad::getState(index, s)) << "pad " << index;
        return s;
    }
    // One frame: SDL hears the virtual pads, then the game reads them.
    pad::PadState frame(unsigned index = 0)
    {
        pad::pump();
        return state(index);
    }

    SyntheticInput in; // a quiet keyboard
    SdlPadsInstalled sdl;
};

TEST_F(SdlPads, EveryButtonAndAxisReachesItsXInputPlace)
{
    VirtualPad pad;
    const struct {
        SDL_GameControllerButton button;
        std::uint16_t bit;
    } buttons[] = {
        {SDL_CONTROLLER_BUTTON_A, pad::A},
        {SDL_CONTROLLER_BUTTON_B, pad::B},
        {SDL_CONTROLLER_BUTTON_X, pad::X},
        {SDL_CONTROLLER_BUTTON_Y, pad::Y},
        {SDL_CONTROLLER_BUTTON_BACK, pad::BACK},
        {SDL_CONTROLLER_BUTTON_START, pad::START},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, pad::LEFT_THUMB},
        {SDL_CONTROLLER_BUTTON_RIGHTSTICK, pad::RIGHT_THUMB},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, pad::LEFT_SHOULDER},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, pad::RIGHT_SHOULDER},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, pad::DPAD_UP},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, pad::DPAD_DOWN},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, pad::DPAD_LEFT},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, pad::DPAD_RIGHT},
    };
    EXPECT_EQ(frame().buttons, 0);
    for (const auto& b : buttons) {
        pad.hold(b.button);
        EXPECT_EQ(frame().buttons, b.bit) << "SDL button " << b.button;
        pad.hold(b.button, false);
    }
    pad.hold(SDL_CONTROLLER_BUTTON_GUIDE);
    EXPECT_EQ(frame().buttons, 0) << "the guide button has no XInput bit";
    // Pads whose face buttons are labelled otherwise (A and B swapped) are read by position too.
    EXPECT_FALSE(SDL_GetHintBoolean(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, SDL_TRUE));

    // X as SDL has it; Y turned to grow upward, full up kept inside 16 bits.
    pad.tilt(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    pad.tilt(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    pad.tilt(SDL_CONTROLLER_AXIS_RIGHTX, 12345);
    pad.tilt(SDL_CONTROLLER_AXIS_RIGHTY, 32767);
    pad.pull(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    pad::PadState s = frame();
    EXPECT_EQ(s.thumbLX, -32768);
    EXPECT_EQ(s.thumbLY, 32767);
    EXPECT_EQ(s.thumbRX, 12345);
    EXPECT_EQ(s.thumbRY, -32767);
    EXPECT_EQ(s.leftTrigger, 255);
    EXPECT_EQ(s.rightTrigger, 0);
    pad.pull(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 16384);
    EXPECT_EQ(frame().rightTrigger, 128);
}

TEST_F(SdlPads, BindingsThresholdsHoldOnBothSidesOfEachStick)
{
    VirtualPad pad;
    const Binding eitherX{0, -1, binding_axis::LEFT_X, binding_direction::EITHER};
    const Binding up{0, -1, binding_axis::LEFT_Y, binding_direction::POSITIVE};
    const Binding down{0, -1, binding_axis::LEFT_Y, binding_direction::NEGATIVE};
    const Binding leftTrigger{0, -1, binding_axis::TRIGGERS, binding_direction::POSITIVE};
    const auto tiltAndAsk = [&](SDL_GameControllerAxis axis, std::int16_t value, const Binding& binding) {
        pad.tilt(axis, value);
        pad::pump();
        return isBindingPressed(binding, 0);
    };
    EXPECT_FALSE(tiltAndAsk(SDL_CONTROLLER_AXIS_LEFTX, 13108, eitherX)) << "40 % is not enough";
    EXPECT_TRUE(tiltAndAsk(SDL_CONTROLLER_AXIS_LEFTX, 13435, eitherX));
    EXPECT_FALSE(tiltAndAsk(SDL_CONTROLLER_AXIS_LEFTX, -13108, eitherX));
    EXPECT_TRUE(tiltAndAsk(SDL_CONTROLLER_AXIS_LEFTX, -13435, eitherX));
    // SDL's negative Y is up.
    EXPECT_FALSE(tiltAndAsk(SDL_CONTROLLER_AXIS_LEFTY, -13108, up));
    EXPECT_TRUE(tiltAndAsk(SDL_CONTROLLER_AXIS_LEFTY, -13435, up));
    EXPECT_FALSE(isBindingPressed(down, 0));
    EXPECT_TRUE(tiltAndAsk(SDL_CONTROLLER_AXIS_LEFTY, 13435, down));
    EXPECT_FALSE(isBindingPressed(up, 0));
    // Each trigger answers from 100 of 255: 12785 of SDL's 32767 is 99, 12786 is 100.
    const Binding rightTrigger{0, -1, binding_axis::TRIGGERS, binding_direction::NEGATIVE};
    for (const auto& [axis, trigger] : {std::pair{SDL_CONTROLLER_AXIS_TRIGGERLEFT, leftTrigger},
                                        std::pair{SDL_CONTROLLER_AXIS_TRIGGERRIGHT, rightTrigger}}) {
        pad.pull(axis, 12785);
        pad::pump();
        EXPECT_FALSE(isBindingPressed(trigger, 0)) << axis;
        pad.pull(axis, 12786);
        pad::pump();
        EXPECT_TRUE(isBindingPressed(trigger, 0)) << axis;
    }
}

TEST_F(SdlPads, APadKeepsItsSlotAndANewcomerTakesTheLowestFree)
{
    VirtualPad first, second;
    EXPECT_EQ(pad::pump(), (Changes{{0, true}, {1, true}}));
    second.hold(SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(frame(1).buttons, pad::B);

    first.unplug();
    EXPECT_EQ(pad::pump(), (Changes{{0, false}}));
    EXPECT_FALSE(pad::isConnected(0));
    EXPECT_EQ(state(1).buttons, pad::B) << "the second pad stays in slot 1";

    VirtualPad third, fourth, fifth, sixth;
    EXPECT_EQ(pad::pump(), (Changes{{0, true}, {2, true}, {3, true}}));
    EXPECT_EQ(frame(0).buttons, 0);
    sixth.hold(SDL_CONTROLLER_BUTTON_Y);
    second.unplug();
    EXPECT_EQ(pad::pump(), (Changes{{1, false}, {1, true}})) << "the waiting fifth pad takes the freed slot";
    EXPECT_EQ(state(1).buttons, pad::Y);
}

TEST_F(SdlPads, RumbleHoldsUntilChangedAndZeroStopsIt)
{
    VirtualPad pad;
    pad::pump();
    sdl.backend().rumbleDurationMs = 150;
    sdl.backend().rumbleRenewMs = 50;

    EXPECT_TRUE(pad::setVibration(0, 30000, 12000));
    EXPECT_TRUE(pad::setVibration(0, 30000, 12000));
    EXPECT_EQ(pad.rumbles, (std::vector<MotorSpeeds>{{30000, 12000}})) << "an unchanged request is not sent again";

    // Frames for three times SDL's duration: the pad never falls still.
    const Uint64 end = SDL_GetTicks64() + 450;
    while (SDL_GetTicks64() < end) {
        pad::pump();
        EXPECT_TRUE(pad::setVibration(0, 30000, 12000));
        SDL_Delay(5);
    }
    EXPECT_EQ(pad.rumbles.back(), (MotorSpeeds{30000, 12000}));
    EXPECT_EQ(pad.rumbles.size(), 1u);

    // A frame that takes longer than SDL's duration (a scene loading) does not let it fall still.
    SDL_Delay(400);
    pad::pump();
    EXPECT_TRUE(pad::setVibration(0, 30000, 12000));
    EXPECT_EQ(pad.rumbles.size(), 1u) << "the pad stopped for a moment after a long frame";

    EXPECT_TRUE(pad::setVibration(0, 0, 0));
    pad::pump();
    EXPECT_EQ(pad.rumbles.back(), (MotorSpeeds{0, 0}));
}

} // namespace

// The backend ends SDL's controller support as it found it, its pads closed.
TEST(SdlPadBackendLife, EndingItLeavesNoControllerSupportRunning)
{
    const Uint32 before = SDL_WasInit(SDL_INIT_GAMECONTROLLER);
    {
        pad::SdlPadBackend backend;
        EXPECT_NE(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
    }
    EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), before);
}
