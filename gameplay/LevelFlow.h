#pragma once
// The level flow as a plan: from what happened in a frame, the scene and the
// running sequence, which steps move the game on (scene changes, fly-outs,
// boss warnings and fights, explosions, fades, tallies, the next sequence,
// the end of the game). The gameplay state carries the steps out in order.
#include "enemies/Spawner.h"
#include "engine/Scenes.h"

#include <SFML/System/Vector2.hpp>

#include <list>
#include <vector>

// What happened in one frame of play, as the flow reads it.
struct FlowEvents {
    bool fadeDone = false;            // a fade that moves the flow on has ended
    bool bossDefeated = false;        // the boss fight ended
    bool patternFinished = false;     // the boss explosions ran out
    bool sequenceOver = false;        // a Finish entry of the sequence ran
    bool scoreboardConfirmed = false; // a scoreboard is up and REVIVE is held
};

struct FlowInputs {
    FlowEvents events;
    bool waitingForContinue = false;
    int sequenceIndex = 0;
    bool scoreboardUp = false;
    int scene = scene::INTRO;
    bool pathEnded = false; // the scene's camera path has ended
    bool sceneLoading = false;
    bool anyCountingDown = false; // some player counts down to continue
};

enum class FlowAction {
    ChangeScene,       // value: scene id
    FlyOut,            // every ship flies out at the top, its weapons reset
    DropTransitions,
    NextSequence,
    LoadSequence,      // value: sequence number
    FlyIn,             // every ship flies in from below
    Transform,         // the 2D-to-3D flash at player 1, input held back
    Warning,           // the boss WARNING banner
    Tally,             // the end-of-level scoreboards
    EndTally,
    PlaceShips,        // at
    Fade,              // value 1 opaque, 0 clear; over seconds
    StopAllSounds,
    PlayTrack,         // value: track, at volume
    StopTrack,         // value: track
    FadeOutTrack,      // value: track, over seconds
    EnterBossLevel,    // every ship's bossLevel flag set
    LeaveBossLevel,    // bossLevel cleared, ships blink
    ClearBossLevel,    // bossLevel cleared
    SpawnBoss,         // value: boss type
    Explode,           // value: explosion pattern
    ClearEnemies,      // pending entries, running patterns and enemies emptied
    WaitForContinue,   // waitingForContinue set
    StopWaiting,       // waitingForContinue cleared
    FinishGame,        // the update answers Cinematic: the credits
};

// One step of the plan; each action reads only the fields its comment names.
struct FlowStep {
    FlowAction action;
    int value = 0;
    float seconds = 0.f; // Fade, FadeOutTrack
    float volume = 0.f;  // PlayTrack
    sf::Vector2f at;     // PlaceShips
};

struct FlowPlan {
    bool ran = false; // the flow ran this frame (the camera-path flag is then cleared)
    std::vector<FlowStep> steps;
};

namespace level_flow {
// The sequence numbers the flow ties to the game's levels.
constexpr int FLY_OUT_SEQUENCE = 1;       // level 1, asteroids: the ships leave for the dive
constexpr int FIRST_BOSS_SEQUENCE = 3;    // level 1's boss
constexpr int CORRIDOR_SEQUENCE = 4;      // level 2
constexpr int LEVEL3_LAST_SEQUENCE = 7;   // level 3's end leads to the final boss
constexpr int FINAL_BOSS_ESCORT = 8;      // alternates with the final boss's sequence
constexpr int FINAL_BOSS_SEQUENCE = 9;
constexpr int FLOW_SEQUENCES = 10;        // the flow steps through at least this many

// The plan of one run of the flow.
FlowPlan plan(const FlowInputs& in);
// The sequence after `current`, wrapping over the level index's total count,
// but never before the flow's own sequences have all been visited.
int nextSequence(int current, int totalSequences);
// A sequence with no Finish entry (or none at all, when its file is missing)
// gets one once its last enemy is due, so that the flow can never wait on it.
void closeSequence(std::list<SpawnEntry>& pending);
} // namespace level_flow
