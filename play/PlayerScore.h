#pragma once
#include <cstdint>

// One player's score: the score shown on its counter, and the points that
// count toward the next extra life (lowered by the extra-life threshold).
struct PlayerScore {
    uint32_t score = 0;
    uint32_t lifePoints = 0;
};
