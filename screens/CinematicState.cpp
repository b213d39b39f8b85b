#include "screens/CinematicState.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "engine/Engine.h"
#include "engine/SceneChange.h"
#include "engine/Scenes.h"
#include "platform/GamePad.h"

#include <iostream>

CinematicState::CinematicState(std::vector<unsigned> scores) : scores_(std::move(scores))
{
    bindings_["Pass"] = {pad::A, sf::Keyboard::Enter, binding_axis::NONE, binding_direction::EITHER};

    SoundManager& sound = soundManager();
    sound.stopAll();
    changeScene(scene::CREDITS, 0.f);
    engine().world.cameraPath().watchForEnd();
    sound.playTrack(MUSIC_STAFF_ROLL);

    for (unsigned s : scores_)
        std::cout << s << std::endl;
}

CinematicState::~CinematicState() { soundManager().stopAll(); }

StateCode CinematicState::update(float /*frameTime*/)
{
    const bool pressed = isActionPressed(bindings_, "Pass", 0);
    if (pressed && !passWasPressed_)
        return state_code::HIGH_SCORES;
    passWasPressed_ = pressed;
    if (!engine().world.cameraPath().ended())
        return state_code::STAY;
    soundManager().stopAll();
    return state_code::HIGH_SCORES;
}
