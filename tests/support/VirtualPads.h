#pragma once
// SDL's virtual pads: real SDL game controllers without hardware or uinput,
// for driving the SDL pad backend in tests.
#include "platform/SdlPadBackend.h"

#include <SDL_gamecontroller.h>
#include <cstdint>
#include <ostream>
#include <vector>

namespace testing_support {

struct MotorSpeeds {
    std::uint16_t low = 0;
    std::uint16_t high = 0;
    bool operator==(const MotorSpeeds& o) const { return low == o.low && high == o.high; }
};
inline std::ostream& operator<<(std::ostream& out, const MotorSpeeds& m) { return out << "{" << m.low << ", " << m.high << "}"; }

// The SDL pad backend installed as the game's pads for the holder's lifetime
// (HID drivers left out, so only SDL's generic and virtual pads show up).
class SdlPadsInstalled {
public:
    SdlPadsInstalled();
    ~SdlPadsInstalled();
    SdlPadsInstalled(const SdlPadsInstalled&) = delete;
    SdlPadsInstalled& operator=(const SdlPadsInstalled&) = delete;

    pad::SdlPadBackend& backend() { return *backend_; }

private:
    pad::SdlPadBackend* backend_;
};

// A virtual game controller with every button and axis, plugged in from
// construction until unplug() or destruction. Create it while SDL pads are installed.
class VirtualPad {
public:
    explicit VirtualPad(bool hasRumble = true);
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void hold(SDL_GameControllerButton button, bool down = true);
    // Sticks as SDL reports them (Y grows downward).
    void tilt(SDL_GameControllerAxis stick, std::int16_t value);
    // A trigger at SDL's controller value, 0 (rest) to 32767 (fully pulled).
    void pull(SDL_GameControllerAxis trigger, std::int16_t value);
    void unplug();

    // What SDL asked of the motors, in order.
    std::vector<MotorSpeeds> rumbles;

private:
    static int SDLCALL onRumble(void* self, Uint16 low, Uint16 high);

    SDL_Joystick* joystick_ = nullptr;
    SDL_JoystickID device_ = -1;
};

} // namespace testing_support
