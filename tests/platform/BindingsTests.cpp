#include "platform/Bindings.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {
Binding stick(std::uint8_t axis, std::int32_t direction) { return Binding{0, -1, axis, direction}; }
}

class BindingsTest : public ::testing::Test {
protected:
    SyntheticInput in;
    void connect(unsigned i) { in.pads.connected[i] = true; }
};

TEST_F(BindingsTest, ButtonsAnswerOnlyOnTheirOwnConnectedPad)
{
    BindingMap map{{"SHOOT", Binding{pad::A | pad::B, -1, binding_axis::NONE, 0}}};
    in.pads.states[1].buttons = pad::B;
    EXPECT_FALSE(isActionPressed(map, "SHOOT", 1)) << "disconnected pad";
    connect(1);
    EXPECT_TRUE(isActionPressed(map, "SHOOT", 1));
    EXPECT_FALSE(isActionPressed(map, "SHOOT", 0));
    in.pads.states[1].buttons = pad::X;
    EXPECT_FALSE(isActionPressed(map, "SHOOT", 1));
}

// A trigger's threshold is in SdlPadTests, each trigger's own action in GameStateRulesTests.
TEST_F(BindingsTest, TriggersNeverAnswerABindingForEitherSide)
{
    connect(0);
    BindingMap map{{"ANY", stick(binding_axis::TRIGGERS, binding_direction::EITHER)}};
    in.pads.states[0].leftTrigger = 255;
    in.pads.states[0].rightTrigger = 255;
    EXPECT_FALSE(isActionPressed(map, "ANY", 0));
}

TEST_F(BindingsTest, UnknownActionAnswersFalseAndIsNotAdded)
{
    connect(0);
    in.keyboard.press(sf::Keyboard::A);
    in.pads.states[0].thumbLX = 32767;
    BindingMap map{{"SHOOT", Binding{}}};
    EXPECT_FALSE(isActionPressed(map, "Nothing", 0));
    EXPECT_EQ(map.size(), 1u);
    EXPECT_FALSE(isActionPressed(map, "SHOOT", 0)) << "an empty record never answers";
    MenuBindings menu{{3, Binding{pad::DPAD_UP, -1, binding_axis::NONE, 0}}};
    EXPECT_FALSE(isMenuActionPressed(menu, 7));
    in.pads.states[0].buttons = pad::DPAD_UP;
    EXPECT_TRUE(isMenuActionPressed(menu, 3));
}

// A pad gone while a button and the stick were held: whatever the backend still hands of its
// last state, nothing of it presses.
TEST_F(BindingsTest, APadThatLeftPressesNothingOfItsLastState)
{
    struct LastStateKept : pad::FakePadBackend {
        bool getState(unsigned index, pad::PadState& state) override
        {
            state = states[index % pad::MAX_PADS];
            return false;
        }
    } gone;
    gone.states[0].buttons = pad::A;
    gone.states[0].thumbLX = 32767;
    pad::setBackend(&gone);
    BindingMap map{{"SHOOT", Binding{pad::A, -1, binding_axis::NONE, 0}},
                   {"RIGHT", stick(binding_axis::LEFT_X, binding_direction::POSITIVE)}};
    EXPECT_FALSE(isActionPressed(map, "SHOOT", 0));
    EXPECT_FALSE(isActionPressed(map, "RIGHT", 0));
    pad::setBackend(&in.pads);
}
