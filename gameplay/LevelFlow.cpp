#include "gameplay/LevelFlow.h"

#include "audio/SoundManager.h"
#include "bosses/Boss.h"
#include "engine/Scenes.h"
#include "enemies/SpawnPattern.h"
#include "play/ExplosionPattern.h"

#include <algorithm>
#include <cmath>

namespace level_flow {
namespace {

const sf::Vector2f LEVEL2_START{440.f, 540.f}; // the corridor scrolls to the right
const sf::Vector2f LEVEL3_START{960.f, 540.f};

class Planner {
public:
    explicit Planner(const FlowInputs& in) : in_(in) {}

    FlowPlan run()
    {
        FlowPlan plan;
        if (!triggered())
            return plan;
        plan.ran = true;
        advanceScene();
        if (!scene::runsNoSequence(scene_))
            sequenceAction();
        plan.steps = std::move(steps_);
        return plan;
    }

private:
    bool triggered() const
    {
        const FlowEvents& e = in_.events;
        if (e.sequenceOver || e.bossDefeated || e.fadeDone || e.scoreboardConfirmed || e.patternFinished ||
            in_.waitingForContinue)
            return true;
        return !in_.sceneLoading && in_.pathEnded && scene::flowWaitsForCameraPath(in_.scene);
    }

    void advanceScene()
    {
        const int s = in_.scene;
        int next = s;
        if (scene::leftWhenPathEnds(s))
            next = in_.pathEnded ? s + 1 : s;
        else if (!scene::keptByFlow(s))
            next = s + 1;
        if (next != s)
            add(FlowAction::ChangeScene, next);
        scene_ = next;
    }

    void sequenceAction()
    {
        switch (in_.sequenceIndex) {
        case FLY_OUT_SEQUENCE: flyOutAndIn(); break;
        case FIRST_BOSS_SEQUENCE: firstBoss(); break;
        case CORRIDOR_SEQUENCE: corridorEnd(); break;
        case LEVEL3_LAST_SEQUENCE: toFinalBoss(); break;
        case FINAL_BOSS_SEQUENCE: finalBoss(); break;
        case FINAL_BOSS_ESCORT:
            // The final boss can fall while its escort sequence runs: go on to
            // its own sequence and take the defeat there, or it would be lost
            // and the two sequences would take turns for ever.
            add(FlowAction::NextSequence);
            if (in_.events.bossDefeated && in_.sequenceIndex + 1 == FINAL_BOSS_SEQUENCE)
                finalBoss();
            break;
        default: anyOther(); break;
        }
    }

    void flyOutAndIn()
    {
        if (!in_.pathEnded)
            add(FlowAction::FlyOut);
        if (scene::shipsFlyBackIn(scene_)) {
            add(FlowAction::DropTransitions);
            add(FlowAction::NextSequence);
            add(FlowAction::FlyIn);
        }
    }

    void firstBoss()
    {
        const FlowEvents& e = in_.events;
        if (!in_.scoreboardUp && !e.fadeDone) {
            if (!e.patternFinished && !in_.waitingForContinue) {
                if (!e.bossDefeated && !in_.pathEnded) {
                    add(FlowAction::Warning);
                    add(FlowAction::PlayTrack, MUSIC_BOSS_INTRO, trackVolume(MUSIC_BOSS_INTRO));
                    add(FlowAction::StopTrack, MUSIC_STAGE01_INTRO);
                    add(FlowAction::FadeOutTrack, MUSIC_STAGE01, 2.f);
                } else if (!e.bossDefeated) {
                    add(FlowAction::EnterBossLevel);
                    add(FlowAction::SpawnBoss, BOSS_ICARUS);
                } else {
                    add(FlowAction::Explode, ExplosionPattern::FIRST_BOSS);
                }
            } else if (in_.anyCountingDown) {
                add(FlowAction::WaitForContinue);
            } else {
                add(FlowAction::StopWaiting);
                add(FlowAction::Fade, 1, 3.f);
                add(FlowAction::LeaveBossLevel);
            }
        } else if (!in_.scoreboardUp) {
            tallyWithResults();
        } else if (e.scoreboardConfirmed) {
            add(FlowAction::EndTally);
            add(FlowAction::PlaceShips, 0, LEVEL2_START.x, LEVEL2_START.y);
            add(FlowAction::Fade, 0, 2.f);
            add(FlowAction::ChangeScene, scene::CORRIDOR);
            add(FlowAction::StopTrack, MUSIC_RESULTS);
            add(FlowAction::PlayTrack, MUSIC_STAGE02, trackVolume(MUSIC_STAGE02));
            add(FlowAction::NextSequence);
        }
    }

    void corridorEnd()
    {
        if (!in_.scoreboardUp) {
            if (in_.events.fadeDone)
                tallyWithResults();
            else
                add(FlowAction::Fade, 1, 3.f);
        } else if (in_.events.scoreboardConfirmed) {
            add(FlowAction::EndTally);
            add(FlowAction::PlaceShips, 0, LEVEL3_START.x, LEVEL3_START.y);
            add(FlowAction::ChangeScene, scene::LEVEL3_START);
            add(FlowAction::StopTrack, MUSIC_RESULTS);
            add(FlowAction::PlayTrack, MUSIC_STAGE03, trackVolume(MUSIC_STAGE03));
            add(FlowAction::NextSequence);
            add(FlowAction::Fade, 0, 1.f);
        }
    }

    void toFinalBoss()
    {
        if (!in_.events.fadeDone) {
            add(FlowAction::Fade, 1, 0.5f);
            return;
        }
        add(FlowAction::ChangeScene, scene::ARENA);
        add(FlowAction::StopAllSounds);
        add(FlowAction::PlayTrack, MUSIC_STAGE04_INTRO, trackVolume(MUSIC_STAGE04_INTRO));
        add(FlowAction::SpawnBoss, BOSS_MURZEL);
        add(FlowAction::Fade, 0, 2.f);
        add(FlowAction::NextSequence);
        add(FlowAction::EnterBossLevel);
    }

    void finalBoss()
    {
        const FlowEvents& e = in_.events;
        if (!in_.scoreboardUp && !e.fadeDone) {
            if (e.patternFinished) {
                add(FlowAction::Fade, 1, 3.f);
            } else if (e.bossDefeated) {
                add(FlowAction::ClearBossLevel);
                add(FlowAction::ClearEnemies);
                add(FlowAction::Explode, ExplosionPattern::FINAL_BOSS);
            } else {
                add(FlowAction::LoadSequence, FINAL_BOSS_ESCORT);
            }
        } else if (!in_.scoreboardUp) {
            add(FlowAction::Tally);
        } else if (e.scoreboardConfirmed) {
            add(FlowAction::EndTally);
            add(FlowAction::FinishGame);
        }
    }

    void anyOther()
    {
        if (scene::turnsShipsTo2D(scene_)) {
            add(FlowAction::Transform);
            add(FlowAction::LoadSequence, 0);
        } else {
            add(FlowAction::NextSequence);
        }
    }

    void tallyWithResults()
    {
        add(FlowAction::Tally);
        add(FlowAction::StopAllSounds);
        add(FlowAction::PlayTrack, MUSIC_RESULTS, trackVolume(MUSIC_RESULTS));
    }

    void add(FlowAction action, int value = 0, float x = 0.f, float y = 0.f) { steps_.push_back({action, value, x, y}); }

    const FlowInputs& in_;
    int scene_ = 0;
    std::vector<FlowStep> steps_;
};

} // namespace

FlowPlan plan(const FlowInputs& in) { return Planner(in).run(); }

int nextSequence(int current, int totalSequences)
{
    const int count = std::max(totalSequences, FLOW_SEQUENCES);
    const int next = current + 1;
    return next >= 0 && next < count ? next : 0;
}

void closeSequence(std::list<SpawnEntry>& pending)
{
    float lastDue = 0.f;
    for (const SpawnEntry& e : pending) {
        if (e.pattern == pattern_id::FINISH)
            return;
        // Enemies of an entry leave one interval apart, the first one interval after its time.
        const float due = e.time + std::max(e.interval, 0.f) * static_cast<float>(std::max(e.count, 0));
        if (std::isfinite(due))
            lastDue = std::max(lastDue, due);
    }
    SpawnEntry finish;
    finish.time = lastDue;
    finish.count = 1;
    finish.pattern = pattern_id::FINISH;
    pending.push_back(finish);
}

} // namespace level_flow
