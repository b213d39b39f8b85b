#pragma once
// The window pixels a light's glow can brighten, so that a glow is drawn over
// those alone instead of over the whole window.
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

// Past the rectangle the glow shader's brightest channel, intensity * 0.2 *
// falloff^3 levels with falloff = radius / (distance + radius), stays under a
// quarter of a level and rounds to nothing. Empty when the light brightens no
// pixel of the window (faint, or wholly off it); the whole window when the
// centre is not a number.
sf::IntRect glowReach(sf::Vector2f centre, float intensity, float range, sf::Color colour);
