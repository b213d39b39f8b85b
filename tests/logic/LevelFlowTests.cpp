// The level flow's plans for each step of a run, the sequence numbering, the
// end given to sequences that could never finish, and the continue countdown.
#include "app/SoundManager.h"
#include "bosses/Boss.h"
#include "enemies/SpawnPattern.h"
#include "enemies/Spawner.h"
#include "engine/Scenes.h"
#include "gameplay/ContinuePass.h"
#include "gameplay/LevelFlow.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using A = FlowAction;

// What happened in a frame, a bit each.
enum Happened {
    NOTHING = 0,
    SEQUENCE_OVER = 1,
    PATH_ENDED = 2,
    BOSS_DEFEATED = 4,
    PATTERN_FINISHED = 8,
    FADE_DONE = 16,
    BOARD_UP = 32,
    BOARD_CONFIRMED = 64,
    COUNTING_DOWN = 128,
    WAITING = 256,
};

FlowInputs at(int scene, int sequence, int happened = NOTHING)
{
    FlowInputs in;
    in.scene = scene;
    in.sequenceIndex = sequence;
    in.events.sequenceOver = happened & SEQUENCE_OVER;
    in.pathEnded = happened & PATH_ENDED;
    in.events.bossDefeated = happened & BOSS_DEFEATED;
    in.events.patternFinished = happened & PATTERN_FINISHED;
    in.events.fadeDone = happened & FADE_DONE;
    in.scoreboardUp = happened & BOARD_UP;
    in.events.scoreboardConfirmed = happened & BOARD_CONFIRMED;
    in.anyCountingDown = happened & COUNTING_DOWN;
    in.waitingForContinue = happened & WAITING;
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

} // namespace

TEST(LevelFlowPlan, RunsOnlyOnAnEventOrAFinishedPathInThePathScenes)
{
    for (int id : {scene::INTRO, scene::OPEN_SPACE, scene::ASTEROIDS, scene::DIVE, scene::GAS_GIANT,
                   scene::APPROACH, scene::TOWER, scene::CORRIDOR, scene::ARENA, scene::LEVEL3_START,
                   scene::LEVEL3_MIDDLE, scene::LEVEL3_END}) {
        EXPECT_FALSE(level_flow::plan(at(id, 0)).ran) << id;
        const bool pathScene = id == scene::INTRO || id == scene::ASTEROIDS || id == scene::DIVE ||
                               id == scene::APPROACH || id == scene::CORRIDOR;
        FlowInputs pathEnded = at(id, 0, PATH_ENDED);
        EXPECT_EQ(level_flow::plan(pathEnded).ran, pathScene) << id;
        pathEnded.sceneLoading = true;
        EXPECT_FALSE(level_flow::plan(pathEnded).ran) << id;
    }
    EXPECT_TRUE(level_flow::plan(at(scene::TOWER, 3, WAITING)).ran);
}

TEST(LevelFlowPlan, BossesWarnFightExplodeWaitFadeTallyAndMoveOn)
{
    struct Row {
        const char* what;
        FlowInputs in;
        std::vector<A> actions;
        std::vector<std::pair<A, int>> values;
    };
    const Row rows[] = {
        {"the approach's sequence ends: the warning and the boss intro", at(scene::APPROACH, 3, SEQUENCE_OVER),
         {A::Warning, A::PlayTrack, A::StopTrack, A::FadeOutTrack}, {{A::PlayTrack, MUSIC_BOSS_INTRO}}},
        {"the approach's path ends: the first boss rises in its tower", at(scene::APPROACH, 3, PATH_ENDED),
         {A::ChangeScene, A::EnterBossLevel, A::SpawnBoss}, {{A::ChangeScene, 7}, {A::SpawnBoss, BOSS_ICARUS}}},
        {"the first boss falls", at(scene::TOWER, 3, BOSS_DEFEATED), {A::Explode}, {{A::Explode, 0}}},
        {"its explosions end while a player counts down: the level waits",
         at(scene::TOWER, 3, PATTERN_FINISHED | COUNTING_DOWN), {A::WaitForContinue}, {}},
        {"still counting down", at(scene::TOWER, 3, WAITING | COUNTING_DOWN), {A::WaitForContinue}, {}},
        {"the countdown is over: fade out", at(scene::TOWER, 3, WAITING), {A::StopWaiting, A::Fade, A::LeaveBossLevel},
         {{A::Fade, 1}}},
        {"faded: the tally and its music", at(scene::TOWER, 3, FADE_DONE), {A::Tally, A::StopAllSounds, A::PlayTrack},
         {{A::PlayTrack, MUSIC_RESULTS}}},
        {"the board stays until REVIVE", at(scene::TOWER, 3, FADE_DONE | BOARD_UP), {}, {}},
        {"then level 2 starts", at(scene::TOWER, 3, FADE_DONE | BOARD_UP | BOARD_CONFIRMED),
         {A::EndTally, A::PlaceShips, A::Fade, A::ChangeScene, A::StopTrack, A::PlayTrack, A::NextSequence},
         {{A::ChangeScene, 8}, {A::Fade, 0}}},
        {"the final boss's escort ends", at(scene::ARENA, 8, SEQUENCE_OVER), {A::NextSequence}, {}},
        {"its fight ends: the escort again", at(scene::ARENA, 9, SEQUENCE_OVER), {A::LoadSequence},
         {{A::LoadSequence, 8}}},
        {"a defeat reported while the escort runs is not lost", at(scene::ARENA, 8, BOSS_DEFEATED),
         {A::NextSequence, A::ClearBossLevel, A::ClearEnemies, A::Explode}, {{A::Explode, 1}}},
        {"the final explosions end", at(scene::ARENA, 9, PATTERN_FINISHED), {A::Fade}, {}},
        {"faded: the tally, the music stays", at(scene::ARENA, 9, FADE_DONE), {A::Tally}, {}},
        {"the last board stays", at(scene::ARENA, 9, FADE_DONE | BOARD_UP), {}, {}},
        {"then the game ends", at(scene::ARENA, 9, FADE_DONE | BOARD_UP | BOARD_CONFIRMED),
         {A::EndTally, A::FinishGame}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const FlowPlan plan = level_flow::plan(row.in);
        EXPECT_EQ(actions(plan), row.actions);
        for (const auto& [action, value] : row.values) {
            const FlowStep* step = find(plan, action);
            ASSERT_NE(step, nullptr);
            EXPECT_EQ(step->value, value);
        }
    }
    // The fade out of the tower takes three seconds; level 2 starts with the ships at the left.
    EXPECT_FLOAT_EQ(find(level_flow::plan(at(scene::TOWER, 3, WAITING)), A::Fade)->x, 3.f);
    const FlowPlan level2 = level_flow::plan(at(scene::TOWER, 3, FADE_DONE | BOARD_UP | BOARD_CONFIRMED));
    EXPECT_FLOAT_EQ(find(level2, A::PlaceShips)->x, 440.f);
    EXPECT_FLOAT_EQ(find(level2, A::PlaceShips)->y, 540.f);
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
