// The level flow's plans for the steps the playthroughs (LevelFlowGlTest) do not
// reach, the end given to sequences that could never finish, and revives.
#include "audio/SoundManager.h"
#include "enemies/SpawnPattern.h"
#include "enemies/Spawner.h"
#include "engine/Engine.h"
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
    PATTERN_FINISHED = 8,
    FADE_DONE = 16,
    BOARD_UP = 32,
    COUNTING_DOWN = 128,
    WAITING = 256,
};

FlowInputs at(int scene, int sequence, int happened = NOTHING)
{
    FlowInputs in;
    in.scene = scene;
    in.sequenceIndex = sequence;
    in.events.sequenceOver = happened & SEQUENCE_OVER;
    in.events.patternFinished = happened & PATTERN_FINISHED;
    in.events.fadeDone = happened & FADE_DONE;
    in.scoreboardUp = happened & BOARD_UP;
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

TEST(LevelFlowPlan, BossLevelsWarnWaitForContinuesAndHoldTheirTallies)
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
        {"its explosions end while a player counts down: the level waits",
         at(scene::TOWER, 3, PATTERN_FINISHED | COUNTING_DOWN), {A::WaitForContinue}, {}},
        {"still counting down", at(scene::TOWER, 3, WAITING | COUNTING_DOWN), {A::WaitForContinue}, {}},
        {"the countdown is over: fade out", at(scene::TOWER, 3, WAITING), {A::StopWaiting, A::Fade, A::LeaveBossLevel},
         {{A::Fade, 1}}},
        {"faded: the tally and its music", at(scene::TOWER, 3, FADE_DONE), {A::Tally, A::StopAllSounds, A::PlayTrack},
         {{A::PlayTrack, MUSIC_RESULTS}}},
        {"the board stays until REVIVE", at(scene::TOWER, 3, FADE_DONE | BOARD_UP), {}, {}},
        {"faded: the tally, the music stays", at(scene::ARENA, 9, FADE_DONE), {A::Tally}, {}},
        {"the last board stays", at(scene::ARENA, 9, FADE_DONE | BOARD_UP), {}, {}},
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
    // The fight's end fades out over 3 s; REVIVE on its board fades the corridor in over 2 s.
    const FlowPlan fadeOut = level_flow::plan(at(scene::TOWER, 3, WAITING));
    const FlowStep* out = find(fadeOut, A::Fade);
    ASSERT_NE(out, nullptr);
    EXPECT_FLOAT_EQ(out->seconds, 3.f);
    FlowInputs confirmed = at(scene::TOWER, 3, FADE_DONE | BOARD_UP);
    confirmed.events.scoreboardConfirmed = true;
    const FlowPlan corridor = level_flow::plan(confirmed);
    const FlowStep* in = find(corridor, A::Fade);
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(in->value, 0);
    EXPECT_FLOAT_EQ(in->seconds, 2.f);
    ASSERT_NE(find(corridor, A::ChangeScene), nullptr);
    EXPECT_EQ(find(corridor, A::ChangeScene)->value, scene::CORRIDOR);
}

// Files that do not load or hold no Finish, played: LevelFlow.MissingLevelFilesNeverStallTheFlow.
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
}

// A revive restoring the ship, everyone out ending the game: LevelFlowGl's continue tests.
TEST(LevelFlowContinue, ReviveBringsBackCountingAndGivenUpPlayersButNotTheLive)
{
    std::vector<ContinueScreen> screens(2, ContinueScreen(engine().textures));
    screens[0].countingDown = 1;
    bool pressed[2] = {false, false};
    const auto held = [&](int i) { return pressed[i]; };
    runContinuePass(screens, 1.f / 60.f, held);
    pressed[0] = pressed[1] = true;
    ContinueOutcome out = runContinuePass(screens, 1.f / 60.f, held);
    EXPECT_EQ(out.revived, std::vector<int>{0}); // player 2 is live: nothing for it
    EXPECT_TRUE(screens[0].live());

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
}
