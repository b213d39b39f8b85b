#pragma once
// The drawers of the menu pages, into the menu screen's texture. The item under
// the cursor is tinted cyan; a picture that does not load leaves its place empty.
#include "engine/TextureCache.h"
#include "screens/MenuServices.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <string>

// A picture of the texture cache at (x, y), tinted cyan when under the cursor.
void drawMenuPicture(sf::RenderTarget& target, TextureCache& textures, const std::string& path, float x, float y,
                     bool underCursor = false);

void drawMainMenu(sf::RenderTarget& target, const MenuServices& services);
void drawPlayMenu(sf::RenderTarget& target, const MenuServices& services);
void drawDifficultyMenu(sf::RenderTarget& target, const MenuServices& services);
void drawCheatsMenu(sf::RenderTarget& target, const MenuServices& services);
void drawCreditsMenu(sf::RenderTarget& target, const MenuServices& services);
void drawHowToPlayMenu(sf::RenderTarget& target, const MenuServices& services);
