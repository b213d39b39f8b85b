#include "screens/CinematicState.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "engine/SceneChange.h"
#include "engine/Scenes.h"
#include "platform/GamePad.h"

#include <iostream>

CinematicState::CinematicState(const Services& services, std::vector<unsigned> scores)
    : world_(services.world), scores_(std::move(scores))
{
    bindings_["Pass"] = {pad::A, sf::Keyboard::Enter, binding_axis::NONE, binding_direction::EITHER};

    SoundManager& sound = soundManager();
    sound.stopAll();
    changeScene(scene::CREDITS, 0.f);
    world_.cameraPath().watchForEnd();
    sound.playTrack(MUSIC_STAFF_ROLL);

    for (unsigned s : scores_)
        std::cout << s << std::endl;
}

CinematicState::~CinematicState() { soundManager().stopAll(); }

StateCode CinematicState::update(float /*frameTime*/)
{
    const bool pressed = isActionPressed(bindings_, "Pass", 0);
    if (pressed && !passWasPressed_)
        return StateCode::HighScores;
    passWasPressed_ = pressed;
    if (!world_.cameraPath().ended())
        return StateCode::Stay;
    soundManager().stopAll();
    return StateCode::HighScores;
}
