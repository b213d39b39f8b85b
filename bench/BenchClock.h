#pragma once
// The clocks and the display check the window benchmarks share.
#include <chrono>
#include <cstdlib>
#include <ctime>

namespace bench_clock {

// Whether an X display is there to open windows on.
inline bool displayAvailable()
{
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

// CPU time of the calling thread, in ms.
inline double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// CPU time of every thread of the process (the software GL driver's rasterisers
// do most of a frame's work), in ms.
inline double processCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

inline double wallMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace bench_clock
