#include "editor/LevelEditor.h"

#include "editor/ImGuiSfml.h"
#include "editor/TmxImport.h"
#include "enemies/EnemyManager.h"
#include "enemies/Spawner.h"
#include "engine/SceneChange.h"
#include "engine/Scenes.h"
#include "play/BulletManager.h"
#include "play/SpriteLoading.h"

#include <imgui.h>
#include <iostream>

namespace {

const char* const ICON_FOLDER = "2D/Editor/Spawner Images(x30)/";
const char* const GRID_HORIZONTAL = "2D/Editor/Grid_Right_Left.png";
const char* const GRID_VERTICAL = "2D/Editor/Grid_Up_Down.png";
const sf::Color SELECTED_ICON_TINT(255, 0, 0, 150);

// Where the grid strips of each scroll direction go: from `first`, one strip per
// `step` pixels while the position has not reached `end`; 401 strips each.
struct GridRun {
    float first, step, end;
};
const GridRun GRID_RUNS[SCROLL_DIRECTION_COUNT] = {
    {1050.f, -30.f, -10980.f}, // UP
    {0.f, 30.f, 12030.f},      // DOWN
    {1890.f, -30.f, -10140.f}, // LEFT
    {0.f, 30.f, 12030.f},      // RIGHT
};

} // namespace

LevelEditor::LevelEditor(sf::RenderWindow& gameWindow, TextureCache& textures, const std::string& levelFolder)
    : edited(levelFolder), catalogue(levelFolder), window_(&gameWindow)
{
    trajectoryTexture_.create(1920, 1080, sf::ContextSettings(0, 0, 0, 1, 1));
    ImGui::SFML::Init(*window_, sf::Vector2f(window_->getSize()));
    for (int i = 0; i < PATTERN_ID_COUNT; ++i)
        loadSprite(textures, patternIcons_[i], std::string(ICON_FOLDER) + patternName(i) + ".png", true);
    iconColours_.assign(PATTERN_ID_COUNT, sf::Color::White);
    loadSequence(1, 1);
    loadSprite(textures, gridHorizontal_, GRID_HORIZONTAL, false);
    loadSprite(textures, gridVertical_, GRID_VERTICAL, false);
    gridHorizontal_.setPosition(0.f, 0.f);
    gridVertical_.setPosition(0.f, 0.f);
}

LevelEditor::~LevelEditor()
{
    placementPattern_ = -1;
    checkBoxes.createCustomLevel = false;
    iconColours_.clear();
    if (!saveSequence())
        std::cerr << "Orbyndel: the editor closes without saving " << edited.fileName()
                  << "; its spawners follow, to be saved by hand:\n"
                  << edited.text() << std::flush;
    if (window_)
        (void)window_->setActive(true);
    ImGui::SFML::Shutdown();
}

void LevelEditor::processEvent(const sf::Event& event)
{
    ImGui::SFML::ProcessEvent(event);
    if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Delete &&
        ImGui::SFML::isKeyForGame(sf::Keyboard::Delete) && !edited.selection.empty())
        confirmDeleteSpawners_ = true;
}

bool LevelEditor::editorKeyHeld(sf::Keyboard::Key key)
{
    return input::isKeyPressed(key) && ImGui::SFML::isKeyForGame(key);
}

TimelineKeys LevelEditor::heldKeys() const
{
    TimelineKeys keys;
    keys.left = editorKeyHeld(sf::Keyboard::Left);
    keys.right = editorKeyHeld(sf::Keyboard::Right);
    keys.up = editorKeyHeld(sf::Keyboard::Up);
    keys.down = editorKeyHeld(sf::Keyboard::Down);
    // The snapping modifiers go with the mouse, which the GUI does not hold here.
    keys.control = input::isKeyPressed(sf::Keyboard::LControl);
    keys.shift = input::isKeyPressed(sf::Keyboard::LShift);
    return keys;
}

void LevelEditor::updateTimeline(float dt, int gameSequence)
{
    if (playing_) {
        timeline.time += dt;
        if (gameSequence != lastGameSequence_) {
            lastGameSequence_ = gameSequence;
            timeline.time = 0.f;
            int level = 0, sequence = 0;
            if (catalogue.locate(gameSequence, level, sequence))
                switchSequence(level, sequence);
        }
    }
    timeline.update(edited.scrollDirection, heldKeys());
}

void LevelEditor::updateCursor(sf::Vector2i mouse)
{
    const TimelineKeys keys = heldKeys();
    const sf::Vector2f position(static_cast<float>(mouse.x), static_cast<float>(mouse.y));
    if (placementPattern_ < 0) {
        timeline.cursor = position;
    } else {
        timeline.cursor = snapToGrid(position, keys.control, keys.shift);
        cursorIcon_.setPosition(timeline.cursor);
    }
    if (editorKeyHeld(sf::Keyboard::B) && placementPattern_ >= 0) {
        if (placementPattern_ < static_cast<int>(iconColours_.size()))
            iconColours_[placementPattern_] = sf::Color::White;
        placementPattern_ = -1;
    }
}

void LevelEditor::handleClick(sf::Mouse::Button button)
{
    if (guiWantsMouse_)
        return;
    if (button == sf::Mouse::Left) {
        if (placementPattern_ >= 0)
            placeNewSpawner();
        else if (!edited.selection.empty() && timeline.cursorOverSelection(edited))
            dragging_ = true;
    } else if (button == sf::Mouse::Right) {
        timeline.selectUnderCursor(edited, input::isKeyPressed(sf::Keyboard::LControl));
    }
}

bool LevelEditor::switchSequence(int level, int sequence)
{
    if (!saveSequence())
        return false;
    loadSequence(level, sequence);
    return true;
}

void LevelEditor::placeNewSpawner()
{
    if (placementPattern_ < 0)
        return;
    edited.addPlacedSpawner(timeline.newSpawner(placementPattern_, edited.scrollDirection));
}

void LevelEditor::dragSpawners()
{
    if (!dragging_)
        return;
    if (!ImGui::SFML::isMouseButtonHeld(sf::Mouse::Left))
        dragging_ = false; // the last step below still runs
    const TimelineKeys keys = heldKeys();
    timeline.dragSelection(edited, keys.control, keys.shift);
}

void LevelEditor::choosePlacementPattern(int pattern)
{
    if (pattern < 0 || pattern >= PATTERN_ID_COUNT || iconColours_.size() < PATTERN_ID_COUNT)
        return;
    if (pattern == placementPattern_) {
        iconColours_[pattern] = sf::Color::White;
        placementPattern_ = -1;
        return;
    }
    if (placementPattern_ >= 0)
        iconColours_[placementPattern_] = sf::Color::White;
    iconColours_[pattern] = sf::Color::Red;
    placementPattern_ = pattern;
    if (const sf::Texture* texture = patternIcons_[pattern].getTexture())
        cursorIcon_.setTexture(*texture);
}

void LevelEditor::importTmx()
{
    const std::string path = edited.fileName();
    const std::string tmxPath = path.substr(0, path.size() - std::string(".txt").size()) + ".tmx";
    TmxImportResult result = importTmxFile(tmxPath, edited.scrollDirection);
    tmxMessage_ = describeTmxImport(result, tmxPath);
    if (result.status != TmxImportResult::Status::Imported)
        return; // the edited sequence stays as it was
    edited.replaceRecords(std::move(result.records));
    if (!saveSequence())
        tmxMessage_ += " (the sequence file could not be written)";
}

void LevelEditor::drawGrid()
{
    if (!window_)
        return;
    // The collected trajectories lie under the play objects, like the grid.
    if (checkBoxes.displayTrajectory)
        window_->draw(sf::Sprite(trajectoryTexture_.getTexture()));
    if (!checkBoxes.showGrid)
        return;
    const int d = edited.scrollDirection >= 0 && edited.scrollDirection < SCROLL_DIRECTION_COUNT
                      ? edited.scrollDirection
                      : scroll_direction::UP;
    const bool vertical = d == scroll_direction::UP || d == scroll_direction::DOWN;
    sf::Sprite& strip = vertical ? gridVertical_ : gridHorizontal_;
    const GridRun& run = GRID_RUNS[d];
    const sf::Vector2f view = timeline.view;
    for (float k = run.first; run.step > 0.f ? k < run.end : k > run.end; k += run.step) {
        if (vertical)
            strip.setPosition(view.x, k + view.y);
        else
            strip.setPosition(k + view.x, view.y - 240.f);
        window_->draw(strip);
    }
}

void LevelEditor::draw()
{
    if (!window_)
        return;
    if (placementPattern_ >= 0)
        window_->draw(cursorIcon_);
    if (checkBoxes.showSpawners) {
        for (int i = 0; i < static_cast<int>(edited.records.size()); ++i) {
            const SpawnerRecord& r = edited.records[i];
            if (r.patternId < 0 || r.patternId >= PATTERN_ID_COUNT)
                continue;
            sf::Sprite& icon = patternIcons_[r.patternId];
            icon.setPosition(timeline.iconCentre(r, edited.scrollDirection));
            icon.setColor(edited.findSelected(i) >= 0 ? SELECTED_ICON_TINT : sf::Color::White);
            window_->draw(icon);
        }
    }
    ImGui::SFML::Render(*window_);
}

void LevelEditor::clearPlay(const PlayField& field)
{
    field.spawner.clear();
    field.enemies.enemies.clear();
    field.patterns.clear();
}

void LevelEditor::refreshSpawnerIndex(Spawner& spawner) const
{
    spawner.sequenceCounts = catalogue.sequenceCounts;
    spawner.levelCount = catalogue.nbLevels();
    spawner.totalSequences = 0;
    spawner.sequenceNames.clear();
    for (int level = 1; level <= catalogue.nbLevels(); ++level) {
        spawner.totalSequences += catalogue.sequenceCounts[level - 1];
        for (int s = 1; s <= catalogue.sequenceCounts[level - 1]; ++s)
            spawner.sequenceNames.push_back(catalogue.sequenceFileName(level, s));
    }
}

void LevelEditor::play(const PlayField& field)
{
    saveSequence();
    clearPlay(field);
    refreshSpawnerIndex(field.spawner);
    const int index = field.spawner.getSequenceIndex(edited.level, edited.sequence);
    const int behind = scene::sceneOfEditorSequence(index);
    if (behind >= 0)
        changeScene(behind, timeline.time);
    field.spawner.loadSequenceFrom(index, timeline.time, field.turnToScrollDirection);
    playing_ = true;
    lastGameSequence_ = field.spawner.currentSequence;
}

void LevelEditor::stop(const PlayField& field)
{
    playing_ = false;
    clearPlay(field);
}

void LevelEditor::playSelected(const PlayField& field)
{
    if (edited.selection.empty())
        return;
    saveSequence();
    clearPlay(field);
    refreshSpawnerIndex(field.spawner);
    edited.sortSelection();
    field.spawner.loadSelectedSpawners(field.spawner.getSequenceIndex(edited.level, edited.sequence), edited.selection, false,
                                 field.turnToScrollDirection);
}

void LevelEditor::previewTrajectory(const PlayField& field, bool untilBulletsGone)
{
    const std::vector<sf::Vector2f> centre{{960.f, 540.f}};
    const int stepLimit = static_cast<int>(PREVIEW_LIMIT_SECONDS / PREVIEW_STEP);
    saveSequence();
    refreshSpawnerIndex(field.spawner);
    edited.sortSelection();
    field.spawner.loadSelectedSpawners(field.spawner.getSequenceIndex(edited.level, edited.sequence), edited.selection, true,
                                 field.turnToScrollDirection);
    for (int step = 0; !field.spawner.pending.empty() && step < stepLimit; ++step)
        field.spawner.update(PREVIEW_STEP, field.patterns);
    for (int step = 0; !field.patterns.empty() && step < stepLimit; ++step)
        updateSpawnPatterns(field.patterns, PREVIEW_STEP, field.enemies, centre);
    const auto running = [&]() {
        return !field.enemies.enemies.empty() || (untilBulletsGone && field.enemies.enemyBullets && !field.enemies.enemyBullets->bullets.empty());
    };
    for (int step = 0; running() && step < stepLimit; ++step) {
        field.enemies.drawEditor(trajectoryTexture_);
        field.enemies.update(PREVIEW_STEP, centre);
    }
    trajectoryTexture_.display();
}

void LevelEditor::clearTrajectory() { trajectoryTexture_.clear(sf::Color::Transparent); }

sf::Color LevelEditor::iconColour(int pattern) const
{
    return pattern >= 0 && pattern < static_cast<int>(iconColours_.size()) ? iconColours_[pattern] : sf::Color::White;
}

int LevelEditor::clampPage(int page, int recordCount)
{
    const unsigned long long shown = static_cast<unsigned long long>(static_cast<unsigned>(page)) * PAGE_SIZE;
    if (shown > static_cast<unsigned long long>(recordCount) && recordCount % PAGE_SIZE != 0)
        return recordCount / PAGE_SIZE + 1;
    return page;
}
