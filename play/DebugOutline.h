#pragma once
// Debug view of hit boxes: a rectangle's outline drawn inside its edges.
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

void drawDebugOutline(sf::RenderTarget& target, const sf::FloatRect& box, sf::Color colour, float thickness);
