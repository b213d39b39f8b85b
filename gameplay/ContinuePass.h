#pragma once
// One frame of the players' continue countdowns: the numbers run down, a
// countdown that runs out means the player gave up, and REVIVE brings a player
// back (one counting down, or one that gave up while another still plays).
#include "play/ContinueScreen.h"

#include <functional>
#include <vector>

struct ContinueOutcome {
    std::vector<int> revived; // players whose screens went back to idle this frame, in order
    bool allGaveUp = false;   // every player has given up: the game is over
};

// reviveHeld(i): whether REVIVE is held on pad i.
ContinueOutcome runContinuePass(std::vector<ContinueScreen>& screens, float dt,
                                const std::function<bool(int)>& reviveHeld);
