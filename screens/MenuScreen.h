#pragma once
// The menu picture shown on the hangar desk's screen: each frame the input is
// read and, when what the page shows has changed, the page is drawn again into
// a 1050 x 550 render texture (made once), which the screen mesh shows.
#include "engine/MenuContext.h"
#include "screens/MenuServices.h"

#include <SFML/Graphics.hpp>
#include <memory>
#include <optional>

namespace menu_screen {
constexpr unsigned WIDTH = 1050;
constexpr unsigned HEIGHT = 550;
} // namespace menu_screen

// Everything the page's picture is made from: the page and its cursor, the
// choices the pages show, the picture turned to, and the moment of the
// backdrop's animation (0 when it has none).
struct MenuPageLook {
    MenuPage page = menu_page::MAIN;
    int cursor = 0;
    Difficulty difficulty = Difficulty::Normal;
    bool cheatLives = false, cheatLaser = false;
    int startLevel = 0;
    int creditsPage = 0, howToPlayPage = 0;
    float backdropSeconds = 0.f;
    bool operator==(const MenuPageLook& other) const;
    bool operator!=(const MenuPageLook& other) const { return !(*this == other); }
};

struct MenuScreenResources {
    std::unique_ptr<sf::RenderTexture> target;
    std::unique_ptr<sf::Shader> backgroundShader;
    bool backgroundShaderLoaded = false;
    sf::Texture highScoreBoard; // the high-score table, drawn by the main menu
    std::optional<MenuPageLook> drawnLook; // what the page shows now (none: to be drawn)
    long pageDraws = 0;                    // times the page was drawn
};
// Created on first use (needs a display); lives for the program's life.
MenuScreenResources& menuScreen();

class Mesh;

// One frame: input, then the picture when what it shows changed, shown on the
// hangar's screen mesh (none: the menu runs without it).
void updateMenuScreen(const MenuServices& services, Mesh* screenMesh);
// The page is drawn again at the next frame (what it is drawn from changed: the board).
void redrawMenuPage();
// The page's picture as it stands now.
MenuPageLook currentMenuPageLook(const MenuServices& services);
void drawMenuScreen(sf::RenderTexture& target, const MenuServices& services);
// The Back and Valid hints at the bottom of the page.
void drawMenuButtons(sf::RenderTarget& target, const MenuServices& services);
