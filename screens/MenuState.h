#pragma once
// The state the main loop holds for the menu: it owns the main menu as its
// inner state and hands every operation and every code straight through.
#include "states/MainState.h"

#include <memory>

class MenuState : public MainState {
public:
    explicit MenuState(std::unique_ptr<MainState> inner);

    StateCode checkKeys(const sf::Event::KeyEvent& key) override;
    StateCode handleMouseClick(const sf::Event::MouseButtonEvent& button, sf::Vector2i mousePosition) override;
    void joystickConnected(unsigned joystickId) override;
    StateCode update(float frameTime) override;
    void draw(sf::RenderWindow& window) override;
    bool coversWindow() const override { return inner_->coversWindow(); }

    MainState& inner() { return *inner_; }

private:
    std::unique_ptr<MainState> inner_;
};
