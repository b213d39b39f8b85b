// Where the overlays (fades, transitions, texts, HUD, scoreboards, continue
// screens) and the full level flow join play.
// Until each of them is in, its hook here keeps play going without it.
#include "engine/Engine.h"
#include "gameplay/GameState.h"
#include "gameplay/SceneSwitch.h"

// The level flow as far as it goes without fades, bosses and scoreboards:
// the scene moves on when its camera path ends, and sequences follow each other.
StateCode GameState::runLevelFlow(const FrameEvents& events)
{
    Engine& eng = engine();
    const bool triggered = events.sequenceOver || events.bossDefeated || events.fadeDone ||
                           events.scoreboardConfirmed || events.patternFinished || waitingForContinue;
    const int scene = eng.sceneId;
    if (!triggered &&
        !(!eng.sceneLoading && eng.cinematicFinished && (scene == 1 || scene == 3 || scene == 4 || scene == 6 || scene == 8)))
        return state_code::STAY;

    if (scene == 3 || scene == 6) {
        if (eng.cinematicFinished)
            switchScene(scene + 1);
    } else if (scene != 7 && scene != 8 && scene != 9 && scene != 13) {
        switchScene(scene + 1);
    }

    StateCode code = state_code::STAY;
    if (eng.sceneId != 4)
        code = runSequenceAction(events);
    eng.cinematicFinished = false;
    return code;
}

StateCode GameState::runSequenceAction(const FrameEvents&)
{
    switch (sequenceIndex()) {
    case 1: case 3: case 4: case 7: case 9:
        return state_code::STAY; // fly-outs, boss fights and tallies join here
    default:
        if (engine().sceneId == 2)
            spawner.loadSequence(0, [this](int d) { turnToScrollDirection(d); });
        else
            nextSequence();
        return state_code::STAY;
    }
}
