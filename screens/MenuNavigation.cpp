#include "screens/MenuNavigation.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "engine/Engine.h"

#include <array>

namespace {
const std::array<MenuPageItems, 9> PAGES = {{
    {menu_page::MAIN, 0, 3, 0},
    {menu_page::PLAY, 4, 7, 4},
    {menu_page::HIGH_SCORES, -1, -1, -1},
    {menu_page::CREDITS, 11, 13, 11},
    {menu_page::QUIT, -1, -1, -1},
    {menu_page::START_GAME, -1, -1, -1},
    {menu_page::DIFFICULTY, 19, 21, 20},
    {menu_page::HOW_TO_PLAY, 22, 24, -1},
    {menu_page::CHEATS, 14, 18, 15},
}};

// Items 8 to 21 are handled by their page rather than opening a page of their id.
bool isPageItem(MenuItemId item) { return item >= 8 && item <= 21; }

MenuPage pageBehind(MenuPage page)
{
    if (page >= 0 && page <= 3)
        return menu_page::MAIN;
    if (page >= 4 && page <= 7)
        return menu_page::PLAY;
    if (page >= 11 && page <= 13)
        return menu_page::CREDITS;
    if (page >= 22 && page <= 24)
        return menu_page::HOW_TO_PLAY;
    return page;
}

// Held and armed: acts this frame. The latch follows the action.
bool pressEdge(MenuAction action, bool& armed)
{
    if (!isMenuActionPressed(engine().menu.menuBindings, action)) {
        armed = true;
        return false;
    }
    if (!armed)
        return false;
    armed = false;
    return true;
}
} // namespace

const MenuPageItems* findMenuPage(MenuPage page)
{
    for (const MenuPageItems& p : PAGES)
        if (p.page == page)
            return &p;
    return nullptr;
}

MenuControls& menuControls()
{
    static MenuControls controls;
    return controls;
}

namespace {
// Above the page's last item comes its first; below its first, its last.
int wrapIntoPage(int cursor, const MenuPageItems& page)
{
    if (cursor > page.last)
        return page.first;
    if (cursor < page.first)
        return page.last;
    return cursor;
}
} // namespace

void menuCursorNext()
{
    Engine& e = engine();
    const MenuPageItems* p = findMenuPage(e.menu.menuPage);
    if (!p || p->first < 0)
        return;
    e.menu.menuCursor = wrapIntoPage(e.menu.menuCursor + 1, *p);
}

void menuCursorPrevious()
{
    Engine& e = engine();
    const MenuPageItems* p = findMenuPage(e.menu.menuPage);
    if (!p || p->first < 0)
        return;
    e.menu.menuCursor = wrapIntoPage(e.menu.menuCursor - 1, *p);
}

void menuCursorReset()
{
    Engine& e = engine();
    const MenuPageItems* p = findMenuPage(e.menu.menuPage);
    if (p && p->reset >= 0)
        e.menu.menuCursor = p->reset;
}

void updateMenuInput()
{
    Engine& e = engine();
    MenuControls& c = menuControls();
    if (pressEdge(menu_action::UP, c.upArmed)) {
        soundManager().playSound(SFX_MENU_SELECT);
        menuCursorPrevious();
    }
    if (pressEdge(menu_action::DOWN, c.downArmed)) {
        soundManager().playSound(SFX_MENU_SELECT);
        menuCursorNext();
    }
    if (pressEdge(menu_action::VALIDATE, c.validateArmed)) {
        soundManager().playSound(SFX_MENU_VALID);
        if (isPageItem(e.menu.menuCursor)) {
            c.validateArmed = true; // the page's own handler acts on this press
        } else {
            e.menu.menuPage = e.menu.menuCursor;
            menuCursorReset();
        }
    }
    if (pressEdge(menu_action::BACK, c.backArmed)) {
        soundManager().playSound(SFX_MENU_CANCEL);
        e.menu.menuPage = pageBehind(e.menu.menuPage);
        menuCursorReset();
    }
}
