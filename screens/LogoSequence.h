#pragma once
// The pictures shown before the menu (studio logo, school logo, scenario,
// product logo), each fading in, holding and fading out, cut short by "Skip".
#include "platform/Input.h"

#include <array>

namespace logo_stage {
constexpr int STUDIO = 0;
constexpr int SCHOOL = 1;
constexpr int SCENARIO = 2;
constexpr int PRODUCT = 3;
constexpr int MENU = 4; // logos done
} // namespace logo_stage

class LogoSequence {
public:
    static constexpr float FADE_SECONDS = 1.f;
    static constexpr float HOLD_SECONDS = 3.f;
    static constexpr float SCENARIO_HOLD_SECONDS = 8.5f;
    // The whole sequence when nothing is skipped: the studio logo fades out,
    // the other three fade in, hold and fade out.
    static constexpr float UNSKIPPED_SECONDS =
        FADE_SECONDS + 3 * 2 * FADE_SECONDS + 2 * HOLD_SECONDS + SCENARIO_HOLD_SECONDS;
    enum Phase { FADING_IN = 0, HOLDING = 1, FADING_OUT = 2 };

    // Picture path of each logo stage.
    static const std::array<const char*, 4> PICTURES;

    // Without logos the sequence is over from the start.
    explicit LogoSequence(bool showLogos);

    void restartClock() { clock_.restart(); }
    // One frame with the "Skip" action's state. Returns true when the stage advanced.
    bool update(bool skipHeld);

    int stage() const { return stage_; }
    int phase() const { return phase_; }
    // Opacity of the current picture, 0..255.
    int alpha() const { return alpha_; }
    bool finished() const { return stage_ >= logo_stage::MENU; }

private:
    void advance();

    int phase_ = FADING_OUT;
    timing::Clock clock_;
    int stage_;
    bool skipLatch_ = false;
    int alpha_ = 255;
};
