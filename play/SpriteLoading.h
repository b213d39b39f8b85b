#pragma once
#include <SFML/Graphics/Sprite.hpp>
#include <string>

class TextureCache;

// A sprite showing the texture at path (through the texture cache, so it lives
// as long as the cache keeps it). A file that does not load leaves the sprite
// without a texture. With centre set the origin is the texture's centre.
sf::Sprite& loadSprite(TextureCache& textures, sf::Sprite& sprite, const std::string& path, bool centre);
