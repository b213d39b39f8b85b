// End-of-level and continue pictures: the tally board background, the boss
// timer panel, the small enemy icons of the kill grid, the board's font, and
// the ten continue countdown numbers.
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Generator.h"

#include <cmath>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

using namespace assetgen;

namespace {

const Rgba CYAN = rgb(40, 230, 255);
const Rgba MAGENTA = rgb(255, 60, 200);
const Rgba GOLD = rgb(255, 210, 60);
const Rgba WHITE = rgb(240, 250, 255);
constexpr float PI = 3.14159265f;

// The board: 560 x 880. Tally numbers go at x 170 on the rows 90, 135 and
// 185; the kill grid from (50, 270); the timer panel at (50, 658); the boss
// score at (360, 748).
void boardBackground(const Context& ctx)
{
    Canvas c(560, 880);
    c.verticalGradient(0.f, 0.f, 560.f, 880.f, rgb(10, 16, 40, 0.96f), rgb(4, 6, 18, 0.96f));
    outline(c, 3.f, 3.f, 553.f, 873.f, Rgba{CYAN.r, CYAN.g, CYAN.b, 0.3f}, 6.f);
    outline(c, 3.f, 3.f, 553.f, 873.f, CYAN, 2.f);
    c.text(boldFontPath(), "STAGE CLEAR", 280.f, 42.f, 40.f, WHITE, true);
    c.line(40.f, 72.f, 520.f, 72.f, 2.f, MAGENTA);
    const char* labels[3] = {"SCORE", "BONUS", "GOLD"};
    const Rgba colours[3] = {CYAN, rgb(90, 255, 140), GOLD};
    const float rows[3] = {90.f, 135.f, 185.f};
    for (int k = 0; k < 3; ++k) {
        c.fillRect(160.f, rows[k] + 4.f, 370.f, 38.f, rgb(0, 0, 0, 0.45f));
        c.text(boldFontPath(), labels[k], 30.f, rows[k] + 10.f, 26.f, colours[k]);
    }
    c.fillCircle(135.f, 135.f + 23.f, 8.f, rgb(90, 255, 140));
    c.fillCircle(135.f, 185.f + 23.f, 8.f, GOLD);
    c.text(boldFontPath(), "KILLS", 30.f, 232.f, 22.f, MAGENTA);
    c.fillRect(28.f, 260.f, 444.f, 380.f, rgb(0, 0, 0, 0.4f));
    outline(c, 28.f, 260.f, 444.f, 380.f, Rgba{MAGENTA.r, MAGENTA.g, MAGENTA.b, 0.7f}, 1.5f);
    c.text(boldFontPath(), "BOSS SCORE", 360.f, 712.f, 22.f, CYAN);
    c.fillRect(355.f, 744.f, 180.f, 44.f, rgb(0, 0, 0, 0.45f));
    c.text(regularFontPath(), "REVIVE TO GO ON", 280.f, 850.f, 20.f, rgb(150, 170, 200), true);
    saveOrThrow(c, ctx.path("2D/Scoreboard/Background/Background1.png"));
}

void timerPanel(const Context& ctx)
{
    Canvas c(309, 166);
    c.fillRect(0.f, 0.f, 309.f, 166.f, rgb(20, 8, 30, 0.95f));
    outline(c, 2.f, 2.f, 304.f, 161.f, MAGENTA, 2.f);
    c.text(boldFontPath(), "BOSS TIME BONUS", 154.f, 26.f, 24.f, MAGENTA, true);
    // A stopwatch beside the number's place.
    c.ring(70.f, 100.f, 34.f, 4.f, GOLD);
    c.fillRect(64.f, 58.f, 12.f, 8.f, GOLD);
    c.line(70.f, 100.f, 70.f, 76.f, 3.f, WHITE);
    c.line(70.f, 100.f, 88.f, 108.f, 3.f, WHITE);
    // The bonus number is drawn under the panel: its window stays see-through.
    for (int y = 126; y < 164; ++y)
        for (int x = 150; x < 305; ++x)
            c.at(x, y) = Rgba{0.f, 0.f, 0.f, 0.f};
    outline(c, 149.f, 125.f, 156.f, 39.f, GOLD, 1.f);
    saveOrThrow(c, ctx.path("2D/Scoreboard/Background/timerBoss 309 x 166.png"));
}

// ---- kill icons (64 x 64, facing up) ----

void legs(Canvas& c, float cx, float cy, float spread, float length, Rgba col)
{
    for (int k = -1; k <= 1; ++k) {
        const float y = cy + k * spread;
        c.line(cx - 8.f, y, cx - 8.f - length, y + k * 6.f - 4.f, 2.f, col);
        c.line(cx + 8.f, y, cx + 8.f + length, y + k * 6.f - 4.f, 2.f, col);
    }
}

void beetle(Canvas& c, Rgba shell, float scale)
{
    legs(c, 32.f, 36.f, 9.f * scale, 12.f * scale, rgb(30, 30, 30));
    c.fillEllipse(32.f, 14.f + (1.f - scale) * 10.f, 8.f * scale, 6.f * scale, rgb(40, 40, 50));
    c.fillEllipse(32.f, 36.f, 15.f * scale, 20.f * scale, shell);
    c.line(32.f, 18.f, 32.f, 36.f + 20.f * scale, 1.5f, rgb(10, 20, 10));
    c.glow(27.f, 28.f, 8.f, WHITE, 0.25f);
}

void ladybug(Canvas& c, float radius, int spots)
{
    legs(c, 32.f, 34.f, 8.f, radius * 0.6f, rgb(20, 20, 20));
    c.fillCircle(32.f, 34.f - radius, radius * 0.45f, rgb(20, 20, 20));
    c.fillCircle(32.f, 34.f, radius, rgb(220, 30, 30));
    c.line(32.f, 34.f - radius, 32.f, 34.f + radius, 1.5f, rgb(20, 20, 20));
    for (int k = 0; k < spots; ++k) {
        const float a = PI * 2.f * k / spots + 0.4f;
        c.fillCircle(32.f + std::cos(a) * radius * 0.55f, 34.f + std::sin(a) * radius * 0.55f, radius * 0.17f,
                     rgb(15, 15, 15));
    }
    c.glow(26.f, 28.f, radius * 0.5f, WHITE, 0.3f);
}

void bee(Canvas& c, Rgba stripe, bool crown)
{
    c.fillEllipse(20.f, 24.f, 12.f, 7.f, rgb(210, 235, 255, 0.6f), -30.f);
    c.fillEllipse(44.f, 24.f, 12.f, 7.f, rgb(210, 235, 255, 0.6f), 30.f);
    c.fillCircle(32.f, 14.f, 6.f, rgb(30, 25, 20));
    c.fillEllipse(32.f, 36.f, 10.f, 18.f, rgb(250, 200, 30));
    for (int k = 0; k < 3; ++k)
        c.fillRect(22.f, 30.f + k * 8.f, 20.f, 3.f, stripe);
    c.fillPolygon({{29, 53}, {35, 53}, {32, 60}}, rgb(30, 25, 20));
    if (crown)
        c.fillPolygon({{25, 8}, {27, 2}, {30, 6}, {32, 0}, {34, 6}, {37, 2}, {39, 8}}, rgb(255, 60, 60));
}

void butterfly(Canvas& c)
{
    c.fillEllipse(19.f, 22.f, 14.f, 12.f, rgb(80, 140, 255), -20.f);
    c.fillEllipse(45.f, 22.f, 14.f, 12.f, rgb(80, 140, 255), 20.f);
    c.fillEllipse(21.f, 42.f, 10.f, 9.f, rgb(255, 120, 220), 20.f);
    c.fillEllipse(43.f, 42.f, 10.f, 9.f, rgb(255, 120, 220), -20.f);
    c.fillCircle(19.f, 22.f, 4.f, WHITE);
    c.fillCircle(45.f, 22.f, 4.f, WHITE);
    c.fillEllipse(32.f, 32.f, 3.f, 18.f, rgb(30, 30, 40));
    c.line(31.f, 14.f, 25.f, 4.f, 1.5f, rgb(30, 30, 40));
    c.line(33.f, 14.f, 39.f, 4.f, 1.5f, rgb(30, 30, 40));
}

void grasshopper(Canvas& c)
{
    c.line(24.f, 40.f, 12.f, 24.f, 3.f, rgb(60, 140, 40));
    c.line(12.f, 24.f, 10.f, 56.f, 2.f, rgb(60, 140, 40));
    c.line(40.f, 40.f, 52.f, 24.f, 3.f, rgb(60, 140, 40));
    c.line(52.f, 24.f, 54.f, 56.f, 2.f, rgb(60, 140, 40));
    c.fillEllipse(32.f, 36.f, 8.f, 22.f, rgb(110, 200, 60));
    c.fillEllipse(32.f, 12.f, 7.f, 8.f, rgb(90, 170, 50));
    c.fillCircle(28.f, 10.f, 2.f, rgb(10, 10, 10));
    c.fillCircle(36.f, 10.f, 2.f, rgb(10, 10, 10));
}

void centipede(Canvas& c)
{
    for (int k = 0; k < 5; ++k) {
        const float y = 10.f + k * 11.f;
        c.line(20.f, y, 10.f, y + 3.f, 2.f, rgb(120, 60, 20));
        c.line(44.f, y, 54.f, y + 3.f, 2.f, rgb(120, 60, 20));
        c.fillCircle(32.f, y, 9.f, k == 0 ? rgb(160, 70, 30) : rgb(200, 110, 40));
        c.glow(29.f, y - 3.f, 4.f, WHITE, 0.25f);
    }
}

void dragonfly(Canvas& c)
{
    for (int side = -1; side <= 1; side += 2) {
        c.fillEllipse(32.f + side * 15.f, 18.f, 15.f, 4.f, rgb(170, 230, 255, 0.7f), side * 8.f);
        c.fillEllipse(32.f + side * 14.f, 27.f, 14.f, 4.f, rgb(170, 230, 255, 0.7f), -side * 8.f);
    }
    c.fillRect(30.f, 20.f, 4.f, 40.f, rgb(40, 160, 200));
    c.fillCircle(32.f, 14.f, 6.f, rgb(40, 200, 160));
    c.fillCircle(29.f, 12.f, 2.5f, rgb(10, 40, 30));
    c.fillCircle(35.f, 12.f, 2.5f, rgb(10, 40, 30));
}

void turret(Canvas& c)
{
    c.fillCircle(32.f, 38.f, 20.f, rgb(90, 100, 120));
    c.ring(32.f, 38.f, 20.f, 3.f, rgb(160, 170, 190));
    c.fillRect(28.f, 4.f, 8.f, 32.f, rgb(60, 66, 80));
    c.fillCircle(32.f, 38.f, 8.f, rgb(255, 80, 60));
}

void fence(Canvas& c)
{
    c.fillRect(6.f, 8.f, 8.f, 50.f, rgb(120, 120, 140));
    c.fillRect(50.f, 8.f, 8.f, 50.f, rgb(120, 120, 140));
    c.fillCircle(10.f, 10.f, 5.f, CYAN);
    c.fillCircle(54.f, 10.f, 5.f, CYAN);
    const Pt zig[] = {{14, 20}, {22, 28}, {28, 18}, {36, 32}, {42, 22}, {50, 30}};
    for (int k = 0; k + 1 < 6; ++k)
        c.line(zig[k].x, zig[k].y, zig[k + 1].x, zig[k + 1].y, 2.5f, rgb(180, 250, 255));
    c.glow(32.f, 26.f, 22.f, CYAN, 0.5f);
}

void spitter(Canvas& c, int spouts)
{
    for (int k = 0; k < spouts; ++k) {
        const float a = -PI / 2.f + PI * 2.f * k / spouts;
        c.line(32.f, 32.f, 32.f + std::cos(a) * 28.f, 32.f + std::sin(a) * 28.f, 8.f, rgb(90, 160, 80));
        c.fillCircle(32.f + std::cos(a) * 28.f, 32.f + std::sin(a) * 28.f, 5.f, rgb(30, 60, 30));
    }
    c.sphere(32.f, 32.f, 16.f, rgb(120, 200, 90), rgb(230, 255, 200));
}

void coral(Canvas& c)
{
    std::function<void(float, float, float, float, int)> branch = [&](float x, float y, float a, float len, int depth) {
        const float x1 = x + std::cos(a) * len;
        const float y1 = y + std::sin(a) * len;
        c.line(x, y, x1, y1, 1.5f + depth * 1.5f, rgb(255, 110, 150));
        if (depth > 0) {
            branch(x1, y1, a - 0.5f, len * 0.7f, depth - 1);
            branch(x1, y1, a + 0.5f, len * 0.7f, depth - 1);
        } else {
            c.fillCircle(x1, y1, 3.f, rgb(255, 200, 220));
        }
    };
    branch(32.f, 62.f, -PI / 2.f, 20.f, 3);
}

void eater(Canvas& c)
{
    c.fillCircle(32.f, 32.f, 27.f, rgb(120, 60, 170));
    c.fillEllipse(32.f, 36.f, 18.f, 12.f, rgb(30, 0, 20));
    for (int k = 0; k < 5; ++k) {
        const float x = 18.f + k * 7.f;
        c.fillPolygon({{x, 25}, {x + 6, 25}, {x + 3, 32}}, WHITE);
        c.fillPolygon({{x, 47}, {x + 6, 47}, {x + 3, 40}}, WHITE);
    }
    c.fillCircle(22.f, 14.f, 5.f, rgb(255, 240, 80));
    c.fillCircle(42.f, 14.f, 5.f, rgb(255, 240, 80));
    c.fillCircle(22.f, 14.f, 2.f, rgb(0, 0, 0));
    c.fillCircle(42.f, 14.f, 2.f, rgb(0, 0, 0));
}

void icons(const Context& ctx)
{
    struct Icon {
        const char* file;
        std::function<void(Canvas&)> paint;
    };
    const Icon list[] = {
        {"Beetle.png", [](Canvas& c) { beetle(c, rgb(40, 160, 90), 1.f); }},
        {"ButterFly.png", butterfly},
        {"GrassHopper.png", grasshopper},
        {"Centipede5.png", centipede},
        {"Bee.png", [](Canvas& c) { bee(c, rgb(30, 25, 20), false); }},
        {"Mini_LadyBug.png", [](Canvas& c) { ladybug(c, 15.f, 4); }},
        {"Maxi_Ladybug.png", [](Canvas& c) { ladybug(c, 24.f, 7); }},
        {"DragonFly.png", dragonfly},
        {"Bruiser.png", [](Canvas& c) { beetle(c, rgb(130, 60, 190), 1.35f); }},
        {"Boss_Bee.png", [](Canvas& c) { bee(c, rgb(160, 20, 20), true); }},
        {"Turret.png", turret},
        {"ElectricFence.png", fence},
        {"Rotating1.png", [](Canvas& c) { spitter(c, 1); }},
        {"Rotating4.png", [](Canvas& c) { spitter(c, 4); }},
        {"Coral.png", coral},
        {"Eater.png", eater},
    };
    for (const Icon& icon : list) {
        Canvas c(64, 64);
        icon.paint(c);
        saveOrThrow(c, ctx.path(std::string("2D/Scoreboard/EnemyFirstFrame/") + icon.file));
    }
}

// ---- continue countdown (220 x 300, shown in the HUD margin) ----

void continuePictures(const Context& ctx)
{
    for (int n = 1; n <= 10; ++n) {
        Canvas c(220, 300);
        c.fillRect(0.f, 0.f, 220.f, 300.f, rgb(12, 4, 20, 0.9f));
        outline(c, 2.f, 2.f, 215.f, 295.f, MAGENTA, 2.f);
        c.text(boldFontPath(), "CONTINUE?", 110.f, 30.f, 30.f, WHITE, true);
        // The ring empties as the seconds run out.
        const float share = n / 10.f;
        for (float a = 0.f; a < 360.f * share; a += 1.f) {
            const float r = (a - 90.f) * PI / 180.f;
            c.line(110.f + std::cos(r) * 68.f, 150.f + std::sin(r) * 68.f, 110.f + std::cos(r) * 78.f,
                   150.f + std::sin(r) * 78.f, 2.f, n <= 3 ? rgb(255, 70, 70) : CYAN);
        }
        c.glow(110.f, 150.f, 70.f, n <= 3 ? rgb(255, 60, 60) : MAGENTA, 0.35f);
        c.text(boldFontPath(), std::to_string(n), 110.f, 150.f, 96.f, n <= 3 ? rgb(255, 90, 90) : GOLD, true);
        c.text(boldFontPath(), "PRESS U / A", 110.f, 262.f, 22.f, CYAN, true);
        saveOrThrow(c, ctx.path("2D/Continue/Continue_" + std::to_string(n) + ".png"));
    }
}

void boardFont(const Context& ctx)
{
    const std::string source = monoFontPath();
    if (source.empty() || !std::filesystem::exists(source))
        throw std::runtime_error("no font for the tally board");
    std::filesystem::copy_file(source, ctx.path("2D/Scoreboard/Background/debugfont.otf"),
                               std::filesystem::copy_options::overwrite_existing);
}

} // namespace

REGISTER_ASSETS(overlay_screens)
{
    boardBackground(ctx);
    timerPanel(ctx);
    icons(ctx);
    continuePictures(ctx);
    boardFont(ctx);
}
