// Particle art: the explosion sheets (a flash, a fireball that cools through
// orange and red, flying debris, a shock ring and smoke that takes over), the
// boss damage sparks, smoke, shield energy and the shooting-star streak, and
// the big player explosion (6 x 4 frames of 700 x 700, painted at half size).
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Generator.h"

#include <SFML/Graphics/Image.hpp>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

using namespace assetgen;

namespace {

constexpr float PI = 3.14159265f;

// Fire colour by heat 1 (white) .. 0 (dark red).
Rgba fireColour(float heat)
{
    const Rgba stops[4] = {rgb(120, 20, 10), rgb(255, 90, 20), rgb(255, 200, 60), rgb(255, 255, 235)};
    heat = std::clamp(heat, 0.f, 1.f) * 3.f;
    const int i = std::min(2, static_cast<int>(heat));
    return mix(stops[i], stops[i + 1], heat - i);
}

// A smoke puff: grey, densest in the middle, fading to nothing at its edge.
void softPuff(Canvas& c, float cx, float cy, float r, float grey, float alpha)
{
    const int x0 = std::max(0, static_cast<int>(cx - r)), x1 = std::min(c.width() - 1, static_cast<int>(cx + r));
    const int y0 = std::max(0, static_cast<int>(cy - r)), y1 = std::min(c.height() - 1, static_cast<int>(cy + r));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / r;
            if (d < 1.f)
                c.blend(x, y, Rgba{grey, grey, grey * 1.05f, alpha * (1.f - d * d)});
        }
}

struct ExplosionStyle {
    int blobs;    // fireball lobes
    int debris;   // flying fragments
    int smoke;    // smoke puffs
    bool shock;   // shock ring
    uint32_t seed;
};

// One moment t (0..1) of an explosion of radius R centred on (cx, cy).
void paintExplosion(Canvas& c, float cx, float cy, float R, float t, const ExplosionStyle& style)
{
    Lcg rng{style.seed};
    // Smoke: grey puffs that rise out of the fire and thin out toward the end.
    if (t > 0.25f) {
        const float s = (t - 0.25f) / 0.75f;
        for (int k = 0; k < style.smoke; ++k) {
            const float a = rng.next() * 2.f * PI, d = (0.2f + 0.5f * rng.next()) * R * (0.5f + 0.5f * s);
            const float r = R * (0.25f + 0.2f * rng.next()) * (0.6f + 0.6f * s);
            const float grey = 0.25f + 0.2f * rng.next();
            softPuff(c, cx + d * std::cos(a), cy + d * std::sin(a) - R * 0.15f * s, r, grey,
                     0.7f * std::sin(s * PI) + 0.15f * (1.f - s));
        }
    } else {
        for (int k = 0; k < style.smoke * 4; ++k)
            rng.next();
    }
    // Fireball lobes: grow fast, cool and fade.
    const float heat = std::max(0.f, 1.f - t * 1.6f);
    const float fire = std::pow(std::max(0.f, 1.f - t), 1.5f);
    for (int k = 0; k < style.blobs; ++k) {
        const float a = rng.next() * 2.f * PI, d = rng.next() * R * 0.35f * std::sqrt(t);
        const float r = R * (0.35f + 0.25f * rng.next()) * (0.4f + 0.6f * std::sqrt(std::min(1.f, t * 2.f)));
        if (fire > 0.02f)
            c.glow(cx + d * std::cos(a), cy + d * std::sin(a), r, fireColour(heat - 0.15f * rng.next()), fire, 1.3f);
        else
            rng.next();
    }
    // The first flash.
    if (t < 0.2f)
        c.glow(cx, cy, R * (0.3f + 2.f * t), Rgba{1.f, 1.f, 0.95f, 1.f}, 1.f - t * 5.f, 1.f);
    // Shock ring.
    if (style.shock && t < 0.45f) {
        const float s = t / 0.45f;
        c.ring(cx, cy, R * (0.2f + 0.85f * s), 2.f + R * 0.03f, Rgba{1.f, 0.9f, 0.7f, 0.7f * (1.f - s)});
    }
    // Debris: fragments thrown out along straight lines, glowing early, dark later.
    for (int k = 0; k < style.debris; ++k) {
        const float a = rng.next() * 2.f * PI, v = 0.5f + 0.6f * rng.next(), size = 1.f + R * 0.02f * rng.next();
        const float d = R * v * std::sqrt(t) * 1.05f;
        if (t < 0.05f || t > 0.9f)
            continue;
        const float x = cx + d * std::cos(a), y = cy + d * std::sin(a);
        const Rgba hot = fireColour(1.f - t * 1.2f);
        c.line(x, y, x - std::cos(a) * size * 4.f, y - std::sin(a) * size * 4.f, size, Rgba{hot.r, hot.g, hot.b, 1.f - t});
    }
}

void writeSheet(const Context& ctx, const std::string& path, int frameSize, int frames, float radius,
                const ExplosionStyle& style)
{
    Canvas sheet(frameSize * frames, frameSize);
    for (int f = 0; f < frames; ++f)
        paintExplosion(sheet, frameSize * (f + 0.5f), frameSize * 0.5f, radius, (f + 0.5f) / frames, style);
    saveOrThrow(sheet, ctx.path(path));
}

void writeBossDamage(const Context& ctx)
{
    // Sparks bursting from a white-hot point, 6 frames of 45 x 45.
    Canvas sheet(270, 45);
    Lcg rng{7};
    float angles[10], speeds[10];
    for (int k = 0; k < 10; ++k)
        angles[k] = rng.next() * 2.f * PI, speeds[k] = 0.6f + 0.4f * rng.next();
    for (int f = 0; f < 6; ++f) {
        const float cx = 45.f * f + 22.5f, cy = 22.5f, t = (f + 0.5f) / 6.f;
        sheet.glow(cx, cy, 10.f + 6.f * t, rgb(255, 170, 60), 1.f - t, 1.5f);
        for (int k = 0; k < 10; ++k) {
            const float d = 20.f * speeds[k] * t, x = cx + d * std::cos(angles[k]), y = cy + d * std::sin(angles[k]);
            sheet.line(x, y, x - 4.f * std::cos(angles[k]), y - 4.f * std::sin(angles[k]), 1.5f,
                       Rgba{1.f, 0.85f, 0.4f, 1.f - t * 0.8f});
        }
    }
    saveOrThrow(sheet, ctx.path("2D/Particles/bossDamage.png"));
}

void writeSmallParticles(const Context& ctx)
{
    // Smoke: a soft grey puff with lumpy edges, 120 x 120.
    Canvas smoke(120, 120);
    Lcg rng{11};
    for (int k = 0; k < 9; ++k) {
        const float a = rng.next() * 2.f * PI, d = 18.f * rng.next(), r = 22.f + 12.f * rng.next();
        const float grey = 0.45f + 0.2f * rng.next();
        softPuff(smoke, 60.f + d * std::cos(a), 60.f + d * std::sin(a), r, grey, 0.5f);
    }
    smoke.noiseTint(0.08f, 0.25f, 3);
    saveOrThrow(smoke, ctx.path("2D/Particles/Smoke.png"));

    // Shield energy: a white glow dot, tinted by the game.
    Canvas energy(256, 256);
    energy.glow(128.f, 128.f, 128.f, Rgba{1.f, 1.f, 1.f, 1.f}, 1.f, 2.2f);
    energy.fillCircle(128.f, 128.f, 30.f, Rgba{1.f, 1.f, 1.f, 1.f});
    saveOrThrow(energy, ctx.path("2D/Particles/energy.png"));

    // Shooting star: a 3 x 2 streak cell, stretched along its travel by the game.
    Canvas star(3, 2);
    for (int y = 0; y < 2; ++y) {
        star.blend(0, y, Rgba{1.f, 0.8f, 0.4f, 0.6f});
        star.blend(1, y, Rgba{1.f, 1.f, 0.9f, 1.f});
        star.blend(2, y, Rgba{1.f, 0.8f, 0.4f, 0.6f});
    }
    saveOrThrow(star, ctx.path("2D/Particles/shootingStar.png"));
}

uint8_t toByte(float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.f, 1.f) * 255.f)); }

} // namespace

REGISTER_ASSETS(play_particles)
{
    writeSheet(ctx, "2D/Particles/Explosion-Sheet.png", 120, 15, 48.f, {5, 14, 6, true, 21});
    writeSheet(ctx, "2D/Particles/bigExplosion.png", 110, 12, 46.f, {7, 20, 8, true, 42});
    writeBossDamage(ctx);
    writeSmallParticles(ctx);
}

REGISTER_ASSETS(play_player_explosion)
{
    // 24 moments, 6 per row, each painted on a 350 x 350 canvas and doubled
    // with bilinear filtering into its 700 x 700 cell.
    constexpr int cell = 700, half = 350, columns = 6, rows = 4;
    sf::Image sheet;
    sheet.create(cell * columns, cell * rows, sf::Color::Transparent);
    Canvas frame(half, half);
    const ExplosionStyle style{9, 40, 12, true, 1234};
    for (int f = 0; f < columns * rows; ++f) {
        frame.clear(Rgba{0, 0, 0, 0});
        paintExplosion(frame, half / 2.f, half / 2.f, 150.f, (f + 0.5f) / (columns * rows), style);
        const int ox = (f % columns) * cell, oy = (f / columns) * cell;
        for (int y = 0; y < cell; ++y) {
            const float sy = std::clamp((y + 0.5f) / 2.f - 0.5f, 0.f, half - 1.001f);
            const int y0 = static_cast<int>(sy);
            const float fy = sy - y0;
            for (int x = 0; x < cell; ++x) {
                const float sx = std::clamp((x + 0.5f) / 2.f - 0.5f, 0.f, half - 1.001f);
                const int x0 = static_cast<int>(sx);
                const float fx = sx - x0;
                const Rgba top = mix(frame.at(x0, y0), frame.at(x0 + 1, y0), fx);
                const Rgba bottom = mix(frame.at(x0, y0 + 1), frame.at(x0 + 1, y0 + 1), fx);
                const Rgba p = mix(top, bottom, fy);
                if (p.a > 0.f)
                    sheet.setPixel(ox + x, oy + y, sf::Color(toByte(p.r), toByte(p.g), toByte(p.b), toByte(p.a)));
            }
        }
    }
    if (!sheet.saveToFile(ctx.path("2D/Particles/playerExplosion(VPCR).png")))
        throw std::runtime_error("cannot write the player explosion");
}
