#include "gameplay/ContinuePass.h"

ContinueOutcome runContinuePass(std::vector<ContinueScreen>& screens, float dt,
                                const std::function<bool(int)>& reviveHeld)
{
    ContinueOutcome outcome;
    int gaveUp = 0;
    for (ContinueScreen& screen : screens) {
        if (screen.gaveUp)
            ++gaveUp;
        else if (screen.countingDown && screen.tick(dt))
            ++gaveUp; // ran out on this frame
    }
    const int count = static_cast<int>(screens.size());
    if (gaveUp >= count) {
        outcome.allGaveUp = count > 0;
        return outcome;
    }
    for (int i = 0; i < count; ++i) {
        ContinueScreen& screen = screens[static_cast<size_t>(i)];
        if (screen.live() || !reviveHeld(i))
            continue;
        screen.gaveUp = 0;
        screen.resetCountdown();
        outcome.revived.push_back(i);
    }
    return outcome;
}
