// Player input in play: movement, sprite, aim, shots, the shield-and-laser
// cycle and the speed level of every live ship.
#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "enemies/LevelFiles.h"
#include "engine/Math3D.h"
#include "gameplay/GameBindings.h"
#include "gameplay/GameState.h"
#include "platform/GamePad.h"
#include "platform/Input.h"
#include "play/Laser.h"

#include <cmath>

namespace {

constexpr float STICK_DEAD_ZONE = 10.f; // percent of the stick's range

// The laser's start angle when no shot is held, by scroll direction.
float laserAngleForScroll(int direction)
{
    switch (direction) {
    case scroll_direction::UP:
    case scroll_direction::DOWN: return -90.f;
    case scroll_direction::LEFT: return 180.f;
    default: return 0.f;
    }
}

// The way the ship faces in a level of this scroll direction: where shots go
// while the aiming stick rests (a keyboard player has no stick to aim with).
float facingAngle(int direction)
{
    switch (direction) {
    case scroll_direction::UP: return -90.f;
    case scroll_direction::DOWN: return 90.f;
    case scroll_direction::LEFT: return 180.f;
    default: return 0.f;
    }
}

} // namespace

float getStickAngle(unsigned padIndex, float restingAngle)
{
    pad::PadState state;
    float x = 0.f, y = 0.f;
    if (pad::getState(padIndex, state)) {
        x = state.thumbRX * 100.f / 32768.f;
        y = state.thumbRY * 100.f / 32768.f;
    }
    if (std::fabs(x) >= STICK_DEAD_ZONE || std::fabs(y) >= STICK_DEAD_ZONE)
        return std::atan2(-y, x) * 180.f / PI_F;
    return restingAngle;
}

void GameState::handlePlayerInput(float dt)
{
    for (int i = 0; i < playerCount_; ++i)
        if (isLive(i))
            playerInput(i, dt);
}

void GameState::playerInput(int i, float dt)
{
    Player2D& ship = *players[i];
    // 1-2. Direction and sprite; each direction is the stick-and-key action or its d-pad twin.
    ship.steer({
        held(game_action::UP, i) || held(game_action::UP_PAD, i),
        held(game_action::RIGHT, i) || held(game_action::RIGHT_PAD, i),
        held(game_action::DOWN, i) || held(game_action::DOWN_PAD, i),
        held(game_action::LEFT, i) || held(game_action::LEFT_PAD, i),
    });

    // 3. Aim.
    const float stick = getStickAngle(static_cast<unsigned>(i), facingAngle(scrollDirection_));
    ship.selectShootPoints(stick);

    // 4. Shots.
    const bool shooting = held(game_action::SHOOT, i) || held(game_action::SHOOT_AIM, i);
    const Shot shot = ship.pullTrigger(shooting);
    if (shot != Shot::None) {
        soundManager().playSound(SFX_SHOOT);
        if (shot == Shot::Fan)
            shots->spawn(ship, i);
        else
            shots->spawnFromEnemy(ship, i);
    }

    // 5. Shield and laser cycle.
    const bool laserHeld = held(game_action::LASER, i);
    if (laserHeld)
        ship.raiseShield();
    if (ship.mode == WeaponMode::Charging && (!laserHeld || ship.gauge <= 0.f))
        ship.releaseCharge(shooting ? ship.angle : laserAngleForScroll(scrollDirection_));
    ship.steerLaser(dt, shooting, stick);

    // 6. Speed: a press sets it once; in normal mode what is held decides.
    ship.holdSpeedKeys(held(game_action::DOWN_SPEED, i), held(game_action::UP_SPEED, i));

    // 7. Developer key: more lives for player 1.
    if (input::isKeyPressed(sf::Keyboard::F) && keyLeftToPlay(sf::Keyboard::F))
        players[0]->gainLives(10);
}
