#include "play/SpriteLoading.h"

#include "engine/Engine.h"

#include <SFML/Graphics/Texture.hpp>

sf::Sprite& loadSprite(sf::Sprite& sprite, const std::string& path, bool centre)
{
    if (sf::Texture* texture = engine().textures.getTexture(path)) {
        sprite.setTexture(*texture, true);
        if (centre)
            sprite.setOrigin(texture->getSize().x / 2.f, texture->getSize().y / 2.f);
    }
    return sprite;
}
