#pragma once
// The frame time the whole game runs on and the clocks it is measured with.
// Reset with `engine().timing = FrameTiming{}`.
#include "platform/Input.h"

// Seconds since start-up that stand still while the game is paused: what the
// shaders are animated by, so that a paused picture holds still.
class PlayClock {
public:
    sf::Time getElapsedTime() const { return running_ ? before_ + clock_.getElapsedTime() : before_; }
    // Stops or starts the clock again (no change when it already runs or stands so).
    void setRunning(bool running)
    {
        if (running == running_)
            return;
        if (running)
            clock_.restart();
        else
            before_ += clock_.getElapsedTime();
        running_ = running;
    }

private:
    timing::Clock clock_;
    sf::Time before_ = sf::Time::Zero; // run before the last stop
    bool running_ = true;
};

struct FrameTiming {
    float frameTime = 0.f; // seconds of the last frame, at most 0.02
    timing::Clock frameClock;
    PlayClock gameClock; // animates shaders; stands while the game is paused
};
