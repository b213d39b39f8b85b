#include "play/SpriteBatch.h"

#include <SFML/Graphics/Texture.hpp>
#include <array>

namespace {

// A sprite's four corners as it draws them, a strip: top-left, bottom-left,
// top-right, bottom-right, placed by its transform, with texture coordinates
// in pixels.
std::array<sf::Vertex, 4> corners(const sf::Sprite& sprite)
{
    const sf::FloatRect bounds = sprite.getLocalBounds();
    const sf::IntRect rect = sprite.getTextureRect();
    const float left = static_cast<float>(rect.left);
    const float right = left + rect.width;
    const float top = static_cast<float>(rect.top);
    const float bottom = top + rect.height;
    const sf::Transform& place = sprite.getTransform();
    const sf::Color colour = sprite.getColor();
    return {sf::Vertex(place.transformPoint(0.f, 0.f), colour, {left, top}),
            sf::Vertex(place.transformPoint(0.f, bounds.height), colour, {left, bottom}),
            sf::Vertex(place.transformPoint(bounds.width, 0.f), colour, {right, top}),
            sf::Vertex(place.transformPoint(bounds.width, bounds.height), colour, {right, bottom})};
}

// Whether the sprite's quad has no area on the target.
bool foldedFlat(const sf::Sprite& sprite)
{
    const sf::IntRect rect = sprite.getTextureRect();
    const sf::Vector2f scale = sprite.getScale();
    return rect.width == 0 || rect.height == 0 || scale.x == 0.f || scale.y == 0.f;
}

} // namespace

void SpriteBatch::draw(sf::RenderTarget& target, const sf::Sprite& sprite)
{
    const sf::Texture* texture = sprite.getTexture();
    if (!texture || foldedFlat(sprite))
        return;
    if (texture != texture_)
        flush(target);
    texture_ = texture;
    const std::array<sf::Vertex, 4> strip = corners(sprite);
    // The strip's two triangles, each with its corners in the order the
    // strip hands them to the rasteriser.
    for (int corner : {0, 1, 2, 2, 1, 3})
        vertices_.push_back(strip[static_cast<size_t>(corner)]);
}

void SpriteBatch::flush(sf::RenderTarget& target)
{
    if (!vertices_.empty()) {
        target.draw(vertices_.data(), vertices_.size(), sf::Triangles, sf::RenderStates(texture_));
        ++drawsSent_;
    }
    vertices_.clear();
    texture_ = nullptr;
}
