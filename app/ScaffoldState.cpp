#include "app/ScaffoldState.h"

#include "platform/AssetPath.h"

#include <SFML/Graphics.hpp>
#include <cmath>

ScaffoldState::ScaffoldState() { fontLoaded_ = font_.loadFromFile(resolveAssetPath("3D/font/Cyberfall.otf")); }

StateCode ScaffoldState::checkKeys(const sf::Event::KeyEvent& key)
{
    return key.code == sf::Keyboard::Escape ? state_code::QUIT : state_code::STAY;
}

StateCode ScaffoldState::update(float frameTime)
{
    time_ += frameTime;
    return state_code::STAY;
}

void ScaffoldState::draw(sf::RenderWindow& window)
{
    sf::RectangleShape band(sf::Vector2f(1920.f, 300.f));
    band.setPosition(0.f, 390.f);
    band.setFillColor(sf::Color(20, 30, 70));
    window.draw(band);
    if (!fontLoaded_)
        return;
    sf::Text title("ORBYNDEL", font_, 120);
    title.setFillColor(sf::Color(120 + static_cast<int>(100 * std::sin(time_ * 2.f) * 0.5f + 50), 200, 255));
    sf::FloatRect b = title.getLocalBounds();
    title.setOrigin(b.left + b.width / 2.f, b.top + b.height / 2.f);
    title.setPosition(960.f, 540.f);
    window.draw(title);
}
