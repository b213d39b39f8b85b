#include "platform/GamePad.h"

#include <SFML/Window/Joystick.hpp>
#include <algorithm>
#include <cmath>

namespace pad {

namespace {
SfmlPadBackend g_sfmlBackend;
PadBackend* g_backend = nullptr;

// Mapping from a common Linux pad layout (evdev order, as SFML numbers it)
// to the XInput-shaped state:
//   buttons 0 A, 1 B, 2 X, 3 Y, 4 left shoulder, 5 right shoulder,
//           6 back, 7 start, 9 left thumb, 10 right thumb
//   axes    X/Y left stick, U/V right stick (SFML's R is often the right X too),
//           Z left trigger, R right trigger (both -100..100), PovX/PovY the d-pad.
struct ButtonMap {
    unsigned sfButton;
    std::uint16_t bit;
};
constexpr ButtonMap BUTTON_MAP[] = {
    {0, A}, {1, B}, {2, X}, {3, Y}, {4, LEFT_SHOULDER}, {5, RIGHT_SHOULDER},
    {6, BACK}, {7, START}, {9, LEFT_THUMB}, {10, RIGHT_THUMB},
};

std::int16_t toStick(float percent, bool invert)
{
    float v = std::clamp(percent, -100.f, 100.f) / 100.f * 32767.f;
    if (invert)
        v = -v;
    return static_cast<std::int16_t>(std::lround(v));
}

std::uint8_t toTrigger(float percent)
{
    // SFML reports a released trigger as -100 and a pulled one as +100.
    float v = (std::clamp(percent, -100.f, 100.f) + 100.f) / 200.f * 255.f;
    return static_cast<std::uint8_t>(std::lround(v));
}
}

bool SfmlPadBackend::getState(unsigned index, PadState& state)
{
    state = PadState{};
    if (index >= MAX_PADS || !sf::Joystick::isConnected(index))
        return false;
    for (const ButtonMap& m : BUTTON_MAP)
        if (sf::Joystick::isButtonPressed(index, m.sfButton))
            state.buttons |= m.bit;
    using Axis = sf::Joystick::Axis;
    auto axis = [index](Axis a) { return sf::Joystick::hasAxis(index, a) ? sf::Joystick::getAxisPosition(index, a) : 0.f; };
    state.thumbLX = toStick(axis(Axis::X), false);
    state.thumbLY = toStick(axis(Axis::Y), true); // SFML's Y grows downward
    state.thumbRX = toStick(axis(Axis::U), false);
    state.thumbRY = toStick(axis(Axis::V), true);
    if (sf::Joystick::hasAxis(index, Axis::Z))
        state.leftTrigger = toTrigger(axis(Axis::Z));
    if (sf::Joystick::hasAxis(index, Axis::R))
        state.rightTrigger = toTrigger(axis(Axis::R));
    const float povX = axis(Axis::PovX);
    const float povY = axis(Axis::PovY);
    if (povX < -50.f) state.buttons |= DPAD_LEFT;
    if (povX > 50.f) state.buttons |= DPAD_RIGHT;
    if (povY < -50.f) state.buttons |= DPAD_UP;
    if (povY > 50.f) state.buttons |= DPAD_DOWN;
    return true;
}

bool SfmlPadBackend::setVibration(unsigned index, const Vibration& vibration)
{
    if (index >= MAX_PADS)
        return false;
    lastVibration[index] = vibration;
    return sf::Joystick::isConnected(index);
}

bool FakePadBackend::getState(unsigned index, PadState& state)
{
    ++stateQueries;
    if (index >= MAX_PADS || !connected[index]) {
        state = PadState{};
        return false;
    }
    state = states[index];
    return true;
}

bool FakePadBackend::setVibration(unsigned index, const Vibration& vibration)
{
    ++vibrationCalls;
    if (index >= MAX_PADS)
        return false;
    vibrations[index] = vibration;
    return connected[index];
}

PadBackend& backend() { return g_backend ? *g_backend : g_sfmlBackend; }
void setBackend(PadBackend* b) { g_backend = b; }

bool getState(unsigned index, PadState& state) { return backend().getState(index, state); }

bool setVibration(unsigned index, std::uint16_t leftMotor, std::uint16_t rightMotor)
{
    return backend().setVibration(index, Vibration{leftMotor, rightMotor});
}

} // namespace pad
