// The ground and organic devices among the enemies (wall tiles, turret base and barrel,
// fence posts with their beam strips, spinning spouts, the coral and its eyes) and the
// enemy kinds that are bullets (big plasma ball, green pellet, spiked plasma star).
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/DangerArt.h"
#include "tools/assetgen/Generator.h"

#include <cmath>
#include <string>

using namespace assetgen;

namespace {

constexpr float PI_F = 3.14159265f;

// Chitin wall blocks: sixteen tile variants of cracked, ribbed plates.
void paintWallTile(Canvas& c, int variant)
{
    c.fillRect(0, 0, 30, 30, rgb(70, 55, 45));
    c.verticalGradient(1, 1, 28, 28, rgb(125, 100, 80), rgb(80, 62, 50));
    c.fillRect(1, 1, 28, 2, rgb(160, 135, 110));
    const float k = static_cast<float>(variant);
    for (int r = 0; r < 3; ++r)
        c.line(3.f, 8.f + r * 8.f + std::fmod(k * 1.7f, 3.f), 27.f, 7.f + r * 8.f + std::fmod(k * 2.3f, 4.f), 1.f,
               rgb(60, 45, 35, 0.8f));
    c.line(5.f + std::fmod(k * 5.f, 18.f), 2.f, 10.f + std::fmod(k * 3.f, 12.f), 28.f, 1.f, rgb(40, 30, 25, 0.7f));
    c.fillCircle(8.f + std::fmod(k * 7.f, 14.f), 10.f + std::fmod(k * 11.f, 12.f), 2.f, rgb(150, 180, 90, 0.7f));
}

void paintTurretBase(Canvas& c)
{
    c.fillCircle(30, 30, 28, rgb(40, 45, 50));
    for (int k = 0; k < 6; ++k) {
        const float a = k * PI_F / 3.f;
        c.fillCircle(30 + std::cos(a) * 22.f, 30 + std::sin(a) * 22.f, 5.f, rgb(90, 95, 105));
        c.fillCircle(30 + std::cos(a) * 22.f, 30 + std::sin(a) * 22.f, 2.f, rgb(30, 30, 35));
    }
    c.sphere(30, 30, 17, rgb(110, 120, 135), rgb(230, 240, 255));
    c.fillPolygon({{44, 26}, {56, 30}, {44, 34}}, rgb(255, 140, 40)); // facing marker
    c.glow(30, 30, 8, rgb(255, 80, 40), 0.7f);
}

void paintTurretBarrel(Canvas& c)
{
    c.verticalGradient(0, 1, 30, 8, rgb(180, 190, 200), rgb(60, 65, 75));
    c.fillRect(28, 0, 6, 10, rgb(50, 55, 60));
    c.fillRect(31, 3, 3, 4, rgb(255, 120, 40));
}

// A fence post seen from the side: its mounting plate on the left edge (the ground or the
// ceiling once the post is turned), an insulated arm and the emitter at mid-height facing +x,
// where the beam strip's core leaves.
void paintFencePost(Canvas& c)
{
    c.fillRect(0, 4, 12, 82, rgb(45, 45, 55));
    c.fillRect(2, 6, 8, 78, rgb(85, 88, 100));
    for (int k = 0; k < 4; ++k)
        c.fillCircle(6, 14 + k * 20.f, 2.f, rgb(30, 30, 35));
    c.fillPolygon({{12, 22}, {30, 34}, {30, 56}, {12, 68}}, rgb(70, 72, 85));
    c.verticalGradient(28, 36, 18, 18, rgb(170, 175, 190), rgb(70, 72, 85));
    for (int k = 0; k < 3; ++k)
        c.fillEllipse(31.f + k * 6.f, 45, 2.5f, 11, rgb(210, 130, 40));
    c.fillPolygon({{46, 34}, {58, 40}, {58, 50}, {46, 56}}, rgb(90, 95, 110));
    c.sphere(52, 45, 6, rgb(200, 40, 40), rgb(255, 210, 200));
    c.glow(54, 45, 14, rgb(255, 60, 40), 0.9f);
}

// The beam runs along y; the loop strip tiles seamlessly every 90 px.
void paintBeamLoop(Canvas& c, int frame)
{
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 90; ++x) {
            const float d = std::fabs(x + 0.5f - 45.f);
            const float core = std::exp(-d * d / 18.f), halo = std::exp(-d * d / 300.f);
            c.add(x, y, rgb(255, 70, 40), 0.8f * halo);
            c.add(x, y, rgb(255, 230, 200), core);
        }
    for (int arc = 0; arc < 2; ++arc) {
        const float shift = frame * 2.1f + arc * PI_F;
        float px = 45.f, py = 0.f;
        for (int y = 5; y <= 90; y += 5) {
            const float x = 45.f + 14.f * std::sin(y * 2.f * PI_F / 90.f * 2.f + shift) * std::sin(y * PI_F / 90.f);
            c.line(px, py, x, static_cast<float>(y), 1.5f, rgb(255, 200, 255, 0.8f));
            px = x;
            py = static_cast<float>(y);
        }
    }
}

void paintBeamStart(Canvas& c, int frame)
{
    const float k = 0.6f + 0.2f * frame;
    c.glow(45, 11, 40 * k, rgb(255, 80, 40), 1.f);
    c.fillEllipse(45, 11, 28 * k, 6, rgb(255, 230, 200, 0.9f));
    c.glow(45, 11, 14, rgb(255, 255, 255), 1.f);
}

// A spinning spout pod growing in over the six appearing frames; nozzles point along +x.
void paintSpitter(Canvas& c, int frame, int nozzles)
{
    const float s = 0.25f + 0.75f * frame / 5.f;
    const float cx = 45, cy = 45;
    for (int n = 0; n < nozzles; ++n) {
        const float a = n * PI_F / 2.f;
        const float ca = std::cos(a), sa = std::sin(a);
        c.line(cx + ca * 10 * s, cy + sa * 10 * s, cx + ca * 38 * s, cy + sa * 38 * s, 12 * s, rgb(80, 40, 90));
        c.fillCircle(cx + ca * 38 * s, cy + sa * 38 * s, 6 * s, rgb(200, 255, 120));
    }
    for (int k = 0; k < 8; ++k) { // petals
        const float a = k * PI_F / 4.f + PI_F / 8.f;
        c.fillEllipse(cx + std::cos(a) * 18 * s, cy + std::sin(a) * 18 * s, 11 * s, 6 * s, rgb(160, 60, 150),
                      a * 180.f / PI_F);
    }
    c.sphere(cx, cy, 17 * s, rgb(190, 80, 200), rgb(255, 220, 255));
    c.glow(cx, cy, 10 * s, rgb(180, 255, 100), 0.8f);
}

// Segment sockets of the coral, in its frame, matching the body's eye positions.
const float CORAL_SOCKETS[8][2] = {{-124, -31}, {-35, -78}, {49, -70}, {125, -35},
                                   {120, 43},   {52, 70},   {-32, 75},  {-120, 45}};

void paintCoral(Canvas& c, int frame)
{
    const float cx = 138.5f, cy = 89.5f;
    const float pulse = 0.5f + 0.5f * std::sin(frame * 2.f * PI_F / 12.f);
    c.fillEllipse(cx, cy, 120, 70, rgb(150, 50, 80));
    for (int b = 0; b < 9; ++b) { // branches
        const float a = b * 2.f * PI_F / 9.f + 0.2f;
        c.line(cx, cy, cx + std::cos(a) * 125.f, cy + std::sin(a) * 78.f, 16.f, rgb(220, 90, 110));
        c.fillCircle(cx + std::cos(a) * 125.f, cy + std::sin(a) * 78.f, 9.f, rgb(255, 150, 150));
    }
    c.fillEllipse(cx, cy, 95, 55, rgb(240, 120, 130));
    c.noiseTint(0.08f, 0.25f, 7);
    for (int k = 0; k < 14; ++k) { // polyps breathing with the frame
        const float a = k * 2.f * PI_F / 14.f;
        const float r = 5.f + 3.f * std::sin(frame * 0.52f + k);
        c.fillCircle(cx + std::cos(a) * 60.f, cy + std::sin(a) * 32.f, r, rgb(255, 220, 200));
    }
    for (const auto& s : CORAL_SOCKETS)
        c.fillCircle(cx + s[0], cy + s[1], 13.f, rgb(80, 20, 40));
    c.glow(cx, cy, 45, rgb(255, 120, 200), 0.3f + 0.4f * pulse);
}

void paintCoralEye(Canvas& c)
{
    c.sphere(30, 30, 16, rgb(235, 230, 210), rgb(255, 255, 255));
    c.fillCircle(38, 30, 8, rgb(200, 40, 40));
    c.fillCircle(40, 30, 4, rgb(10, 0, 0));
    c.fillCircle(37, 27, 2, rgb(255, 255, 255));
}

void paintOrb(Canvas& c, int frame, int frames, float radius, Rgba core, Rgba rim)
{
    const float cx = c.width() / 2.f, cy = c.height() / 2.f;
    const float pulse = 1.f + 0.12f * std::sin(2.f * PI_F * frame / frames);
    c.glow(cx, cy, radius * 1.45f * pulse, rim, 0.9f, 1.5f);
    c.sphere(cx, cy, radius * 0.82f * pulse, rim, core);
    c.glow(cx - radius * 0.15f, cy - radius * 0.15f, radius * 0.5f, rgb(255, 255, 255), 0.8f);
}

// The wave-flying bullet: a spiked mine of hot plasma, turning. It reads as a danger and
// not as a burst of light: a round body with short spikes, a white core and the dark edge
// every enemy shot wears.
void paintRadiant(Canvas& c, int frame)
{
    const float cx = 45, cy = 45, edge = 3.f;
    const float reach = 45.f - edge - 1.5f, body = reach * 0.62f;
    const Rgba hot = dangerRim(rgb(255, 60, 20));
    const float turn = frame * PI_F / 20.f;
    for (int k = 0; k < 10; ++k) {
        const float a = turn + k * PI_F / 5.f, side = 0.2f;
        c.fillPolygon({{cx + std::cos(a - side) * body * 0.9f, cy + std::sin(a - side) * body * 0.9f},
                       {cx + std::cos(a) * reach, cy + std::sin(a) * reach},
                       {cx + std::cos(a + side) * body * 0.9f, cy + std::sin(a + side) * body * 0.9f}},
                      hot);
    }
    paintDangerOrb(c, cx, cy, body, hot, dangerPulse(frame, 4));
    edgeAsDanger(c, edge);
}

} // namespace

REGISTER_ASSETS(enemy_devices)
{
    saveOrThrow(paintRow(30, 30, 16, paintWallTile), ctx.path("2D/Enemy/Wall.png"));
    saveOrThrow(paintRow(60, 60, 1, [](Canvas& c, int) { paintTurretBase(c); }), ctx.path("2D/Enemy/Turret_Base.png"));
    saveOrThrow(paintRow(34, 10, 1, [](Canvas& c, int) { paintTurretBarrel(c); }), ctx.path("2D/Enemy/Turret_Canon.png"));
    saveOrThrow(paintRow(60, 90, 1, [](Canvas& c, int) { paintFencePost(c); }), ctx.path("2D/Enemy/laserTurret.png"));
    saveOrThrow(paintRow(90, 22, 3, paintBeamStart), ctx.path("2D/Enemy/laserStart.png"));
    saveOrThrow(paintRow(90, 90, 3, paintBeamLoop), ctx.path("2D/Enemy/laserLoop.png"));
    saveOrThrow(paintRow(90, 90, 6, [](Canvas& c, int i) { paintSpitter(c, i, 1); }), ctx.path("2D/Enemy/Rotating1.png"));
    saveOrThrow(paintRow(90, 90, 6, [](Canvas& c, int i) { paintSpitter(c, i, 4); }), ctx.path("2D/Enemy/Rotating4.png"));
    saveOrThrow(paintRow(277, 179, 12, paintCoral), ctx.path("2D/Enemy/Coral.png"));
    saveOrThrow(paintRow(60, 60, 1, [](Canvas& c, int) { paintCoralEye(c); }), ctx.path("2D/Enemy/CoralEye.png"));
    saveOrThrow(paintRow(144, 144, 6,
                         [](Canvas& c, int i) { paintOrb(c, i, 6, 50.f, rgb(255, 200, 255), rgb(170, 40, 230)); }),
                ctx.path("2D/Enemy/Gigaball.png"));
    saveOrThrow(paintRow(30, 30, 7,
                         [](Canvas& c, int i) {
                             paintDangerOrb(c, 15.f, 15.f, 15.f - DANGER_EDGE_WIDTH - 0.5f, dangerRim(rgb(60, 220, 60)),
                                            dangerPulse(i, 7));
                             edgeAsDanger(c);
                         }),
                ctx.path("2D/Enemy/Greenball.png"));
    saveOrThrow(paintRow(90, 90, 4, paintRadiant), ctx.path("2D/Enemy/Radiant.png"));
}
