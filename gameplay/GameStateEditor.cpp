// Editor mode: the level editor rides on the gameplay state, which hands it the
// window events, the mouse clicks, its spawner, enemies and running patterns
// every frame, and lets it draw its timeline and windows.
#include "editor/ImGuiSfml.h"
#include "editor/LevelEditor.h"
#include "engine/Engine.h"
#include "gameplay/GameState.h"

void GameState::createLevelEditor()
{
    // The editor draws its windows into the game window; without one there is nothing to edit with.
    if (engine().renderer.window)
        editor = std::make_unique<LevelEditor>(*engine().renderer.window, levelFolder);
}

void GameState::destroyLevelEditor()
{
    editor.reset();
}

void GameState::passEventToEditor(const sf::Event& event)
{
    if (editor)
        editor->processEvent(event);
}

void GameState::passClickToEditor(const sf::Event::MouseButtonEvent& button)
{
    if (editor)
        editor->handleClick(button.button);
}

PlayField GameState::editorField()
{
    return {spawner, enemies, spawnPatterns, [this](int d) { turnToScrollDirection(d); }};
}

void GameState::updateEditor()
{
    if (!editor)
        return;
    editor->updateGui(editorField());
    editor->updateTimeline(frameDt_, spawner.currentSequence);
    editor->updateCursor(ImGui::SFML::mousePosition());
}

void GameState::drawEditorGrid(sf::RenderTarget&)
{
    if (editor)
        editor->drawGrid();
}

void GameState::drawEditorOverlay(sf::RenderTarget&)
{
    if (editor)
        editor->draw();
}

bool GameState::editorHidesHud() const { return editor && editor->hidesHud(); }

bool GameState::keyLeftToPlay(int key) const
{
    return !editor || key < 0 || ImGui::SFML::isKeyForGame(static_cast<sf::Keyboard::Key>(key));
}
