#pragma once
// The input that three menu pages handle themselves: the difficulty choice, the
// cheats and start level, and the picture turning of the credits and how-to-play
// pages. Choices land in the run settings handed in (difficulty, cheatLives,
// cheatLaser, startLevel).
#include "engine/MenuContext.h"
#include "screens/MenuServices.h"

namespace menu_pages {
constexpr float CHOICE_REPEAT_SECONDS = 0.25f;
constexpr int CREDITS_PICTURES = 4;
constexpr int HOW_TO_PLAY_PICTURES = 3;
} // namespace menu_pages

// Validate on the difficulty page sets the difficulty to the item under the cursor.
void updateDifficultyChoice(const MenuServices& services);
// Validate on the cheats page toggles a cheat or chooses the start level.
void updateCheatsMenu(const MenuServices& services);
// Next / previous page on the credits and how-to-play pages, one picture per press.
void updateCreditsTurn(const MenuContext& menu);
void updateHowToPlayTurn(const MenuContext& menu);
// The input of the page shown, once a frame before the page is drawn.
void updateCurrentPageInput(const MenuServices& services);
