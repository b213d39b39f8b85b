// The editor's timeline without a window: icon geometry, arrow-key scrolling,
// placement of new spawners, right-click selection and dragging.
#include "editor/LevelEditor.h"
#include "editor/Timeline.h"
#include "enemies/SpawnPattern.h"

#include <gtest/gtest.h>

namespace {

SpawnerRecord recordAt(float x, float y, float time)
{
    SpawnerRecord r;
    r.posX = x;
    r.posY = y;
    r.spawnTimer = time;
    r.patternId = pattern_id::BEE;
    return r;
}

// One arrow key held.
const TimelineKeys LEFT{true}, RIGHT{false, true}, UP{false, false, true}, DOWN{false, false, false, true};

} // namespace

TEST(EditorTimeline, IconsSitWhereTheScrollingLevelBringsThem)
{
    Timeline t;
    t.update(scroll_direction::UP, {});
    // Up: time 0 in the bottom row, 3.5 s in the top row.
    EXPECT_EQ(t.iconCentre(recordAt(300.f, 0.f, 0.f), scroll_direction::UP), sf::Vector2f(285.f, 1065.f));
    EXPECT_FLOAT_EQ(t.iconCentre(recordAt(300.f, 0.f, 3.5f), scroll_direction::UP).y, 15.f);

    // The other directions, with a view away from the origin.
    t.view = {-600.f, 60.f};
    EXPECT_EQ(t.iconCentre(recordAt(0.f, 500.f, 2.f), scroll_direction::RIGHT), sf::Vector2f(15.f, 545.f));
    EXPECT_EQ(t.iconCentre(recordAt(0.f, 500.f, 2.f), scroll_direction::LEFT), sf::Vector2f(705.f, 545.f));
    EXPECT_EQ(t.iconCentre(recordAt(400.f, 0.f, 1.f), scroll_direction::DOWN), sf::Vector2f(-215.f, 375.f));
}

TEST(EditorTimeline, ArrowKeysMoveTimeAlongTheScrollAxisWithinBounds)
{
    // Holding Up in Up scrolling: 0.1 s per frame until view.y + 30 would reach 10980.
    Timeline up;
    for (int i = 0; i < 1000; ++i)
        up.update(scroll_direction::UP, UP);
    EXPECT_NEAR(up.time, 36.55f, 0.06f);
    // Down brings it back, never below 0.
    for (int i = 0; i < 1000; ++i)
        up.update(scroll_direction::UP, DOWN);
    EXPECT_NEAR(up.time, 0.f, 0.11f);
    // In Down scrolling the keys swap: Down moves time forward, Up back.
    Timeline down;
    for (int i = 0; i < 100; ++i)
        down.update(scroll_direction::DOWN, DOWN);
    EXPECT_NEAR(down.time, 10.f, 0.11f);
    for (int i = 0; i < 200; ++i)
        down.update(scroll_direction::DOWN, UP);
    EXPECT_NEAR(down.time, 0.f, 0.11f);

    // In horizontal scrolling Up and Down move view.y in 30-pixel steps from -240 to 240.
    Timeline across;
    for (int i = 0; i < 20; ++i)
        across.update(scroll_direction::RIGHT, UP);
    EXPECT_EQ(across.view.y, 240.f);
    for (int i = 0; i < 40; ++i)
        across.update(scroll_direction::RIGHT, DOWN);
    EXPECT_EQ(across.view.y, -240.f);
    EXPECT_EQ(across.time, 0.f);
    across.update(scroll_direction::RIGHT, RIGHT); // and Right moves time forward
    EXPECT_NEAR(across.time, 0.1f, 1e-5f);
}

TEST(EditorTimeline, RightClickSelectsAndLeftDragKeepsSpacing)
{
    EditedSequence seq("unused/");
    seq.scrollDirection = scroll_direction::UP;
    seq.records = {recordAt(300.f, 0.f, 0.f), recordAt(310.f, 0.f, 0.f), recordAt(600.f, 0.f, 1.f)};
    Timeline t;
    t.update(scroll_direction::UP, {});

    // Two overlapping icons: without control only the later record ends up selected.
    t.cursor = {285.f, 1065.f};
    t.selectUnderCursor(seq, false);
    EXPECT_EQ(seq.selection, std::vector<int>{1});
    // With control each record under the cursor toggles.
    t.selectUnderCursor(seq, true);
    EXPECT_EQ(seq.selection, std::vector<int>{0});
    t.cursor = {585.f, 765.f};
    t.selectUnderCursor(seq, true);
    EXPECT_EQ(seq.selection, (std::vector<int>{0, 2}));
    EXPECT_TRUE(t.cursorOverSelection(seq));

    // Dragging: the anchor (first selected) follows the cursor (its time as EditorGlTest's
    // dragged icon), the others keep their offsets.
    t.cursor = {400.f, 900.f};
    t.dragSelection(seq, false, false);
    EXPECT_EQ(seq.records[0].posX, 400.f);
    EXPECT_EQ(seq.records[2].posX, 700.f);
    EXPECT_NEAR(seq.records[2].spawnTimer - seq.records[0].spawnTimer, 1.f, 1e-5f);
    EXPECT_EQ(seq.records[1].posX, 310.f) << "unselected records stay";

    // Horizontal drag moves posY, with control snapping the cursor to the grid.
    seq.scrollDirection = scroll_direction::RIGHT;
    t.view = {-300.f, 30.f};
    t.cursor = {359.f, 527.f}; // snapped down to the grid line, not to the nearest
    t.dragSelection(seq, true, false);
    EXPECT_EQ(t.cursor, sf::Vector2f(330.f, 510.f));
    EXPECT_EQ(seq.records[0].posY, 480.f);
    EXPECT_NEAR(seq.records[0].spawnTimer, 2.1f, 1e-5f);
    EXPECT_NEAR(seq.records[2].spawnTimer, 3.1f, 1e-5f);
}

TEST(EditorTimeline, ListPagesComeBackToTheLastPageWithRecords)
{
    EXPECT_EQ(LevelEditor::clampPage(3, 120), 3);
    EXPECT_EQ(LevelEditor::clampPage(5, 120), 3);
    EXPECT_EQ(LevelEditor::clampPage(5, 100), 5) << "a whole number of pages keeps the typed page";
    EXPECT_EQ(LevelEditor::clampPage(-1, 120), 3) << "a negative page counts as huge";
    EXPECT_EQ(LevelEditor::clampPage(2147483647, 7), 1) << "no overflow on the largest page";
}

// Control snaps a dragged icon to the 30 px grid, shift to the 15 px one, neither leaves it.
TEST(EditorTimeline, DraggedIconsSnapToTheGridTheHeldKeyPicks)
{
    const sf::Vector2f dragged(37.f, 52.f);
    EXPECT_EQ(snapToGrid(dragged, true, false), sf::Vector2f(30.f, 30.f));
    EXPECT_EQ(snapToGrid(dragged, false, true), sf::Vector2f(30.f, 45.f));
    EXPECT_EQ(snapToGrid(dragged, false, false), dragged);
}
