#pragma once
// The 3D menu's page, cursor and key bindings, kept between the menu states.
// Reset with `engine().menu = MenuContext{}`.
#include "app/Bindings.h"

using MenuPage = int;

// The pages of the menu screen.
namespace menu_page {
enum : MenuPage { PLAY = 0, HIGH_SCORES, CREDITS, QUIT, START_GAME, DIFFICULTY, HOW_TO_PLAY, CHEATS, MAIN = 25 };
} // namespace menu_page

struct MenuContext {
    int menuCursor = 0;
    MenuPage menuPage = menu_page::MAIN;
    bool menuInputReleased = true; // false until every menu key has been let go
    MenuBindings menuBindings;     // filled by the menu scene build
};
