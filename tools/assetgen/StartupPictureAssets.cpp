// Pictures loaded at start-up: the window icon (the ship emblem), the
// crosshair and the grey noise texture of the noise shader.
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Generator.h"

#include <cmath>
#include <stb/stb_perlin.h>

using namespace assetgen;

namespace {

// A fighter seen from above, nose up, in a 256-unit frame centred on (cx, cy).
void drawFighter(Canvas& c, float cx, float cy, float s)
{
    auto p = [&](float x, float y) { return Pt{cx + x * s, cy + y * s}; };
    const Rgba hullDark = rgb(70, 84, 110), hull = rgb(196, 208, 226), accent = rgb(230, 70, 60);
    // Engine flames below the hull.
    c.glow(cx - 18 * s, cy + 76 * s, 26 * s, rgb(255, 150, 60), 1.f, 1.5f);
    c.glow(cx + 18 * s, cy + 76 * s, 26 * s, rgb(255, 150, 60), 1.f, 1.5f);
    c.fillPolygon({p(-24, 60), p(-12, 60), p(-18, 96)}, rgb(255, 210, 120));
    c.fillPolygon({p(12, 60), p(24, 60), p(18, 96)}, rgb(255, 210, 120));
    // Swept wings with red tips.
    c.fillPolygon({p(-14, -6), p(-84, 44), p(-80, 60), p(-16, 40)}, hullDark);
    c.fillPolygon({p(14, -6), p(84, 44), p(80, 60), p(16, 40)}, hullDark);
    c.fillPolygon({p(-84, 44), p(-92, 30), p(-90, 62), p(-80, 60)}, accent);
    c.fillPolygon({p(84, 44), p(92, 30), p(90, 62), p(80, 60)}, accent);
    // Hull: a long arrowhead body with twin engine pods.
    c.fillPolygon({p(0, -96), p(18, -40), p(26, 30), p(20, 64), p(-20, 64), p(-26, 30), p(-18, -40)}, hull);
    c.fillPolygon({p(0, -96), p(18, -40), p(26, 30), p(20, 64), p(0, 64)}, rgb(150, 164, 188));
    c.fillRect(cx - 30 * s, cy + 20 * s, 14 * s, 44 * s, hullDark);
    c.fillRect(cx + 16 * s, cy + 20 * s, 14 * s, 44 * s, hullDark);
    // Nose stripe and cockpit canopy.
    c.fillPolygon({p(0, -96), p(6, -78), p(-6, -78)}, accent);
    c.fillEllipse(cx, cy - 34 * s, 9 * s, 20 * s, rgb(40, 140, 220));
    c.fillEllipse(cx - 3 * s, cy - 42 * s, 3 * s, 8 * s, rgb(190, 235, 255));
}

} // namespace

REGISTER_ASSETS(startup_pictures)
{
    // The window icon: the fighter inside a glowing orbit badge.
    const int size = 256;
    const float mid = size / 2.f;
    Canvas icon(size, size);
    icon.fillCircle(mid, mid, 124.f, rgb(10, 16, 40));
    for (int r = 120; r > 0; r -= 4)
        icon.fillCircle(mid, mid - (120 - r) * 0.25f, static_cast<float>(r), rgb(20, 40, 90, 0.08f));
    icon.starfield(40, 7, 0.8f);
    icon.ring(mid, mid, 118.f, 8.f, rgb(80, 200, 255));
    icon.ring(mid, mid, 124.f, 3.f, rgb(20, 70, 140));
    icon.glow(mid, mid, 120.f, rgb(40, 120, 255), 0.25f, 2.f);
    // The orbit: a tilted ellipse passing behind then in front of the ship.
    for (int k = 0; k < 360; k += 2) {
        float a = k * 3.14159265f / 180.f;
        float x = mid + 104.f * std::cos(a), y = mid + 34.f * std::sin(a);
        float rx = mid + (x - mid) * std::cos(-0.45f) - (y - mid) * std::sin(-0.45f);
        float ry = mid + (x - mid) * std::sin(-0.45f) + (y - mid) * std::cos(-0.45f);
        if (std::sin(a) < 0.f)
            icon.fillCircle(rx, ry, 2.6f, rgb(255, 200, 90));
    }
    drawFighter(icon, mid, mid + 4.f, 1.f);
    for (int k = 0; k < 360; k += 2) {
        float a = k * 3.14159265f / 180.f;
        float x = mid + 104.f * std::cos(a), y = mid + 34.f * std::sin(a);
        float rx = mid + (x - mid) * std::cos(-0.45f) - (y - mid) * std::sin(-0.45f);
        float ry = mid + (x - mid) * std::sin(-0.45f) + (y - mid) * std::cos(-0.45f);
        if (std::sin(a) >= 0.f)
            icon.fillCircle(rx, ry, 2.6f, rgb(255, 200, 90));
    }
    // Nothing outside the badge: the corners stay transparent.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float outside = std::hypot(x + 0.5f - mid, y + 0.5f - mid) - 126.f;
            if (outside > 0.f)
                icon.at(x, y).a *= std::fmax(0.f, 1.f - outside);
        }
    saveOrThrow(icon, ctx.path("2D/Icon.png"));

    // Crosshair: a ring with four ticks and a centre dot, outlined for any background.
    Canvas cross(16, 16);
    const Rgba outline = rgb(0, 0, 0, 0.8f), bright = rgb(120, 255, 140);
    cross.ring(8.f, 8.f, 5.5f, 3.f, outline);
    for (const Pt& d : {Pt{1, 0}, Pt{-1, 0}, Pt{0, 1}, Pt{0, -1}})
        cross.line(8.f + d.x * 3.f, 8.f + d.y * 3.f, 8.f + d.x * 8.f, 8.f + d.y * 8.f, 3.f, outline);
    cross.ring(8.f, 8.f, 5.5f, 1.2f, bright);
    for (const Pt& d : {Pt{1, 0}, Pt{-1, 0}, Pt{0, 1}, Pt{0, -1}})
        cross.line(8.f + d.x * 3.f, 8.f + d.y * 3.f, 8.f + d.x * 8.f, 8.f + d.y * 8.f, 1.2f, bright);
    cross.fillCircle(8.f, 8.f, 1.f, bright);
    saveOrThrow(cross, ctx.path("crosshair.png"));

    // Noise: tileable grey fractal noise with fine grain, opaque.
    Canvas noise(256, 256);
    unsigned grain = 12345u;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            float v = 0.f, amp = 0.5f;
            for (int wrap = 8; wrap <= 64; wrap *= 2, amp *= 0.5f)
                v += amp * stb_perlin_noise3(x * wrap / 256.f, y * wrap / 256.f, 0.5f, wrap, wrap, 0);
            grain = grain * 1664525u + 1013904223u;
            v += ((grain >> 8) / 16777216.f - 0.5f) * 0.25f;
            float g = std::fmin(1.f, std::fmax(0.f, 0.5f + v));
            noise.at(x, y) = Rgba{g, g, g, 1.f};
        }
    saveOrThrow(noise, ctx.path("noise.png"));
}
