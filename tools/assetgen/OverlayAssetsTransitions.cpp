// Level-flow animation sheets: the burst of light as a ship turns from 2D to
// 3D (19 frames of 330 x 330 in one row) and the boss WARNING banner (10
// frames of 880 x 413 in each of two rows that take turns).
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Generator.h"

#include <cmath>
#include <string>

using namespace assetgen;

namespace {

constexpr float PI = 3.14159265f;

void flashSheet(const Context& ctx)
{
    constexpr int FRAMES = 19;
    constexpr float SIZE = 330.f;
    Canvas sheet(static_cast<int>(SIZE) * FRAMES, static_cast<int>(SIZE));
    for (int f = 0; f < FRAMES; ++f) {
        Canvas c(static_cast<int>(SIZE), static_cast<int>(SIZE));
        const float t = f / static_cast<float>(FRAMES - 1);
        const float strength = t < 0.3f ? t / 0.3f : 1.f - (t - 0.3f) / 0.7f;
        const float cx = SIZE / 2.f;
        c.glow(cx, cx, 40.f + 120.f * t, rgb(120, 220, 255), 1.2f * strength);
        c.glow(cx, cx, 25.f + 40.f * t, rgb(255, 255, 255), 1.5f * strength);
        // Rays turning slowly, then a shock ring running outward.
        for (int k = 0; k < 12; ++k) {
            const float a = k * PI / 6.f + t * 0.8f;
            const float inner = 20.f + 30.f * t;
            const float outer = inner + 60.f + 80.f * strength;
            c.line(cx + std::cos(a) * inner, cx + std::sin(a) * inner, cx + std::cos(a) * outer,
                   cx + std::sin(a) * outer, 3.f * strength + 0.5f, Rgba{0.7f, 0.95f, 1.f, strength});
        }
        const float ring = 30.f + 130.f * t;
        c.ring(cx, cx, ring, 2.f + 6.f * strength, Rgba{0.5f, 0.9f, 1.f, 0.3f + 0.7f * strength});
        c.ring(cx, cx, ring * 0.7f, 2.f, Rgba{1.f, 0.4f, 0.9f, 0.8f * strength});
        sheet.draw(c, f * static_cast<int>(SIZE), 0);
    }
    saveOrThrow(sheet, ctx.path("2D/Transition/player2D3D.png"));
}

// One banner frame; row 0 burns red on black, row 1 flips to amber.
void warningFrame(Canvas& c, int frame, int row)
{
    const float w = 880.f;
    const float h = 413.f;
    const float t = frame / 10.f;
    const Rgba band = row == 0 ? rgb(40, 0, 4, 0.85f) : rgb(70, 30, 0, 0.85f);
    const Rgba hot = row == 0 ? rgb(255, 40, 40) : rgb(255, 190, 30);
    const Rgba stripe = row == 0 ? rgb(255, 200, 0) : rgb(20, 10, 10);
    c.fillRect(0.f, 90.f, w, h - 180.f, band);
    // Hazard stripes above and below the band, marching sideways.
    for (int edge = 0; edge < 2; ++edge) {
        const float y = edge == 0 ? 60.f : h - 90.f;
        c.fillRect(0.f, y, w, 30.f, row == 0 ? rgb(20, 10, 0, 0.9f) : rgb(255, 190, 30, 0.95f));
        for (float x = -60.f + std::fmod(t * 120.f, 60.f); x < w; x += 60.f)
            c.fillPolygon({{x, y}, {x + 30.f, y}, {x + 60.f, y + 30.f}, {x + 30.f, y + 30.f}}, stripe);
    }
    const float pulse = 0.6f + 0.4f * std::sin(t * PI * 2.f);
    c.glow(w / 2.f, h / 2.f, 380.f, hot, 0.35f * pulse, 1.5f);
    c.text(boldFontPath(), "WARNING", w / 2.f + 4.f, h / 2.f + 4.f, 150.f, rgb(0, 0, 0, 0.7f), true);
    c.text(boldFontPath(), "WARNING", w / 2.f, h / 2.f, 150.f, row == 0 ? mix(hot, rgb(255, 255, 255), 0.2f * pulse) : hot,
           true);
    c.text(boldFontPath(), "HUGE ENEMY APPROACHING", w / 2.f, h - 122.f, 26.f, row == 0 ? rgb(255, 200, 200) : rgb(255, 240, 200),
           true);
}

void warningSheet(const Context& ctx)
{
    constexpr int FRAMES = 10;
    constexpr int W = 880;
    constexpr int H = 413;
    Canvas sheet(W * FRAMES, H * 2);
    for (int row = 0; row < 2; ++row)
        for (int f = 0; f < FRAMES; ++f) {
            Canvas c(W, H);
            warningFrame(c, f, row);
            sheet.draw(c, f * W, row * H);
        }
    saveOrThrow(sheet, ctx.path("2D/Transition/Warning.png"));
}

} // namespace

REGISTER_ASSETS(overlay_transitions)
{
    flashSheet(ctx);
    warningSheet(ctx);
}
