#include "play/Entity2D.h"

#include "engine/Engine.h"

#include <SFML/Graphics/Texture.hpp>

void Entity2D::updateShootPoints() {}

void Entity2D::setShootPointCount(int n)
{
    shootPointCount = n > 0 ? n : 0;
    shootPoints.assign(static_cast<size_t>(shootPointCount), ShootPoint{});
}

sf::Sprite& loadSprite(sf::Sprite& sprite, const std::string& path, bool centre)
{
    if (sf::Texture* texture = engine().textures.getTexture(path)) {
        sprite.setTexture(*texture, true);
        if (centre)
            sprite.setOrigin(texture->getSize().x / 2.f, texture->getSize().y / 2.f);
    }
    return sprite;
}
