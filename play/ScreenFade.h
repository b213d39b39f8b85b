#pragma once
// A full-screen rectangle of one colour whose opacity runs over a duration:
// a fade-in covers the screen (alpha 0 to 255), the other kind uncovers it
// (255 to 0).
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RectangleShape.hpp>

class ScreenFade {
public:
    ScreenFade(sf::Color colour, bool fadeIn, float duration);

    // Runs the fade by dt while time remains; the rectangle takes the new alpha.
    void update(float dt);
    // The alpha the rectangle shows now.
    sf::Uint8 alpha() const { return rectangle.getFillColor().a; }

    bool fadeIn = false;
    float remaining = 0.f; // seconds
    float duration = 0.f;
    sf::RectangleShape rectangle;
    sf::Color colour;
    bool done = false;

private:
    void setAlpha(int alpha);
};
