// Weapon and pick-up art: the bullet sheets named in "2D/Files/Shoot.txt"
// (four frames each, bolts pointing right), the shield bubbles, the laser
// strips and flares for player 1, player 2 and the boss, and the bonus sheets.
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/DangerArt.h"
#include "tools/assetgen/Generator.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

using namespace assetgen;

namespace {

constexpr float PI = 3.14159265f;

Rgba white(float a = 1.f) { return Rgba{1.f, 1.f, 1.f, a}; }

// ---- bullets: four frames each, bolts pointing right ----

// The players' shot: a bolt of light with a fading trail.
void paintPlayerBolt(Canvas& c, float w, float h, int f, Rgba colour)
{
    const float cy = h / 2.f, head = w * 0.72f;
    const float pulse = 1.f + 0.12f * std::sin(f * PI / 2.f);
    for (int k = 0; k < 6; ++k) { // trail fading behind the head
        const float t = k / 5.f;
        c.glow(head - t * w * 0.55f, cy, h * 0.55f * pulse * (1.f - 0.5f * t), colour, 0.8f * (1.f - t), 1.6f);
    }
    c.fillEllipse(head - w * 0.18f, cy, w * 0.3f, h * 0.16f * pulse, white(0.95f));
    c.glow(head, cy, h * 0.35f, white(), 0.9f, 1.5f);
}

// Enemy shots, each painted inside its cell with room for the dark edge (DangerArt.h).
constexpr float ROOM = DANGER_EDGE_WIDTH + 0.5f;

// A teardrop: a round head with a tapering tail behind it.
void paintBolt(Canvas& c, float w, float h, int f, Rgba colour)
{
    const float cy = h / 2.f, r = h / 2.f - ROOM, head = w - ROOM - r, tail = ROOM + 1.f;
    c.fillPolygon({{tail, cy}, {head, cy - r}, {head, cy + r}}, colour);
    c.fillCircle(head, cy, r, colour);
    c.fillPolygon({{tail + 5.f, cy}, {head, cy - r * 0.6f}, {head, cy + r * 0.6f}}, dangerBody(colour));
    c.fillCircle(head, cy, r * 0.72f, dangerBody(colour));
    c.fillCircle(head, cy, r * (0.36f + 0.14f * dangerPulse(f, 4)), white());
}

void paintOrb(Canvas& c, float w, float h, int f, Rgba colour)
{
    paintDangerOrb(c, w / 2.f, h / 2.f, std::min(w, h) / 2.f - ROOM, colour, dangerPulse(f, 4));
}

// A long dart: a pointed nose, straight flanks and a short pointed tail.
void paintNeedle(Canvas& c, float w, float h, int f, Rgba colour)
{
    const float cy = h / 2.f, r = h / 2.f - ROOM, back = w * 0.25f, shoulder = w * 0.7f;
    auto dart = [&](float inset, float half) {
        return std::vector<Pt>{{ROOM + 1.f + inset, cy}, {back, cy - half}, {shoulder, cy - half},
                               {w - ROOM - inset, cy},   {shoulder, cy + half}, {back, cy + half}};
    };
    c.fillPolygon(dart(0.f, r), colour);
    c.fillPolygon(dart(3.f, r * 0.5f), dangerBody(colour));
    c.line(w * 0.5f, cy, w - ROOM - 3.f, cy, 1.2f + 0.6f * dangerPulse(f, 4), white());
}

void paintRing(Canvas& c, float w, float h, int f, Rgba colour)
{
    const float cx = w / 2.f, cy = h / 2.f, r = std::min(w, h) / 2.f - ROOM - 3.f;
    c.ring(cx, cy, r, 5.f, colour);
    c.ring(cx, cy, r, 2.5f, dangerBody(colour));
    for (int k = 0; k < 3; ++k) { // bright beads running round the ring
        const float a = (k * 120.f + f * 30.f) * PI / 180.f;
        c.fillCircle(cx + r * std::cos(a), cy + r * std::sin(a), 1.8f, white());
    }
    c.fillCircle(cx, cy, 2.f + dangerPulse(f, 4), white());
}

void paintSpore(Canvas& c, float w, float h, int f, Rgba colour)
{
    const float cx = w / 2.f, cy = h / 2.f, r = std::min(w, h) / 2.f - ROOM - 1.f;
    for (int k = 0; k < 6; ++k) {
        const float a = (k * 60.f + f * 15.f) * PI / 180.f;
        c.line(cx, cy, cx + r * std::cos(a), cy + r * std::sin(a), 2.f, colour);
    }
    c.fillCircle(cx, cy, r * 0.62f, colour);
    c.fillCircle(cx, cy, r * 0.45f, dangerBody(colour));
    c.fillCircle(cx, cy, r * (0.2f + 0.1f * dangerPulse(f, 4)), white());
}

void paintStar(Canvas& c, float w, float h, int f, Rgba colour)
{
    const float cx = w / 2.f, cy = h / 2.f, r = std::min(w, h) / 2.f - ROOM;
    auto star = [&](float scale) {
        std::vector<Pt> pts;
        for (int k = 0; k < 8; ++k) {
            const float a = (k * 45.f + f * 22.5f) * PI / 180.f;
            const float rr = (k % 2 == 0 ? r : r * 0.5f) * scale;
            pts.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
        }
        return pts;
    };
    c.fillPolygon(star(1.f), colour);
    c.fillPolygon(star(0.6f), dangerBody(colour));
    c.fillCircle(cx, cy, 2.f + dangerPulse(f, 4), white());
}

using BulletPainter = void (*)(Canvas&, float, float, int, Rgba);

struct BulletSheet {
    const char* path;
    int w, h;
    BulletPainter paint;
    Rgba colour;
    bool enemy; // enemy shots wear the dark edge
};

void writeBullets(const Context& ctx)
{
    const BulletSheet sheets[] = {
        {"2D/Bullets/BoltOrange.png", 32, 16, paintBolt, rgb(255, 140, 40), true},
        {"2D/Bullets/OrbRed.png", 24, 24, paintOrb, rgb(255, 50, 50), true},
        {"2D/Bullets/OrbGreen.png", 24, 24, paintOrb, rgb(90, 255, 80), true},
        {"2D/Bullets/OrbPurple.png", 28, 28, paintOrb, rgb(190, 80, 255), true},
        {"2D/Bullets/NeedleYellow.png", 36, 12, paintNeedle, rgb(255, 230, 60), true},
        {"2D/Bullets/BoltPink.png", 32, 16, paintBolt, rgb(255, 80, 200), true},
        {"2D/Bullets/OrbBlue.png", 28, 28, paintOrb, rgb(70, 130, 255), true},
        {"2D/Bullets/RingOrange.png", 32, 32, paintRing, rgb(255, 150, 40), true},
        {"2D/Bullets/OrbBigRed.png", 48, 48, paintOrb, rgb(255, 40, 70), true},
        {"2D/Bullets/SporeGreen.png", 24, 24, paintSpore, rgb(150, 230, 60), true},
        {"2D/Bullets/OrbBigPurple.png", 48, 48, paintOrb, rgb(160, 60, 255), true},
        {"2D/Bullets/StarWhite.png", 24, 24, paintStar, rgb(200, 230, 255), true},
        {"2D/Bullets/BoltTeal.png", 32, 16, paintBolt, rgb(40, 230, 200), true},
        {"2D/Bullets/PlayerShot.png", 40, 16, paintPlayerBolt, rgb(60, 190, 255), false},
    };
    for (const BulletSheet& s : sheets) {
        const Canvas sheet = paintRow(s.w, s.h, 4, [&s](Canvas& cell, int f) {
            s.paint(cell, static_cast<float>(s.w), static_cast<float>(s.h), f, s.enemy ? dangerRim(s.colour) : s.colour);
            if (s.enemy)
                edgeAsDanger(cell);
        });
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

// ---- bonuses: 20 x 20 frames that glow and pulse ----

// A halo ring and a soft glow that breathe with the loop, brightest when the pickup
// turns edge-on (half-way through the loop).
void paintPickupAura(Canvas& c, Rgba colour, int f, int frames)
{
    const float breath = 0.5f - 0.5f * std::cos(f * 2.f * PI / frames);
    c.glow(10.f, 10.f, 10.f, colour, 0.45f + 0.45f * breath, 1.2f);
    Rgba halo = mix(colour, white(), 0.55f + 0.3f * breath);
    halo.a = 0.7f + 0.3f * breath;
    c.ring(10.f, 10.f, 8.2f, 1.8f, halo);
}

void paintTwinkle(Canvas& c, float x, float y, float size)
{
    c.line(x - size, y, x + size, y, 1.f, white());
    c.line(x, y - size, x, y + size, 1.f, white());
    c.fillCircle(x, y, 1.2f, white());
}

// A pickup frame: the breathing aura under the pickup's own shape, which a thin dark line
// keeps apart from bright walls behind it.
void paintPickup(Canvas& c, Rgba colour, int f, int frames, const std::function<void(Canvas&)>& shape)
{
    paintPickupAura(c, colour, f, frames);
    Canvas body(c.width(), c.height());
    shape(body);
    body.edgeShapes(rgb(10, 20, 30, 0.9f), 1.5f);
    c.draw(body, 0, 0);
}

void writeBonuses(const Context& ctx)
{
    // Base bonus: a green crystal turning on itself (never thinner than a sliver), 8 frames.
    saveOrThrow(paintRow(20, 20, 8,
                         [](Canvas& c, int f) {
                             const float half = 3.f + 4.f * std::fabs(std::cos(f * PI / 8.f));
                             paintPickup(c, rgb(80, 255, 160), f, 8, [half, f](Canvas& gem) {
                                 gem.fillPolygon({{10.f, 3.f}, {10.f + half, 10.f}, {10.f, 17.f}, {10.f - half, 10.f}},
                                                 rgb(110, 245, 170));
                                 gem.fillPolygon({{10.f, 3.f}, {10.f + half, 10.f}, {10.f, 10.f}}, rgb(215, 255, 235));
                                 paintTwinkle(gem, 10.f - half * 0.4f, 7.f, 1.5f + 1.5f * (f % 4 == 0));
                             });
                         }),
                ctx.path("2D/Bonus/Bonus.png"));
    // Golden bonus: a spinning gold coin with a glint (never thinner than its rim), 4 frames.
    saveOrThrow(paintRow(20, 20, 4,
                         [](Canvas& c, int f) {
                             const float rx = 3.f + 4.5f * std::fabs(std::cos(f * PI / 4.f));
                             paintPickup(c, rgb(255, 215, 70), f, 4, [rx, f](Canvas& coin) {
                                 coin.fillEllipse(10.f, 10.f, rx, 7.f, rgb(235, 175, 40));
                                 coin.fillEllipse(10.f, 10.f, rx * 0.8f, 5.8f, rgb(255, 240, 150));
                                 paintTwinkle(coin, 10.f - rx * 0.35f, 7.f, 1.5f + 1.5f * (f % 2 == 0));
                             });
                         }),
                ctx.path("2D/Bonus/Bonus2.png"));
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
