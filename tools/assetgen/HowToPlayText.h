#pragma once
// The words of the how-to-play pages of the menu: what each key and button does in
// this game and what the pickups give. Kept as data so that a test can hold the pages
// to the game's real bindings and pickups.
#include <vector>

namespace how_to_play {

// One line of a text page: a heading (gold, bold) or a plain line.
struct PageLine {
    const char* text;
    bool heading;
};

struct TextPage {
    const char* path; // the picture the menu shows, in the asset tree
    const char* title;
    std::vector<PageLine> lines;
};

// Every page ends with the hint the credits pages give.
constexpr const char* TURN_THE_PAGE = "Q / D: turn the page";

inline const std::vector<TextPage>& pages()
{
    static const std::vector<TextPage> PAGES = {
        {"3D/Menu/HTP/controls.png",
         "CONTROLS",
         {{"Move:  Z Q S D  /  left stick, d-pad", false},
          {"Shoot:  Space  /  A, or aim with the right stick", false},
          {"Shield:  hold L  /  right shoulder or trigger", false},
          {"Laser:  let go of L or the trigger", false},
          {"Slower:  numpad +  /  left shoulder", false},
          {"Faster:  numpad -  /  left trigger", false},
          {"Pause:  Escape  /  Start", false},
          {"Paused:  Enter / A plays on,  Backspace / B quits", false},
          {TURN_THE_PAGE, false}}},
        {"3D/Menu/HTP/lives.png",
         "LIVES",
         {{"Lives by difficulty", true},
          {"easy 5    normal 3    hard 2", false},
          {"Extra life", true},
          {"every 1, 5 or 10 million points (easy, normal, hard)", false},
          {"Continue", true},
          {"out of lives? a countdown starts:", false},
          {"press U  /  A before it ends to revive", false},
          {TURN_THE_PAGE, false}}},
        {"3D/Menu/HTP/points.png",
         "POINTS",
         {{"Insects shot down score and drop pickups", false},
          {"Pickups", true},
          {"green gem: 255 points, fills the laser gauge", false},
          {"the shield and laser (L) spend the gauge", false},
          {"with a full gauge, kills drop gold coins: 10000", false},
          {"Bosses", true},
          {"finish them fast for a bigger reward", false},
          {TURN_THE_PAGE, false}}},
    };
    return PAGES;
}

} // namespace how_to_play
