// The level editor's art: one 30 x 30 icon per spawn pattern (a small picture of
// what the pattern releases, on a tile tinted by its family) and the two grid
// strips drawn along the timeline.
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Generator.h"

#include <cmath>
#include <functional>
#include <string>

using namespace assetgen;

namespace {

constexpr float PI_F = 3.14159265f;
constexpr int ICON = 30;

// Families tint the tile: flyers, formations, insects, ground devices, bullets, markers.
const Rgba FLYER = rgb(60, 90, 140);
const Rgba FORMATION = rgb(70, 120, 80);
const Rgba INSECT = rgb(130, 100, 40);
const Rgba DEVICE = rgb(110, 70, 110);
const Rgba BULLET = rgb(140, 60, 50);
const Rgba MARKER = rgb(90, 90, 90);

void tile(Canvas& c, Rgba family)
{
    c.fillRect(0, 0, ICON, ICON, rgb(20, 22, 30));
    c.fillRect(1, 1, ICON - 2, ICON - 2, mix(rgb(20, 22, 30), family, 0.55f));
    c.fillRect(0, 0, ICON, 2, family);
    c.fillRect(0, ICON - 2, ICON, 2, mix(family, rgb(0, 0, 0), 0.4f));
}

void ship(Canvas& c, float cx, float cy, float s, Rgba body)
{
    c.fillPolygon({{cx - 7 * s, cy - 6 * s}, {cx + 7 * s, cy - 6 * s}, {cx, cy + 8 * s}}, body);
    c.fillCircle(cx, cy - 2 * s, 2.2f * s, rgb(140, 230, 255));
}

void dotsOnArc(Canvas& c, float cx, float cy, float r, float from, float to, int n, float dot, Rgba colour)
{
    for (int i = 0; i < n; ++i) {
        const float a = (from + (to - from) * i / std::max(1, n - 1)) * PI_F / 180.f;
        c.fillCircle(cx + r * std::cos(a), cy + r * std::sin(a), dot, colour);
    }
}

void bee(Canvas& c, float cx, float cy, float angle)
{
    c.fillEllipse(cx - 3, cy - 5, 5, 3, rgb(220, 235, 255, 0.8f), angle - 30);
    c.fillEllipse(cx + 3, cy - 5, 5, 3, rgb(220, 235, 255, 0.8f), angle + 30);
    c.fillEllipse(cx, cy + 1, 7, 5, rgb(250, 200, 40), angle);
    const float a = angle * PI_F / 180.f;
    for (int k = -1; k <= 1; k += 2)
        c.line(cx + 2.f * k * std::cos(a) - 4 * std::sin(a), cy + 1 + 2.f * k * std::sin(a) + 4 * std::cos(a),
               cx + 2.f * k * std::cos(a) + 4 * std::sin(a), cy + 1 + 2.f * k * std::sin(a) - 4 * std::cos(a), 1.6f,
               rgb(30, 20, 10));
}

void ladybug(Canvas& c, float r)
{
    c.fillCircle(15, 15 - r * 0.85f, r * 0.45f, rgb(25, 25, 25));
    c.fillCircle(15, 16, r, rgb(215, 35, 30));
    c.line(15, 16 - r, 15, 16 + r, 1.2f, rgb(25, 25, 25));
    c.fillCircle(15 - r * 0.45f, 14, r * 0.2f, rgb(25, 25, 25));
    c.fillCircle(15 + r * 0.45f, 14, r * 0.2f, rgb(25, 25, 25));
    c.fillCircle(15 - r * 0.4f, 19, r * 0.18f, rgb(25, 25, 25));
    c.fillCircle(15 + r * 0.4f, 19, r * 0.18f, rgb(25, 25, 25));
}

void shell(Canvas& c, float cx, float cy, float r, Rgba colour)
{
    c.fillCircle(cx, cy, r, colour);
    for (float t = 0; t < 3.2f * PI_F; t += 0.15f) {
        const float rr = r * (1.f - t / (3.4f * PI_F));
        c.fillCircle(cx + rr * std::cos(t) * 0.8f, cy + rr * std::sin(t) * 0.8f, 0.7f, rgb(60, 35, 20));
    }
}

void bulletBall(Canvas& c, float cx, float cy, float r, Rgba colour)
{
    c.glow(cx, cy, r * 2.2f, colour, 0.9f);
    c.fillCircle(cx, cy, r, colour);
    c.fillCircle(cx - r * 0.3f, cy - r * 0.3f, r * 0.4f, rgb(255, 255, 230));
}

void wave(Canvas& c, float amplitude, Rgba colour)
{
    for (int x = 3; x < 27; ++x)
        c.line(x, 15 + amplitude * std::sin((x - 3) * 0.5f), x + 1, 15 + amplitude * std::sin((x - 2) * 0.5f), 1.5f,
               colour);
}

using IconPainter = std::function<void(Canvas&)>;

struct IconArt {
    const char* name;
    IconPainter paint;
};

const IconArt ICONS[] = {
    {"Shooter", [](Canvas& c) { tile(c, FLYER); ship(c, 15, 14, 1.f, rgb(170, 180, 200)); }},
    {"HeadOrTails", [](Canvas& c) {
         tile(c, FLYER);
         c.fillCircle(15, 15, 9, rgb(230, 190, 60));
         c.fillPolygon({{15, 6}, {24, 15}, {15, 24}}, rgb(200, 205, 215));
         c.ring(15, 15, 9, 1.2f, rgb(60, 50, 20));
     }},
    {"StayAndDash", [](Canvas& c) {
         tile(c, FLYER);
         for (int k = 0; k < 3; ++k)
             c.line(4, 10 + 5 * k, 12, 10 + 5 * k, 1.3f, rgb(200, 230, 255, 0.8f));
         c.fillPolygon({{12, 8}, {26, 15}, {12, 22}}, rgb(120, 200, 240));
     }},
    {"Snail", [](Canvas& c) {
         tile(c, FORMATION);
         c.fillEllipse(15, 22, 11, 3.5f, rgb(150, 190, 120));
         shell(c, 16, 14, 8, rgb(200, 140, 70));
         c.line(6, 21, 4, 14, 1.f, rgb(150, 190, 120));
     }},
    {"Circle", [](Canvas& c) { tile(c, FORMATION); dotsOnArc(c, 15, 15, 9, 0, 315, 8, 2.2f, rgb(170, 180, 200)); }},
    {"ShooterArmy", [](Canvas& c) {
         tile(c, FORMATION);
         dotsOnArc(c, 15, 26, 14, 200, 340, 7, 2.2f, rgb(170, 180, 200));
         ship(c, 15, 17, 0.5f, rgb(170, 180, 200));
     }},
    {"Bee", [](Canvas& c) { tile(c, INSECT); bee(c, 15, 15, 0); }},
    {"LittleLadybug", [](Canvas& c) { tile(c, INSECT); ladybug(c, 7); }},
    {"BigLadybug", [](Canvas& c) { tile(c, INSECT); ladybug(c, 11); }},
    {"DragonFly", [](Canvas& c) {
         tile(c, INSECT);
         for (int k = -1; k <= 1; k += 2) {
             c.fillEllipse(15 + 7 * k, 10, 7, 2.5f, rgb(200, 240, 255, 0.75f), 10.f * k);
             c.fillEllipse(15 + 6 * k, 15, 6, 2.2f, rgb(200, 240, 255, 0.75f), -10.f * k);
         }
         c.line(15, 6, 15, 27, 2.5f, rgb(60, 170, 150));
         c.fillCircle(15, 6, 2.5f, rgb(40, 120, 110));
     }},
    {"QuarterShooter", [](Canvas& c) {
         tile(c, FLYER);
         c.fillPolygon({{5, 5}, {25, 5}, {5, 25}}, rgb(120, 150, 200, 0.5f));
         ship(c, 11, 11, 0.7f, rgb(170, 180, 200));
     }},
    {"Exponential", [](Canvas& c) {
         tile(c, FLYER);
         for (int x = 3; x < 27; ++x)
             c.line(x, 26 - 0.035f * (x - 3) * (x - 3), x + 1, 26 - 0.035f * (x - 2) * (x - 2), 1.5f,
                    rgb(120, 220, 255));
         c.fillCircle(26, 7, 3, rgb(200, 235, 255));
     }},
    {"ExponentialWave", [](Canvas& c) {
         tile(c, FORMATION);
         for (int k = 0; k < 4; ++k)
             c.fillCircle(6 + 6 * k, 24 - 0.7f * k * k * 2, 2.4f, rgb(120, 220, 255));
     }},
    {"Bruiser", [](Canvas& c) {
         tile(c, INSECT);
         c.fillEllipse(15, 17, 9, 10, rgb(40, 25, 15));
         c.fillEllipse(15, 17, 8, 9, rgb(170, 105, 55));
         c.fillEllipse(12, 13, 2.5f, 4, rgb(230, 170, 110));
         c.line(15, 8, 15, 26, 1.f, rgb(60, 35, 20));
         c.line(15, 9, 15, 2, 3.f, rgb(200, 200, 190));
     }},
    {"SideBee", [](Canvas& c) { tile(c, INSECT); bee(c, 15, 15, 90); }},
    {"Wall", [](Canvas& c) {
         tile(c, DEVICE);
         for (int row = 0; row < 4; ++row)
             for (int col = -1; col < 3; ++col) {
                 const float x = 3 + col * 10 + (row % 2) * 5, y = 4 + row * 6;
                 c.fillRect(std::max(3.f, x), y, std::min(9.f, 27 - std::max(3.f, x)), 5, rgb(150, 110, 80));
             }
     }},
    {"Finish", [](Canvas& c) {
         tile(c, MARKER);
         c.line(7, 4, 7, 27, 1.5f, rgb(220, 220, 220));
         for (int y = 0; y < 4; ++y)
             for (int x = 0; x < 5; ++x)
                 c.fillRect(8 + 3.5f * x, 5 + 3 * y, 3.5f, 3, (x + y) % 2 ? rgb(20, 20, 20) : rgb(240, 240, 240));
     }},
    {"Turret", [](Canvas& c) {
         tile(c, DEVICE);
         c.fillRect(7, 18, 16, 8, rgb(120, 125, 135));
         c.fillCircle(15, 18, 6, rgb(150, 155, 165));
         c.line(15, 18, 24, 7, 3.f, rgb(90, 95, 105));
     }},
    {"ElectricalFence", [](Canvas& c) {
         tile(c, DEVICE);
         c.fillRect(4, 6, 4, 20, rgb(140, 140, 150));
         c.fillRect(22, 6, 4, 20, rgb(140, 140, 150));
         const float ys[] = {10, 16, 12, 19, 14, 20};
         for (int k = 0; k < 5; ++k)
             c.line(8 + 2.8f * k, ys[k], 8 + 2.8f * (k + 1), ys[k + 1], 1.5f, rgb(250, 240, 90));
         c.glow(15, 15, 9, rgb(250, 240, 90), 0.4f);
     }},
    {"RotatingSpitterOne", [](Canvas& c) {
         tile(c, DEVICE);
         c.line(15, 15, 26, 9, 3.f, rgb(170, 120, 170));
         c.sphere(15, 15, 7, rgb(150, 80, 160), rgb(240, 200, 250));
     }},
    {"RotatingSpitterFour", [](Canvas& c) {
         tile(c, DEVICE);
         for (int k = 0; k < 4; ++k) {
             const float a = (45 + 90 * k) * PI_F / 180.f;
             c.line(15, 15, 15 + 11 * std::cos(a), 15 + 11 * std::sin(a), 3.f, rgb(170, 120, 170));
         }
         c.sphere(15, 15, 6, rgb(150, 80, 160), rgb(240, 200, 250));
     }},
    {"Coral", [](Canvas& c) {
         tile(c, DEVICE);
         const Rgba pink = rgb(240, 120, 150);
         c.line(15, 27, 15, 14, 3.f, pink);
         c.line(15, 18, 8, 10, 2.f, pink);
         c.line(15, 16, 23, 8, 2.f, pink);
         c.line(8, 10, 7, 4, 1.5f, pink);
         c.fillCircle(15, 13, 2.5f, rgb(255, 230, 120));
     }},
    {"Eater", [](Canvas& c) {
         tile(c, DEVICE);
         c.sphere(15, 15, 11, rgb(90, 170, 70), rgb(200, 250, 170));
         c.fillEllipse(15, 18, 7, 4.5f, rgb(60, 10, 20));
         for (int k = 0; k < 4; ++k) {
             const float x = 10 + 3.3f * k;
             c.fillPolygon({{x, 14.5f}, {x + 3, 14.5f}, {x + 1.5f, 18}}, rgb(245, 245, 230));
             c.fillPolygon({{x, 21.5f}, {x + 3, 21.5f}, {x + 1.5f, 18.5f}}, rgb(245, 245, 230));
         }
         c.fillCircle(11, 9, 1.8f, rgb(250, 240, 90));
         c.fillCircle(19, 9, 1.8f, rgb(250, 240, 90));
     }},
    {"BulletNormal", [](Canvas& c) { tile(c, BULLET); bulletBall(c, 15, 15, 5, rgb(255, 150, 60)); }},
    {"BulletCircle", [](Canvas& c) {
         tile(c, BULLET);
         for (int k = 0; k < 8; ++k) {
             const float a = k * 45 * PI_F / 180.f;
             bulletBall(c, 15 + 9 * std::cos(a), 15 + 9 * std::sin(a), 2.f, rgb(255, 150, 60));
         }
     }},
    {"BulletArmy", [](Canvas& c) {
         tile(c, BULLET);
         for (int k = 0; k < 6; ++k) {
             const float a = (200 + 28 * k) * PI_F / 180.f;
             bulletBall(c, 15 + 12 * std::cos(a), 26 + 12 * std::sin(a), 2.f, rgb(255, 150, 60));
         }
     }},
    {"SnailBullet", [](Canvas& c) {
         tile(c, BULLET);
         shell(c, 11, 17, 6, rgb(200, 140, 70));
         bulletBall(c, 23, 9, 3.f, rgb(150, 255, 120));
     }},
    {"SinusoidalBullet", [](Canvas& c) {
         tile(c, BULLET);
         wave(c, 6, rgb(255, 190, 120, 0.7f));
         bulletBall(c, 25, 15 + 6 * std::sin(22 * 0.5f), 3.f, rgb(255, 150, 60));
     }},
};

// A timeline strip: one grid line along its length with a tick every 30 pixels.
Canvas gridStrip(int w, int h, bool horizontalLine)
{
    Canvas c(w, h);
    const Rgba line = rgb(150, 220, 255, 0.35f);
    const Rgba tick = rgb(150, 220, 255, 0.6f);
    if (horizontalLine) {
        c.fillRect(0, 0, static_cast<float>(w), 1, line);
        for (int x = 0; x < w; x += 30)
            c.fillRect(static_cast<float>(x), 0, 1, 5, tick);
    } else {
        c.fillRect(0, 0, 1, static_cast<float>(h), line);
        for (int y = 0; y < h; y += 30)
            c.fillRect(0, static_cast<float>(y), 5, 1, tick);
    }
    return c;
}

} // namespace

REGISTER_ASSETS(editor)
{
    static_assert(sizeof ICONS / sizeof ICONS[0] == 28, "one icon per spawn pattern");
    for (const IconArt& icon : ICONS) {
        Canvas c(ICON, ICON);
        icon.paint(c);
        saveOrThrow(c, ctx.path(std::string("2D/Editor/Spawner Images(x30)/") + icon.name + ".png"));
    }
    // Vertical timelines step down the screen one 1920-wide strip per 30 pixels;
    // horizontal ones across it with strips tall enough for the 240-pixel cross scroll.
    saveOrThrow(gridStrip(1920, 30, true), ctx.path("2D/Editor/Grid_Up_Down.png"));
    saveOrThrow(gridStrip(30, 1560, false), ctx.path("2D/Editor/Grid_Right_Left.png"));
}
