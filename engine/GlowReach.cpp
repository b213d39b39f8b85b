#include "engine/GlowReach.h"

#include "engine/Math3D.h"

#include <algorithm>
#include <cmath>

sf::IntRect glowReach(sf::Vector2f centre, float intensity, float range, sf::Color colour)
{
    constexpr float FAINTEST = 0.25f; // levels; a level rounds up from a half
    const float brightest = static_cast<float>(std::max({colour.r, colour.g, colour.b})) * intensity * 0.2f;
    if (!(brightest > FAINTEST))
        return {};
    const sf::IntRect window(0, 0, static_cast<int>(WINDOW_WIDTH), static_cast<int>(WINDOW_HEIGHT));
    const float radius = std::max(range, 0.001f);
    const float reach = radius * (std::cbrt(brightest / FAINTEST) - 1.f) + 2.f;
    if (!(reach < WINDOW_WIDTH + WINDOW_HEIGHT) || !std::isfinite(centre.x) || !std::isfinite(centre.y))
        return window;
    // Every side kept just around the window, so that a centre far off it (a light behind
    // the camera projects anywhere) stays within ints and gives an empty rectangle.
    const auto across = [](float at, float size) { return std::clamp(at, -1.f, size + 1.f); };
    const int left = static_cast<int>(std::floor(across(centre.x - reach, WINDOW_WIDTH)));
    const int top = static_cast<int>(std::floor(across(centre.y - reach, WINDOW_HEIGHT)));
    const int right = static_cast<int>(std::ceil(across(centre.x + reach, WINDOW_WIDTH)));
    const int bottom = static_cast<int>(std::ceil(across(centre.y + reach, WINDOW_HEIGHT)));
    sf::IntRect reached;
    window.intersects(sf::IntRect(left, top, right - left, bottom - top), reached);
    return reached;
}
