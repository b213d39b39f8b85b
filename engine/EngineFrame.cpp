#include "engine/EngineFrame.h"

#include "engine/Engine.h"

#include <algorithm>

void updateEngineFrame()
{
    Engine& e = engine();
    if (e.paused)
        return;
    e.frameTime = std::min(e.frameClock.restart().asSeconds(), 0.02f);
}
