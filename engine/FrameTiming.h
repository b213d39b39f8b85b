#pragma once
// The frame time the whole game runs on and the clocks it is measured with.
// Reset with `engine().timing = FrameTiming{}`.
#include "platform/Input.h"

struct FrameTiming {
    float frameTime = 0.f; // seconds of the last frame, at most 0.02
    timing::Clock frameClock;
    timing::Clock gameClock; // since start-up: animates shaders
};
