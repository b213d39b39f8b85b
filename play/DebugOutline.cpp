#include "play/DebugOutline.h"

#include <SFML/Graphics/RectangleShape.hpp>

void drawDebugOutline(sf::RenderTarget& target, const sf::FloatRect& box, sf::Color colour, float thickness)
{
    sf::RectangleShape outline({box.width, box.height});
    outline.setPosition(box.left, box.top);
    outline.setFillColor(sf::Color::Transparent);
    outline.setOutlineColor(colour);
    outline.setOutlineThickness(-thickness);
    target.draw(outline);
}
