#pragma once
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include "audio/SoundManagerInstance.h"

// Start-up in the game's order: seed the random numbers, load the icon, create
// the sound manager and the engine (with its resources), hand the engine the
// menu's hangar steps. Returns the icon image.
sf::Image startGame();
// Sets the icon from the image, unless the image is empty.
void applyWindowIcon(sf::RenderWindow& window, const sf::Image& icon);
