// The spawner editors (one selected record, or several) and the deletion of the
// selected spawners.
#include "editor/LevelEditor.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <imgui.h>

namespace {

enum ApplyFlag { APPLY_POS_X, APPLY_POS_Y, APPLY_DELAY, APPLY_SPAWN_TIMER, APPLY_ANGLE, APPLY_COUNT, APPLY_PATTERN };

const float X_PRESETS[] = {140.f, 600.f, 960.f, 1320.f, 1780.f};
const char* const X_PRESET_LABELS[] = {"LeftX", "MidLeftX", "MidX", "MidRightX", "RightX"};
const float Y_PRESETS[] = {-100.f, 270.f, 540.f, 810.f, 1180.f};
const char* const Y_PRESET_LABELS[] = {"TopY", "TopMidY", "MidY", "BottomMidY", "BottomY"};
constexpr int ANGLE_BUTTONS = 16;
constexpr float ANGLE_STEP = 22.5f;

// A spawner count typed as a float, truncated; values an int cannot hold are held at its ends.
int countFromFloat(float v)
{
    if (v >= static_cast<float>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<float>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(v);
}

const char* const* patternNames()
{
    static const char* names[PATTERN_ID_COUNT];
    for (int i = 0; i < PATTERN_ID_COUNT; ++i)
        names[i] = patternName(i);
    return names;
}

// One edit that the rows produce: which field and the value to write, to the
// shown record (single editor) or to every selected record.
struct Edit {
    enum Field { NONE, POS_X, POS_Y, DELAY, SPAWN_TIMER, ANGLE, COUNT, PATTERN, TARGET_MID } field = NONE;
    float value = 0.f;
    int integer = 0;
    bool fromInput = false; // typed into a field (the multiple editor then needs its check box)
    int flag = -1;
};

void apply(const Edit& e, SpawnerRecord& r)
{
    switch (e.field) {
    case Edit::POS_X: r.posX = e.value; break;
    case Edit::POS_Y: r.posY = e.value; break;
    case Edit::DELAY: r.delayTimer = e.value; break;
    case Edit::SPAWN_TIMER: r.spawnTimer = e.value; break;
    case Edit::ANGLE: r.direction = e.value; break;
    case Edit::COUNT: r.nbMaxEnemy = e.integer; break;
    case Edit::PATTERN: r.patternId = e.integer; break;
    case Edit::TARGET_MID: r.direction = directionToCentre(r.posX, r.posY); break;
    case Edit::NONE: break;
    }
}

// A float input; a change that is a finite number becomes an edit.
void floatRow(const char* label, float shown, float step, Edit::Field field, int flag, Edit& edit)
{
    float value = shown;
    if (ImGui::InputFloat(label, &value, step, 1.f, "%.2f") && std::isfinite(value))
        edit = Edit{field, value, 0, true, flag};
}

void applyCheckBox(bool multiple, const char* label, bool& flag)
{
    if (!multiple)
        return;
    ImGui::SameLine();
    ImGui::Checkbox(label, &flag);
}

} // namespace

void LevelEditor::spawnerEditorRows(bool multiple)
{
    std::vector<SpawnerRecord*> selected = edited.selectedRecords();
    if (selected.empty())
        return;
    const SpawnerRecord shown = *selected.front();
    Edit edit;
    char label[32];

    floatRow("PosX", shown.posX, 0.1f, Edit::POS_X, APPLY_POS_X, edit);
    applyCheckBox(multiple, "posX", applyFlags[APPLY_POS_X]);
    for (int i = 0; i < 5; ++i) {
        if (i > 0)
            ImGui::SameLine();
        if (ImGui::Button(X_PRESET_LABELS[i]))
            edit = Edit{Edit::POS_X, X_PRESETS[i]};
    }
    floatRow("PosY", shown.posY, 0.1f, Edit::POS_Y, APPLY_POS_Y, edit);
    applyCheckBox(multiple, "posY", applyFlags[APPLY_POS_Y]);
    for (int i = 0; i < 5; ++i) {
        if (i > 0)
            ImGui::SameLine();
        if (ImGui::Button(Y_PRESET_LABELS[i]))
            edit = Edit{Edit::POS_Y, Y_PRESETS[i]};
    }
    floatRow("Delay", shown.delayTimer, 0.01f, Edit::DELAY, APPLY_DELAY, edit);
    applyCheckBox(multiple, "delay", applyFlags[APPLY_DELAY]);
    floatRow("Spawn Timer", shown.spawnTimer, 0.01f, Edit::SPAWN_TIMER, APPLY_SPAWN_TIMER, edit);
    applyCheckBox(multiple, "ST", applyFlags[APPLY_SPAWN_TIMER]);
    floatRow("Angle", shown.direction, 0.01f, Edit::ANGLE, APPLY_ANGLE, edit);
    applyCheckBox(multiple, "angle", applyFlags[APPLY_ANGLE]);
    for (int k = 0; k < ANGLE_BUTTONS; ++k) {
        const float angle = k * ANGLE_STEP;
        if (k != 0 && k != ANGLE_BUTTONS / 2)
            ImGui::SameLine();
        std::snprintf(label, sizeof label, "%.2f", angle);
        if (ImGui::Button(label))
            edit = Edit{Edit::ANGLE, angle};
        if (k == ANGLE_BUTTONS / 2 - 1) {
            ImGui::SameLine();
            if (ImGui::Button("TargetMid"))
                edit = Edit{Edit::TARGET_MID};
        }
    }
    float count = static_cast<float>(shown.nbMaxEnemy);
    if (ImGui::InputFloat("NBMax Enemy", &count, 1.f, 1.f, "%.0f") && !std::isnan(count))
        edit = Edit{Edit::COUNT, 0.f, countFromFloat(count), true, APPLY_COUNT};
    applyCheckBox(multiple, "nbMaxEnemy", applyFlags[APPLY_COUNT]);
    int pattern = shown.patternId;
    if (ImGui::Combo("Pattern ID", &pattern, patternNames(), PATTERN_ID_COUNT))
        edit = Edit{Edit::PATTERN, 0.f, pattern, true, APPLY_PATTERN};
    applyCheckBox(multiple, "patternId", applyFlags[APPLY_PATTERN]);

    if (edit.field == Edit::NONE)
        return;
    if (!multiple) {
        apply(edit, *selected.front());
        return;
    }
    if (edit.fromInput && !applyFlags[edit.flag])
        return; // a typed value reaches the selection only through its check box
    for (SpawnerRecord* r : selected)
        apply(edit, *r);
}

void LevelEditor::spawnerEditorWindow()
{
    if (edited.selection.size() != 1)
        return;
    ImGui::SetNextWindowPos(ImVec2(360.f, 10.f), ImGuiCond_FirstUseEver);
    ImGui::Begin("Spawner Editor");
    spawnerEditorRows(false);
    ImGui::End();
}

void LevelEditor::multiSpawnerEditorWindow()
{
    if (edited.selection.size() < 2)
        return;
    ImGui::SetNextWindowPos(ImVec2(360.f, 10.f), ImGuiCond_FirstUseEver);
    ImGui::Begin("Spawner Editor");
    spawnerEditorRows(true);
    ImGui::End();
}

void LevelEditor::deleteSpawnersWindow()
{
    if (!confirmDeleteSpawners)
        return;
    std::sort(edited.selection.begin(), edited.selection.end());
    ImGui::SetNextWindowPos(ImVec2(800.f, 480.f), ImGuiCond_FirstUseEver);
    ImGui::Begin("Spawner Delete");
    ImGui::Text("Are you sure you want to \ndelete all the selected spawners?");
    if (ImGui::Button("Yes")) {
        edited.deleteSelected();
        confirmDeleteSpawners = false;
    }
    ImGui::SameLine();
    if (ImGui::Button("No"))
        confirmDeleteSpawners = false;
    ImGui::End();
}
