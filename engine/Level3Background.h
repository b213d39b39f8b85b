#pragma once
// The animated full-screen picture behind the last levels (scenes 11 to 13):
// three picture variants computed by a fragment shader, with a one-second
// cross-fade from the current variant to the next.
#include "engine/GlStateCache.h"

#include <SFML/Graphics.hpp>
#include <memory>

class Level3Background {
public:
    static constexpr int VARIANTS = 3;

    // Loads the shaders and textures (the two pictures are made at the first
    // render). Returns
    // false when shaders are unavailable or a shader file does not load; the
    // background then draws nothing (textures that fail to load stay empty).
    bool load();

    // Renders the pictures of a cross-fade with the game clock's seconds.
    void render(float seconds);

    // One frame of the main loop in scenes 11 to 13: advances a running
    // cross-fade by *frameTime, renders, and draws the picture into window.
    void drawFrame(float seconds);

    // Called on scene changes: back to the first picture, or start the fade to the next one.
    void resetToFirst();
    void startSwitch();
    // Gives back the window-sized pictures (made again when next shown).
    void releasePictures();

    // Value of the combined shader's "time" uniform for the game clock's seconds.
    static float shaderTime(float seconds) { return seconds / 10.f + 3.f; }

    sf::RenderWindow* window = nullptr;
    const float* frameTime = nullptr;
    bool isSwitching = false;
    // While a cross-fade runs, the two variants it blends (drawn from where
    // they are rendered: no copies); otherwise the variant on show is drawn
    // straight onto the window.
    std::unique_ptr<sf::RenderTexture> renderTexture;
    std::unique_ptr<sf::RenderTexture> nextPicture;
    sf::Shader interpolationShader;
    sf::Texture baseTexture;
    sf::Texture maskTexture;
    sf::Texture perlinTexture;
    sf::Shader combinedShader;
    float transTime = 0.f;
    int actualIndex = 0;
    int nextIndex = 1;
    float speed = 5.f;
    float unZoom = 15.f;

private:
    void drawVariant(sf::RenderTarget& target, int variant, float seconds);
    void renderVariant(sf::RenderTexture& picture, int variant, float seconds);

    bool makePictures();
    GlStateCache glState_; // the combined shader's uniforms and pictures
    bool ready_ = false;
    bool picturesMade_ = false;
};
