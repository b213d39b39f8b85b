#pragma once
// Sprites drawn one after another with the same texture go to the target as
// one draw: the same triangles, corners and order that drawing each sprite on
// its own gives, so the picture is the same to the pixel. A sprite with
// another texture sends what was gathered first; so must the owner before it
// draws anything else on the target (`flush`). The vertex buffer is kept from
// frame to frame.
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <vector>

class SpriteBatch {
public:
    // Gathers the sprite as `target.draw(sprite)` would draw it. A sprite
    // without a texture draws nothing, nor does one folded flat (a zero scale
    // or an empty texture rectangle): neither is gathered.
    void draw(sf::RenderTarget& target, const sf::Sprite& sprite);
    // Sends what is gathered, in one draw.
    void flush(sf::RenderTarget& target);

    // Draws sent since the batch was made: how many the owner's sprites cost.
    int drawsSent() const { return drawsSent_; }

private:
    std::vector<sf::Vertex> vertices_;
    const sf::Texture* texture_ = nullptr;
    int drawsSent_ = 0;
};
