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
class TextureCache;

// The check boxes of the editor's windows. Dear ImGui binds them: the GUI sets
// them, the editor and the game read them.
struct EditorCheckBoxes {
    bool showGrid = false;          // "Show Grid": grid strips under the play objects
    bool showSpawners = false;      // "Show Spawner": every spawner's icon on the timeline
    bool hideHud = false;           // "Hide Hud": the game leaves its HUD out
    bool showDemo = false;          // "Demo": Dear ImGui's demo window
    bool createCustomLevel = false; // "Create Custom Level": the pattern selector that places spawners
    bool customPreset = false;      // "Custom Preset": an empty window so far
    bool displayTrajectory = false; // "Display Trajectory": the selected spawners' paths under the field
};

class LevelEditor {
public:
    static constexpr float AUTOSAVE_SECONDS = 1.f;
    static constexpr int PAGE_SIZE = 50;
    static constexpr float ICON_SIZE = 30.f;
    static constexpr float PREVIEW_STEP = 1.f / 60.f;
    // The trajectory preview stops after this much simulated time per phase, so
    // that enemies that never leave the field cannot hold the frame forever.
    static constexpr float PREVIEW_LIMIT_SECONDS = 60.f;

    // Needs the game window (the GUI draws into it) and a display; the icons and
    // the grid come from `textures`.
    LevelEditor(sf::RenderWindow& window, TextureCache& textures, const std::string& levelFolder);
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

    // Imports the tile map of the edited sequence; tmxMessage() says what happened.
    void importTmx();
    // Chooses the pattern placed by a left click; choosing it again stops placing.
    void choosePlacementPattern(int pattern);
    // Plays the edited sequence from the timeline's time.
    void play(const PlayField& field);
    void stop(const PlayField& field);
    // Plays the selected spawners, the first at once.
    void playSelected(const PlayField& field);
    // Runs the selected spawners to their end at a fixed step, drawing every
    // enemy of every step into the trajectory picture.
    void previewTrajectory(const PlayField& field, bool untilBulletsGone);
    // Wipes the trajectory picture to transparent (shown once a preview displays it).
    void clearTrajectory();
    // Lowers an out-of-range list page to the last page that has records.
    static int clampPage(int page, int recordCount);

    // ---- what the game and the tests read ----
    // The game leaves its HUD out ("Hide Hud").
    bool hidesHud() const { return checkBoxes.hideHud; }
    // The paths the last trajectory preview drew, laid under the play objects.
    const sf::Texture& trajectory() const { return trajectoryTexture_.getTexture(); }
    // The icon of a pattern on the timeline and in the lists.
    const sf::Sprite& patternIcon(int pattern) const { return patternIcons_.at(static_cast<size_t>(pattern)); }
    // The tint of a pattern's button in the "Spawner Type Selector": red while a
    // left click places that pattern.
    sf::Color iconColour(int pattern) const;
    // The page of the spawner list shown (1-based).
    int page() const { return page_; }
    // The pattern a left click places, -1 when a click places nothing.
    int placementPattern() const { return placementPattern_; }
    // Whether the edited sequence plays ("Play" of the "Level" window).
    bool isPlaying() const { return playing_; }
    // Whether the "Spawner Delete" window asks to confirm.
    bool confirmingSpawnerDeletion() const { return confirmDeleteSpawners_; }
    // Whether the selected spawners follow the mouse.
    bool isDragging() const { return dragging_; }
    // What the last tile-map import did.
    const std::string& tmxMessage() const { return tmxMessage_; }
    // Why the last sequence or level operation failed ("" when it worked).
    const std::string& catalogueMessage() const { return catalogueMessage_; }

    EditedSequence edited;
    LevelCatalogue catalogue;
    Timeline timeline;
    EditorCheckBoxes checkBoxes;

private:
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

    // Deletes sequence deleteSequence_ of level deleteLevel_ (both 0-based) and
    // renumbers the files after it, then edits level 1 sequence 1. A failure is
    // shown in the "Level" window; when nothing was removed the edited sequence stays.
    void confirmSequenceDeletion();
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

    sf::RenderWindow* window_;
    sf::RenderTexture trajectoryTexture_;

    ApplyFlags applyFlags_{}; // the multiple editor's apply check boxes
    timing::Clock autosaveClock_;
    timing::Clock guiClock_;
    int deleteLevel_ = 0, deleteSequence_ = 0; // 0-based
    std::array<sf::Sprite, PATTERN_ID_COUNT> patternIcons_;
    std::vector<sf::Color> iconColours_;
    sf::Sprite cursorIcon_;
    sf::Sprite gridHorizontal_, gridVertical_;
    int lastGameSequence_ = -1;
    int page_ = 1;
    int placementPattern_ = -1;
    bool playing_ = false;
    bool confirmDeleteSequence_ = false;
    bool confirmDeleteSpawners_ = false;
    bool guiWantsMouse_ = false;
    bool dragging_ = false;
    std::string tmxMessage_;
    std::string catalogueMessage_; // why the last sequence or level operation failed
};
