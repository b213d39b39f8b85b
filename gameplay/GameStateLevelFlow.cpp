// The level flow inside play: each frame's plan (see LevelFlow.h) carried out
// on the state's ships, transitions, fades, music, bosses and scoreboards.
#include "audio/SoundManagerInstance.h"
#include "bosses/Boss.h"
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
    FlowInputs in;
    in.events = events;
    in.waitingForContinue = waitingForContinue_;
    in.sequenceIndex = sequenceIndex();
    in.scoreboardUp = scoreboards_[0] != nullptr;
    in.scene = services_.world.sceneId();
    in.pathEnded = services_.world.cameraPath().ended();
    in.sceneLoading = services_.world.loading();
    in.anyCountingDown = std::any_of(continueScreens.begin(), continueScreens.end(),
                                     [](const ContinueScreen& s) { return s.countingDown != 0; });

    const FlowPlan plan = level_flow::plan(in);
    for (const FlowStep& step : plan.steps)
        if (runFlowStep(step))
            return StateCode::Cinematic;
    if (plan.ran)
        services_.world.cameraPath().acknowledgeEnd(); // a finished camera path moves the flow on once
    return StateCode::Stay;
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
            ship->position = step.at;
        break;
    case FlowAction::Fade: fade_ = std::make_unique<ScreenFade>(sf::Color::Black, step.value == 1, step.seconds); break;
    case FlowAction::StopAllSounds:
        soundManager().stopAll();
        music_.forgetIntros();
        break;
    case FlowAction::PlayTrack: music_.startTrack(deck, track, step.volume); break;
    case FlowAction::StopTrack: music_.stopTrack(deck, track); break;
    case FlowAction::FadeOutTrack: MusicUpkeep::startFadeOut(deck, track, step.seconds); break;
    case FlowAction::EnterBossLevel:
        for (const std::unique_ptr<Player2D>& ship : players)
            ship->enterBossLevel();
        break;
    case FlowAction::LeaveBossLevel:
        for (const std::unique_ptr<Player2D>& ship : players)
            ship->leaveBossLevel();
        break;
    case FlowAction::ClearBossLevel:
        for (const std::unique_ptr<Player2D>& ship : players)
            ship->clearBossLevel();
        break;
    case FlowAction::SpawnBoss:
        if (static_cast<BossType>(step.value) == BossType::Murzel)
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
    case FlowAction::WaitForContinue: waitingForContinue_ = true; break;
    case FlowAction::StopWaiting: waitingForContinue_ = false; break;
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
    for (int i = 0; i < playerCount_ && i < MAX_PLAYERS; ++i)
        scoreboards_[i].reset();
    if (playerCount_ == 1) {
        scoreboards_[0] = std::make_unique<Scoreboard>(players[0].get(), scores, scoreCounters_, services_.textures);
    } else {
        for (int i = 0; i < playerCount_ && i < MAX_PLAYERS; ++i)
            scoreboards_[i] = std::make_unique<Scoreboard>(players[i].get(), i, scores, scoreCounters_, services_.textures);
    }
    for (const std::unique_ptr<Player2D>& ship : players)
        ship->startBlinking();
}

void GameState::endTally()
{
    for (std::unique_ptr<Scoreboard>& board : scoreboards_)
        board.reset();
    for (const std::unique_ptr<Player2D>& ship : players)
        ship->clearBossTally();
}
