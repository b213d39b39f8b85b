// The bosses' 2D art: the health bar (a segmented glowing abdomen in a
// chitin frame with mandible hooks) and the hatching sac from which the
// first boss's spawners release side bees (12 frames of 106 x 150).
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Generator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

using namespace assetgen;

namespace {

constexpr float PI = 3.14159265f;

constexpr int BAR_WIDTH = 994;
constexpr int BAR_HEIGHT = 13;
constexpr int BAR_FRAMES = 4;
// The border frames the bar: 6 px at the sides, 10 px above and below.
constexpr int BORDER_WIDTH = BAR_WIDTH + 12;
constexpr int BORDER_HEIGHT = BAR_HEIGHT + 20;
constexpr int WINDOW_LEFT = 6;
constexpr int WINDOW_TOP = 10;

constexpr int SAC_WIDTH = 106;
constexpr int SAC_HEIGHT = 150;
constexpr int SAC_FRAMES = 12;

void paintBarFrame(Canvas& c, int x0, int frame)
{
    for (int y = 0; y < BAR_HEIGHT; ++y) {
        const float v = static_cast<float>(y) / (BAR_HEIGHT - 1);
        // Bright upper edge, hot core, dark lower edge.
        const float core = 1.f - std::abs(v - 0.35f) * 1.6f;
        const Rgba base = mix(rgb(90, 8, 12), rgb(255, 70, 30), std::clamp(core, 0.f, 1.f));
        for (int x = 0; x < BAR_WIDTH; ++x)
            c.at(x0 + x, y) = base;
    }
    // Segments of the abdomen, one every 31 px, with a dark seam.
    for (int s = 0; s < BAR_WIDTH; s += 31)
        for (int y = 0; y < BAR_HEIGHT; ++y) {
            c.blend(x0 + s, y, rgb(40, 0, 5), 0.8f);
            if (s + 1 < BAR_WIDTH)
                c.blend(x0 + s + 1, y, rgb(255, 170, 110), 0.25f);
        }
    // A pulse of light running along the bar: each frame a quarter further.
    for (int p = 0; p < 4; ++p) {
        const float cx = std::fmod(p * 250.f + frame * 62.5f, static_cast<float>(BAR_WIDTH));
        for (int x = std::max(0, static_cast<int>(cx - 60)); x < std::min(BAR_WIDTH, static_cast<int>(cx + 60)); ++x) {
            const float k = 1.f - std::abs(x - cx) / 60.f;
            for (int y = 1; y < BAR_HEIGHT - 2; ++y)
                c.add(x0 + x, y, rgb(255, 210, 120), 0.45f * k * k);
        }
    }
    for (int x = 0; x < BAR_WIDTH; ++x)
        c.add(x0 + x, 1, rgb(255, 230, 200), 0.35f);
}

void healthBar(const Context& ctx)
{
    Canvas c(BAR_WIDTH * BAR_FRAMES, BAR_HEIGHT);
    for (int f = 0; f < BAR_FRAMES; ++f)
        paintBarFrame(c, f * BAR_WIDTH, f);
    saveOrThrow(c, ctx.path("2D/Boss/Icarus/HealthBar.png"));
}

void healthBarBorder(const Context& ctx)
{
    Canvas c(BORDER_WIDTH, BORDER_HEIGHT);
    const Rgba shell = rgb(38, 46, 40);
    const Rgba rim = rgb(150, 200, 120);
    // The carapace bands above and below the window.
    c.verticalGradient(0, 0, BORDER_WIDTH, WINDOW_TOP, rgb(70, 86, 66), shell);
    c.verticalGradient(0, WINDOW_TOP + BAR_HEIGHT, BORDER_WIDTH, BORDER_HEIGHT - WINDOW_TOP - BAR_HEIGHT, shell,
                       rgb(18, 22, 20));
    c.fillRect(0, WINDOW_TOP, WINDOW_LEFT, BAR_HEIGHT, shell);
    c.fillRect(BORDER_WIDTH - WINDOW_LEFT, WINDOW_TOP, WINDOW_LEFT, BAR_HEIGHT, shell);
    // Plates with ridges between them.
    for (int s = 0; s < BORDER_WIDTH; s += 62) {
        c.line(s, 1, s + 8, WINDOW_TOP - 1, 2.f, rgb(20, 26, 22));
        c.line(s + 8, WINDOW_TOP + BAR_HEIGHT + 1, s, BORDER_HEIGHT - 1, 2.f, rgb(10, 12, 10));
        c.glow(s + 31, 4, 5, rim, 0.35f);
    }
    // Thin lit rims on the window's edges.
    c.fillRect(WINDOW_LEFT - 1, WINDOW_TOP - 1, BAR_WIDTH + 2, 1, rim);
    c.fillRect(WINDOW_LEFT - 1, WINDOW_TOP + BAR_HEIGHT, BAR_WIDTH + 2, 1, rgb(90, 120, 80));
    // Mandible hooks at both ends and small leg spurs along the top.
    for (int side = 0; side < 2; ++side) {
        const float x = side == 0 ? 0.f : static_cast<float>(BORDER_WIDTH);
        const float d = side == 0 ? 1.f : -1.f;
        c.fillPolygon({{x, 0}, {x + d * 26, 3}, {x + d * 14, 16}, {x + d * 30, 30}, {x, 33}}, rgb(60, 74, 56));
        c.line(x + d * 3, 4, x + d * 22, 4, 1.5f, rim);
        c.glow(x + d * 12, 16, 7, rgb(255, 60, 40), 0.9f);
        c.fillCircle(x + d * 12, 16, 2.5f, rgb(255, 120, 90));
    }
    for (int k = 1; k < 16; ++k) {
        const float x = k * BORDER_WIDTH / 16.f;
        c.fillPolygon({{x - 5, 3}, {x + 5, 3}, {x, 0}}, rim);
    }
    // The window stays clear: the bar shows through it.
    for (int y = WINDOW_TOP; y < WINDOW_TOP + BAR_HEIGHT; ++y)
        for (int x = WINDOW_LEFT; x < WINDOW_LEFT + BAR_WIDTH; ++x)
            c.at(x, y) = Rgba{0, 0, 0, 0};
    saveOrThrow(c, ctx.path("2D/Boss/Icarus/HealthBarBorder.png"));
}

// One frame of the hatching sac: it swells and throbs (0..5), splits along
// glowing cracks (6..8), then bursts open in a spray of light (9..11).
void paintSac(Canvas& c, int x0, int f)
{
    const float cx = x0 + SAC_WIDTH / 2.f;
    const float cy = SAC_HEIGHT / 2.f;
    const float t = static_cast<float>(f) / (SAC_FRAMES - 1);
    Lcg rng{static_cast<uint32_t>(91 + f)};
    if (f < 9) {
        const float swell = 0.7f + 0.3f * std::min(1.f, t * 1.5f) + 0.04f * std::sin(f * 2.1f);
        const float rx = 40.f * swell;
        const float ry = 66.f * swell;
        c.glow(cx, cy, ry * 1.1f, rgb(120, 255, 90), 0.25f + 0.5f * t);
        c.fillEllipse(cx, cy, rx, ry, rgb(70, 90, 40));
        c.fillEllipse(cx - rx * 0.15f, cy - ry * 0.12f, rx * 0.8f, ry * 0.82f, rgb(130, 160, 60));
        c.fillEllipse(cx - rx * 0.3f, cy - ry * 0.35f, rx * 0.25f, ry * 0.18f, rgb(220, 240, 170, 0.7f));
        // Ribs of the membrane, pole to pole.
        for (int k = -2; k <= 2; ++k) {
            float px = cx, py = cy - ry * 0.9f;
            for (int s = 1; s <= 10; ++s) {
                const float u = s / 10.f;
                const float nx = cx + rx * 0.36f * k * std::sin(PI * u) + (rng.next() - 0.5f) * 2.f;
                const float ny = cy - ry * 0.9f + 1.8f * ry * u;
                c.line(px, py, nx, ny, 1.5f, rgb(50, 60, 25, 0.7f));
                px = nx;
                py = ny;
            }
        }
        // Something moves inside.
        c.glow(cx, cy + 6.f * std::sin(f * 1.7f), 22.f + 10.f * t, rgb(255, 230, 90), 0.3f + 0.6f * t);
        if (f >= 6) {
            const float open = (f - 5) / 3.f;
            for (int k = 0; k < 7; ++k) {
                const float a = k * 2.f * PI / 7.f + rng.next() * 0.4f;
                const float len = ry * (0.4f + 0.5f * open);
                c.line(cx, cy, cx + std::cos(a) * len * 0.6f, cy + std::sin(a) * len, 2.f + 2.f * open,
                       rgb(255, 250, 180));
            }
            c.glow(cx, cy, 30.f + 25.f * open, rgb(255, 255, 200), open);
        }
    } else {
        const float burst = (f - 8) / 3.f;
        c.glow(cx, cy, 45.f + 20.f * burst, rgb(200, 255, 140), 1.2f - burst * 0.6f);
        // Torn flaps of membrane thrown outward.
        for (int k = 0; k < 8; ++k) {
            const float a = k * PI / 4.f + 0.2f;
            const float d = 30.f + 28.f * burst;
            const float fx = cx + std::cos(a) * d * 0.8f;
            const float fy = cy + std::sin(a) * d * 1.2f;
            c.fillEllipse(fx, fy, 9.f - 2.f * burst, 5.f, rgb(110, 140, 50, 1.f - burst * 0.5f), a * 180.f / PI);
        }
        for (int k = 0; k < 20; ++k) {
            const float a = rng.next() * 2.f * PI;
            const float d = (20.f + rng.next() * 40.f) * (0.6f + burst);
            c.fillCircle(cx + std::cos(a) * d * 0.7f, cy + std::sin(a) * d, 2.f, rgb(230, 255, 150, 1.f - burst * 0.6f));
        }
    }
}

void hatchingSac(const Context& ctx)
{
    Canvas c(SAC_WIDTH * SAC_FRAMES, SAC_HEIGHT);
    for (int f = 0; f < SAC_FRAMES; ++f)
        paintSac(c, f * SAC_WIDTH, f);
    saveOrThrow(c, ctx.path("2D/Boss/Icarus/CreationAnim2.png"));
}

} // namespace

REGISTER_ASSETS(boss_health_bar)
{
    healthBar(ctx);
    healthBarBorder(ctx);
}

REGISTER_ASSETS(boss_hatching_sac) { hatchingSac(ctx); }
