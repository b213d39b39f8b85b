#pragma once
// The game reads its pads through this small XInput-shaped layer: four pads,
// a 16-bit button mask, signed 16-bit sticks (Y positive up) and 0..255
// triggers, plus a vibration setter. The machine's pads come through SDL's
// game-controller layer (SdlPadBackend.h); the active backend is swappable so
// that tests drive pads through FakePadBackend.
#include <array>
#include <cstdint>
#include <vector>

namespace pad {

constexpr unsigned MAX_PADS = 4;

// Button bits, with XInput's own values.
enum Button : std::uint16_t {
    DPAD_UP = 0x0001,
    DPAD_DOWN = 0x0002,
    DPAD_LEFT = 0x0004,
    DPAD_RIGHT = 0x0008,
    START = 0x0010,
    BACK = 0x0020,
    LEFT_THUMB = 0x0040,
    RIGHT_THUMB = 0x0080,
    LEFT_SHOULDER = 0x0100,
    RIGHT_SHOULDER = 0x0200,
    A = 0x1000,
    B = 0x2000,
    X = 0x4000,
    Y = 0x8000,
};

struct PadState {
    std::uint16_t buttons = 0;
    std::uint8_t leftTrigger = 0;
    std::uint8_t rightTrigger = 0;
    std::int16_t thumbLX = 0;
    std::int16_t thumbLY = 0;
    std::int16_t thumbRX = 0;
    std::int16_t thumbRY = 0;
};

struct Vibration {
    std::uint16_t leftMotor = 0;
    std::uint16_t rightMotor = 0;
};

// A pad that came into slot `index` or left it.
struct PadChange {
    unsigned index = 0;
    bool connected = false;
    bool operator==(const PadChange& o) const { return index == o.index && connected == o.connected; }
};

class PadBackend {
public:
    virtual ~PadBackend() = default;
    // Fills state and returns true when pad `index` is connected.
    virtual bool getState(unsigned index, PadState& state) = 0;
    // Returns true when the pad accepted the vibration.
    virtual bool setVibration(unsigned index, const Vibration& vibration) = 0;
    // Reads what the pads did since the last call (once per frame); returns the
    // pads that left, then the pads that came.
    virtual std::vector<PadChange> pump() { return {}; }
};

// Pads for tests: set `connected` and `states`, read back `vibrations`; hot-plug
// by queuing `changes`, which the next pump hands over.
class FakePadBackend : public PadBackend {
public:
    bool getState(unsigned index, PadState& state) override;
    bool setVibration(unsigned index, const Vibration& vibration) override;
    std::vector<PadChange> pump() override;

    std::array<bool, MAX_PADS> connected{};
    std::array<PadState, MAX_PADS> states{};
    std::array<Vibration, MAX_PADS> vibrations{};
    std::vector<PadChange> changes;
    int stateQueries = 0;
    int vibrationCalls = 0;
};

// The backend in use (the SDL one unless a test installed another).
PadBackend& backend();
// Installs a backend (not owned); null restores the SDL one.
void setBackend(PadBackend* backend);

// The XInput-shaped calls the game uses.
bool getState(unsigned index, PadState& state);
bool isConnected(unsigned index);
bool setVibration(unsigned index, std::uint16_t leftMotor, std::uint16_t rightMotor);
// Once per frame, before anything reads the pads: see PadBackend::pump.
std::vector<PadChange> pump();

} // namespace pad
