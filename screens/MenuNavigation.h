#pragma once
// The menu screen's pages, items and cursor, and the input that moves between
// them. The page and the cursor live in the MenuContext the functions are
// handed (the engine's menu part); the action latches and the pages' own input
// state live here for the program's life.
#include "platform/Bindings.h"
#include "engine/MenuContext.h"

using MenuItemId = int;

namespace menu_action {
constexpr MenuAction DOWN = 0;
constexpr MenuAction UP = 1;
constexpr MenuAction VALIDATE = 2;
constexpr MenuAction BACK = 3;
constexpr MenuAction PREVIOUS_PAGE = 4;
constexpr MenuAction NEXT_PAGE = 5;
} // namespace menu_action

// The range of items of a page and the item the cursor takes when the page opens.
struct MenuPageItems {
    MenuPage page;
    MenuItemId first; // -1: no items
    MenuItemId last;
    MenuItemId reset; // -1: the cursor stays
};
// The entry of a page, or null for a page without a table entry.
const MenuPageItems* findMenuPage(MenuPage page);

struct MenuControls {
    // Latches: true when the action was not held in the previous frame.
    bool upArmed = true;
    bool downArmed = true;
    bool validateArmed = true; // also read by the difficulty and cheats pages
    bool backArmed = true;
    // The pages' own input state.
    float difficultyRepeatTimer = 0.f;
    float levelRepeatTimer = 0.f;
    bool cheatToggleArmed = false;
    bool creditsTurnArmed = false;
    bool howToPlayTurnArmed = false;
    int creditsPage = 0;   // 0..3
    int howToPlayPage = 0; // 0..2
};
MenuControls& menuControls();

void menuCursorNext(MenuContext& menu);
void menuCursorPrevious(MenuContext& menu);
void menuCursorReset(MenuContext& menu);

// One frame of the menu screen's input: cursor moves, page changes and their sounds.
void updateMenuInput(MenuContext& menu);
