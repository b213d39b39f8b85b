#pragma once
// The world's light: how bright the scene is (the drawing shader's and the
// backdrop's "worldLighting"), where the sun stands, and the light tick at
// which the meshes collect again the point lights that reach them.
#include "engine/Scenes.h"

#include <SFML/System/Vector3.hpp>

class WorldLight {
public:
    static constexpr float FULL_BRIGHTNESS = 3.5f;
    static constexpr float TICK_SECONDS = 0.05f;

    float brightness() const { return brightness_; }
    // A new scene starts at full light.
    void resetBrightness() { brightness_ = FULL_BRIGHTNESS; }
    // Grows by frameTime a frame up to `maximum` (the head boss's ramp).
    void brighten(float frameTime, float maximum)
    {
        if (brightness_ < maximum)
            brightness_ += frameTime;
        else
            brightness_ = maximum;
    }
    void darken() { brightness_ = 0.f; }

    const sf::Vector3f& position() const { return position_; }
    // Where the sun stands in that scene.
    void placeFor(int sceneId) { position_ = scene::worldLightPosition(sceneId); }

    // Counts one frame down; true when a light tick falls in it (every
    // TICK_SECONDS): the meshes' light lists are then rebuilt.
    bool tick(float frameTime)
    {
        ticked_ = false;
        tickTimer_ -= frameTime;
        if (tickTimer_ > 0.f)
            return false;
        tickTimer_ = TICK_SECONDS;
        ticked_ = true;
        return true;
    }
    // Whether this frame's tick fell.
    bool ticked() const { return ticked_; }
    // The next frame ticks, whatever is left of the wait.
    void tickNextFrame() { tickTimer_ = 0.f; }

private:
    float brightness_ = FULL_BRIGHTNESS;
    sf::Vector3f position_{1e8f, -75000.f, 25000.f};
    float tickTimer_ = 0.f;
    bool ticked_ = false;
};
