#include "platform/Bindings.h"

#include "platform/GamePad.h"
#include "platform/Input.h"

namespace {
// Stick value in percent, truncated toward zero (-32768 gives -100, 32767 gives 99).
int stickPercent(std::int16_t value) { return static_cast<int>(value) * 100 / 32768; }

bool stickAnswers(int percent, std::int32_t direction)
{
    if (direction == binding_direction::EITHER && (percent > 40 || percent < -40))
        return true;
    if (percent > 40 && direction == binding_direction::POSITIVE)
        return true;
    if (percent < -40 && direction == binding_direction::NEGATIVE)
        return true;
    return false;
}
}

bool isBindingPressed(const Binding& binding, unsigned padIndex)
{
    // The pads were brought up to date once for the frame (pad::pump in the main loop).
    pad::PadState state;
    const bool connected = pad::getState(padIndex, state);
    if (binding.sfKey >= 0 && input::isKeyPressed(static_cast<sf::Keyboard::Key>(binding.sfKey)))
        return true;
    if (!connected)
        return false;
    if (state.buttons & binding.xinputButtons)
        return true;
    const int sticks[4] = {stickPercent(state.thumbLX), stickPercent(state.thumbLY),
                           stickPercent(state.thumbRX), stickPercent(state.thumbRY)};
    if (binding.axis <= binding_axis::RIGHT_Y)
        return stickAnswers(sticks[binding.axis], binding.direction);
    if (binding.axis == binding_axis::TRIGGERS) {
        if (binding.direction == binding_direction::POSITIVE)
            return pad::getState(padIndex, state) && state.leftTrigger >= 100;
        if (binding.direction == binding_direction::NEGATIVE)
            return pad::getState(padIndex, state) && state.rightTrigger >= 100;
    }
    return false;
}

bool isActionPressed(const BindingMap& map, const std::string& action, unsigned padIndex)
{
    auto it = map.find(action);
    return it != map.end() && isBindingPressed(it->second, padIndex);
}

bool isMenuActionPressed(const MenuBindings& map, MenuAction action)
{
    auto it = map.find(action);
    return it != map.end() && isBindingPressed(it->second, 0);
}
