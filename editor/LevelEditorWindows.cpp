// The editor's GUI frame: the "Level" window (time, play, the level and
// sequence tree), the deletion confirmation, the "Level Editor" window (tile-map
// import, play of the selection, trajectory preview, the spawner list) and the
// pattern selector, with the autosave.
#include "editor/ImGuiSfml.h"
#include "editor/LevelEditor.h"
#include "enemies/EnemyManager.h"
#include "enemies/Spawner.h"
#include "platform/Input.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <imgui.h>

namespace {

const char* const DIRECTION_ITEMS[SCROLL_DIRECTION_COUNT] = {"Up", "Down", "Left", "Right"};
constexpr int SELECTOR_ROW = 5;

void placeFirstTime(float x, float y, float w, float h)
{
    ImGui::SetNextWindowPos(ImVec2(x, y), ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize(ImVec2(w, h), ImGuiCond_FirstUseEver);
}

} // namespace

void LevelEditor::updateGui(const PlayField& field)
{
    guiWantsMouse_ = ImGui::GetIO().WantCaptureMouse;
    ImGui::SFML::Update(*window_, guiClock_.restart());

    if (editorKeyHeld(sf::Keyboard::A) && editorKeyHeld(sf::Keyboard::LControl))
        edited.selectAll();

    levelWindow(field);
    sequenceFileWindow();
    if (confirmDeleteSequence_)
        deleteConfirmWindow();
    levelEditorWindow(field);
    multiSpawnerEditorWindow();
    spawnerEditorWindow();
    if (checkBoxes.createCustomLevel)
        spawnerTypeSelectorWindow();
    if (checkBoxes.customPreset) {
        ImGui::Begin("Custom Preset Window");
        ImGui::End();
    }
    dragSpawners();
    deleteSpawnersWindow();

    if (autosaveClock_.getElapsedTime().asSeconds() > AUTOSAVE_SECONDS) {
        saveSequence(); // reads the file back when it was written
        autosaveClock_.restart();
    }
}

void LevelEditor::levelWindow(const PlayField& field)
{
    placeFirstTime(10.f, 10.f, 340.f, 520.f);
    ImGui::Begin("Level");
    float maxTime = 0.f;
    if (!edited.records.empty()) {
        maxTime = edited.records.back().spawnTimer - 1.f;
        if (timeline.time > maxTime)
            timeline.time = maxTime;
        if (timeline.time < 0.f)
            timeline.time = 0.f;
    }
    ImGui::SliderFloat("Time", &timeline.time, 0.f, std::max(maxTime, 0.f), "%.1f");
    if (ImGui::Button("Play"))
        play(field);
    ImGui::SameLine();
    if (ImGui::Button("Stop"))
        stop(field);
    ImGui::SameLine();
    ImGui::Text("Level %d Sequence %d", edited.level, edited.sequence);

    char label[64];
    for (int level = 1; level <= catalogue.nbLevels(); ++level) {
        std::snprintf(label, sizeof label, "Level %d", level);
        if (!ImGui::TreeNode(label))
            continue;
        for (int s = 1; s <= catalogue.sequenceCounts[level - 1]; ++s) {
            std::snprintf(label, sizeof label, "Sequence %d", s);
            if (ImGui::Button(label) && switchSequence(level, s)) {
                timeline.view = {0.f, 0.f};
                page_ = 1;
            }
            ImGui::SameLine();
            std::snprintf(label, sizeof label, "Delete Sequence %d", s);
            if (ImGui::Button(label)) {
                confirmDeleteSequence_ = true;
                deleteLevel_ = level - 1;
                deleteSequence_ = s - 1;
            }
        }
        if (ImGui::Button("New Sequence"))
            editCreatedSequence(level, catalogue.newSequence(level), "a sequence in level " + std::to_string(level));
        ImGui::TreePop();
    }
    if (ImGui::Button("New Level")) {
        const int created = catalogue.newLevel();
        editCreatedSequence(created, created > 0 ? 1 : 0, "a level");
    }
    if (!catalogueMessage_.empty())
        ImGui::TextWrapped("%s", catalogueMessage_.c_str());
    ImGui::Checkbox("Show Grid", &checkBoxes.showGrid);
    ImGui::Checkbox("Show Spawner", &checkBoxes.showSpawners);
    ImGui::Checkbox("Hide Hud", &checkBoxes.hideHud);
    ImGui::Checkbox("Demo", &checkBoxes.showDemo);
    ImGui::End();
    if (checkBoxes.showDemo)
        ImGui::ShowDemoWindow(&checkBoxes.showDemo);
}

void LevelEditor::editCreatedSequence(int level, int sequence, const std::string& what)
{
    if (sequence <= 0) {
        tellCatalogueFailure("Could not create " + what + " (" + catalogue.folder + " is full or cannot be written)");
        return;
    }
    catalogueMessage_.clear();
    if (switchSequence(level, sequence))
        page_ = 1;
}

void LevelEditor::tellCatalogueFailure(std::string message)
{
    std::cerr << "Orbyndel: " << message << std::endl;
    catalogueMessage_ = std::move(message);
}

// A window of its own, so that nothing moves under the mouse when it comes and goes.
void LevelEditor::sequenceFileWindow() const
{
    if (edited.saveProblem().empty() && edited.keptNote().empty())
        return;
    const std::pair<const std::string*, ImVec4> messages[] = {
        {&edited.saveProblem(), ImVec4(1.f, 0.35f, 0.3f, 1.f)},
        {&edited.keptNote(), ImVec4(1.f, 0.8f, 0.3f, 1.f)},
    };
    ImGui::SetNextWindowPos(ImVec2(360.f, 10.f), ImGuiCond_FirstUseEver);
    ImGui::Begin("Sequence File", nullptr, ImGuiWindowFlags_AlwaysAutoResize);
    ImGui::PushTextWrapPos(ImGui::GetCursorPosX() + 640.f);
    for (const auto& [text, colour] : messages) {
        if (text->empty())
            continue;
        ImGui::PushStyleColor(ImGuiCol_Text, colour);
        ImGui::TextUnformatted(text->c_str());
        ImGui::PopStyleColor();
    }
    ImGui::PopTextWrapPos();
    ImGui::End();
}

void LevelEditor::deleteConfirmWindow()
{
    placeFirstTime(800.f, 480.f, 280.f, 110.f);
    ImGui::Begin("Delete Confirm");
    ImGui::Text("Are you sure you want \nto delete the sequence ?");
    if (ImGui::Button("Yes"))
        confirmSequenceDeletion();
    if (ImGui::Button("No"))
        confirmDeleteSequence_ = false;
    ImGui::End();
}

void LevelEditor::confirmSequenceDeletion()
{
    confirmDeleteSequence_ = false;
    const std::string what = "Could not delete sequence " + std::to_string(deleteSequence_ + 1) + " of level " +
                             std::to_string(deleteLevel_ + 1);
    // The files after the deleted one are renumbered and level 1 sequence 1 is edited
    // next: the edited sequence is saved first, or nothing is deleted.
    const bool editingDeleted = edited.level == deleteLevel_ + 1 && edited.sequence == deleteSequence_ + 1;
    if (!editingDeleted && !saveSequence()) {
        tellCatalogueFailure(what + " (the edited sequence could not be saved first)");
        return;
    }
    const std::vector<int> countsBefore = catalogue.sequenceCounts;
    const bool deleted = catalogue.deleteSequence(deleteLevel_, deleteSequence_);
    if (!deleted)
        tellCatalogueFailure(what + " (" + catalogue.folder + " cannot be written)");
    if (!deleted && catalogue.sequenceCounts == countsBefore)
        return; // nothing was removed: the edited sequence is still there
    loadSequence(1, 1);
    page_ = 1;
}

void LevelEditor::levelEditorWindow(const PlayField& field)
{
    placeFirstTime(1500.f, 10.f, 410.f, 760.f);
    ImGui::Begin("Level Editor");
    ImGui::Text("Level %d Sequence %d", edited.level, edited.sequence);
    scrollTmxPanel();
    ImGui::Checkbox("Create Custom Level", &checkBoxes.createCustomLevel);
    ImGui::Checkbox("Custom Preset", &checkBoxes.customPreset);
    if (ImGui::Button("Play"))
        playSelected(field);
    ImGui::SameLine();
    if (ImGui::Button("Stop"))
        clearPlay(field);
    ImGui::SameLine();
    ImGui::Text("Spawn selected enemies");
    if (ImGui::Checkbox("Display Trajectory", &checkBoxes.displayTrajectory)) {
        if (checkBoxes.displayTrajectory) {
            previewTrajectory(field, false);
        } else {
            clearTrajectory();
            trajectoryTexture_.display();
            clearPlay(field);
        }
    }
    if (ImGui::CollapsingHeader("Spawner"))
        spawnerList(field);
    ImGui::End();
}

void LevelEditor::scrollTmxPanel()
{
    ImGui::Combo("Scroll Direction", &edited.scrollDirection, DIRECTION_ITEMS, SCROLL_DIRECTION_COUNT);
    if (ImGui::Button("Load Tmx File"))
        importTmx();
    if (!tmxMessage_.empty())
        ImGui::TextWrapped("%s", tmxMessage_.c_str());
}

void LevelEditor::spawnerList(const PlayField& field)
{
    if (ImGui::Button("New Spawner"))
        edited.appendNewSpawner();
    ImGui::SameLine();
    if (ImGui::Button("Delete selected spawners"))
        confirmDeleteSpawners_ = true;
    ImGui::InputInt("Page", &page_, 1, 1);
    const int n = static_cast<int>(edited.records.size());
    page_ = clampPage(page_, n);
    ImGui::BeginChild("##spawners");
    const long long first = (static_cast<long long>(page_) - 1) * PAGE_SIZE;
    const long long last = std::min(static_cast<long long>(page_) * PAGE_SIZE, static_cast<long long>(n));
    // A preview run from a click saves and reloads the list, so its length is read again each row.
    for (long long row = std::max(first, 0LL);
         first >= 0 && row < last && row < static_cast<long long>(edited.records.size()); ++row) {
        const int i = static_cast<int>(row);
        const SpawnerRecord& r = edited.records[i];
        const int icon = r.patternId >= 0 && r.patternId < PATTERN_ID_COUNT ? r.patternId : 0;
        ImGui::PushID(i);
        const bool clicked = ImGui::SFML::ImageButton(r.name.c_str(), patternIcons_[icon], {ICON_SIZE, ICON_SIZE},
                                                      sf::Color::Transparent, r.colour);
        ImGui::PopID();
        ImGui::SameLine();
        ImGui::Text("Pos : X: %.2f | Y: %.2f | Dir: %.2f \nST: %.2f| NBEnemy: %d | Delay: %.2f", r.posX, r.posY,
                    r.direction, r.spawnTimer, r.nbMaxEnemy, r.delayTimer);
        if (clicked) {
            edited.clickInList(i, input::isKeyPressed(sf::Keyboard::LControl));
            if (checkBoxes.displayTrajectory) {
                clearTrajectory();
                previewTrajectory(field, true);
            }
        }
    }
    ImGui::EndChild();
}

void LevelEditor::spawnerTypeSelectorWindow()
{
    placeFirstTime(1150.f, 10.f, 240.f, 290.f);
    ImGui::Begin("Spawner Type Selector");
    for (int i = 0; i < PATTERN_ID_COUNT; ++i) {
        if (ImGui::SFML::ImageButton(patternName(i), patternIcons_[i], {ICON_SIZE, ICON_SIZE}, sf::Color::Transparent,
                                     iconColour(i)))
            choosePlacementPattern(i);
        if ((i + 1) % SELECTOR_ROW != 0)
            ImGui::SameLine();
    }
    ImGui::End();
}
