#pragma once
// A player's score counter is a text manager holding one registered
// split-flap counter chain.
#include "play/TextManager.h"

using ScoreCounter = TextManager;
