#pragma once
// One player's continue countdown: the numbers 10 down to 1, shown in the
// player's HUD place once the ship has no lives left.
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <array>

class TextureCache;

class ContinueScreen {
public:
    static constexpr int PICTURES = 10;
    static constexpr int LAST_PICTURE = PICTURES - 1; // "Continue_10"
    static constexpr float COUNTDOWN = 10.f;

    // The pictures come from the cache at the first draw.
    explicit ContinueScreen(TextureCache& cache);

    // A player is live while it neither counts down nor has given up.
    bool live() const { return !gaveUp && !countingDown; }
    // Shows the picture of index k (0 is "Continue_1"), kept within 0..9.
    void showPicture(int k);
    // One frame of a running countdown: the number follows the whole seconds
    // left; when the time is out the screen goes idle and gaveUp is set.
    // Returns true on that frame.
    bool tick(float dt);
    // Back to idle: not counting, countdown 10 s showing "10".
    void resetCountdown();
    // Draws the sprite with the current picture (textures bind at the first draw).
    void draw(sf::RenderTarget& target);

    sf::Sprite sprite;
    std::array<const sf::Texture*, PICTURES> textures{};
    bool gaveUp = false;
    bool countingDown = false;
    float countdown = COUNTDOWN;
    int textureIndex = LAST_PICTURE;

private:
    void bindTextures();
    TextureCache* textureCache_; // never null; a pointer keeps the screens assignable in a vector
    bool texturesBound_ = false;
};
