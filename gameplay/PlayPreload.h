#pragma once
// What a level's first frames load, prepared on the preload worker while the
// menu runs: the scene the story starts in and the play layer's sprite sheets.
#include "engine/SceneChange.h"

// The preload for a story game started at `startLevel` (the menu's choice).
PreloadJob playPreload(int startLevel);
