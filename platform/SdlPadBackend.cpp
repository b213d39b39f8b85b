#include "platform/SdlPadBackend.h"

#include <SDL.h>
#include <algorithm>
#include <iostream>

namespace pad {

namespace {

struct ButtonBit {
    SDL_GameControllerButton button;
    std::uint16_t bit;
};
// SDL names the face buttons by position (A bottom, B right, X left, Y top), as XInput does.
constexpr ButtonBit BUTTON_BITS[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, DPAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, DPAD_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, DPAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, DPAD_RIGHT},
    {SDL_CONTROLLER_BUTTON_START, START},
    {SDL_CONTROLLER_BUTTON_BACK, BACK},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, LEFT_THUMB},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, RIGHT_THUMB},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, LEFT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, RIGHT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_A, A},
    {SDL_CONTROLLER_BUTTON_B, B},
    {SDL_CONTROLLER_BUTTON_X, X},
    {SDL_CONTROLLER_BUTTON_Y, Y},
};

constexpr SDL_EventType DEVICE_EVENTS[] = {SDL_CONTROLLERDEVICEADDED, SDL_CONTROLLERDEVICEREMOVED,
                                           SDL_JOYDEVICEADDED, SDL_JOYDEVICEREMOVED};

// SDL's stick Y grows downward, XInput's upward. Full up (-32768) has no
// positive twin in 16 bits: it reads 32767.
std::int16_t upward(Sint16 sdlY) { return static_cast<std::int16_t>(std::min(-static_cast<int>(sdlY), 32767)); }

// SDL's triggers run 0..32767, XInput's 0..255 (rounded to the nearest step).
std::uint8_t triggerByte(Sint16 sdlTrigger)
{
    const int pulled = std::max<int>(sdlTrigger, 0);
    return static_cast<std::uint8_t>((pulled * 255 + 16383) / 32767);
}

bool sameVibration(const Vibration& a, const Vibration& b)
{
    return a.leftMotor == b.leftMotor && a.rightMotor == b.rightMotor;
}

bool isStill(const Vibration& v) { return v.leftMotor == 0 && v.rightMotor == 0; }

bool isDeviceEvent(Uint32 type)
{
    return std::find(std::begin(DEVICE_EVENTS), std::end(DEVICE_EVENTS), type) != std::end(DEVICE_EVENTS);
}

} // namespace

SdlPadBackend::SdlPadBackend()
{
    // The window library owns the process's signals; face buttons by position on every pad.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::cerr << "Pads unavailable: " << SDL_GetError() << std::endl;
        return;
    }
    started_ = true;
    std::vector<PadChange> alreadyThere;
    seatNewPads(alreadyThere);
}

SdlPadBackend::~SdlPadBackend()
{
    if (!started_)
        return;
    for (Slot& slot : slots_)
        if (slot.controller)
            SDL_GameControllerClose(slot.controller); // closing also stops its rumble
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

SdlPadBackend::Slot* SdlPadBackend::connectedSlot(unsigned index)
{
    if (index >= MAX_PADS || !slots_[index].controller)
        return nullptr;
    return SDL_GameControllerGetAttached(slots_[index].controller) ? &slots_[index] : nullptr;
}

unsigned SdlPadBackend::slotIndex(const Slot& slot) const { return static_cast<unsigned>(&slot - slots_.data()); }

bool SdlPadBackend::holdsDevice(SDL_JoystickID device) const
{
    return std::any_of(slots_.begin(), slots_.end(),
                       [device](const Slot& s) { return s.controller && s.device == device; });
}

SdlPadBackend::Slot* SdlPadBackend::lowestFreeSlot()
{
    auto it = std::find_if(slots_.begin(), slots_.end(), [](const Slot& s) { return !s.controller; });
    return it == slots_.end() ? nullptr : &*it;
}

bool SdlPadBackend::getState(unsigned index, PadState& state)
{
    state = PadState{};
    Slot* slot = connectedSlot(index);
    if (!slot)
        return false;
    SDL_GameController* c = slot->controller;
    for (const ButtonBit& b : BUTTON_BITS)
        if (SDL_GameControllerGetButton(c, b.button))
            state.buttons |= b.bit;
    state.thumbLX = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
    state.thumbLY = upward(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY));
    state.thumbRX = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_RIGHTX);
    state.thumbRY = upward(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_RIGHTY));
    state.leftTrigger = triggerByte(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    state.rightTrigger = triggerByte(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
    return true;
}

bool SdlPadBackend::setVibration(unsigned index, const Vibration& vibration)
{
    Slot* slot = connectedSlot(index);
    if (!slot || !SDL_GameControllerHasRumble(slot->controller))
        return false;
    // The game asks every frame; SDL hears only changes (and the renewals of pump()).
    if (!sameVibration(vibration, slot->vibration)) {
        slot->vibration = vibration;
        slot->rumbleAccepted = sendRumble(*slot);
    }
    return slot->rumbleAccepted;
}

bool SdlPadBackend::sendRumble(Slot& slot)
{
    const Uint32 duration = isStill(slot.vibration) ? 0 : rumbleDurationMs;
    slot.sentAtMs = SDL_GetTicks64();
    return SDL_GameControllerRumble(slot.controller, slot.vibration.leftMotor, slot.vibration.rightMotor,
                                    duration) == 0;
}

void SdlPadBackend::renewRumble()
{
    const std::uint64_t now = SDL_GetTicks64();
    for (Slot& slot : slots_)
        if (slot.controller && !isStill(slot.vibration) && now - slot.sentAtMs >= rumbleRenewMs)
            slot.rumbleAccepted = sendRumble(slot);
}

std::vector<PadChange> SdlPadBackend::pump()
{
    std::vector<PadChange> changes;
    if (!started_)
        return changes;
    // Renewed before SDL's update looks at the rumble's end: after a long frame (a
    // scene loading) the pad would otherwise fall still for a moment and start again.
    renewRumble();
    SDL_GameControllerUpdate();
    const bool devicesChanged = drainDeviceEvents();
    releaseLostPads(changes);
    if (devicesChanged)
        seatNewPads(changes);
    return changes;
}

bool SdlPadBackend::drainDeviceEvents()
{
    // Without SDL video the queue holds only pad events; the pads are read by
    // polling, so everything is taken off and only comings and goings count.
    bool devicesChanged = false;
    SDL_Event events[32];
    int count = 0;
    while ((count = SDL_PeepEvents(events, 32, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)) > 0)
        for (int i = 0; i < count; ++i)
            devicesChanged = devicesChanged || isDeviceEvent(events[i].type);
    return devicesChanged;
}

void SdlPadBackend::releaseLostPads(std::vector<PadChange>& changes)
{
    for (Slot& slot : slots_) {
        if (!slot.controller || SDL_GameControllerGetAttached(slot.controller))
            continue;
        SDL_GameControllerClose(slot.controller);
        slot = Slot{};
        changes.push_back({slotIndex(slot), false});
    }
}

void SdlPadBackend::seatNewPads(std::vector<PadChange>& changes)
{
    const int devices = SDL_NumJoysticks();
    for (int d = 0; d < devices; ++d) {
        if (!SDL_IsGameController(d) || holdsDevice(SDL_JoystickGetDeviceInstanceID(d)))
            continue;
        Slot* slot = lowestFreeSlot();
        if (!slot)
            return;
        SDL_GameController* controller = SDL_GameControllerOpen(d);
        if (!controller)
            continue;
        *slot = Slot{};
        slot->controller = controller;
        slot->device = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
        SDL_GameControllerSetPlayerIndex(controller, static_cast<int>(slotIndex(*slot))); // the pad's player light
        changes.push_back({slotIndex(*slot), true});
    }
}

} // namespace pad
