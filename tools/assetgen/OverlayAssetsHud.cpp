// The play layer's HUD pictures: the split-flap digit strip, the side panels
// (score, lives, laser gauge, speed), the life icons, the gauge fills, the
// speedometer dial strip and its needle, and the margin border.
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Generator.h"

#include <cmath>
#include <string>

using namespace assetgen;

namespace {

const Rgba PANEL_FILL = rgb(8, 12, 30, 0.88f);
const Rgba CYAN = rgb(40, 230, 255);
const Rgba MAGENTA = rgb(255, 60, 200);
const Rgba ORANGE = rgb(255, 150, 30);
const Rgba WHITE = rgb(240, 250, 255);

// A dark panel with cut corners, a glowing edge and an optional title.
void neonPanel(Canvas& c, float x, float y, float w, float h, Rgba edge, const std::string& title)
{
    const float cut = 12.f;
    const std::vector<Pt> outline = {{x + cut, y}, {x + w, y}, {x + w, y + h - cut}, {x + w - cut, y + h}, {x, y + h}, {x, y + cut}};
    c.fillPolygon(outline, PANEL_FILL);
    for (size_t k = 0; k < outline.size(); ++k) {
        const Pt a = outline[k];
        const Pt b = outline[(k + 1) % outline.size()];
        c.line(a.x, a.y, b.x, b.y, 5.f, Rgba{edge.r, edge.g, edge.b, 0.25f});
        c.line(a.x, a.y, b.x, b.y, 2.f, edge);
    }
    if (!title.empty()) {
        c.fillRect(x + cut + 4.f, y + 6.f, w - 2.f * cut - 8.f, 22.f, Rgba{edge.r, edge.g, edge.b, 0.18f});
        c.text(boldFontPath(), title, x + w / 2.f, y + 17.f, 20.f, edge, true);
    }
}

// A dark recess where counters and bars sit.
void well(Canvas& c, float x, float y, float w, float h, Rgba edge)
{
    c.fillRect(x, y, w, h, rgb(2, 4, 10, 0.95f));
    c.line(x, y, x + w, y, 1.f, Rgba{edge.r, edge.g, edge.b, 0.6f});
    c.line(x, y + h, x + w, y + h, 1.f, Rgba{edge.r, edge.g, edge.b, 0.6f});
    c.line(x, y, x, y + h, 1.f, Rgba{edge.r, edge.g, edge.b, 0.6f});
    c.line(x + w, y, x + w, y + h, 1.f, Rgba{edge.r, edge.g, edge.b, 0.6f});
}

// One split-flap tile: two flaps with a hinge gap and a white digit.
void flapTile(Canvas& c, int x, int y, int w, int h, int half, int digit, float glyphHeight)
{
    c.verticalGradient(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w), static_cast<float>(half),
                       rgb(44, 50, 70), rgb(26, 30, 44));
    c.verticalGradient(static_cast<float>(x), static_cast<float>(y + half), static_cast<float>(w),
                       static_cast<float>(h - half), rgb(30, 34, 50), rgb(16, 18, 28));
    c.text(boldFontPath(), std::to_string(digit), x + w / 2.f, y + h / 2.f, glyphHeight, WHITE, true);
    for (int k = 0; k < w; ++k)
        c.at(x + k, y + half) = rgb(0, 0, 0);
    c.line(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x + w - 1), static_cast<float>(y), 1.f,
           rgb(90, 100, 130));
}

void digitStrip(const Context& ctx)
{
    Canvas c(210, 80);
    for (int d = 0; d < 10; ++d) {
        flapTile(c, 21 * d, 0, 21, 30, 15, d, 30.f);
        flapTile(c, 18 * d, 54, 18, 26, 13, d, 26.f);
    }
    saveOrThrow(c, ctx.path("2D/Text/chiffres.png"));
}

// A small ship seen from above, for the lives panel.
void lifeIcon(const Context& ctx, const char* name, Rgba hull, Rgba glowColour)
{
    Canvas c(64, 64);
    c.glow(32.f, 36.f, 30.f, glowColour, 0.5f);
    c.fillPolygon({{32, 4}, {44, 40}, {60, 52}, {40, 50}, {32, 60}, {24, 50}, {4, 52}, {20, 40}}, hull);
    c.fillPolygon({{32, 14}, {37, 34}, {32, 40}, {27, 34}}, rgb(150, 230, 255));
    c.glow(32.f, 58.f, 8.f, ORANGE, 0.9f);
    saveOrThrow(c, ctx.path(std::string("2D/UI/") + name));
}

// The gauge fill: 35 px wide, brightest at its top, drawn flipped so it grows up.
void laserFill(const Context& ctx, const char* name, Rgba colour)
{
    Canvas c(35, 228);
    for (int y = 0; y < 228; ++y)
        for (int x = 0; x < 35; ++x) {
            const float across = 1.f - std::fabs(x - 17.f) / 18.f;
            const float pulse = 0.75f + 0.25f * std::sin(y * 0.35f);
            const float k = (0.45f + 0.55f * across) * pulse;
            c.at(x, y) = Rgba{std::fmin(1.f, colour.r * k + 0.35f * across * across),
                              std::fmin(1.f, colour.g * k + 0.35f * across * across),
                              std::fmin(1.f, colour.b * k + 0.35f * across * across), 1.f};
        }
    for (int y = 0; y < 228; y += 12)
        c.fillRect(0.f, static_cast<float>(y), 35.f, 1.f, rgb(0, 0, 0, 0.55f));
    saveOrThrow(c, ctx.path(std::string("2D/UI/") + name));
}

// Four 75 x 58 dial frames: laser mode, then speeds 480, 720 and 960. The
// needle's pivot lies at (37, 36) of a frame; angle 0 points left, 90 up.
void speedometer(const Context& ctx)
{
    Canvas c(300, 58);
    const Rgba zoneColours[4] = {MAGENTA, rgb(60, 255, 120), CYAN, ORANGE};
    for (int f = 0; f < 4; ++f) {
        const float cx = 75.f * f + 37.f;
        const float cy = 36.f;
        c.fillCircle(cx, cy, 33.f, rgb(6, 10, 24, 0.95f));
        // The lit zone of the frame's state: the sweep up to its rest angle.
        const float lit[4] = {20.f, 90.f, 170.f, 220.f};
        for (float a = -35.f; a <= 230.f; a += 1.f) {
            const float rad = a * 3.14159265f / 180.f;
            const float dx = -std::cos(rad);
            const float dy = -std::sin(rad);
            const bool on = a <= lit[f];
            const Rgba col = on ? zoneColours[f] : rgb(50, 60, 80);
            c.line(cx + dx * 26.f, cy + dy * 26.f, cx + dx * 31.f, cy + dy * 31.f, 2.f, col);
        }
        for (int t = 0; t <= 8; ++t) {
            const float rad = (-35.f + t * 33.f) * 3.14159265f / 180.f;
            c.line(cx - std::cos(rad) * 20.f, cy - std::sin(rad) * 20.f, cx - std::cos(rad) * 25.f,
                   cy - std::sin(rad) * 25.f, 1.5f, WHITE);
        }
        c.ring(cx, cy, 33.f, 1.5f, zoneColours[f]);
        c.fillCircle(cx, cy, 4.f, rgb(200, 210, 230));
    }
    saveOrThrow(c, ctx.path("2D/UI/Speedometer.png"));
}

void needle(const Context& ctx)
{
    // The pivot is at (39, 1): the needle points left from it.
    Canvas c(44, 3);
    c.fillPolygon({{0, 1}, {39, 0}, {43, 1}, {39, 2}}, rgb(255, 60, 60));
    c.fillRect(2.f, 1.f, 36.f, 1.f, rgb(255, 200, 200));
    saveOrThrow(c, ctx.path("2D/UI/Needle.png"));
}

void panels(const Context& ctx)
{
    {
        Canvas c(234, 92);
        neonPanel(c, 1, 1, 232, 90, CYAN, "SCORE");
        well(c, 12, 36, 212, 44, CYAN);
        saveOrThrow(c, ctx.path("2D/UI/Score.png"));
    }
    {
        Canvas c(222, 130);
        neonPanel(c, 1, 1, 220, 128, CYAN, "LIVES");
        well(c, 150, 66, 56, 42, CYAN);
        c.text(boldFontPath(), "x", 128.f, 88.f, 26.f, WHITE, true);
        saveOrThrow(c, ctx.path("2D/UI/Lives.png"));
    }
    {
        Canvas c(232, 322);
        neonPanel(c, 1, 1, 230, 320, MAGENTA, "LASER");
        well(c, 93, 65, 43, 236, MAGENTA);
        for (int k = 0; k <= 10; ++k) {
            const float y = 297.f - 22.8f * k;
            c.line(80.f, y, 90.f, y, k % 5 == 0 ? 2.f : 1.f, WHITE);
            c.line(139.f, y, 149.f, y, k % 5 == 0 ? 2.f : 1.f, WHITE);
        }
        c.text(boldFontPath(), "MAX", 188.f, 70.f, 16.f, MAGENTA, true);
        saveOrThrow(c, ctx.path("2D/UI/Laser.png"));
    }
    {
        Canvas c(222, 110);
        neonPanel(c, 1, 1, 220, 108, CYAN, "SPEED");
        saveOrThrow(c, ctx.path("2D/UI/Speed.png"));
    }
    {
        // The margin beside the play column: a glowing rail with notches.
        Canvas c(120, 1080);
        c.fillRect(100.f, 0.f, 20.f, 1080.f, rgb(6, 10, 24, 0.9f));
        c.line(118.f, 0.f, 118.f, 1080.f, 2.f, CYAN);
        for (int y = 20; y < 1080; y += 60)
            c.fillPolygon({{100, static_cast<float>(y)}, {116, static_cast<float>(y + 10)},
                           {116, static_cast<float>(y + 30)}, {100, static_cast<float>(y + 40)}},
                          Rgba{CYAN.r, CYAN.g, CYAN.b, 0.35f});
        saveOrThrow(c, ctx.path("2D/UI/Border.png"));
    }
}

} // namespace

REGISTER_ASSETS(overlay_hud)
{
    digitStrip(ctx);
    panels(ctx);
    lifeIcon(ctx, "Life.png", rgb(70, 170, 255), CYAN);
    lifeIcon(ctx, "LifeP2.png", rgb(255, 90, 190), MAGENTA);
    laserFill(ctx, "LaserInBar.png", rgb(60, 200, 255));
    laserFill(ctx, "LaserInBarP2.png", rgb(255, 80, 200));
    speedometer(ctx);
    needle(ctx);
}
