#include "gameplay/GameBindings.h"

#include <SFML/Window/Keyboard.hpp>

namespace {

struct BindingRow {
    const char* action;
    int key; // sf::Keyboard::Key, -1 for none
    std::uint16_t buttons;
    std::uint8_t axis;
    std::int32_t direction;
};

using namespace binding_axis;
using namespace binding_direction;
constexpr int NO_KEY = -1;

// Movement keys sit on the letters Z, Q, S, D (an AZERTY layout).
const BindingRow PLAY_ROWS[] = {
    {game_action::UP, sf::Keyboard::Z, 0, LEFT_Y, POSITIVE},
    {game_action::DOWN, sf::Keyboard::S, 0, LEFT_Y, NEGATIVE},
    {game_action::LEFT, sf::Keyboard::Q, 0, LEFT_X, NEGATIVE},
    {game_action::RIGHT, sf::Keyboard::D, 0, LEFT_X, POSITIVE},
    {game_action::UP_PAD, NO_KEY, 0x0001, NONE, EITHER},
    {game_action::DOWN_PAD, NO_KEY, 0x0002, NONE, EITHER},
    {game_action::LEFT_PAD, NO_KEY, 0x0004, NONE, EITHER},
    {game_action::RIGHT_PAD, NO_KEY, 0x0008, NONE, EITHER},
    {game_action::SHOOT, sf::Keyboard::Space, 0x1000, RIGHT_X, EITHER},
    {game_action::SHOOT_AIM, NO_KEY, 0, RIGHT_Y, EITHER},
    {game_action::LASER, sf::Keyboard::L, 0x0200, TRIGGERS, NEGATIVE},
    {game_action::DOWN_SPEED, sf::Keyboard::Add, 0x0100, NONE, EITHER},
    {game_action::UP_SPEED, sf::Keyboard::Subtract, 0, TRIGGERS, POSITIVE},
    {game_action::REVIVE, sf::Keyboard::U, 0x1000, NONE, EITHER},
};

const BindingRow PAUSE_ROWS[] = {
    {game_action::PAUSE, sf::Keyboard::Escape, 0x0010, NONE, EITHER},
    {game_action::RESUME, sf::Keyboard::Enter, 0x1000, NONE, EITHER},
    {game_action::QUIT, sf::Keyboard::BackSpace, 0x2000, NONE, EITHER},
};

template <size_t N>
void registerRows(BindingMap& bindings, const BindingRow (&rows)[N])
{
    for (const BindingRow& row : rows) {
        Binding b;
        b.sfKey = row.key;
        b.xinputButtons = row.buttons;
        b.axis = row.axis;
        b.direction = row.direction;
        bindings[row.action] = b;
    }
}

} // namespace

void registerPlayBindings(BindingMap& bindings) { registerRows(bindings, PLAY_ROWS); }

void registerPauseBindings(BindingMap& bindings) { registerRows(bindings, PAUSE_ROWS); }
