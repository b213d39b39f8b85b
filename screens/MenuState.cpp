#include "screens/MenuState.h"

MenuState::MenuState(std::unique_ptr<MainState> inner) : inner_(std::move(inner)) {}

StateCode MenuState::checkKeys(const sf::Event::KeyEvent& key) { return inner_->checkKeys(key); }

StateCode MenuState::handleMouseClick(const sf::Event::MouseButtonEvent& button, sf::Vector2i mousePosition)
{
    return inner_->handleMouseClick(button, mousePosition);
}

void MenuState::joystickConnected(unsigned joystickId) { inner_->joystickConnected(joystickId); }

StateCode MenuState::update(float frameTime) { return inner_->update(frameTime); }

void MenuState::draw(sf::RenderWindow& window) { inner_->draw(window); }
