#include "screens/MenuNavigation.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "screens/MenuServices.h"

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
bool pressEdge(const MenuBindings& bindings, MenuAction action, bool& armed)
{
    if (!isMenuActionPressed(bindings, action)) {
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

void menuCursorNext(MenuContext& menu)
{
    const MenuPageItems* p = findMenuPage(menu.menuPage);
    if (!p || p->first < 0)
        return;
    menu.menuCursor = wrapIntoPage(menu.menuCursor + 1, *p);
}

void menuCursorPrevious(MenuContext& menu)
{
    const MenuPageItems* p = findMenuPage(menu.menuPage);
    if (!p || p->first < 0)
        return;
    menu.menuCursor = wrapIntoPage(menu.menuCursor - 1, *p);
}

void menuCursorReset(MenuContext& menu)
{
    const MenuPageItems* p = findMenuPage(menu.menuPage);
    if (p && p->reset >= 0)
        menu.menuCursor = p->reset;
}

void updateMenuInput(MenuContext& menu)
{
    MenuControls& c = menuControls();
    if (pressEdge(menu.menuBindings, menu_action::UP, c.upArmed)) {
        soundManager().playSound(SFX_MENU_SELECT);
        menuCursorPrevious(menu);
    }
    if (pressEdge(menu.menuBindings, menu_action::DOWN, c.downArmed)) {
        soundManager().playSound(SFX_MENU_SELECT);
        menuCursorNext(menu);
    }
    if (pressEdge(menu.menuBindings, menu_action::VALIDATE, c.validateArmed)) {
        soundManager().playSound(SFX_MENU_VALID);
        if (isPageItem(menu.menuCursor)) {
            c.validateArmed = true; // the page's own handler acts on this press
        } else {
            menu.menuPage = menu.menuCursor;
            menuCursorReset(menu);
        }
    }
    if (pressEdge(menu.menuBindings, menu_action::BACK, c.backArmed)) {
        soundManager().playSound(SFX_MENU_CANCEL);
        menu.menuPage = pageBehind(menu.menuPage);
        menuCursorReset(menu);
    }
}
