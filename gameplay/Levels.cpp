#include "gameplay/Levels.h"

#include "engine/Scenes.h"

namespace {

const LevelInfo LEVELS[LEVEL_COUNT] = {
    {scene::INTRO, MUSIC_STAGE01_INTRO, 0, false, {}},
    // The corridor scrolls to the right: the ships enter on its left.
    {scene::CORRIDOR, MUSIC_STAGE02, 4, false, {440.f, 540.f}},
    {scene::LEVEL3_START, MUSIC_STAGE03, 5, false, {960.f, 540.f}},
    {scene::ARENA, MUSIC_STAGE04_INTRO, 8, true, {}},
};

} // namespace

const LevelInfo& levelInfo(int level)
{
    return level >= 1 && level <= LEVEL_COUNT ? LEVELS[level - 1] : LEVELS[0];
}

int storyStartLevel(int menuStartLevel)
{
    return menuStartLevel >= 1 && menuStartLevel < LEVEL_COUNT ? menuStartLevel + 1 : 1;
}

int storyStartScene(int menuStartLevel) { return levelInfo(storyStartLevel(menuStartLevel)).startScene; }
