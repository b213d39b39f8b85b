// The spawner editors (one selected record, or several) and the deletion of the
// selected spawners.
#include "editor/LevelEditor.h"

#include <cstdio>
#include <imgui.h>

namespace {

const float X_PRESETS[] = {140.f, 600.f, 960.f, 1320.f, 1780.f};
const char* const X_PRESET_LABELS[] = {"LeftX", "MidLeftX", "MidX", "MidRightX", "RightX"};
const float Y_PRESETS[] = {-100.f, 270.f, 540.f, 810.f, 1180.f};
const char* const Y_PRESET_LABELS[] = {"TopY", "TopMidY", "MidY", "BottomMidY", "BottomY"};
constexpr int PRESET_BUTTONS = 5;
constexpr int ANGLE_BUTTONS = 16;
constexpr float ANGLE_STEP = 22.5f;

const char* const* patternNames()
{
    static const char* names[PATTERN_ID_COUNT];
    for (int i = 0; i < PATTERN_ID_COUNT; ++i)
        names[i] = patternName(i);
    return names;
}

void floatRow(const char* label, float shown, float step, SpawnerEdit::Field field, SpawnerEdit& edit)
{
    float value = shown;
    if (ImGui::InputFloat(label, &value, step, 1.f, "%.2f"))
        edit = SpawnerEdit::typed(field, value);
}

void presetRow(const char* const* labels, const float* values, SpawnerEdit::Field field, SpawnerEdit& edit)
{
    for (int i = 0; i < PRESET_BUTTONS; ++i) {
        if (i > 0)
            ImGui::SameLine();
        if (ImGui::Button(labels[i]))
            edit = SpawnerEdit::button(field, values[i]);
    }
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
    const std::vector<SpawnerRecord*> selected = edited.selectedRecords();
    if (selected.empty())
        return;
    const SpawnerRecord shown = *selected.front();
    SpawnerEdit edit;
    char label[32];

    floatRow("PosX", shown.posX, 0.1f, SpawnerEdit::POS_X, edit);
    applyCheckBox(multiple, "posX", applyFlags_[APPLY_POS_X]);
    presetRow(X_PRESET_LABELS, X_PRESETS, SpawnerEdit::POS_X, edit);
    floatRow("PosY", shown.posY, 0.1f, SpawnerEdit::POS_Y, edit);
    applyCheckBox(multiple, "posY", applyFlags_[APPLY_POS_Y]);
    presetRow(Y_PRESET_LABELS, Y_PRESETS, SpawnerEdit::POS_Y, edit);
    floatRow("Delay", shown.delayTimer, 0.01f, SpawnerEdit::DELAY, edit);
    applyCheckBox(multiple, "delay", applyFlags_[APPLY_DELAY]);
    floatRow("Spawn Timer", shown.spawnTimer, 0.01f, SpawnerEdit::SPAWN_TIMER, edit);
    applyCheckBox(multiple, "ST", applyFlags_[APPLY_SPAWN_TIMER]);
    floatRow("Angle", shown.direction, 0.01f, SpawnerEdit::ANGLE, edit);
    applyCheckBox(multiple, "angle", applyFlags_[APPLY_ANGLE]);
    for (int k = 0; k < ANGLE_BUTTONS; ++k) {
        const float angle = k * ANGLE_STEP;
        if (k != 0 && k != ANGLE_BUTTONS / 2)
            ImGui::SameLine();
        std::snprintf(label, sizeof label, "%.2f", angle);
        if (ImGui::Button(label))
            edit = SpawnerEdit::button(SpawnerEdit::ANGLE, angle);
        if (k == ANGLE_BUTTONS / 2 - 1) {
            ImGui::SameLine();
            if (ImGui::Button("TargetMid"))
                edit = SpawnerEdit::button(SpawnerEdit::TARGET_MID);
        }
    }
    float count = static_cast<float>(shown.nbMaxEnemy);
    if (ImGui::InputFloat("NBMax Enemy", &count, 1.f, 1.f, "%.0f"))
        edit = SpawnerEdit::typedCount(count);
    applyCheckBox(multiple, "nbMaxEnemy", applyFlags_[APPLY_COUNT]);
    int pattern = shown.patternId;
    if (ImGui::Combo("Pattern ID", &pattern, patternNames(), PATTERN_ID_COUNT))
        edit = SpawnerEdit::typedPattern(pattern);
    applyCheckBox(multiple, "patternId", applyFlags_[APPLY_PATTERN]);

    applySpawnerEdit(edit, selected, multiple, applyFlags_);
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
    if (!confirmDeleteSpawners_)
        return;
    edited.sortSelection();
    ImGui::SetNextWindowPos(ImVec2(800.f, 480.f), ImGuiCond_FirstUseEver);
    ImGui::Begin("Spawner Delete");
    ImGui::Text("Are you sure you want to \ndelete all the selected spawners?");
    if (ImGui::Button("Yes")) {
        edited.deleteSelected();
        confirmDeleteSpawners_ = false;
    }
    ImGui::SameLine();
    if (ImGui::Button("No"))
        confirmDeleteSpawners_ = false;
    ImGui::End();
}
