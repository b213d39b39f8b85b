#include "platform/GamePad.h"

#include "platform/SdlPadBackend.h"

namespace pad {

namespace {
PadBackend* g_backend = nullptr;

// The machine's pads, opened on first use.
PadBackend& machinePads()
{
    static SdlPadBackend pads;
    return pads;
}
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

std::vector<PadChange> FakePadBackend::pump()
{
    std::vector<PadChange> handed;
    handed.swap(changes);
    return handed;
}

PadBackend& backend() { return g_backend ? *g_backend : machinePads(); }
void setBackend(PadBackend* b) { g_backend = b; }

bool getState(unsigned index, PadState& state) { return backend().getState(index, state); }

bool isConnected(unsigned index)
{
    PadState ignored;
    return getState(index, ignored);
}

bool setVibration(unsigned index, std::uint16_t leftMotor, std::uint16_t rightMotor)
{
    return backend().setVibration(index, Vibration{leftMotor, rightMotor});
}

std::vector<PadChange> pump() { return backend().pump(); }

} // namespace pad
