#include "screens/LogoSequence.h"

const std::array<const char*, 4> LogoSequence::PICTURES = {
    "2D/Menu/Tavlo_Crop.png", "2D/Menu/logo-Fennimar-blc.png", "2D/Menu/scenario.png", "2D/Menu/logoOrbyndel.png"};

LogoSequence::LogoSequence(bool showLogos) : stage_(showLogos ? logo_stage::STUDIO : logo_stage::MENU) {}

void LogoSequence::advance()
{
    phase_ = FADING_IN;
    clock_.restart();
    ++stage_;
    alpha_ = 0;
}

bool LogoSequence::update(bool skipHeld)
{
    if (finished())
        return false;
    const int stageBefore = stage_;

    if (!skipHeld) {
        skipLatch_ = false;
    } else if (!skipLatch_) {
        advance();
        skipLatch_ = true;
    }

    const float t = clock_.getElapsedTime().asSeconds();
    switch (phase_) {
    case FADING_OUT:
        if (t > FADE_SECONDS)
            advance();
        else
            alpha_ = static_cast<int>(255.f - 255.f * t);
        break;
    case HOLDING: {
        const float hold = stage_ == logo_stage::SCENARIO ? SCENARIO_HOLD_SECONDS : HOLD_SECONDS;
        if (t > hold) {
            phase_ = FADING_OUT;
            clock_.restart();
        }
        break;
    }
    case FADING_IN:
        if (t > FADE_SECONDS) {
            clock_.restart();
            phase_ = HOLDING;
            alpha_ = 255;
        } else if (stage_ == logo_stage::STUDIO) {
            // The studio logo comes at full strength.
            clock_.restart();
            phase_ = HOLDING;
        } else {
            alpha_ = static_cast<int>(255.f * t);
        }
        break;
    }
    return stage_ != stageBefore;
}
