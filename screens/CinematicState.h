#pragma once
// The credits cut-scene after the last level: the 3D credits scene plays behind
// it; a new "Pass" press or the end of the scene goes on to the high scores,
// handing the finished game's scores on.
#include "engine/Services.h"
#include "platform/Bindings.h"
#include "states/MainState.h"

#include <vector>

class CinematicState : public MainState {
public:
    CinematicState(const Services& services, std::vector<unsigned> scores);
    ~CinematicState() override;

    std::vector<unsigned> getScores() override { return scores_; }
    StateCode checkKeys(const sf::Event::KeyEvent&) override { return StateCode::Stay; }
    StateCode handleMouseClick(const sf::Event::MouseButtonEvent&, sf::Vector2i) override { return StateCode::Stay; }
    void joystickConnected(unsigned) override {}
    StateCode update(float frameTime) override;
    void draw(sf::RenderWindow&) override {}

private:
    bool passWasPressed_ = true; // a press still held from the previous screen does not skip
    World3D& world_;
    BindingMap bindings_;
    std::vector<unsigned> scores_;
};
