#pragma once
// The machine's pads through SDL's game-controller layer: any pad SDL's
// mapping database knows, plus the mappings a player adds through the
// SDL_GAMECONTROLLERCONFIG variable, read in the XInput shape the game uses,
// with rumble and hot-plug. Only SDL's game-controller subsystem is started:
// the window, the keyboard and the sound stay SFML's.
#include "platform/GamePad.h"

#include <SDL_gamecontroller.h>
#include <array>
#include <cstdint>
#include <vector>

namespace pad {

// Four slots: a pad keeps its slot while it stays connected; a pad that comes
// takes the lowest free slot (a fifth pad waits for one to free up).
class SdlPadBackend : public PadBackend {
public:
    // Pads already plugged in take slots 0, 1, ... in SDL's order; they are
    // not reported as changes.
    SdlPadBackend();
    ~SdlPadBackend() override;
    SdlPadBackend(const SdlPadBackend&) = delete;
    SdlPadBackend& operator=(const SdlPadBackend&) = delete;

    bool getState(unsigned index, PadState& state) override;
    // The vibration holds until changed (zero stops it); a pad without rumble answers false.
    bool setVibration(unsigned index, const Vibration& vibration) override;
    // Updates SDL's pads, reads its device events, frees the slots of pads that
    // left, seats pads that came and renews held vibrations.
    std::vector<PadChange> pump() override;

    // False when SDL's game-controller subsystem could not start: then no pad answers.
    bool started() const { return started_; }

    // How long one rumble command lasts in SDL, and how often a held one is renewed (ms).
    std::uint32_t rumbleDurationMs = 1000;
    std::uint32_t rumbleRenewMs = 400;

private:
    struct Slot {
        SDL_GameController* controller = nullptr;
        SDL_JoystickID device = -1;
        Vibration vibration;          // the last one asked for
        std::uint64_t sentAtMs = 0;   // when it was last handed to SDL
        bool rumbleAccepted = true;   // whether SDL took it
    };

    Slot* connectedSlot(unsigned index);
    unsigned slotIndex(const Slot& slot) const;
    bool holdsDevice(SDL_JoystickID device) const;
    Slot* lowestFreeSlot();
    bool drainDeviceEvents();
    void releaseLostPads(std::vector<PadChange>& changes);
    void seatNewPads(std::vector<PadChange>& changes);
    bool sendRumble(Slot& slot);
    void renewRumble();

    std::array<Slot, MAX_PADS> slots_{};
    bool started_ = false;
};

} // namespace pad
