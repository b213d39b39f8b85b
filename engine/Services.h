#pragma once
// What the game's states are handed: references into the one Engine, which app/
// creates. Each class takes only the parts it uses, by constructor. References,
// never copies: the pause and the cheats are read live wherever they are used.
#include "engine/FrameTiming.h"
#include "engine/MenuContext.h"
#include "engine/RendererResources.h"
#include "engine/RunSettings.h"
#include "engine/TextureCache.h"
#include "engine/World3D.h"

class Engine;

struct Services {
    TextureCache& textures;
    const FrameTiming& timing;
    RunSettings& run;
    MenuContext& menu;
    World3D& world;
    RendererResources& renderer;
};

// The parts of `engine`, by reference.
Services servicesOf(Engine& engine);
