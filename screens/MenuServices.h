#pragma once
// What the menu's pages and their input are handed: the engine parts they read
// and change, by reference. References, never copies: a choice made on a page
// lands in the run settings the game reads.
#include "engine/FrameTiming.h"
#include "engine/MenuContext.h"
#include "engine/RunSettings.h"
#include "engine/Services.h"
#include "engine/TextureCache.h"

struct MenuServices {
    MenuContext& menu;         // page, cursor and bindings
    RunSettings& run;          // difficulty, cheats and start level
    TextureCache& textures;    // the pages' pictures
    const FrameTiming& timing; // the repeat delay of the choices
};

// The menu's parts of a state's services.
inline MenuServices menuServicesOf(const Services& services)
{
    return {services.menu, services.run, services.textures, services.timing};
}
