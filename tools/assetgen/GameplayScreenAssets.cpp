// The two full-screen notices of a game in play: the pause panel and the
// game-over title, both drawn centred over the action.
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Generator.h"

using namespace assetgen;

REGISTER_ASSETS(gameplay_pause)
{
    // 900 x 420: a dark glass panel with the title and the three keys.
    Canvas c(900, 420);
    c.verticalGradient(10, 10, 880, 400, rgb(10, 24, 48, 0.88f), rgb(4, 10, 24, 0.92f));
    outline(c, 10, 10, 880, 400, rgb(40, 230, 255), 4.f);
    outline(c, 22, 22, 856, 376, rgb(40, 230, 255, 0.35f), 2.f);
    c.glow(450, 130, 300, rgb(40, 160, 255), 0.35f, 2.f);
    c.text(boldFontPath(), "PAUSE", 450, 130, 120, rgb(230, 250, 255), true);
    c.line(200, 215, 700, 215, 2.f, rgb(40, 230, 255, 0.6f));
    c.text(boldFontPath(), "ENTER  resume", 450, 270, 40, rgb(120, 240, 255), true);
    c.text(boldFontPath(), "BACKSPACE  quit to the menu", 450, 335, 40, rgb(255, 120, 200), true);
    saveOrThrow(c, ctx.path("2D/pause.png"));
}

REGISTER_ASSETS(gameplay_game_over)
{
    // 1400 x 400: the title in hot red with a glow and a thin underline.
    Canvas c(1400, 400);
    c.glow(700, 190, 680, rgb(255, 40, 40), 0.45f, 2.5f);
    c.text(boldFontPath(), "GAME OVER", 704, 196, 220, rgb(60, 0, 0, 0.8f), true);
    c.text(boldFontPath(), "GAME OVER", 700, 190, 220, rgb(255, 70, 60), true);
    c.line(250, 330, 1150, 330, 4.f, rgb(255, 120, 90, 0.8f));
    c.text(regularFontPath(), "the swarm has won this time", 700, 370, 36, rgb(255, 200, 190), true);
    saveOrThrow(c, ctx.path("2D/Gameover.png"));
}
