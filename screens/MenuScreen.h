#pragma once
// The menu picture shown on the hangar desk's screen: each frame the input is
// read, the current page is drawn into a 1050 x 550 render texture (made once),
// and the screen mesh shows that texture.
#include <SFML/Graphics.hpp>
#include <memory>

namespace menu_screen {
constexpr unsigned WIDTH = 1050;
constexpr unsigned HEIGHT = 550;
} // namespace menu_screen

struct MenuScreenResources {
    std::unique_ptr<sf::RenderTexture> target;
    std::unique_ptr<sf::Shader> backgroundShader;
    bool backgroundShaderLoaded = false;
    sf::Texture highScoreBoard; // the high-score table, drawn by the main menu
};
// Created on first use (needs a display); lives for the program's life.
MenuScreenResources& menuScreen();

// One frame: input, then the picture.
void updateMenuScreen();
void drawMenuScreen(sf::RenderTexture& target);
// The Back and Valid hints at the bottom of the page.
void drawMenuButtons(sf::RenderTarget& target);
