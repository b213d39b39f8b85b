#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

// One named action's inputs.
struct Binding {
    std::uint16_t xinputButtons = 0; // mask of pad button bits, 0 for none
    std::int32_t sfKey = -1;         // sf::Keyboard::Key, -1 for none
    std::uint8_t axis = 31;          // 0 LX, 1 LY, 2 RX, 3 RY, 4 triggers, 31 none
    std::int32_t direction = 0;      // 0 either, 1 negative (axis 4: right trigger), 2 positive (axis 4: left trigger)
};

namespace binding_axis {
constexpr std::uint8_t LEFT_X = 0, LEFT_Y = 1, RIGHT_X = 2, RIGHT_Y = 3, TRIGGERS = 4, NONE = 31;
}
namespace binding_direction {
constexpr std::int32_t EITHER = 0, NEGATIVE = 1, POSITIVE = 2;
}

using BindingMap = std::unordered_map<std::string, Binding>;
using MenuAction = int;
using MenuBindings = std::unordered_map<MenuAction, Binding>;

// Whether the action is held now on the keyboard or on pad `padIndex` (0..3).
// An action the map does not hold answers false (and is not added).
bool isActionPressed(const BindingMap& map, const std::string& action, unsigned padIndex);
// The same test on pad 0, for the menu screen's table.
bool isMenuActionPressed(const MenuBindings& map, MenuAction action);
// The test on one record.
bool isBindingPressed(const Binding& binding, unsigned padIndex);
