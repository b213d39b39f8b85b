#include "engine/Services.h"

#include "engine/Engine.h"

Services servicesOf(Engine& engine)
{
    return {engine.textures, engine.timing, engine.run, engine.menu, engine.world, engine.renderer};
}
