// The insect enemies seen from above, head to the right (heading 0 points right):
// beetles, butterfly, grasshopper, centipede, bees and wasp, ladybugs, dragonfly, the
// rhinoceros bruiser and the pixel-drawn eater. Frames run left to right along a row.
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Generator.h"

#include <cmath>
#include <string>

using namespace assetgen;

namespace {

constexpr float PI_F = 3.14159265f;

Rgba scaled(Rgba c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }
Rgba withAlpha(Rgba c, float a) { return {c.r, c.g, c.b, a}; }

// A body part with a soft top-left sheen.
void shell(Canvas& c, float cx, float cy, float rx, float ry, Rgba col, float angle = 0.f)
{
    c.fillEllipse(cx, cy, rx + 1.2f, ry + 1.2f, scaled(col, 0.35f), angle);
    c.fillEllipse(cx, cy, rx, ry, col, angle);
    c.fillEllipse(cx - rx * 0.25f, cy - ry * 0.3f, rx * 0.55f, ry * 0.35f, withAlpha(mix(col, rgb(255, 255, 255), 0.45f), 0.55f),
                  angle);
}

// An abdomen of `segments` overlapping rings from the tail (x0) to the waist (x1).
void abdomen(Canvas& c, float x0, float x1, float cy, float ry, int segments, Rgba a, Rgba b, float taper = 0.45f)
{
    for (int s = 0; s < segments; ++s) {
        const float t = (s + 0.5f) / segments;
        const float x = x0 + (x1 - x0) * t;
        const float r = ry * (1.f - taper * std::pow(std::fabs(2.f * t - 1.1f), 2.f));
        const float rx = (x1 - x0) / segments * 0.8f + 1.f;
        shell(c, x, cy, rx, r, s % 2 ? b : a);
    }
}

// A jointed leg from the hip: out along `angle`, then bent by `bend` degrees.
void leg(Canvas& c, Pt hip, float angle, float upper, float lower, float bend, float width, Rgba col)
{
    const float a = angle * PI_F / 180.f, b = (angle + bend) * PI_F / 180.f;
    const Pt knee{hip.x + std::cos(a) * upper, hip.y + std::sin(a) * upper};
    const Pt foot{knee.x + std::cos(b) * lower, knee.y + std::sin(b) * lower};
    c.line(hip.x, hip.y, knee.x, knee.y, width, col);
    c.line(knee.x, knee.y, foot.x, foot.y, width * 0.7f, col);
    c.fillCircle(knee.x, knee.y, width * 0.55f, scaled(col, 1.3f));
}

// Three pairs of legs along the body, swinging with the walk phase (alternate tripods).
void legPairs(Canvas& c, float cx, float cy, float spacing, float upper, float lower, float width, float phase, Rgba col)
{
    for (int i = 0; i < 3; ++i) {
        const float x = cx + (i - 1) * spacing;
        const float swing = 16.f * std::sin(phase + i * PI_F);
        const float splay = (1 - i) * 28.f; // front legs reach forward, hind legs back
        leg(c, {x, cy}, -90.f + splay + swing, upper, lower, splay * 0.8f + 25.f, width, col);
        leg(c, {x, cy}, 90.f - splay - swing, upper, lower, -splay * 0.8f - 25.f, width, col);
    }
}

// Two eyes on the head's sides with a glint.
void eyes(Canvas& c, float hx, float hy, float spread, float r, Rgba col)
{
    for (float side : {-1.f, 1.f}) {
        const float y = hy + side * spread;
        c.fillCircle(hx, y, r + 1.f, rgb(10, 10, 12));
        c.fillCircle(hx, y, r, col);
        c.fillCircle(hx + r * 0.3f, y - r * 0.35f, r * 0.35f, rgb(255, 255, 255, 0.9f));
    }
}

void antennae(Canvas& c, float hx, float hy, float length, float spread, Rgba col, bool clubbed)
{
    for (float side : {-1.f, 1.f}) {
        const Pt mid{hx + length * 0.55f, hy + side * spread * 0.6f};
        const Pt tip{hx + length, hy + side * spread};
        c.line(hx, hy + side * 2.f, mid.x, mid.y, 1.5f, col);
        c.line(mid.x, mid.y, tip.x, tip.y, 1.3f, col);
        if (clubbed)
            c.fillCircle(tip.x, tip.y, 2.6f, col);
    }
}

// A membrane wing from its root along `angle`, with veins.
void wing(Canvas& c, Pt root, float length, float width, float angle, Rgba fill, Rgba vein)
{
    const float a = angle * PI_F / 180.f;
    const float ca = std::cos(a), sa = std::sin(a);
    c.fillEllipse(root.x + ca * length * 0.5f, root.y + sa * length * 0.5f, length * 0.5f, width, fill, angle);
    c.line(root.x, root.y, root.x + ca * length * 0.95f, root.y + sa * length * 0.95f, 1.2f, vein);
    for (float k : {0.35f, 0.6f}) {
        const Pt from{root.x + ca * length * k, root.y + sa * length * k};
        c.line(from.x, from.y, from.x + ca * length * 0.3f - sa * width * 0.6f, from.y + sa * length * 0.3f + ca * width * 0.6f,
               0.9f, vein);
        c.line(from.x, from.y, from.x + ca * length * 0.3f + sa * width * 0.6f, from.y + sa * length * 0.3f - ca * width * 0.6f,
               0.9f, vein);
    }
}

// ---- the kinds ----

struct BeeLook {
    Rgba bandA, bandB, thorax, wingFill, wingVein, eye;
    bool sidePods; // the wasp's flank guns
};

void paintBee(Canvas& c, int frame, int frames, const BeeLook& look)
{
    const float cx = c.width() / 2.f, cy = c.height() / 2.f;
    const float phase = 2.f * PI_F * frame / frames;
    legPairs(c, cx + 8.f, cy, 9.f, 13.f, 10.f, 2.f, phase, rgb(40, 30, 20));
    c.fillPolygon({{cx - 50.f, cy}, {cx - 38.f, cy - 4.f}, {cx - 38.f, cy + 4.f}}, rgb(30, 20, 15)); // stinger
    abdomen(c, cx - 42.f, cx - 2.f, cy, 17.f, 6, look.bandA, look.bandB, 0.35f);
    const float flap = std::sin(phase);
    for (float side : {-1.f, 1.f}) {
        wing(c, {cx + 8.f, cy + side * 6.f}, 62.f, 13.f, side * (98.f + 22.f * flap), look.wingFill, look.wingVein);
        wing(c, {cx + 2.f, cy + side * 6.f}, 44.f, 10.f, side * (122.f + 18.f * flap), look.wingFill, look.wingVein);
    }
    shell(c, cx + 9.f, cy, 13.f, 12.f, look.thorax);
    if (look.sidePods)
        for (float side : {-1.f, 1.f}) {
            c.fillEllipse(cx + 14.f, cy + side * 15.f, 9.f, 4.f, rgb(60, 60, 70));
            c.fillEllipse(cx + 20.f, cy + side * 15.f, 3.f, 2.5f, rgb(255, 120, 40));
        }
    shell(c, cx + 27.f, cy, 9.f, 10.f, rgb(28, 24, 22));
    eyes(c, cx + 29.f, cy, 6.5f, 4.5f, look.eye);
    antennae(c, cx + 34.f, cy, 15.f, 9.f, rgb(25, 20, 18), false);
}

void paintBeetle(Canvas& c, int frame, int frames, Rgba elytra, Rgba head, float scale)
{
    const float cx = c.width() / 2.f - 4.f * scale, cy = c.height() / 2.f;
    const float phase = 2.f * PI_F * frame / frames;
    legPairs(c, cx + 4.f * scale, cy, 12.f * scale, 21.f * scale, 14.f * scale, 2.8f * scale, phase, rgb(70, 60, 40));
    antennae(c, cx + 32.f * scale, cy, 14.f * scale, 12.f * scale, rgb(30, 30, 25), true);
    // Mandibles.
    for (float side : {-1.f, 1.f}) {
        const float open = 0.25f + 0.2f * std::sin(phase * 2.f);
        c.line(cx + 36.f * scale, cy + side * 5.f * scale, cx + 44.f * scale, cy + side * (4.f + 6.f * open) * scale,
               3.f * scale, rgb(60, 40, 20));
    }
    shell(c, cx + 31.f * scale, cy, 8.f * scale, 9.f * scale, head);
    eyes(c, cx + 33.f * scale, cy, 6.f * scale, 2.6f * scale, rgb(230, 60, 40));
    shell(c, cx + 20.f * scale, cy, 9.f * scale, 15.f * scale, scaled(elytra, 0.8f)); // pronotum
    for (float side : {-1.f, 1.f}) // the two wing cases with their seam
        shell(c, cx - 6.f * scale, cy + side * 10.f * scale, 22.f * scale, 10.5f * scale, elytra);
    c.line(cx - 28.f * scale, cy, cx + 12.f * scale, cy, 1.5f * scale, scaled(elytra, 0.35f));
    for (float side : {-1.f, 1.f})
        for (int k = 0; k < 3; ++k)
            c.line(cx - 22.f * scale + k * 10.f * scale, cy + side * 6.f * scale, cx - 16.f * scale + k * 10.f * scale,
                   cy + side * 15.f * scale, 1.f, withAlpha(mix(elytra, rgb(255, 255, 255), 0.5f), 0.4f));
}

void paintButterfly(Canvas& c, int frame, int frames)
{
    const float cx = c.width() / 2.f, cy = c.height() / 2.f;
    const float open = 0.3f + 0.7f * std::fabs(std::cos(PI_F * frame / frames)); // seen from above, the span narrows
    for (float side : {-1.f, 1.f}) {
        const float fy = cy + side * 24.f * open, hy = cy + side * 20.f * open;
        c.fillEllipse(cx + 8.f, fy, 14.f, 24.f * open + 1.f, rgb(20, 12, 20), side * -18.f);
        c.fillEllipse(cx + 8.f, fy, 12.f, 22.f * open, rgb(250, 140, 30), side * -18.f);
        c.fillEllipse(cx + 10.f, cy + side * 36.f * open, 5.f, 6.f * open + 0.5f, rgb(255, 240, 200));
        c.fillEllipse(cx - 12.f, hy, 12.f, 20.f * open + 1.f, rgb(20, 12, 20), side * 25.f);
        c.fillEllipse(cx - 12.f, hy, 10.f, 18.f * open, rgb(150, 60, 200), side * 25.f);
        c.fillCircle(cx - 14.f, cy + side * 28.f * open, 3.5f * open + 0.5f, rgb(120, 230, 255));
    }
    abdomen(c, cx - 26.f, cx + 4.f, cy, 4.5f, 5, rgb(50, 35, 30), rgb(80, 60, 45), 0.3f);
    shell(c, cx + 8.f, cy, 7.f, 5.f, rgb(60, 45, 35));
    shell(c, cx + 17.f, cy, 4.5f, 4.5f, rgb(40, 30, 25));
    eyes(c, cx + 18.f, cy, 3.5f, 2.f, rgb(40, 200, 120));
    antennae(c, cx + 20.f, cy, 20.f, 10.f, rgb(30, 25, 25), true);
}

void paintGrasshopper(Canvas& c, int frame, int frames)
{
    const float cx = c.width() / 2.f, cy = c.height() / 2.f;
    const float t = static_cast<float>(frame) / (frames - 1); // 0 landed, 1 spread for the dash
    const Rgba green = rgb(110, 180, 60), dark = rgb(60, 110, 40);
    // Hind legs: long thighs folded along the body, shins kicking out as it readies.
    for (float side : {-1.f, 1.f}) {
        const Pt hip{cx - 4.f, cy + side * 8.f};
        const Pt knee{cx - 40.f + 10.f * t, cy + side * (20.f + 8.f * t)};
        const Pt foot{cx - 8.f - 30.f * t, cy + side * (30.f + 6.f * t)};
        c.line(hip.x, hip.y, knee.x, knee.y, 7.f, dark);
        c.line(hip.x, hip.y, knee.x, knee.y, 4.f, green);
        c.line(knee.x, knee.y, foot.x, foot.y, 2.5f, dark);
        for (int k = 1; k < 5; ++k) { // spines on the shin
            const float u = k / 5.f;
            const Pt p{knee.x + (foot.x - knee.x) * u, knee.y + (foot.y - knee.y) * u};
            c.line(p.x, p.y, p.x + 2.f, p.y + side * 3.f, 1.f, rgb(200, 60, 40));
        }
    }
    for (int i = 0; i < 2; ++i)
        for (float side : {-1.f, 1.f})
            leg(c, {cx + 14.f + i * 10.f, cy}, side * (70.f - i * 30.f), 11.f, 9.f, side * 30.f, 2.f, dark);
    abdomen(c, cx - 50.f, cx, cy, 10.f, 7, green, scaled(green, 0.8f), 0.5f);
    // Forewings lying over the abdomen, lifting apart when it readies.
    for (float side : {-1.f, 1.f})
        c.fillEllipse(cx - 16.f, cy + side * (3.f + 6.f * t), 32.f, 5.f, rgb(140, 120, 60, 0.85f), side * (4.f + 10.f * t));
    shell(c, cx + 14.f, cy, 13.f, 10.f, green);
    shell(c, cx + 32.f, cy, 10.f, 9.f, scaled(green, 1.1f));
    eyes(c, cx + 33.f, cy, 7.f, 3.6f, rgb(180, 120, 40));
    antennae(c, cx + 40.f, cy, 20.f, 14.f, dark, false);
}

void paintCentipede(Canvas& c)
{
    const float cy = c.height() / 2.f;
    const int segments = 10;
    for (int s = 0; s < segments; ++s) {
        const float x = 10.f + s * 7.5f;
        const float wave = 3.f * std::sin(s * 0.9f);
        for (float side : {-1.f, 1.f})
            leg(c, {x, cy + wave}, side * (90.f + 15.f * std::sin(s * 1.3f)), 10.f, 7.f, side * -35.f, 1.6f, rgb(120, 60, 20));
    }
    for (int s = 0; s < segments; ++s) {
        const float x = 10.f + s * 7.5f;
        const float wave = 3.f * std::sin(s * 0.9f);
        shell(c, x, cy + wave, 5.5f, 9.f, s % 2 ? rgb(190, 90, 30) : rgb(150, 60, 25));
        c.line(x - 4.f, cy + wave, x + 4.f, cy + wave, 1.f, rgb(240, 200, 80, 0.6f));
    }
    shell(c, 88.f, cy, 7.f, 8.f, rgb(110, 40, 20));
    eyes(c, 90.f, cy, 4.f, 1.8f, rgb(255, 220, 60));
    for (float side : {-1.f, 1.f}) // poison claws
        c.line(92.f, cy + side * 3.f, 98.f, cy + side * 1.f, 2.f, rgb(60, 20, 10));
    antennae(c, 92.f, cy, 7.f, 9.f, rgb(90, 40, 20), false);
}

void paintLadybug(Canvas& c, int frame, int frames, Rgba shellColour, Rgba spot, float scale, int spotRows)
{
    const float cx = c.width() / 2.f - 3.f * scale, cy = c.height() / 2.f;
    const float phase = 2.f * PI_F * frame / frames;
    const float part = 0.25f + 0.2f * std::sin(phase); // the wing cases lift apart in flight
    // Flight wings blurring out under the shell.
    for (float side : {-1.f, 1.f})
        wing(c, {cx + 2.f * scale, cy + side * 4.f * scale}, 30.f * scale, 8.f * scale,
             side * (150.f + 14.f * std::sin(phase * 2.f)), rgb(220, 225, 240, 0.45f), rgb(120, 120, 140, 0.6f));
    legPairs(c, cx + 3.f * scale, cy, 7.f * scale, 10.f * scale, 7.f * scale, 2.f * scale, phase, rgb(20, 20, 20));
    shell(c, cx + 17.f * scale, cy, 8.f * scale, 12.f * scale, rgb(20, 20, 22)); // pronotum
    for (float side : {-1.f, 1.f}) {
        c.fillEllipse(cx + 18.f * scale, cy + side * 7.f * scale, 3.f * scale, 3.5f * scale, rgb(240, 240, 235));
        const float sy = cy + side * (8.f + 3.f * part) * scale;
        shell(c, cx - 2.f * scale, sy, 18.f * scale, 9.f * scale, shellColour, side * part * 8.f);
        for (int r = 0; r < spotRows; ++r)
            for (int k = 0; k < 2; ++k)
                c.fillCircle(cx - 12.f * scale + (r * 9.f + k * 4.f) * scale, sy + side * (k ? 2.f : -2.f) * scale,
                             2.8f * scale, spot);
    }
    c.line(cx - 20.f * scale, cy, cx + 14.f * scale, cy, 1.5f * scale, rgb(20, 10, 10));
    shell(c, cx + 25.f * scale, cy, 5.f * scale, 7.f * scale, rgb(25, 25, 28));
    eyes(c, cx + 26.f * scale, cy, 4.f * scale, 1.8f * scale, rgb(200, 200, 210));
}

void paintDragonfly(Canvas& c, int frame, int frames)
{
    const float cx = c.width() / 2.f, cy = c.height() / 2.f;
    const float phase = 2.f * PI_F * frame / frames;
    for (int pair = 0; pair < 2; ++pair)
        for (float side : {-1.f, 1.f}) {
            const float sweep = (pair ? 102.f : 80.f) + 16.f * std::sin(phase + pair * PI_F * 0.5f);
            wing(c, {cx + 14.f - pair * 8.f, cy + side * 3.f}, 80.f, 9.f, side * sweep, rgb(200, 230, 255, 0.38f),
                 rgb(90, 120, 150, 0.7f));
            c.fillEllipse(cx + 14.f - pair * 8.f + std::cos(side * sweep * PI_F / 180.f) * 68.f,
                          cy + std::sin(side * sweep * PI_F / 180.f) * 68.f, 3.f, 2.f, rgb(40, 40, 60, 0.8f));
        }
    abdomen(c, cx - 55.f, cx + 4.f, cy, 4.5f, 9, rgb(40, 140, 200), rgb(20, 80, 140), 0.2f);
    shell(c, cx + 12.f, cy, 10.f, 7.5f, rgb(60, 160, 90));
    shell(c, cx + 27.f, cy, 7.f, 9.f, rgb(40, 80, 60));
    for (float side : {-1.f, 1.f}) {
        c.fillCircle(cx + 28.f, cy + side * 6.f, 6.f, rgb(20, 120, 130));
        c.fillCircle(cx + 30.f, cy + side * 7.5f, 2.f, rgb(220, 255, 255, 0.8f));
    }
}

void paintBruiser(Canvas& c, int frame, int frames)
{
    const float cx = c.width() / 2.f - 45.f, cy = c.height() / 2.f;
    const float phase = 2.f * PI_F * frame / frames;
    legPairs(c, cx + 10.f, cy, 45.f, 60.f, 48.f, 13.f, phase, rgb(120, 80, 130));
    const Rgba armour = rgb(90, 40, 110);
    for (float side : {-1.f, 1.f})
        shell(c, cx - 25.f, cy + side * 38.f, 80.f, 40.f, armour);
    c.line(cx - 100.f, cy, cx + 40.f, cy, 3.f, rgb(30, 10, 40));
    for (float side : {-1.f, 1.f})
        for (int k = 0; k < 4; ++k)
            c.line(cx - 80.f + k * 30.f, cy + side * 20.f, cx - 70.f + k * 30.f, cy + side * 62.f, 2.f, rgb(150, 90, 170, 0.5f));
    shell(c, cx + 55.f, cy, 42.f, 60.f, scaled(armour, 0.85f)); // pronotum
    shell(c, cx + 95.f, cy, 22.f, 26.f, rgb(50, 25, 55));
    // The horn, curving forward with a forked tip.
    c.fillPolygon({{cx + 95.f, cy - 22.f}, {cx + 160.f, cy - 14.f}, {cx + 190.f, cy - 34.f}, {cx + 175.f, cy},
                   {cx + 190.f, cy + 34.f}, {cx + 160.f, cy + 14.f}, {cx + 95.f, cy + 22.f}},
                  rgb(150, 90, 120));
    c.line(cx + 100.f, cy - 8.f, cx + 165.f, cy - 8.f, 4.f, rgb(230, 190, 220, 0.6f));
    for (float side : {-1.f, 1.f}) {
        const float glowAmount = 0.6f + 0.4f * std::sin(phase * 2.f);
        c.fillCircle(cx + 108.f, cy + side * 18.f, 6.f, rgb(255, 60, 30));
        c.glow(cx + 108.f, cy + side * 18.f, 16.f, rgb(255, 80, 30), glowAmount);
    }
}

// The eater is drawn at a quarter of its size and blown up with hard pixels.
void paintEaterFrame(Canvas& c, float mouthOpen, float step)
{
    Canvas small(40, 40);
    const float cx = 20.f, cy = 20.f + step;
    for (float side : {-1.f, 1.f}) // stubby feet
        small.fillEllipse(cx - 6.f + 6.f * step * side, cy + side * 15.f, 4.f, 3.f, rgb(70, 40, 90));
    small.fillCircle(cx, cy, 15.f, rgb(90, 50, 120));
    small.fillCircle(cx - 2.f, cy - 2.f, 12.f, rgb(130, 80, 170));
    // The maw opens wide with rows of teeth.
    const float gape = 2.f + 11.f * mouthOpen;
    small.fillPolygon({{cx - 2.f, cy}, {cx + 17.f, cy - gape}, {cx + 17.f, cy + gape}}, rgb(60, 0, 20));
    for (int k = 0; k < 4; ++k) {
        const float x = cx + 5.f + k * 3.f;
        const float y = gape * (x - cx + 2.f) / 19.f;
        small.fillPolygon({{x, cy - y}, {x + 2.f, cy - y}, {x + 1.f, cy - y + 3.f}}, rgb(250, 250, 230));
        small.fillPolygon({{x, cy + y}, {x + 2.f, cy + y}, {x + 1.f, cy + y - 3.f}}, rgb(250, 250, 230));
    }
    for (float side : {-1.f, 1.f}) {
        small.fillCircle(cx + 2.f, cy + side * 9.f, 3.f, rgb(255, 230, 60));
        small.fillCircle(cx + 3.f, cy + side * 9.f, 1.2f, rgb(0, 0, 0));
    }
    // Enlarged into hard pixels and mirrored: the eater never turns, and it meets the ships
    // coming from the right of the field, so its maw faces left.
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            c.at(x, y) = small.at(39 - std::min(x / 4, 39), std::min(y / 4, 39));
}

const BeeLook BEE{rgb(250, 200, 30), rgb(30, 25, 20), rgb(170, 120, 40), rgb(210, 235, 255, 0.45f),
                  rgb(120, 140, 160, 0.7f), rgb(40, 30, 30), false};
const BeeLook WASP{rgb(235, 90, 30), rgb(25, 20, 20), rgb(120, 40, 30), rgb(200, 170, 230, 0.45f),
                   rgb(110, 90, 140, 0.7f), rgb(120, 230, 60), true};

} // namespace

REGISTER_ASSETS(enemy_insects)
{
    saveOrThrow(paintRow(106, 150, 6, [](Canvas& c, int i) { paintBee(c, i, 6, BEE); }),
                ctx.path("2D/Enemy/Bee_SpriteSheet.png"));
    saveOrThrow(paintRow(106, 150, 6, [](Canvas& c, int i) { paintBee(c, i, 6, WASP); }),
                ctx.path("2D/Enemy/SideBee_SpriteSheet.png"));
    saveOrThrow(paintRow(99, 82, 7, [](Canvas& c, int i) { paintBeetle(c, i, 7, rgb(40, 150, 90), rgb(30, 60, 40), 1.f); }),
                ctx.path("2D/Enemy/Beetle_SpriteSheet.png"));
    saveOrThrow(paintRow(100, 100, 7, [](Canvas& c, int i) { paintButterfly(c, i, 7); }),
                ctx.path("2D/Enemy/ButterFly_SpriteSheet.png"));
    saveOrThrow(paintRow(124, 85, 7, [](Canvas& c, int i) { paintGrasshopper(c, i, 7); }),
                ctx.path("2D/Enemy/GrassHopper_SpriteSheet.png"));
    saveOrThrow(paintRow(100, 100, 1, [](Canvas& c, int) { paintCentipede(c); }), ctx.path("2D/Enemy/Centipede5.png"));
    saveOrThrow(paintRow(75, 71, 8,
                         [](Canvas& c, int i) { paintLadybug(c, i, 8, rgb(220, 30, 30), rgb(15, 10, 10), 1.f, 2); }),
                ctx.path("2D/Enemy/Mini_LadyBug_SpriteSheet.png"));
    saveOrThrow(paintRow(240, 238, 8,
                         [](Canvas& c, int i) { paintLadybug(c, i, 8, rgb(250, 150, 20), rgb(20, 10, 30), 3.1f, 3); }),
                ctx.path("2D/Enemy/Maxi_Ladybug_SpriteSheet.png"));
    saveOrThrow(paintRow(114, 175, 6, [](Canvas& c, int i) { paintDragonfly(c, i, 6); }),
                ctx.path("2D/Enemy/DragonFly_SpriteSheet.png"));
    saveOrThrow(paintRow(302, 300, 11, [](Canvas& c, int i) { paintBruiser(c, i, 11); }), ctx.path("2D/Enemy/Bruiser.png"));

    // The eater: a walking row of 4 frames on top, a biting row of 8 below.
    Canvas eater(160 * 8, 319);
    for (int i = 0; i < 4; ++i) {
        Canvas f(160, 159);
        paintEaterFrame(f, 0.15f, (i % 2 ? 1.f : -1.f));
        eater.draw(f, i * 160, 0);
    }
    for (int i = 0; i < 8; ++i) {
        Canvas f(160, 159);
        paintEaterFrame(f, std::sin(PI_F * i / 7.f), 0.f);
        eater.draw(f, i * 160, 160);
    }
    saveOrThrow(eater, ctx.path("2D/Enemy/Eater.png"));
}
