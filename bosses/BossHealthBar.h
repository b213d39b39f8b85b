#pragma once
// The health bar at the top of the screen during a boss fight: a border and
// a bar whose frame can run a shimmer animation and whose width follows the
// boss's health.
#include "play/Animation.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>

class TextureCache;

class BossHealthBar {
public:
    static constexpr const char* BORDER_TEXTURE = "2D/Boss/Icarus/HealthBarBorder.png";
    static constexpr const char* BAR_TEXTURE = "2D/Boss/Icarus/HealthBar.png";
    static constexpr float FULL_WIDTH = 994.f;
    static constexpr float HEIGHT = 13.f;

    // With `animated` the bar's frame runs 4 frames of 994 x 13 over 2 s, looped.
    // Its pictures come from `textures` at the first drawing.
    BossHealthBar(TextureCache& textures, bool animated);

    void update(float dt);
    // Bar width = fraction x 994 (fraction clamped to 0..1; not a number counts as 0).
    void setFraction(float fraction);
    // The bar, then the border over it (textures are bound at the first drawing).
    void draw(sf::RenderTarget& target);

    sf::FloatRect barFrame{0.f, 0.f, FULL_WIDTH, HEIGHT};
    Animation barAnimation{0.f, 2.f, 4, 0.f, 0.f, FULL_WIDTH, HEIGHT, ANIMATION_LOOPED};
    sf::Sprite borderSprite;
    sf::Sprite barSprite;

private:
    void bindTextures();
    TextureCache& textures_;
    bool animated_;
    float fraction_ = 1.f;
    bool texturesBound_ = false;
};
