#pragma once
#include <SFML/Graphics/Sprite.hpp>
#include <string>

// A sprite showing the texture at path (through the engine's texture cache, so
// it lives as long as the program). A file that does not load leaves the sprite
// without a texture. With centre set the origin is the texture's centre.
sf::Sprite& loadSprite(sf::Sprite& sprite, const std::string& path, bool centre);
