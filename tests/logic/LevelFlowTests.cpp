// The level flow's plans for each step of a run, the sequence numbering, the
// end given to sequences that could never finish, and the continue countdown.
#include "app/SoundManager.h"
#include "bosses/Boss.h"
#include "engine/SceneFile.h"
#include "enemies/LevelFiles.h"
#include "enemies/SpawnPattern.h"
#include "engine/Scenes.h"
#include "gameplay/ContinuePass.h"
#include "gameplay/LevelFlow.h"
#include "platform/AssetPath.h"
#include "play/Transitions.h"

#include <gtest/gtest.h>
#include <cmath>
#include <fstream>
#include <limits>

namespace {

using A = FlowAction;

FlowInputs at(int scene, int sequence)
{
    FlowInputs in;
    in.scene = scene;
    in.sequenceIndex = sequence;
    return in;
}

std::vector<A> actions(const FlowPlan& plan)
{
    std::vector<A> out;
    for (const FlowStep& s : plan.steps)
        out.push_back(s.action);
    return out;
}

const FlowStep* find(const FlowPlan& plan, A action)
{
    for (const FlowStep& s : plan.steps)
        if (s.action == action)
            return &s;
    return nullptr;
}

int sceneChange(const FlowPlan& plan)
{
    const FlowStep* s = find(plan, A::ChangeScene);
    return s ? s->value : -1;
}

// Seconds of the camera path of a shipped scene file.
float pathSeconds(const std::string& scene)
{
    std::ifstream in(resolveAssetPath("Scene/" + scene + ".txt"), std::ios::binary);
    EXPECT_TRUE(in) << scene;
    for (const SceneRecord& r : readSceneRecords(in))
        if (r.kind == SceneRecordKind::Camera)
            return static_cast<float>(std::min(r.positions.size(), r.rotations.size())) / 60.f;
    return 0.f;
}

// When the shipped sequence (global number) raises its Finish.
float finishTime(int sequence)
{
    Spawner spawner;
    EXPECT_TRUE(spawner.loadSequence(sequence)) << sequence;
    for (const SpawnEntry& e : spawner.pending)
        if (e.pattern == pattern_id::FINISH)
            return e.time;
    ADD_FAILURE() << "no Finish in sequence " << sequence;
    return 0.f;
}

} // namespace

TEST(LevelFlowContent, CameraPathsEndWhereTheShippedSequencesNeedThem)
{
    Spawner spawner;
    ASSERT_EQ(spawner.totalSequences, level_flow::FLOW_SEQUENCES);
    EXPECT_EQ(spawner.getSequenceIndex(2, 1), level_flow::LEVEL_FIRST_SEQUENCE[2]);
    EXPECT_EQ(spawner.getSequenceIndex(3, 1), level_flow::LEVEL_FIRST_SEQUENCE[3]);
    EXPECT_EQ(spawner.getSequenceIndex(4, 1), level_flow::LEVEL_FIRST_SEQUENCE[4]);

    // Asteroids: the ships fly out when the sequence ends, then the path ends soon after
    // (a path that ended first would cut the sequence and skip the fly-out).
    const float asteroids = pathSeconds("3");
    EXPECT_GT(asteroids, finishTime(level_flow::FLY_OUT_SEQUENCE) + 2.f);
    EXPECT_LT(asteroids, finishTime(level_flow::FLY_OUT_SEQUENCE) + 8.f);
    // Approach: the warning banner runs its course before the boss rises, without a long wait.
    const float approach = pathSeconds("6");
    const float warningAt = finishTime(level_flow::FIRST_BOSS_SEQUENCE);
    EXPECT_GT(approach, warningAt + WarningTransition::LENGTH);
    EXPECT_LT(approach, warningAt + 12.f);
    // Corridor: its end must not restart the fade that its sequence's end began.
    const float corridor = pathSeconds("8");
    EXPECT_GT(corridor, finishTime(level_flow::CORRIDOR_SEQUENCE) + 3.f);
    // The intro and the dive are short cut-scenes.
    EXPECT_LT(pathSeconds("1"), 15.f);
    EXPECT_LT(pathSeconds("4"), 15.f);
}

TEST(LevelFlowPlan, RunsOnlyOnAnEventOrAFinishedPathInThePathScenes)
{
    for (int id : {scene::INTRO, scene::OPEN_SPACE, scene::ASTEROIDS, scene::DIVE, scene::GAS_GIANT,
                   scene::APPROACH, scene::TOWER, scene::CORRIDOR, scene::ARENA, scene::LEVEL3_START,
                   scene::LEVEL3_MIDDLE, scene::LEVEL3_END}) {
        FlowInputs quiet = at(id, 0);
        EXPECT_FALSE(level_flow::plan(quiet).ran) << id;
        quiet.pathEnded = true;
        const bool pathScene = id == scene::INTRO || id == scene::ASTEROIDS || id == scene::DIVE ||
                               id == scene::APPROACH || id == scene::CORRIDOR;
        EXPECT_EQ(level_flow::plan(quiet).ran, pathScene) << id;
        quiet.sceneLoading = true;
        EXPECT_FALSE(level_flow::plan(quiet).ran) << id;
    }
    FlowInputs waiting = at(scene::TOWER, 3);
    waiting.waitingForContinue = true;
    EXPECT_TRUE(level_flow::plan(waiting).ran);
}

TEST(LevelFlowPlan, FirstBossWarnsFightsExplodesWaitsFadesAndTallies)
{
    FlowInputs approach = at(scene::APPROACH, 3);
    approach.events.sequenceOver = true;
    FlowPlan p = level_flow::plan(approach);
    ASSERT_EQ(actions(p), (std::vector<A>{A::Warning, A::PlayTrack, A::StopTrack, A::FadeOutTrack}));
    EXPECT_EQ(p.steps[1].value, MUSIC_BOSS_INTRO);

    FlowInputs pathEnd = at(scene::APPROACH, 3);
    pathEnd.pathEnded = true;
    p = level_flow::plan(pathEnd);
    EXPECT_EQ(actions(p), (std::vector<A>{A::ChangeScene, A::EnterBossLevel, A::SpawnBoss}));
    EXPECT_EQ(sceneChange(p), 7);
    EXPECT_EQ(find(p, A::SpawnBoss)->value, BOSS_ICARUS);

    FlowInputs tower = at(scene::TOWER, 3);
    tower.events.bossDefeated = true;
    p = level_flow::plan(tower);
    ASSERT_EQ(actions(p), std::vector<A>{A::Explode});
    EXPECT_EQ(p.steps[0].value, 0);

    // The explosions end while a player counts down: the level waits for it.
    FlowInputs explosionsOver = at(scene::TOWER, 3);
    explosionsOver.events.patternFinished = true;
    explosionsOver.anyCountingDown = true;
    EXPECT_EQ(actions(level_flow::plan(explosionsOver)), std::vector<A>{A::WaitForContinue});
    explosionsOver.events.patternFinished = false;
    explosionsOver.waitingForContinue = true;
    EXPECT_EQ(actions(level_flow::plan(explosionsOver)), std::vector<A>{A::WaitForContinue});
    explosionsOver.anyCountingDown = false;
    p = level_flow::plan(explosionsOver);
    ASSERT_EQ(actions(p), (std::vector<A>{A::StopWaiting, A::Fade, A::LeaveBossLevel}));
    EXPECT_EQ(p.steps[1].value, 1);
    EXPECT_FLOAT_EQ(p.steps[1].x, 3.f);

    FlowInputs faded = at(scene::TOWER, 3);
    faded.events.fadeDone = true;
    p = level_flow::plan(faded);
    ASSERT_EQ(actions(p), (std::vector<A>{A::Tally, A::StopAllSounds, A::PlayTrack}));
    EXPECT_EQ(p.steps[2].value, MUSIC_RESULTS);

    // The board stays until REVIVE, then level 2 starts at the left.
    faded.scoreboardUp = true;
    EXPECT_TRUE(level_flow::plan(faded).steps.empty());
    faded.events.scoreboardConfirmed = true;
    p = level_flow::plan(faded);
    EXPECT_EQ(actions(p), (std::vector<A>{A::EndTally, A::PlaceShips, A::Fade, A::ChangeScene, A::StopTrack,
                                          A::PlayTrack, A::NextSequence}));
    EXPECT_FLOAT_EQ(find(p, A::PlaceShips)->x, 440.f);
    EXPECT_FLOAT_EQ(find(p, A::PlaceShips)->y, 540.f);
    EXPECT_EQ(sceneChange(p), 8);
    EXPECT_EQ(find(p, A::Fade)->value, 0);
}

TEST(LevelFlowPlan, FinalBossSequencesAlternateUntilItFallsThenTheGameEnds)
{
    FlowInputs escort = at(scene::ARENA, 8);
    escort.events.sequenceOver = true;
    FlowPlan p = level_flow::plan(escort);
    EXPECT_EQ(actions(p), std::vector<A>{A::NextSequence});

    FlowInputs fight = at(scene::ARENA, 9);
    fight.events.sequenceOver = true;
    p = level_flow::plan(fight);
    ASSERT_EQ(actions(p), std::vector<A>{A::LoadSequence});
    EXPECT_EQ(p.steps[0].value, 8);

    // A defeat reported while the escort runs is not lost.
    escort.events.sequenceOver = false;
    escort.events.bossDefeated = true;
    p = level_flow::plan(escort);
    EXPECT_EQ(actions(p), (std::vector<A>{A::NextSequence, A::ClearBossLevel, A::ClearEnemies, A::Explode}));
    EXPECT_EQ(find(p, A::Explode)->value, 1);

    fight.events.sequenceOver = false;
    fight.events.patternFinished = true;
    EXPECT_EQ(actions(level_flow::plan(fight)), std::vector<A>{A::Fade});
    fight.events.patternFinished = false;
    fight.events.fadeDone = true;
    EXPECT_EQ(actions(level_flow::plan(fight)), std::vector<A>{A::Tally}); // the music stays
    fight.scoreboardUp = true;
    EXPECT_TRUE(level_flow::plan(fight).steps.empty());
    fight.events.scoreboardConfirmed = true;
    EXPECT_EQ(actions(level_flow::plan(fight)), (std::vector<A>{A::EndTally, A::FinishGame}));
}

TEST(LevelFlowSequences, NumberingWrapsOnlyAfterTheFlowsOwnSequences)
{
    EXPECT_EQ(level_flow::nextSequence(3, 10), 4);
    EXPECT_EQ(level_flow::nextSequence(9, 10), 0);
    EXPECT_EQ(level_flow::nextSequence(11, 12), 0);
    EXPECT_EQ(level_flow::nextSequence(10, 12), 11);
    // No level index at all, or a short one: the flow still reaches its last sequences.
    EXPECT_EQ(level_flow::nextSequence(0, 0), 1);
    EXPECT_EQ(level_flow::nextSequence(6, 5), 7);
    EXPECT_EQ(level_flow::nextSequence(9, 0), 0);
    EXPECT_EQ(level_flow::nextSequence(-7, 10), 0);
}

TEST(LevelFlowSequences, SequencesWithoutAFinishAreClosedAfterTheirLastEnemy)
{
    std::list<SpawnEntry> finished(2);
    finished.back().pattern = pattern_id::FINISH;
    finished.back().time = 30.f;
    level_flow::closeSequence(finished);
    EXPECT_EQ(finished.size(), 2u);

    std::list<SpawnEntry> open(3);
    auto it = open.begin();
    it->time = 5.f, it->interval = 0.5f, it->count = 4, it->pattern = pattern_id::BEE; // last leaves at 7
    ++it;
    it->time = 6.f, it->interval = 0.f, it->count = 1, it->pattern = pattern_id::BEE;
    ++it;
    it->time = std::numeric_limits<float>::infinity(), it->count = 1, it->pattern = pattern_id::BEE;
    level_flow::closeSequence(open);
    ASSERT_EQ(open.size(), 4u);
    EXPECT_EQ(open.back().pattern, pattern_id::FINISH);
    EXPECT_FLOAT_EQ(open.back().time, 7.f);
    EXPECT_EQ(open.back().count, 1);

    // A sequence whose file did not load ends at once.
    std::list<SpawnEntry> none;
    level_flow::closeSequence(none);
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none.front().time, 0.f);

    // The closing entry really ends the sequence when the spawner releases it.
    std::list<SpawnPattern> running;
    Spawner spawner("/nonexistent/");
    spawner.pending = none;
    spawner.update(0.016f, running);
    bool over = updateSpawnPatterns(running, 0.016f, [](const EnemyData&) {}, {{960.f, 540.f}});
    EXPECT_TRUE(over);
}

TEST(LevelFlowContinue, AlonePlayerGivesUpAfterTenSecondsAndTheGameIsOver)
{
    std::vector<ContinueScreen> screens(1);
    screens[0].countingDown = 1;
    const auto never = [](int) { return false; };
    const float frame = 1.f / 60.f;
    for (int f = 0; f < 599; ++f)
        ASSERT_FALSE(runContinuePass(screens, frame, never).allGaveUp) << f;
    ContinueOutcome out;
    for (int f = 0; f < 3 && !out.allGaveUp; ++f)
        out = runContinuePass(screens, frame, never);
    EXPECT_TRUE(out.allGaveUp);
    EXPECT_TRUE(screens[0].gaveUp);
    // Alone and given up, REVIVE no longer helps.
    EXPECT_TRUE(runContinuePass(screens, frame, [](int) { return true; }).allGaveUp);
}

TEST(LevelFlowContinue, ReviveBringsBackCountingAndGivenUpPlayersButNotTheLive)
{
    std::vector<ContinueScreen> screens(2);
    screens[0].countingDown = 1;
    bool pressed[2] = {false, false};
    const auto held = [&](int i) { return pressed[i]; };
    for (int f = 0; f < 7 * 60 + 30; ++f) // "3" is showing
        runContinuePass(screens, 1.f / 60.f, held);
    EXPECT_EQ(screens[0].textureIndex, 2);
    pressed[0] = pressed[1] = true;
    ContinueOutcome out = runContinuePass(screens, 1.f / 60.f, held);
    EXPECT_EQ(out.revived, std::vector<int>{0}); // player 2 is live: nothing for it
    EXPECT_TRUE(screens[0].live());
    EXPECT_EQ(screens[0].textureIndex, 9);
    EXPECT_FLOAT_EQ(screens[0].countdown, 10.f);

    // Player 1 gives up while player 2 plays; its REVIVE later brings it back.
    pressed[0] = pressed[1] = false;
    screens[0].countingDown = 1;
    for (int f = 0; f < 10 * 60 + 5; ++f)
        EXPECT_FALSE(runContinuePass(screens, 1.f / 60.f, held).allGaveUp);
    EXPECT_TRUE(screens[0].gaveUp);
    pressed[0] = true;
    out = runContinuePass(screens, 1.f / 60.f, held);
    EXPECT_EQ(out.revived, std::vector<int>{0});
    EXPECT_TRUE(screens[0].live());

    // Both counting down and both running out on the same frame: over at once.
    screens[0].countingDown = screens[1].countingDown = 1;
    screens[0].countdown = screens[1].countdown = 0.01f;
    pressed[0] = false;
    out = runContinuePass(screens, 1.f / 60.f, held);
    EXPECT_TRUE(out.allGaveUp);
    EXPECT_TRUE(out.revived.empty());
}
