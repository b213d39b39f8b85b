#include "gameplay/LevelFlow.h"

#include "audio/SoundManager.h"
#include "bosses/Boss.h"
#include "engine/Scenes.h"
#include "enemies/SpawnPattern.h"
#include "gameplay/Levels.h"
#include "play/ExplosionPattern.h"

#include <algorithm>
#include <cmath>

namespace level_flow {
namespace {

// A Fade step's value: the screen is covered in black, or uncovered.
constexpr int FADE_TO_BLACK = 1;
constexpr int FADE_FROM_BLACK = 0;

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
                    playTrack(MUSIC_BOSS_INTRO);
                    add(FlowAction::StopTrack, MUSIC_STAGE01_INTRO);
                    fadeOutTrack(MUSIC_STAGE01, 2.f);
                } else if (!e.bossDefeated) {
                    add(FlowAction::EnterBossLevel);
                    spawnBoss(BossType::Icarus);
                } else {
                    add(FlowAction::Explode, ExplosionPattern::FIRST_BOSS);
                }
            } else if (in_.anyCountingDown) {
                add(FlowAction::WaitForContinue);
            } else {
                add(FlowAction::StopWaiting);
                fade(FADE_TO_BLACK, 3.f);
                add(FlowAction::LeaveBossLevel);
            }
        } else if (!in_.scoreboardUp) {
            tallyWithResults();
        } else if (e.scoreboardConfirmed) {
            add(FlowAction::EndTally);
            placeShips(levelInfo(2).shipStart);
            fade(FADE_FROM_BLACK, 2.f);
            add(FlowAction::ChangeScene, scene::CORRIDOR);
            add(FlowAction::StopTrack, MUSIC_RESULTS);
            playTrack(MUSIC_STAGE02);
            add(FlowAction::NextSequence);
        }
    }

    void corridorEnd()
    {
        if (!in_.scoreboardUp) {
            if (in_.events.fadeDone)
                tallyWithResults();
            else
                fade(FADE_TO_BLACK, 3.f);
        } else if (in_.events.scoreboardConfirmed) {
            add(FlowAction::EndTally);
            placeShips(levelInfo(3).shipStart);
            add(FlowAction::ChangeScene, scene::LEVEL3_START);
            add(FlowAction::StopTrack, MUSIC_RESULTS);
            playTrack(MUSIC_STAGE03);
            add(FlowAction::NextSequence);
            fade(FADE_FROM_BLACK, 1.f);
        }
    }

    void toFinalBoss()
    {
        if (!in_.events.fadeDone) {
            fade(FADE_TO_BLACK, 0.5f);
            return;
        }
        add(FlowAction::ChangeScene, scene::ARENA);
        add(FlowAction::StopAllSounds);
        playTrack(MUSIC_STAGE04_INTRO);
        spawnBoss(BossType::Murzel);
        fade(FADE_FROM_BLACK, 2.f);
        add(FlowAction::NextSequence);
        add(FlowAction::EnterBossLevel);
    }

    void finalBoss()
    {
        const FlowEvents& e = in_.events;
        if (!in_.scoreboardUp && !e.fadeDone) {
            if (e.patternFinished) {
                fade(FADE_TO_BLACK, 3.f);
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
        playTrack(MUSIC_RESULTS);
    }

    FlowStep& add(FlowAction action, int value = 0)
    {
        steps_.push_back(FlowStep{action, value, 0.f, 0.f, {}});
        return steps_.back();
    }
    void fade(int opaque, float seconds) { add(FlowAction::Fade, opaque).seconds = seconds; }
    // At the volume the track is mastered for.
    void playTrack(MusicTrack track) { add(FlowAction::PlayTrack, track).volume = trackVolume(track); }
    void fadeOutTrack(MusicTrack track, float seconds) { add(FlowAction::FadeOutTrack, track).seconds = seconds; }
    void placeShips(sf::Vector2f at) { add(FlowAction::PlaceShips).at = at; }
    void spawnBoss(BossType type) { add(FlowAction::SpawnBoss, static_cast<int>(type)); }

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
