#include "screens/MenuPageInput.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "screens/MenuNavigation.h"

namespace {
bool validateHeld(const MenuContext& menu) { return isMenuActionPressed(menu.menuBindings, menu_action::VALIDATE); }

void turnPicture(const MenuContext& menu, bool& armed, int& picture, int count)
{
    const MenuBindings& bindings = menu.menuBindings;
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

void updateDifficultyChoice(const MenuServices& services)
{
    MenuControls& c = menuControls();
    if (!c.validateArmed || services.menu.menuPage != menu_page::DIFFICULTY)
        return;
    if (!validateHeld(services.menu))
        c.difficultyRepeatTimer -= services.timing.frameTime;
    else if (c.difficultyRepeatTimer <= 0.f) {
        services.run.difficulty = static_cast<Difficulty>(services.menu.menuCursor);
        c.difficultyRepeatTimer = menu_pages::CHOICE_REPEAT_SECONDS;
    }
}

void updateCheatsMenu(const MenuServices& services)
{
    RunSettings& run = services.run;
    MenuControls& c = menuControls();
    if (!c.validateArmed)
        return;
    const int item = services.menu.menuCursor;
    const bool held = validateHeld(services.menu);

    if (held && c.levelRepeatTimer <= 0.f) {
        c.levelRepeatTimer = menu_pages::CHOICE_REPEAT_SECONDS;
        if (item >= 16 && item <= 18) {
            const int level = item - 15;
            run.startLevel = run.startLevel == level ? 0 : level;
        }
    } else {
        c.levelRepeatTimer -= services.timing.frameTime;
    }

    if (item != 14 && item != 15)
        return;
    if (!held) {
        c.cheatToggleArmed = true;
    } else if (c.cheatToggleArmed) {
        c.cheatToggleArmed = false;
        bool& cheat = item == 14 ? run.cheatLives : run.cheatLaser;
        cheat = !cheat;
    }
}

void updateCreditsTurn(const MenuContext& menu)
{
    MenuControls& c = menuControls();
    turnPicture(menu, c.creditsTurnArmed, c.creditsPage, menu_pages::CREDITS_PICTURES);
}

void updateHowToPlayTurn(const MenuContext& menu)
{
    MenuControls& c = menuControls();
    turnPicture(menu, c.howToPlayTurnArmed, c.howToPlayPage, menu_pages::HOW_TO_PLAY_PICTURES);
}

void updateCurrentPageInput(const MenuServices& services)
{
    switch (services.menu.menuPage) {
    case menu_page::DIFFICULTY: updateDifficultyChoice(services); break;
    case menu_page::CHEATS: updateCheatsMenu(services); break;
    case menu_page::CREDITS: updateCreditsTurn(services.menu); break;
    case menu_page::HOW_TO_PLAY: updateHowToPlayTurn(services.menu); break;
    default: break;
    }
}
