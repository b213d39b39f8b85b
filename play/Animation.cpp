#include "play/Animation.h"

bool Animation::step(float dt, sf::FloatRect& frame)
{
    elapsed += dt;
    if (elapsed >= duration) {
        if (mode != ANIMATION_LOOPED)
            return false;
        elapsed = 0.f;
    }
    const float time = mode == ANIMATION_REVERSED ? duration - elapsed : elapsed;
    // A sheet without a duration (bad data) stays on its first frame.
    const int index = duration > 0.f ? static_cast<int>(frameCount * time / duration) : 0;
    frame = sf::FloatRect(left + index * width, top, width, height);
    return true;
}
