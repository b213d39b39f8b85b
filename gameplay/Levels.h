#pragma once
// What sets the game's four levels apart, one row per level: the scene a story
// game started at the level opens in and the track it opens with, the level's
// first sequence when the level index does not know it, whether it opens on its
// boss, and where the level flow places the ships as it enters the level.
#include "audio/SoundTables.h"

#include <SFML/System/Vector2.hpp>

struct LevelInfo {
    int startScene;
    MusicTrack openingTrack;
    int firstSequence;
    bool opensOnItsBoss; // the final boss is there from the first frame, the ships in its fight
    sf::Vector2f shipStart; // levels 2 and 3; the flow leaves the ships where they are elsewhere
};

constexpr int LEVEL_COUNT = 4;

// Level 1 to LEVEL_COUNT; any other number reads level 1.
const LevelInfo& levelInfo(int level);
// The level a story game starts at, by the menu's start level: 1 level 2,
// 2 level 3, 3 level 4, anything else level 1.
int storyStartLevel(int menuStartLevel);
// The scene a story game started at the menu's start level opens in.
int storyStartScene(int menuStartLevel);
