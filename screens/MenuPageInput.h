#pragma once
// The input that three menu pages handle themselves: the difficulty choice, the
// cheats and start level, and the picture turning of the credits and how-to-play
// pages. Choices land in the Engine (difficulty, cheatLives, cheatLaser, startLevel).

namespace menu_pages {
constexpr float CHOICE_REPEAT_SECONDS = 0.25f;
constexpr int CREDITS_PICTURES = 4;
constexpr int HOW_TO_PLAY_PICTURES = 3;
} // namespace menu_pages

// Validate on the difficulty page sets the difficulty to the item under the cursor.
void updateDifficultyChoice();
// Validate on the cheats page toggles a cheat or chooses the start level.
void updateCheatsMenu();
// Next / previous page on the credits and how-to-play pages, one picture per press.
void updateCreditsTurn();
void updateHowToPlayTurn();
// The input of the page shown, once a frame before the page is drawn.
void updateCurrentPageInput();
