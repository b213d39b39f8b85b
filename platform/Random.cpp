#include "platform/Random.h"

#include <atomic>

namespace {
// Linear congruential generator with the classic runtime constants; the high
// bits of the state give the 15-bit result.
std::atomic<unsigned> g_state{1u};
}

void seedRandom15(unsigned seed) { g_state.store(seed); }

int random15()
{
    unsigned next = g_state.load(std::memory_order_relaxed) * 214013u + 2531011u;
    g_state.store(next, std::memory_order_relaxed);
    return static_cast<int>((next >> 16) & 0x7FFFu);
}
