#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

// One player's score: the score shown on its counter, and the points that
// count toward the next extra life (lowered by the extra-life threshold).
struct PlayerScore {
    uint32_t score = 0;
    uint32_t lifePoints = 0;
};

// Adds points to both halves of a player's score and shows the new score,
// nine digits with leading zeros, on the player's counter (any type with
// setScoreText taking a string: the score TextManager).
template <class Counter>
void addScore(Counter& counter, PlayerScore& score, uint32_t points)
{
    score.score += points;
    score.lifePoints += points;
    char text[16];
    std::snprintf(text, sizeof text, "%09u", static_cast<unsigned>(score.score));
    counter.setScoreText(std::string(text));
}
