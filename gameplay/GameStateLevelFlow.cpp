// The level flow inside play: each frame's plan (see LevelFlow.h) carried out
// on the state's ships, transitions, fades, music, bosses and scoreboards.
#include "audio/SoundManagerInstance.h"
#include "bosses/Boss.h"
#include "engine/Engine.h"
#include "gameplay/GameState.h"
#include "gameplay/SceneSwitch.h"
#include "play/Scoreboard.h"

#include <algorithm>

namespace {
const sf::Vector2f FLY_IN_FROM{960.f, 1480.f};
const sf::Vector2f FLY_IN_TO{960.f, 880.f};
const sf::Vector2f WARNING_AT{960.f, 540.f};
} // namespace

StateCode GameState::runLevelFlow(const FrameEvents& events)
{
    Engine& eng = engine();
    FlowInputs in;
    in.events = events;
    in.waitingForContinue = waitingForContinue;
    in.sequenceIndex = sequenceIndex();
    in.scoreboardUp = scoreboards[0] != nullptr;
    in.scene = eng.world.sceneId();
    in.pathEnded = eng.world.cameraPath().ended();
    in.sceneLoading = eng.world.loading();
    in.anyCountingDown = std::any_of(continueScreens.begin(), continueScreens.end(),
                                     [](const ContinueScreen& s) { return s.countingDown != 0; });

    const FlowPlan plan = level_flow::plan(in);
    for (const FlowStep& step : plan.steps)
        if (runFlowStep(step))
            return state_code::CINEMATIC;
    if (plan.ran)
        eng.world.cameraPath().acknowledgeEnd(); // a finished camera path moves the flow on once
    return state_code::STAY;
}

bool GameState::runFlowStep(const FlowStep& step)
{
    SoundManagerDeck deck(soundManager());
    const MusicTrack track = static_cast<MusicTrack>(std::clamp(step.value, 0, MUSIC_TRACK_COUNT - 1));
    switch (step.action) {
    case FlowAction::ChangeScene: switchScene(step.value); break;
    case FlowAction::FlyOut:
        for (const std::unique_ptr<Player2D>& ship : players) {
            transitions.add(std::make_unique<PlayerOutUp>(ship->position));
            ship->cancelWeapons();
        }
        break;
    case FlowAction::DropTransitions: transitions.clear(); break;
    case FlowAction::NextSequence: nextSequence(); break;
    case FlowAction::LoadSequence: loadFlowSequence(step.value); break;
    case FlowAction::FlyIn:
        for (size_t i = 0; i < players.size(); ++i)
            transitions.add(std::make_unique<PlayerInUp>(FLY_IN_FROM, FLY_IN_TO));
        break;
    case FlowAction::Transform:
        if (!players.empty())
            transitions.add(std::make_unique<Player2D3DTransition>(players[0]->position));
        transitions.inputAllowed = 0;
        break;
    case FlowAction::Warning: transitions.add(std::make_unique<WarningTransition>(WARNING_AT)); break;
    case FlowAction::Tally: startTally(); break;
    case FlowAction::EndTally: endTally(); break;
    case FlowAction::PlaceShips:
        for (const std::unique_ptr<Player2D>& ship : players)
            ship->position = {step.x, step.y};
        break;
    case FlowAction::Fade: fade = std::make_unique<ScreenFade>(sf::Color::Black, step.value == 1, step.x); break;
    case FlowAction::StopAllSounds:
        soundManager().stopAll();
        music_.forgetIntros();
        break;
    case FlowAction::PlayTrack: music_.startTrack(deck, track, step.x); break;
    case FlowAction::StopTrack: music_.stopTrack(deck, track); break;
    case FlowAction::FadeOutTrack: MusicUpkeep::startFadeOut(deck, track, step.x); break;
    case FlowAction::EnterBossLevel:
        for (const std::unique_ptr<Player2D>& ship : players)
            ship->bossLevel = 1;
        break;
    case FlowAction::LeaveBossLevel:
        for (const std::unique_ptr<Player2D>& ship : players) {
            ship->bossLevel = 0;
            ship->blinking = 1;
            ship->blinkTimer = 0.f;
        }
        break;
    case FlowAction::ClearBossLevel:
        for (const std::unique_ptr<Player2D>& ship : players)
            ship->bossLevel = 0;
        break;
    case FlowAction::SpawnBoss:
        if (step.value == BOSS_MURZEL)
            spawnBossMurzel();
        else
            spawnBossIcarus();
        break;
    case FlowAction::Explode: createExplosionPattern(step.value); break;
    case FlowAction::ClearEnemies:
        spawner.clear();
        spawnPatterns.clear();
        enemies.enemies.clear();
        break;
    case FlowAction::WaitForContinue: waitingForContinue = true; break;
    case FlowAction::StopWaiting: waitingForContinue = false; break;
    case FlowAction::FinishGame: return true;
    }
    return false;
}

void GameState::loadFlowSequence(int index)
{
    spawner.loadSequence(index, [this](int d) { turnToScrollDirection(d); });
    level_flow::closeSequence(spawner.pending);
}

void GameState::startTally()
{
    for (int i = 0; i < playerCount && i < MAX_PLAYERS; ++i)
        scoreboards[i].reset();
    if (playerCount == 1) {
        scoreboards[0] = std::make_unique<Scoreboard>(players[0].get(), scores, scoreCounters);
    } else {
        for (int i = 0; i < playerCount && i < MAX_PLAYERS; ++i)
            scoreboards[i] = std::make_unique<Scoreboard>(players[i].get(), i, scores, scoreCounters);
    }
    for (const std::unique_ptr<Player2D>& ship : players) {
        ship->blinking = 1;
        ship->blinkTimer = 0.f;
    }
}

void GameState::endTally()
{
    for (std::unique_ptr<Scoreboard>& board : scoreboards)
        board.reset();
    for (const std::unique_ptr<Player2D>& ship : players) {
        ship->bossScore = 0.0;
        ship->timeBonus = 0.f;
    }
}
