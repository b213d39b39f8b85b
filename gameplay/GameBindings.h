#pragma once
// The named actions of play. Player i reads every action through pad i; the
// keyboard answers for every pad, so on one keyboard both ships react.
#include "platform/Bindings.h"

namespace game_action {
constexpr const char* UP = "UP";
constexpr const char* DOWN = "DOWN";
constexpr const char* LEFT = "LEFT";
constexpr const char* RIGHT = "RIGHT";
constexpr const char* UP_PAD = "UP2";
constexpr const char* DOWN_PAD = "DOWN2";
constexpr const char* LEFT_PAD = "LEFT2";
constexpr const char* RIGHT_PAD = "RIGHT2";
constexpr const char* SHOOT = "SHOOT";
constexpr const char* SHOOT_AIM = "SHOOT2";
constexpr const char* LASER = "LASER";
constexpr const char* DOWN_SPEED = "DOWN_SPEED";
constexpr const char* UP_SPEED = "UP_SPEED";
constexpr const char* REVIVE = "REVIVE";
constexpr const char* PAUSE = "Pause";
constexpr const char* RESUME = "Resume";
constexpr const char* QUIT = "Quit";
} // namespace game_action

// Movement, weapons, speed and revive ("UP" to "REVIVE").
void registerPlayBindings(BindingMap& bindings);
// "Pause", "Resume" and "Quit".
void registerPauseBindings(BindingMap& bindings);
