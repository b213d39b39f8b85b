#include "play/ScreenFade.h"

#include <algorithm>

ScreenFade::ScreenFade(sf::Color fillColour, bool covers, float length)
    : fadeIn(covers ? 1 : 0), remaining(length), duration(length), rectangle(sf::Vector2f(1920.f, 1080.f)),
      colour(fillColour)
{
    rectangle.setPosition(0.f, 0.f);
    // The starting alpha; a fade without a positive duration is over at once.
    setAlpha(fadeIn ? 0 : 255);
    if (!(duration > 0.f)) {
        remaining = 0.f;
        done = 1;
        setAlpha(fadeIn ? 255 : 0);
    }
    update(0.f);
}

void ScreenFade::setAlpha(int alpha)
{
    sf::Color c = colour;
    c.a = static_cast<sf::Uint8>(std::clamp(alpha, 0, 255));
    rectangle.setFillColor(c);
}

void ScreenFade::update(float dt)
{
    if (!(remaining > 0.f))
        return;
    remaining -= dt;
    int alpha = static_cast<int>(remaining * 255.f / duration);
    if (fadeIn)
        alpha = 255 - alpha;
    if (remaining <= 0.f) {
        remaining = 0.f;
        done = 1;
        alpha = fadeIn ? 255 : 0;
    }
    setAlpha(alpha);
}
