#include "app/MainLoop.h"
#include "engine/Engine.h"
#include "engine/EngineFrame.h"

void renderWorldFrame(sf::RenderWindow& /*window*/)
{
    Engine& e = engine();
    if (e.sceneId < 11 || e.sceneId > 13)
        updateEngineFrame();
}
