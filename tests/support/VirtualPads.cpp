#include "support/VirtualPads.h"

#include <SDL.h>
#include <stdexcept>

namespace testing_support {

namespace {
pad::SdlPadBackend* startSdlPads()
{
    SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");
    return new pad::SdlPadBackend();
}

int deviceIndexOf(SDL_JoystickID device)
{
    for (int d = 0; d < SDL_NumJoysticks(); ++d)
        if (SDL_JoystickGetDeviceInstanceID(d) == device)
            return d;
    return -1;
}
}

SdlPadsInstalled::SdlPadsInstalled() : backend_(startSdlPads())
{
    if (!backend_->started())
        throw std::runtime_error(std::string("SDL pads did not start: ") + SDL_GetError());
    pad::setBackend(backend_);
}

SdlPadsInstalled::~SdlPadsInstalled()
{
    pad::setBackend(nullptr);
    delete backend_;
}

VirtualPad::VirtualPad(bool hasRumble)
{
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Orbyndel test pad";
    desc.userdata = this;
    if (hasRumble)
        desc.Rumble = &VirtualPad::onRumble;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    joystick_ = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
    if (!joystick_)
        throw std::runtime_error(std::string("no virtual pad: ") + SDL_GetError());
    device_ = SDL_JoystickInstanceID(joystick_);
    pull(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0);
    pull(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
}

VirtualPad::~VirtualPad() { unplug(); }

void VirtualPad::hold(SDL_GameControllerButton button, bool down)
{
    SDL_JoystickSetVirtualButton(joystick_, button, down ? SDL_PRESSED : SDL_RELEASED);
}

void VirtualPad::tilt(SDL_GameControllerAxis stick, std::int16_t value) { SDL_JoystickSetVirtualAxis(joystick_, stick, value); }

void VirtualPad::pull(SDL_GameControllerAxis trigger, std::int16_t value)
{
    // SDL spreads a virtual trigger's full 16-bit range over 0..32767.
    SDL_JoystickSetVirtualAxis(joystick_, trigger, static_cast<Sint16>(2 * value - 32767));
}

void VirtualPad::unplug()
{
    if (!joystick_)
        return;
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    SDL_JoystickDetachVirtual(deviceIndexOf(device_));
}

int SDLCALL VirtualPad::onRumble(void* self, Uint16 low, Uint16 high)
{
    static_cast<VirtualPad*>(self)->rumbles.push_back({low, high});
    return 0;
}

} // namespace testing_support
