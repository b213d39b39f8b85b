#pragma once
// What a level's first frames load, prepared on the preload worker once the
// player heads for a game: the scene the story starts in and the play layer's
// sprite sheets, which the menu releases when it opens after a game.
#include "engine/SceneChange.h"

class TextureCache;

// The preload for a story game started at `startLevel` (the menu's choice).
PreloadJob playPreload(int startLevel);
// The play layer's sprite sheets (nothing but the game state draws them).
std::vector<std::string> playSprites();
void releasePlaySprites(TextureCache& textures);
