#include "app/MainLoop.h"
#include "engine/Engine.h"
#include "engine/EngineFrame.h"
#include "engine/Level3Background.h"
#include "engine/Scenes.h"

// The 3D step of a frame: the engine step and the 3D drawing, or in level 3
// the shader background (the engine step does not run there, but the
// frame time is still measured: play runs on it). Out of level 3 the
// background keeps no pictures.
void renderWorldFrame(sf::RenderWindow& /*window*/)
{
    Engine& e = engine();
    if (!scene::drawsShaderBackground(e.world.sceneId())) {
        if (e.world.level3Background())
            e.world.level3Background()->releasePictures();
        updateEngineFrame();
        e.render3D();
        return;
    }
    measureFrameTime();
    if (e.world.level3Background())
        e.world.level3Background()->drawFrame(e.timing.gameClock.getElapsedTime().asSeconds());
}
