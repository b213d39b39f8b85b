#include "screens/MenuPageInput.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "engine/Engine.h"
#include "screens/MenuNavigation.h"

namespace {
bool validateHeld() { return isMenuActionPressed(engine().menu.menuBindings, menu_action::VALIDATE); }

void turnPicture(bool& armed, int& picture, int count)
{
    const MenuBindings& bindings = engine().menu.menuBindings;
    int step = 0;
    if (isMenuActionPressed(bindings, menu_action::NEXT_PAGE))
        step = 1;
    else if (isMenuActionPressed(bindings, menu_action::PREVIOUS_PAGE))
        step = -1;
    if (step == 0) {
        armed = true;
        return;
    }
    if (!armed)
        return;
    soundManager().playSound(SFX_NEXT_PAGE);
    armed = false;
    picture = (picture + step + count) % count;
}
} // namespace

void updateDifficultyChoice()
{
    Engine& e = engine();
    MenuControls& c = menuControls();
    if (!c.validateArmed || e.menu.menuPage != menu_page::DIFFICULTY)
        return;
    if (!validateHeld())
        c.difficultyRepeatTimer -= e.timing.frameTime;
    else if (c.difficultyRepeatTimer <= 0.f) {
        e.run.difficulty = e.menu.menuCursor;
        c.difficultyRepeatTimer = menu_pages::CHOICE_REPEAT_SECONDS;
    }
}

void updateCheatsMenu()
{
    Engine& e = engine();
    MenuControls& c = menuControls();
    if (!c.validateArmed)
        return;
    const int item = e.menu.menuCursor;
    const bool held = validateHeld();

    if (held && c.levelRepeatTimer <= 0.f) {
        c.levelRepeatTimer = menu_pages::CHOICE_REPEAT_SECONDS;
        if (item >= 16 && item <= 18) {
            const int level = item - 15;
            e.run.startLevel = e.run.startLevel == level ? 0 : level;
        }
    } else {
        c.levelRepeatTimer -= e.timing.frameTime;
    }

    if (item != 14 && item != 15)
        return;
    if (!held) {
        c.cheatToggleArmed = true;
    } else if (c.cheatToggleArmed) {
        c.cheatToggleArmed = false;
        bool& cheat = item == 14 ? e.run.cheatLives : e.run.cheatLaser;
        cheat = !cheat;
    }
}

void updateCreditsTurn()
{
    MenuControls& c = menuControls();
    turnPicture(c.creditsTurnArmed, c.creditsPage, menu_pages::CREDITS_PICTURES);
}

void updateHowToPlayTurn()
{
    MenuControls& c = menuControls();
    turnPicture(c.howToPlayTurnArmed, c.howToPlayPage, menu_pages::HOW_TO_PLAY_PICTURES);
}

void updateCurrentPageInput()
{
    switch (engine().menu.menuPage) {
    case menu_page::DIFFICULTY: updateDifficultyChoice(); break;
    case menu_page::CHEATS: updateCheatsMenu(); break;
    case menu_page::CREDITS: updateCreditsTurn(); break;
    case menu_page::HOW_TO_PLAY: updateHowToPlayTurn(); break;
    default: break;
    }
}
