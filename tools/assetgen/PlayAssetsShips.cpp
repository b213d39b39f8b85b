// The players' ships seen from above, nose up: the idle ship, the four
// movement sheets (two 100 x 100 frames each) and the engine flames.
// Player 1 flies a silver-blue hull, player 2 a crimson hull with gold trim.
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Generator.h"

#include <cmath>
#include <string>

using namespace assetgen;

namespace {

struct ShipPalette {
    Rgba light, shade, dark, accent, canopy;
};

const ShipPalette PALETTES[2] = {
    {rgb(214, 222, 238), rgb(142, 158, 190), rgb(52, 64, 92), rgb(40, 150, 255), rgb(110, 235, 255)},
    {rgb(218, 64, 84), rgb(140, 30, 52), rgb(58, 16, 30), rgb(255, 196, 60), rgb(255, 176, 70)},
};

// How the ship is posed in a frame.
struct Pose {
    float bank = 0.f;   // -1 rolled fully left .. 1 fully right
    float thrust = 0.f; // engine glow 0..1
    float retro = 0.f;  // braking jets at the nose 0..1
};

// A fighter in a 100-pixel frame centred on (cx, cy).
void drawShip(Canvas& c, float cx, float cy, const ShipPalette& pal, const Pose& pose)
{
    const float roll = std::fabs(pose.bank);
    const float shift = pose.bank * 3.f;
    const float hullScale = 1.f - 0.22f * roll;
    // The wing on the side the ship rolls toward dips and looks shorter.
    const float leftWing = 1.f - (pose.bank < 0.f ? 0.45f : 0.12f) * roll;
    const float rightWing = 1.f - (pose.bank > 0.f ? 0.45f : 0.12f) * roll;
    auto hull = [&](float x, float y) { return Pt{cx + shift + x * hullScale, cy + y}; };
    auto wing = [&](float x, float y) {
        const float k = x < 0.f ? leftWing : rightWing;
        return Pt{cx + shift + x * k * hullScale, cy + y};
    };

    // Engine glow under the pods (the flame sprites add the exhaust).
    for (float side : {-15.f, 15.f}) {
        const Pt n = hull(side, 31.f);
        c.glow(n.x, n.y, 7.f + 9.f * pose.thrust, mix(pal.accent, rgb(255, 255, 255), 0.4f), 0.6f + 0.5f * pose.thrust, 1.6f);
    }
    // Wings, swept back, each with a trim stripe and a lit tip.
    const Rgba leftTone = pose.bank < 0.f ? mix(pal.shade, pal.dark, 0.5f * roll) : pal.shade;
    const Rgba rightTone = pose.bank > 0.f ? mix(pal.shade, pal.dark, 0.5f * roll) : mix(pal.shade, pal.dark, 0.15f);
    c.fillPolygon({wing(-7, -6), wing(-44, 20), wing(-43, 29), wing(-8, 22)}, leftTone);
    c.fillPolygon({wing(7, -6), wing(44, 20), wing(43, 29), wing(8, 22)}, rightTone);
    c.fillPolygon({wing(-20, 6), wing(-38, 19), wing(-37, 22), wing(-20, 11)}, pal.accent);
    c.fillPolygon({wing(20, 6), wing(38, 19), wing(37, 22), wing(20, 11)}, pal.accent);
    c.fillPolygon({wing(-44, 20), wing(-47, 14), wing(-46, 30), wing(-43, 29)}, pal.dark);
    c.fillPolygon({wing(44, 20), wing(47, 14), wing(46, 30), wing(43, 29)}, pal.dark);
    for (float side : {-45.5f, 45.5f}) {
        const Pt tip = wing(side, 15.f);
        c.glow(tip.x, tip.y, 4.f, side < 0 ? rgb(255, 60, 60) : rgb(60, 255, 90), 1.f, 1.2f);
    }
    // Engine pods.
    for (float side : {-15.f, 15.f}) {
        c.fillPolygon({hull(side - 5, 4), hull(side + 5, 4), hull(side + 5, 30), hull(side - 5, 30)}, pal.dark);
        c.fillPolygon({hull(side - 4, 27), hull(side + 4, 27), hull(side + 3, 32), hull(side - 3, 32)}, rgb(30, 30, 36));
    }
    // Hull: an arrowhead body, lit from the upper left, darker on the right.
    c.fillPolygon({hull(0, -45), hull(8, -22), hull(11, 8), hull(9, 30), hull(-9, 30), hull(-11, 8), hull(-8, -22)}, pal.light);
    c.fillPolygon({hull(0, -45), hull(8, -22), hull(11, 8), hull(9, 30), hull(0, 30)}, pal.shade);
    c.line(hull(0, -40).x, hull(0, -40).y, hull(0, 28).x, hull(0, 28).y, 1.f, mix(pal.dark, pal.shade, 0.5f));
    // Trim stripes down the spine and a nose cap.
    c.fillPolygon({hull(-3, 2), hull(3, 2), hull(4, 24), hull(-4, 24)}, pal.accent);
    c.fillPolygon({hull(0, -45), hull(3, -36), hull(-3, -36)}, pal.accent);
    // Canopy with its highlight.
    const Pt canopy = hull(0, -14);
    c.fillEllipse(canopy.x, canopy.y, 4.2f * hullScale, 9.f, mix(pal.canopy, rgb(0, 0, 0), 0.35f));
    c.fillEllipse(canopy.x, canopy.y - 1.f, 3.f * hullScale, 7.f, pal.canopy);
    c.fillEllipse(canopy.x - 1.2f, canopy.y - 4.f, 1.2f, 2.5f, rgb(255, 255, 255, 0.85f));
    // Braking jets fire forward from the nose sides.
    if (pose.retro > 0.f)
        for (float side : {-7.f, 7.f}) {
            const Pt j = hull(side, -26.f);
            c.glow(j.x, j.y - 5.f, 5.f + 6.f * pose.retro, rgb(255, 220, 150), 0.9f * pose.retro, 1.5f);
        }
}

// The engine flame: 6 flickering frames of 38 x 49, exhaust pointing down from
// the nozzle near the top of the frame (the ship covers the top part).
void drawFlames(const Context& ctx, const std::string& path, Rgba outer, Rgba inner)
{
    const int frames = 6;
    Canvas sheet(38 * frames, 49);
    for (int f = 0; f < frames; ++f) {
        const float cx = 38.f * f + 19.f;
        const float len = 15.f + 5.f * std::sin(f * 2.4f) + (f % 2) * 3.f;
        const float top = 26.f;
        sheet.fillPolygon({{cx - 5.f, top}, {cx + 5.f, top}, {cx + 1.5f, top + len}, {cx - 1.5f, top + len}},
                          Rgba{outer.r, outer.g, outer.b, 0.75f});
        sheet.glow(cx, top + len * 0.35f, 10.f, outer, 0.9f, 1.4f);
        sheet.glow(cx, top + 3.f, 6.f, inner, 1.f, 1.2f);
        sheet.fillEllipse(cx, top + 3.f + len * 0.15f, 2.5f, len * 0.3f, Rgba{1.f, 1.f, 1.f, 0.9f});
    }
    saveOrThrow(sheet, ctx.path(path));
}

} // namespace

REGISTER_ASSETS(play_ships)
{
    const char* shipFiles[2] = {"2D/Player/Player01.png", "2D/Player/Normal PlayerP2.png"};
    const char* moveNames[4] = {"Front", "Left", "Back", "Right"};
    // Two frames per movement: easing in, then the full pose.
    const Pose movePoses[4][2] = {
        {{0.f, 0.15f, 0.5f}, {0.f, 0.05f, 1.f}}, // Front: braking
        {{-0.5f, 0.4f, 0.f}, {-1.f, 0.4f, 0.f}}, // Left: rolling left
        {{0.f, 0.7f, 0.f}, {0.f, 1.f, 0.f}},     // Back: full thrust
        {{0.5f, 0.4f, 0.f}, {1.f, 0.4f, 0.f}},   // Right: rolling right
    };
    for (int p = 0; p < 2; ++p) {
        Canvas idle(100, 100);
        drawShip(idle, 50.f, 50.f, PALETTES[p], Pose{0.f, 0.4f, 0.f});
        saveOrThrow(idle, ctx.path(shipFiles[p]));
        for (int m = 0; m < 4; ++m) {
            Canvas sheet(200, 100);
            for (int f = 0; f < 2; ++f)
                drawShip(sheet, 50.f + 100.f * f, 50.f, PALETTES[p], movePoses[m][f]);
            saveOrThrow(sheet, ctx.path(std::string("2D/Player/Deplacement/") + moveNames[m] + (p == 0 ? ".png" : "P2.png")));
        }
    }
    drawFlames(ctx, "2D/Player/FxTirGreen.png", rgb(60, 255, 120), rgb(220, 255, 230));
    drawFlames(ctx, "2D/Player/FxTirYellow.png", rgb(255, 210, 60), rgb(255, 250, 220));
    drawFlames(ctx, "2D/Player/FxTirOrange.png", rgb(255, 110, 30), rgb(255, 230, 180));
}
