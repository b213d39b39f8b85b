#pragma once
// The main menu: first the logo sequence over black, with music; then the host
// of the 3D hangar menu, watching for the start of a game, the quit page, the
// developer key into the editor and the quit key.
#include "engine/Services.h"
#include "platform/Bindings.h"
#include "states/MainState.h"
#include "screens/LogoSequence.h"

#include <SFML/Graphics.hpp>

class MainMenuState : public MainState {
public:
    MainMenuState(const Services& services, bool showLogos);
    ~MainMenuState() override;

    StateCode checkKeys(const sf::Event::KeyEvent& key) override;
    StateCode handleMouseClick(const sf::Event::MouseButtonEvent&, sf::Vector2i) override { return StateCode::Stay; }
    void joystickConnected(unsigned) override {}
    StateCode update(float frameTime) override;
    void draw(sf::RenderWindow& window) override;
    // The logos are shown on a black curtain over the whole window.
    bool coversWindow() const override { return !logos_.finished(); }

    const LogoSequence& logos() const { return logos_; }

private:
    void showPicture(int stage);
    // Draws the high-score table into the texture of the menu's high-score page,
    // unless it shows that table already.
    void drawHighScoreBoard();
    void redrawHighScoreBoard();

    // Once the player opens the play page (a game is two presses away), the
    // worker prepares what the game's first frames load; browsing the menu
    // holds none of it.
    void prepareForPlay();

    // The engine's parts, by reference: the menu's page and the run's start
    // level are read as the hangar's menu changes them.
    Services services_;
    LogoSequence logos_;
    sf::Sprite logo_;
    sf::RectangleShape curtain_;
    BindingMap bindings_;
    // Escape quits only once it has been seen released since this menu was built,
    // so an Escape still held from the previous screen does not quit.
    bool escapeArmed_;
    bool playPrepared_ = false;
};
