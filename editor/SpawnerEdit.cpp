#include "editor/SpawnerEdit.h"

#include <climits>
#include <cmath>

namespace {

ApplyFlag flagOf(SpawnerEdit::Field field)
{
    switch (field) {
    case SpawnerEdit::POS_X: return APPLY_POS_X;
    case SpawnerEdit::POS_Y: return APPLY_POS_Y;
    case SpawnerEdit::DELAY: return APPLY_DELAY;
    case SpawnerEdit::SPAWN_TIMER: return APPLY_SPAWN_TIMER;
    case SpawnerEdit::ANGLE: return APPLY_ANGLE;
    case SpawnerEdit::COUNT: return APPLY_COUNT;
    default: return APPLY_PATTERN;
    }
}

void apply(const SpawnerEdit& e, SpawnerRecord& r)
{
    switch (e.field) {
    case SpawnerEdit::POS_X: r.posX = e.value; break;
    case SpawnerEdit::POS_Y: r.posY = e.value; break;
    case SpawnerEdit::DELAY: r.delayTimer = e.value; break;
    case SpawnerEdit::SPAWN_TIMER: r.spawnTimer = e.value; break;
    case SpawnerEdit::ANGLE: r.direction = e.value; break;
    case SpawnerEdit::COUNT: r.nbMaxEnemy = e.integer; break;
    case SpawnerEdit::PATTERN: r.patternId = e.integer; break;
    case SpawnerEdit::TARGET_MID: r.direction = directionToCentre(r.posX, r.posY); break;
    case SpawnerEdit::NONE: break;
    }
}

} // namespace

SpawnerEdit SpawnerEdit::typed(Field field, float value)
{
    SpawnerEdit e;
    if (!std::isfinite(value))
        return e;
    e.field = field;
    e.value = value;
    e.typedIn = true;
    return e;
}

SpawnerEdit SpawnerEdit::typedCount(float value)
{
    SpawnerEdit e;
    if (std::isnan(value))
        return e;
    e.field = COUNT;
    // Values an int cannot hold are held at its ends rather than converted out of range.
    e.integer = value >= static_cast<float>(INT_MAX)   ? INT_MAX
                : value <= static_cast<float>(INT_MIN) ? INT_MIN
                                                       : static_cast<int>(value);
    e.typedIn = true;
    return e;
}

SpawnerEdit SpawnerEdit::typedPattern(int pattern)
{
    SpawnerEdit e;
    e.field = PATTERN;
    e.integer = pattern;
    e.typedIn = true;
    return e;
}

SpawnerEdit SpawnerEdit::button(Field field, float value)
{
    SpawnerEdit e;
    e.field = field;
    e.value = value;
    return e;
}

void applySpawnerEdit(const SpawnerEdit& edit, const std::vector<SpawnerRecord*>& selected, bool multiple,
                      const ApplyFlags& flags)
{
    if (edit.field == SpawnerEdit::NONE || selected.empty())
        return;
    if (!multiple) {
        apply(edit, *selected.front());
        return;
    }
    if (edit.typedIn && !flags[flagOf(edit.field)])
        return;
    for (SpawnerRecord* r : selected)
        apply(edit, *r);
}
