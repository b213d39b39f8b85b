// How the spawner editors' changes reach the selected records.
#include "editor/SpawnerEdit.h"
#include "enemies/SpawnPattern.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>

namespace {

SpawnerRecord at(float x, float y)
{
    SpawnerRecord r;
    r.posX = x;
    r.posY = y;
    r.nbMaxEnemy = 4;
    return r;
}

} // namespace

TEST(EditorSpawnerEdit, SingleAndMultipleEditorsApplyTheirChanges)
{
    SpawnerRecord a = at(100.f, 200.f), b = at(0.f, 540.f);
    const std::vector<SpawnerRecord*> both{&a, &b};
    ApplyFlags flags{};

    // "TargetMid" aims each record from its own position (the aim's values: the cells of EditorTmxImportTests).
    applySpawnerEdit(SpawnerEdit::button(SpawnerEdit::TARGET_MID), both, true, flags);
    EXPECT_EQ(a.direction, directionToCentre(100.f, 200.f));
    EXPECT_EQ(b.direction, 360.f);
    // From straight above, below and right of the centre.
    EXPECT_NEAR(directionToCentre(960.f, -100.f), 270.f, 1e-3f);
    EXPECT_NEAR(directionToCentre(960.f, 1180.f), 90.f, 1e-3f);
    EXPECT_NEAR(directionToCentre(1780.f, 540.f), 180.f, 1e-3f);
    // To the last bit, as the sequence files saved it (worked out with pi to six places).
    EXPECT_EQ(directionToCentre(1780.f, 85.f), 209.024887f);

    // Two records, "posX" unchecked: a typed X changes nothing; "MidX" moves both.
    applySpawnerEdit(SpawnerEdit::typed(SpawnerEdit::POS_X, 5.f), both, true, flags);
    EXPECT_EQ(a.posX, 100.f);
    EXPECT_EQ(b.posX, 0.f);
    applySpawnerEdit(SpawnerEdit::button(SpawnerEdit::POS_X, 960.f), both, true, flags);
    EXPECT_EQ(a.posX, 960.f);
    EXPECT_EQ(b.posX, 960.f);
    // Checked, the typed value reaches every selected record.
    flags[APPLY_DELAY] = true;
    applySpawnerEdit(SpawnerEdit::typed(SpawnerEdit::DELAY, 0.7f), both, true, flags);
    EXPECT_EQ(a.delayTimer, 0.7f);
    EXPECT_EQ(b.delayTimer, 0.7f);

    // The single editor changes its record without check boxes.
    applySpawnerEdit(SpawnerEdit::typedCount(3.7f), {&a}, false, flags);
    EXPECT_EQ(a.nbMaxEnemy, 3);
    applySpawnerEdit(SpawnerEdit::typedPattern(pattern_id::WALL), {&a}, false, flags);
    EXPECT_EQ(a.patternId, pattern_id::WALL);

    // Values no record can hold are refused or held at the ends of int.
    applySpawnerEdit(SpawnerEdit::typed(SpawnerEdit::ANGLE, NAN), {&a}, false, flags);
    applySpawnerEdit(SpawnerEdit::typed(SpawnerEdit::POS_Y, INFINITY), {&a}, false, flags);
    EXPECT_EQ(a.direction, directionToCentre(100.f, 200.f));
    EXPECT_EQ(a.posY, 200.f);
    applySpawnerEdit(SpawnerEdit::typedCount(1e20f), {&a}, false, flags);
    EXPECT_EQ(a.nbMaxEnemy, INT_MAX);
    a.nbMaxEnemy = 3;
    applySpawnerEdit(SpawnerEdit::typedCount(2147483648.f), {&a}, false, flags); // the first float past an int
    EXPECT_EQ(a.nbMaxEnemy, INT_MAX);
    applySpawnerEdit(SpawnerEdit::typedCount(NAN), {&a}, false, flags);
    EXPECT_EQ(a.nbMaxEnemy, INT_MAX);
    applySpawnerEdit(SpawnerEdit::button(SpawnerEdit::ANGLE, 22.5f), {}, true, flags);
}
