// Weapon and pick-up art: the bullet sheets named in "2D/Files/Shoot.txt"
// (four frames each, bolts pointing right), the shield bubbles, the laser
// strips and flares for player 1, player 2 and the boss, and the bonus sheets.
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Generator.h"

#include <cmath>
#include <string>

using namespace assetgen;

namespace {

constexpr float PI = 3.14159265f;

Rgba white(float a = 1.f) { return Rgba{1.f, 1.f, 1.f, a}; }

// ---- bullets: frame f of 4, drawn into the cell at (x0, 0) of size w x h ----

void paintBolt(Canvas& c, float x0, float w, float h, int f, Rgba colour)
{
    const float cy = h / 2.f, head = x0 + w * 0.72f;
    const float pulse = 1.f + 0.12f * std::sin(f * PI / 2.f);
    for (int k = 0; k < 6; ++k) { // trail fading behind the head
        const float t = k / 5.f;
        c.glow(head - t * w * 0.55f, cy, h * 0.55f * pulse * (1.f - 0.5f * t), colour, 0.8f * (1.f - t), 1.6f);
    }
    c.fillEllipse(head - w * 0.18f, cy, w * 0.3f, h * 0.16f * pulse, white(0.95f));
    c.glow(head, cy, h * 0.35f, white(), 0.9f, 1.5f);
}

void paintOrb(Canvas& c, float x0, float w, float h, int f, Rgba colour)
{
    const float cx = x0 + w / 2.f, cy = h / 2.f, r = std::min(w, h) / 2.f;
    const float pulse = 0.85f + 0.15f * std::sin(f * PI / 2.f);
    c.glow(cx, cy, r * pulse, colour, 1.f, 1.3f);
    c.fillCircle(cx, cy, r * 0.45f * pulse, mix(colour, white(), 0.5f));
    c.fillCircle(cx, cy, r * 0.25f, white());
}

void paintNeedle(Canvas& c, float x0, float w, float h, int f, Rgba colour)
{
    const float cy = h / 2.f;
    c.glow(x0 + w * 0.6f, cy, h * 0.7f, colour, 0.8f + 0.2f * (f % 2), 1.4f);
    c.fillPolygon({{x0 + 2.f, cy}, {x0 + w * 0.7f, cy - h * 0.22f}, {x0 + w - 2.f, cy}, {x0 + w * 0.7f, cy + h * 0.22f}},
                  mix(colour, white(), 0.6f));
}

void paintRing(Canvas& c, float x0, float w, float h, int f, Rgba colour)
{
    const float cx = x0 + w / 2.f, cy = h / 2.f, r = std::min(w, h) * 0.34f;
    c.glow(cx, cy, r * 1.4f, colour, 0.5f, 2.f);
    c.ring(cx, cy, r, 3.f, mix(colour, white(), 0.3f));
    for (int k = 0; k < 3; ++k) { // bright beads running round the ring
        const float a = (k * 120.f + f * 30.f) * PI / 180.f;
        c.glow(cx + r * std::cos(a), cy + r * std::sin(a), 4.f, white(), 1.f, 1.2f);
    }
}

void paintSpore(Canvas& c, float x0, float w, float h, int f, Rgba colour)
{
    const float cx = x0 + w / 2.f, cy = h / 2.f, r = std::min(w, h) * 0.3f;
    for (int k = 0; k < 6; ++k) {
        const float a = (k * 60.f + f * 15.f) * PI / 180.f;
        c.line(cx, cy, cx + r * 1.5f * std::cos(a), cy + r * 1.5f * std::sin(a), 1.5f, colour);
    }
    c.glow(cx, cy, r * 1.3f, colour, 0.7f, 1.5f);
    c.sphere(cx, cy, r * 0.8f, mix(colour, rgb(0, 0, 0), 0.3f), mix(colour, white(), 0.6f));
}

void paintStar(Canvas& c, float x0, float w, float h, int f, Rgba colour)
{
    const float cx = x0 + w / 2.f, cy = h / 2.f, r = std::min(w, h) * 0.48f;
    std::vector<Pt> pts;
    for (int k = 0; k < 8; ++k) {
        const float a = (k * 45.f + f * 22.5f) * PI / 180.f;
        const float rr = k % 2 == 0 ? r : r * 0.3f;
        pts.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
    }
    c.glow(cx, cy, r, colour, 0.7f, 1.5f);
    c.fillPolygon(pts, mix(colour, white(), 0.7f));
}

using BulletPainter = void (*)(Canvas&, float, float, float, int, Rgba);

struct BulletSheet {
    const char* path;
    int w, h;
    BulletPainter paint;
    Rgba colour;
};

void writeBullets(const Context& ctx)
{
    const BulletSheet sheets[] = {
        {"2D/Bullets/BoltOrange.png", 32, 16, paintBolt, rgb(255, 140, 40)},
        {"2D/Bullets/OrbRed.png", 24, 24, paintOrb, rgb(255, 50, 50)},
        {"2D/Bullets/OrbGreen.png", 24, 24, paintOrb, rgb(90, 255, 80)},
        {"2D/Bullets/OrbPurple.png", 28, 28, paintOrb, rgb(190, 80, 255)},
        {"2D/Bullets/NeedleYellow.png", 36, 12, paintNeedle, rgb(255, 230, 60)},
        {"2D/Bullets/BoltPink.png", 32, 16, paintBolt, rgb(255, 80, 200)},
        {"2D/Bullets/OrbBlue.png", 28, 28, paintOrb, rgb(70, 130, 255)},
        {"2D/Bullets/RingOrange.png", 32, 32, paintRing, rgb(255, 150, 40)},
        {"2D/Bullets/OrbBigRed.png", 48, 48, paintOrb, rgb(255, 40, 70)},
        {"2D/Bullets/SporeGreen.png", 24, 24, paintSpore, rgb(150, 230, 60)},
        {"2D/Bullets/OrbBigPurple.png", 48, 48, paintOrb, rgb(160, 60, 255)},
        {"2D/Bullets/StarWhite.png", 24, 24, paintStar, rgb(200, 230, 255)},
        {"2D/Bullets/BoltTeal.png", 32, 16, paintBolt, rgb(40, 230, 200)},
        {"2D/Bullets/PlayerShot.png", 40, 16, paintBolt, rgb(60, 190, 255)},
    };
    for (const BulletSheet& s : sheets) {
        Canvas sheet(s.w * 4, s.h);
        for (int f = 0; f < 4; ++f)
            s.paint(sheet, static_cast<float>(s.w * f), static_cast<float>(s.w), static_cast<float>(s.h), f, s.colour);
        saveOrThrow(sheet, ctx.path(s.path));
    }
}

// ---- shields: 4 frames of 200 x 200, a bubble with a bright rim and running arcs ----

void writeShield(const Context& ctx, const std::string& path, Rgba colour)
{
    Canvas sheet(800, 200);
    for (int f = 0; f < 4; ++f) {
        const float cx = 200.f * f + 100.f, cy = 100.f, r = 97.f;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) {
                const float d = std::hypot(x + 0.5f - 100.f, y + 0.5f - 100.f) / r;
                if (d >= 1.f)
                    continue;
                // Faint inside, brighter toward the rim, with a shimmering band pattern.
                const float shimmer = 0.5f + 0.5f * std::sin(d * 18.f - f * PI / 2.f);
                sheet.blend(200 * f + x, y, Rgba{colour.r, colour.g, colour.b, 0.12f + 0.35f * d * d * d + 0.08f * shimmer});
            }
        sheet.ring(cx, cy, r - 3.f, 4.f, mix(colour, white(), 0.5f));
        for (int k = 0; k < 3; ++k) {
            const float a0 = (k * 120.f + f * 30.f) * PI / 180.f;
            for (int s = 0; s < 12; ++s) {
                const float a = a0 + s * 0.06f;
                sheet.glow(cx + (r - 6.f) * std::cos(a), cy + (r - 6.f) * std::sin(a), 9.f, white(), 0.5f, 1.5f);
            }
        }
        sheet.glow(cx - 30.f, cy - 35.f, 28.f, white(), 0.35f, 2.f);
    }
    saveOrThrow(sheet, ctx.path(path));
}

// ---- lasers ----

struct LaserColours {
    const char* suffix;
    Rgba glow;
};

void writeLaser(const Context& ctx, const LaserColours& lc)
{
    const std::string dir = "2D/Player/Laser/";
    // Beam strip: 20 columns of 16 x 64; each column is the beam's cross-section
    // (v runs across the beam), with the core's width and light varying per column.
    {
        Canvas strip(320, 64);
        for (int col = 0; col < 20; ++col) {
            const float core = 5.f + 2.5f * std::sin(col * 0.9f);
            const float light = 0.85f + 0.15f * std::cos(col * 1.7f);
            for (int y = 0; y < 64; ++y) {
                const float d = std::fabs(y + 0.5f - 32.f);
                Rgba px = lc.glow;
                px.a = std::max(0.f, 1.f - d / 32.f) * 0.85f * light;
                if (d < core)
                    px = mix(px, white(), 1.f - d / core * 0.6f), px.a = 1.f;
                for (int x = 0; x < 16; ++x)
                    strip.blend(col * 16 + x, y, px);
            }
        }
        saveOrThrow(strip, ctx.path(dir + "laser2" + lc.suffix));
    }
    // Muzzle flare while firing: 3 frames of 150 x 150, centred a third in, rays forward.
    {
        Canvas base(450, 150);
        for (int f = 0; f < 3; ++f) {
            const float cx = 150.f * f + 50.f, cy = 75.f, pulse = 1.f + 0.15f * f;
            base.glow(cx, cy, 48.f * pulse, lc.glow, 1.f, 1.6f);
            base.glow(cx, cy, 22.f * pulse, white(), 1.f, 1.3f);
            for (int k = -2; k <= 2; ++k) {
                const float a = (k * 22.f + f * 7.f) * PI / 180.f;
                base.line(cx, cy, cx + 90.f * std::cos(a), cy + 90.f * std::sin(a), 2.f, Rgba{lc.glow.r, lc.glow.g, lc.glow.b, 0.6f});
            }
        }
        saveOrThrow(base, ctx.path(dir + "BaseLaser" + lc.suffix));
    }
    // Charging flare: 6 frames of 120 x 90 that gather light at the emitter.
    {
        Canvas begin(720, 90);
        for (int f = 0; f < 6; ++f) {
            const float cx = 120.f * f + 40.f, cy = 45.f, t = (f + 1) / 6.f;
            begin.glow(cx, cy, 12.f + 30.f * t, lc.glow, 0.6f + 0.4f * t, 1.6f);
            begin.glow(cx, cy, 5.f + 12.f * t, white(), 1.f, 1.2f);
            for (int k = 0; k < 8; ++k) { // sparks drawn inward
                const float a = (k * 45.f + f * 10.f) * PI / 180.f, rr = 40.f * (1.f - t) + 8.f;
                begin.glow(cx + rr * std::cos(a), cy + rr * std::sin(a) * 0.9f, 3.f, white(), 1.f, 1.f);
            }
        }
        saveOrThrow(begin, ctx.path(dir + "BegLaser" + lc.suffix));
    }
    // Impact splash: 4 frames of 120 x 174, sparks fanning out toward +x.
    {
        Canvas impact(480, 174);
        for (int f = 0; f < 4; ++f) {
            const float cx = 120.f * f + 40.f, cy = 87.f;
            impact.glow(cx, cy, 40.f + 4.f * f, lc.glow, 1.f, 1.4f);
            impact.glow(cx, cy, 18.f, white(), 1.f, 1.2f);
            for (int k = 0; k < 9; ++k) {
                const float a = ((k - 4) * 17.f + (f % 2) * 8.f) * PI / 180.f;
                const float len = 45.f + 25.f * std::fabs(std::sin(k * 1.3f + f));
                impact.line(cx, cy, cx + len * std::cos(a), cy + len * std::sin(a), 2.f, mix(lc.glow, white(), 0.5f));
            }
        }
        saveOrThrow(impact, ctx.path(dir + "ImpactLaser" + lc.suffix));
    }
}

// ---- bonuses ----

void writeBonuses(const Context& ctx)
{
    // Base bonus: a green crystal turning on itself, 8 frames of 20 x 20.
    Canvas base(160, 20);
    for (int f = 0; f < 8; ++f) {
        const float cx = 20.f * f + 10.f, half = 7.f * std::fabs(std::cos(f * PI / 8.f)) + 1.5f;
        base.glow(cx, 10.f, 10.f, rgb(80, 255, 160), 0.6f, 2.f);
        base.fillPolygon({{cx, 1.5f}, {cx + half, 10.f}, {cx, 18.5f}, {cx - half, 10.f}}, rgb(40, 200, 120));
        base.fillPolygon({{cx, 1.5f}, {cx + half, 10.f}, {cx, 10.f}}, rgb(170, 255, 210));
        base.fillCircle(cx - half * 0.3f, 7.f, 1.2f, white());
    }
    saveOrThrow(base, ctx.path("2D/Bonus/Bonus.png"));
    // Golden bonus: a spinning gold coin with a glint, 4 frames of 20 x 20.
    Canvas gold(80, 20);
    for (int f = 0; f < 4; ++f) {
        const float cx = 20.f * f + 10.f, rx = 8.5f * std::fabs(std::cos(f * PI / 4.f)) + 1.5f;
        gold.glow(cx, 10.f, 10.f, rgb(255, 220, 80), 0.6f, 2.f);
        gold.fillEllipse(cx, 10.f, rx, 8.5f, rgb(200, 140, 20));
        gold.fillEllipse(cx, 10.f, rx * 0.75f, 6.5f, rgb(255, 210, 60));
        gold.fillEllipse(cx - rx * 0.3f, 7.f, rx * 0.25f, 2.f, rgb(255, 250, 200));
    }
    saveOrThrow(gold, ctx.path("2D/Bonus/Bonus2.png"));
}

} // namespace

REGISTER_ASSETS(play_weapons)
{
    writeBullets(ctx);
    writeShield(ctx, "2D/Player/Shield.png", rgb(80, 210, 255));
    writeShield(ctx, "2D/Player/ShieldP2.png", rgb(255, 90, 220));
    const LaserColours lasers[] = {
        {".png", rgb(60, 190, 255)},
        {"P2.png", rgb(255, 70, 210)},
        {"Boss.png", rgb(255, 80, 30)},
    };
    for (const LaserColours& lc : lasers)
        writeLaser(ctx, lc);
    writeBonuses(ctx);
}
