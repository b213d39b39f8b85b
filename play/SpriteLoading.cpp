#include "play/SpriteLoading.h"

#include "engine/TextureCache.h"

#include <SFML/Graphics/Texture.hpp>

sf::Sprite& loadSprite(TextureCache& textures, sf::Sprite& sprite, const std::string& path, bool centre)
{
    if (sf::Texture* texture = textures.getTexture(path)) {
        sprite.setTexture(*texture, true);
        if (centre)
            sprite.setOrigin(texture->getSize().x / 2.f, texture->getSize().y / 2.f);
    }
    return sprite;
}
