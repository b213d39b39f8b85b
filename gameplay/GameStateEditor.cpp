// Editor mode: the level editor rides on the gameplay state, which hands it the
// window events, the mouse clicks, its spawner, enemies and running patterns
// every frame, and lets it draw its timeline and windows.
#include "editor/ImGuiSfml.h"
#include "editor/LevelEditor.h"
#include "gameplay/GameState.h"

void GameState::createLevelEditor()
{
    // The editor draws its windows into the game window; without one there is nothing to edit with.
    if (services_.renderer.window)
        editor_ = std::make_unique<LevelEditor>(*services_.renderer.window, services_.textures, levelFolder_);
}

void GameState::destroyLevelEditor()
{
    editor_.reset();
}

void GameState::passEventToEditor(const sf::Event& event)
{
    if (editor_)
        editor_->processEvent(event);
}

void GameState::passClickToEditor(const sf::Event::MouseButtonEvent& button)
{
    if (editor_)
        editor_->handleClick(button.button);
}

PlayField GameState::editorField()
{
    return {spawner, enemies, spawnPatterns, [this](int d) { turnToScrollDirection(d); }};
}

void GameState::updateEditor()
{
    if (!editor_)
        return;
    editor_->updateGui(editorField());
    editor_->updateTimeline(frameDt_, spawner.currentSequence);
    editor_->updateCursor(ImGui::SFML::mousePosition());
}

void GameState::drawEditorGrid(sf::RenderTarget&)
{
    if (editor_)
        editor_->drawGrid();
}

void GameState::drawEditorOverlay(sf::RenderTarget&)
{
    if (editor_)
        editor_->draw();
}

bool GameState::editorHidesHud() const { return editor_ && editor_->hidesHud(); }

bool GameState::keyLeftToPlay(int key) const
{
    return !editor_ || key < 0 || ImGui::SFML::isKeyForGame(static_cast<sf::Keyboard::Key>(key));
}
