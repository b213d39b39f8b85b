// The pictures of the logo sequence: the studio logo, the school logo, the
// scenario picture and the product logo, shown centred over black.
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Generator.h"

#include <cmath>

using namespace assetgen;

namespace {
constexpr float PI = 3.14159265f;

void studioLogo(const Context& ctx)
{
    Canvas c(900, 520);
    const Rgba gold = rgb(255, 176, 64), ember = rgb(230, 90, 30);
    c.glow(450, 200, 230, rgb(255, 120, 40), 0.35f);
    c.ring(450, 200, 150, 14, gold);
    c.ring(450, 200, 124, 4, ember);
    // A "T" cut like a blade, with a spark at its top.
    c.fillPolygon({{360, 130}, {540, 130}, {520, 160}, {380, 160}}, gold);
    c.fillPolygon({{432, 160}, {468, 160}, {462, 290}, {450, 310}, {438, 290}}, gold);
    c.glow(540, 128, 40, rgb(255, 230, 170), 0.9f);
    c.text(boldFontPath(), "Tavlo studio", 450, 420, 84, rgb(255, 236, 210), true);
    c.fillRect(250, 470, 400, 4, ember);
    c.save(ctx.path("2D/Menu/Tavlo_Crop.png"));
}

void schoolLogo(const Context& ctx)
{
    Canvas c(900, 520);
    const Rgba white = rgb(250, 250, 250);
    // A white shield with an open book on it.
    c.fillPolygon({{330, 40}, {570, 40}, {570, 190}, {450, 300}, {330, 190}}, white);
    c.fillPolygon({{350, 60}, {550, 60}, {550, 182}, {450, 274}, {350, 182}}, rgb(20, 24, 40));
    c.fillPolygon({{375, 110}, {447, 125}, {447, 215}, {375, 200}}, white);
    c.fillPolygon({{525, 110}, {453, 125}, {453, 215}, {525, 200}}, white);
    c.line(450, 122, 450, 218, 3, rgb(20, 24, 40));
    c.fillCircle(450, 84, 10, white);
    c.text(boldFontPath(), "FENNIMAR", 450, 380, 96, white, true);
    c.text(regularFontPath(), "school of games and interactive media", 450, 460, 34, white, true);
    c.save(ctx.path("2D/Menu/logo-Fennimar-blc.png"));
}

void scenarioPicture(const Context& ctx)
{
    Canvas c(1920, 1080, rgb(2, 3, 10));
    c.verticalGradient(0, 0, 1920, 1080, rgb(4, 6, 22), rgb(1, 1, 6));
    c.starfield(900, 4242, 0.9f);
    // A ringed planet low on the right, a moon and a lone ship heading to it.
    c.glow(1450, 760, 560, rgb(60, 90, 200), 0.5f);
    c.sphere(1450, 760, 380, rgb(60, 80, 170), rgb(170, 200, 255));
    c.ring(1450, 760, 470, 10, rgb(190, 170, 230, 0.55f));
    c.sphere(1040, 330, 60, rgb(120, 110, 100), rgb(230, 220, 200));
    const float sx = 520, sy = 700;
    c.glow(sx - 70, sy + 6, 60, rgb(90, 170, 255), 0.8f);
    c.fillPolygon({{sx + 70, sy}, {sx - 40, sy - 26}, {sx - 60, sy}, {sx - 40, sy + 26}}, rgb(200, 210, 225));
    c.fillPolygon({{sx - 10, sy - 14}, {sx - 50, sy - 60}, {sx - 36, sy - 14}}, rgb(150, 160, 180));
    c.fillPolygon({{sx - 10, sy + 14}, {sx - 50, sy + 60}, {sx - 36, sy + 14}}, rgb(150, 160, 180));
    c.fillEllipse(sx + 18, sy, 18, 8, rgb(80, 200, 255));

    const char* lines[] = {
        "Year 2291. The mining colonies of the Orbyndel belt have gone silent.",
        "A swarm of armoured insects, grown in the dark between the planets,",
        "has overrun the outposts one after another.",
        "",
        "Two pilots are left in the hangar of the last station.",
        "Their ships are fast, their lasers are charged.",
        "Clear the belt. Bring the colonies home.",
    };
    float y = 120;
    for (const char* line : lines) {
        c.text(regularFontPath(), line, 120, y, 44, rgb(225, 232, 255));
        y += 62;
    }
    c.save(ctx.path("2D/Menu/scenario.png"));
}

void productLogo(const Context& ctx)
{
    Canvas c(1300, 560);
    for (float x : {380.f, 650.f, 920.f})
        c.glow(x, 270, 270, rgb(40, 120, 255), 0.3f);
    // An orbit drawn as a tilted ellipse of dots behind the title.
    for (int i = 0; i < 240; ++i) {
        const float a = i * 2.f * PI / 240.f;
        const float x = 650 + 560 * std::cos(a), y = 270 + 150 * std::sin(a) - 60 * std::cos(a);
        c.fillCircle(x, y, 3.f + 2.f * (0.5f + 0.5f * std::sin(a)), rgb(120, 200, 255, 0.85f));
    }
    c.sphere(1150, 190, 34, rgb(255, 140, 60), rgb(255, 240, 200));
    c.text(boldFontPath(), "ORBYNDEL", 656, 276, 210, rgb(10, 30, 80), true);
    c.text(boldFontPath(), "ORBYNDEL", 650, 270, 210, rgb(220, 240, 255), true);
    c.text(regularFontPath(), "a Tavlo studio game", 650, 480, 44, rgb(160, 200, 255), true);
    c.save(ctx.path("2D/Menu/logoOrbyndel.png"));
}
} // namespace

REGISTER_ASSETS(menu_logos)
{
    studioLogo(ctx);
    schoolLogo(ctx);
    productLogo(ctx);
}

REGISTER_ASSETS(menu_scenario) { scenarioPicture(ctx); }
