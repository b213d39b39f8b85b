#pragma once
// One change made in the spawner editors, and how it reaches the selected
// records: the single editor changes its record; the multiple editor writes a
// typed value only where its apply check box is set, and preset buttons always.
#include "editor/SpawnerRecord.h"

#include <array>
#include <vector>

// The apply check boxes of the multiple-spawner editor.
enum ApplyFlag { APPLY_POS_X, APPLY_POS_Y, APPLY_DELAY, APPLY_SPAWN_TIMER, APPLY_ANGLE, APPLY_COUNT, APPLY_PATTERN,
                 APPLY_FLAG_COUNT };
using ApplyFlags = std::array<bool, APPLY_FLAG_COUNT>;

struct SpawnerEdit {
    enum Field { NONE, POS_X, POS_Y, DELAY, SPAWN_TIMER, ANGLE, COUNT, PATTERN, TARGET_MID };

    // A value typed into a float field (ignored when it is not a finite number).
    static SpawnerEdit typed(Field field, float value);
    // "NBMax Enemy" takes the typed float truncated to an integer.
    static SpawnerEdit typedCount(float value);
    static SpawnerEdit typedPattern(int pattern);
    // A preset, angle or "TargetMid" button.
    static SpawnerEdit button(Field field, float value = 0.f);

    Field field = NONE;
    float value = 0.f;
    int integer = 0;
    bool typedIn = false; // typed into a field: the multiple editor then needs its check box
};

// Applies an edit to the selected records (the first one alone unless multiple).
void applySpawnerEdit(const SpawnerEdit& edit, const std::vector<SpawnerRecord*>& selected, bool multiple,
                      const ApplyFlags& flags);
