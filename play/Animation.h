#pragma once
// One sprite-sheet animation: frames run left to right along one row.
#include <SFML/Graphics/Rect.hpp>

enum AnimationMode : int { ANIMATION_ONCE = 0, ANIMATION_REVERSED = 1, ANIMATION_LOOPED = 2 };

namespace animation_limits {
// No sprite sheet is wider or taller than this (the largest texture graphics cards
// take), so every frame of a sheet read from a data file has an exact integer rectangle.
constexpr int MAX_SHEET_SIDE = 16384;
// Whether a row of `frames` frames of width x height fits on such a sheet.
inline bool sheetFits(long long width, long long height, long long frames)
{
    return width > 0 && height > 0 && frames > 0 && height <= MAX_SHEET_SIDE && width * frames <= MAX_SHEET_SIDE;
}
} // namespace animation_limits

struct Animation {
    float elapsed = 0.f;  // seconds since the animation (re)started
    float duration = 0.f; // seconds for one pass over all frames
    int frameCount = 0;   // frames in the row
    float left = 0.f;     // x of the first frame in the texture
    float top = 0.f;      // y of the row in the texture
    float width = 0.f;    // frame size in pixels
    float height = 0.f;
    int mode = ANIMATION_ONCE;

    // Advances by dt and writes the current frame rectangle into frame.
    // Returns false (frame untouched) once a once or reversed animation has run
    // past its duration; a looped one restarts at elapsed 0 and shows frame 0.
    bool step(float dt, sf::FloatRect& frame);
};

// The integer texture rectangle of a frame (truncated).
inline sf::IntRect toTextureRect(const sf::FloatRect& frame)
{
    return sf::IntRect(static_cast<int>(frame.left), static_cast<int>(frame.top), static_cast<int>(frame.width),
                       static_cast<int>(frame.height));
}
