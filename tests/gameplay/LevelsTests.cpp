// The level table as the story start reads it: a start level the menu never
// offers opens level 1, and no number reads past the table.
#include "engine/Scenes.h"
#include "gameplay/Levels.h"

#include <gtest/gtest.h>

TEST(Levels, TheMenusStartLevelPicksTheSceneAndAnyOtherNumberOpensLevelOne)
{
    EXPECT_EQ(storyStartScene(0), scene::INTRO);
    EXPECT_EQ(storyStartScene(1), scene::CORRIDOR);
    EXPECT_EQ(storyStartScene(2), scene::LEVEL3_START);
    EXPECT_EQ(storyStartScene(3), scene::ARENA);
    for (int menu : {-1, 4, 1000})
        EXPECT_EQ(storyStartLevel(menu), 1) << menu;
    for (int level : {-1, 0, LEVEL_COUNT + 1})
        EXPECT_EQ(&levelInfo(level), &levelInfo(1)) << level;
    EXPECT_TRUE(levelInfo(LEVEL_COUNT).opensOnItsBoss);
}
