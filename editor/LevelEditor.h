#pragma once
// The level editor that the gameplay state carries in editor mode: it edits one
// sequence at a time on a timeline drawn over the play field, through Dear ImGui
// windows for levels, sequences and spawners, and plays a sequence or the
// selected spawners through the game's own spawner, patterns and enemies.
#include "editor/EditedSequence.h"
#include "editor/LevelCatalogue.h"
#include "editor/PlayField.h"
#include "editor/SpawnerEdit.h"
#include "editor/Timeline.h"
#include "enemies/SpawnPattern.h"
#include "platform/Input.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Mouse.hpp>
#include <array>
#include <list>
#include <string>
#include <vector>

class EnemyManager;
class Spawner;

class LevelEditor {
public:
    static constexpr float AUTOSAVE_SECONDS = 1.f;
    static constexpr int PAGE_SIZE = 50;
    static constexpr float ICON_SIZE = 30.f;
    static constexpr float PREVIEW_STEP = 1.f / 60.f;
    // The trajectory preview stops after this much simulated time per phase, so
    // that enemies that never leave the field cannot hold the frame forever.
    static constexpr float PREVIEW_LIMIT_SECONDS = 60.f;

    // Needs the game window (the GUI draws into it) and a display.
    LevelEditor(sf::RenderWindow& window, const std::string& levelFolder);
    ~LevelEditor();
    LevelEditor(const LevelEditor&) = delete;
    LevelEditor& operator=(const LevelEditor&) = delete;

    // ---- per frame, from the gameplay state ----
    void processEvent(const sf::Event& event);
    void updateGui(const PlayField& field);
    void updateTimeline(float dt, int gameSequence);
    void updateCursor(sf::Vector2i mouse);
    void handleClick(sf::Mouse::Button button);
    void drawGrid();
    void draw();

    // ---- the edited sequence ----
    void loadSequence(int level, int sequence) { edited.loadSequence(level, sequence); }
    bool saveSequence() { return edited.saveSequence(); }
    // Saves the edited sequence and edits another; false (still editing the same
    // one, its spawners kept) when the save failed.
    bool switchSequence(int level, int sequence);
    void placeNewSpawner();
    void dragSpawners();

    // ---- the windows ----
    void levelWindow(const PlayField& field);
    void deleteConfirmWindow();
    void levelEditorWindow(const PlayField& field);
    void scrollTmxPanel();
    void spawnerEditorWindow();
    void multiSpawnerEditorWindow();
    void deleteSpawnersWindow();
    void spawnerTypeSelectorWindow();

    // Imports the tile map of the edited sequence; the message says what happened.
    void importTmx();
    // Chooses the pattern placed by a left click; choosing it again stops placing.
    void choosePlacementPattern(int pattern);
    // Deletes sequence `deleteSequence` of level `deleteLevel` (both 0-based) and
    // renumbers the files after it, then edits level 1 sequence 1. A failure is
    // shown in the "Level" window; when nothing was removed the edited sequence stays.
    void confirmSequenceDeletion();
    // Plays the edited sequence from `time`.
    void play(const PlayField& field);
    void stop(const PlayField& field);
    // Plays the selected spawners, the first at once.
    void playSelected(const PlayField& field);
    // Runs the selected spawners to their end at a fixed step, drawing every
    // enemy of every step into the trajectory texture.
    void previewTrajectory(const PlayField& field, bool untilBulletsGone);
    // Lowers an out-of-range list page to the last page that has records.
    static int clampPage(int page, int recordCount);

    sf::RenderWindow* window;
    EditedSequence edited;
    LevelCatalogue catalogue;
    Timeline timeline;
    sf::RenderTexture trajectoryTexture;

    ApplyFlags applyFlags{}; // the multiple editor's apply check boxes
    timing::Clock autosaveClock;
    timing::Clock guiClock;
    int deleteLevel = 0, deleteSequence = 0; // 0-based
    std::array<sf::Sprite, PATTERN_ID_COUNT> patternIcons;
    std::vector<sf::Color> iconColours;
    sf::Sprite cursorIcon;
    sf::Sprite gridHorizontal, gridVertical;
    int lastGameSequence = -1;
    int page = 1;
    int placementPattern = -1;
    bool playing = false;
    bool displayTrajectory = false;
    bool confirmDeleteSequence = false;
    bool confirmDeleteSpawners = false;
    bool showDemo = false;
    bool hideHud = false;
    bool showSpawners = false;
    bool showGrid = false;
    bool createCustomLevel = false;
    bool guiWantsMouse = false;
    bool customPreset = false;
    bool dragging = false;
    std::string tmxMessage;
    std::string catalogueMessage; // why the last sequence or level operation failed

private:
    void clearPlay(const PlayField& field);
    // The spawner learns the levels and sequences the editor created or deleted.
    void refreshSpawnerIndex(Spawner& spawner) const;
    void spawnerList(const PlayField& field);
    // What went wrong with the sequence file, shown until it is put right.
    void sequenceFileWindow() const;
    // Shown in the "Level" window and said on the error stream.
    void tellCatalogueFailure(std::string message);
    // Saves the edited sequence and edits the one just created (0: creating
    // `what` failed, which the "Level" window then says).
    void editCreatedSequence(int level, int sequence, const std::string& what);
    void spawnerEditorRows(bool multiple);
    TimelineKeys heldKeys() const;
    // A key of the editor's own (select-all, delete, cancel placement, arrows)
    // held now and not taken by the GUI.
    static bool editorKeyHeld(sf::Keyboard::Key key);
};
