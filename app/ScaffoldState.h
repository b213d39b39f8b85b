#pragma once
#include "app/MainState.h"

#include <SFML/Graphics/Font.hpp>

// A plain title screen used until the menus exist: Escape quits.
class ScaffoldState : public MainState {
public:
    ScaffoldState();
    StateCode checkKeys(const sf::Event::KeyEvent& key) override;
    StateCode handleMouseClick(const sf::Event::MouseButtonEvent&, sf::Vector2i) override { return state_code::STAY; }
    void joystickConnected(unsigned) override {}
    StateCode update(float frameTime) override;
    void draw(sf::RenderWindow& window) override;

private:
    sf::Font font_;
    bool fontLoaded_ = false;
    float time_ = 0.f;
};
