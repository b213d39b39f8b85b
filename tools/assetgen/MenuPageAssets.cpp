// The pictures of the menu screen on the hangar desk (a 1050 x 550 screen):
// its background, the items of each page, the check boxes, the credits and
// how-to-play pages and the Back / Valid hints. Item pictures are white so
// that the cursor's cyan tint shows.
#include "tools/assetgen/Canvas.h"
#include "tools/assetgen/Generator.h"
#include "tools/assetgen/HowToPlayText.h"

#include <string>
#include <utility>
#include <vector>

using namespace assetgen;

namespace {
const Rgba WHITE = rgb(255, 255, 255);
const Rgba PLATE = rgb(255, 255, 255, 0.10f);

// A white label on a faint plate with a bright edge on the left.
void label(const Context& ctx, const std::string& path, int w, int h, const std::string& text, float size,
           bool centred)
{
    Canvas c(w, h);
    c.fillRect(2, 2, w - 4.f, h - 4.f, PLATE);
    c.fillRect(2, 2, 5, h - 4.f, WHITE);
    if (centred)
        c.text(boldFontPath(), text, w / 2.f, h / 2.f, size, WHITE, true);
    else
        c.text(boldFontPath(), text, 18, h / 2.f - size * 0.5f, size, WHITE);
    c.save(ctx.path(path));
}

void title(const Context& ctx, const std::string& path, int w, int h, const std::string& text, float size)
{
    Canvas c(w, h);
    c.text(boldFontPath(), text, 10, 2, size, rgb(120, 230, 255));
    c.fillRect(10, h - 6.f, w - 20.f, 3, rgb(120, 230, 255, 0.8f));
    c.save(ctx.path(path));
}

void box(const Context& ctx, const std::string& path, int size)
{
    Canvas c(size, size);
    c.fillRect(3, 3, size - 6.f, size - 6.f, rgb(255, 255, 255, 0.08f));
    c.fillRect(3, 3, size - 6.f, 3, WHITE);
    c.fillRect(3, size - 6.f, size - 6.f, 3, WHITE);
    c.fillRect(3, 3, 3, size - 6.f, WHITE);
    c.fillRect(size - 6.f, 3, 3, size - 6.f, WHITE);
    c.save(ctx.path(path));
}

void cross(const Context& ctx, const std::string& path, int size)
{
    Canvas c(size, size);
    const float m = size * 0.25f;
    c.line(m, m, size - m, size - m, size * 0.12f, rgb(120, 255, 170));
    c.line(size - m, m, m, size - m, size * 0.12f, rgb(120, 255, 170));
    c.save(ctx.path(path));
}

// A full page of text: a title and lines, plain or sub-headings.
void textPage(const Context& ctx, const std::string& path, const std::string& heading,
              const std::vector<how_to_play::PageLine>& lines)
{
    Canvas c(1050, 500);
    c.text(boldFontPath(), heading, 525, 50, 52, rgb(120, 230, 255), true);
    c.fillRect(325, 86, 400, 3, rgb(120, 230, 255, 0.8f));
    float y = 120;
    for (const auto& [text, sub] : lines) {
        if (sub)
            c.text(boldFontPath(), text, 525, y + 16, 30, rgb(255, 210, 120), true);
        else
            c.text(regularFontPath(), text, 525, y + 16, 28, WHITE, true);
        y += sub ? 44 : 38;
    }
    c.save(ctx.path(path));
}

void background(const Context& ctx)
{
    Canvas c(525, 275);
    c.verticalGradient(0, 0, 525, 275, rgb(8, 22, 48), rgb(3, 8, 22));
    for (int x = 0; x < 525; x += 25)
        c.fillRect(static_cast<float>(x), 0, 1, 275, rgb(60, 140, 220, 0.18f));
    for (int y = 0; y < 275; y += 25)
        c.fillRect(0, static_cast<float>(y), 525, 1, rgb(60, 140, 220, 0.18f));
    c.glow(262, 137, 300, rgb(30, 90, 160), 0.35f);
    c.noiseTint(0.05f, 0.12f, 7);
    c.save(ctx.path("3D/Menu/backGround.png"));
}
} // namespace

REGISTER_ASSETS(menu_pages)
{
    background(ctx);

    const std::pair<const char*, const char*> mainItems[] = {
        {"Game", "PLAY"}, {"Highscore", "HIGH SCORES"}, {"Cr\xE9" "dits", "CREDITS"}, {"quit", "QUIT"}};
    for (const auto& [file, text] : mainItems)
        label(ctx, std::string("3D/Menu/") + file + ".png", 350, 56, text, 34, true);

    const std::pair<const char*, const char*> playItems[] = {{"single player", "SINGLE PLAYER"},
                                                             {"difficulty", "DIFFICULTY"},
                                                             {"how to play", "HOW TO PLAY"},
                                                             {"cheats code", "CHEAT CODES"}};
    for (const auto& [file, text] : playItems)
        label(ctx, std::string("3D/Menu/Play/") + file + ".png", 420, 28, text, 22, false);

    title(ctx, "3D/Menu/Difficulty/difficulty.png", 560, 38, "DIFFICULTY", 30);
    const std::pair<const char*, const char*> levels[] = {{"easy", "EASY"}, {"normal", "NORMAL"}, {"hard", "HARD"}};
    for (const auto& [file, text] : levels)
        label(ctx, std::string("3D/Menu/Difficulty/") + file + ".png", 300, 40, text, 28, false);
    box(ctx, "3D/Menu/Difficulty/box.png", 40);
    cross(ctx, "3D/Menu/Difficulty/cross.png", 40);

    title(ctx, "3D/Menu/cheats/cheats code.png", 560, 66, "CHEAT CODES", 52);
    const std::pair<const char*, const char*> cheats[] = {{"life", "EXTRA LIVES"},
                                                          {"laser", "ENDLESS LASER"},
                                                          {"Level 2", "START AT LEVEL 2"},
                                                          {"Level 3", "START AT LEVEL 3"},
                                                          {"Level 4", "START AT LEVEL 4"}};
    for (const auto& [file, text] : cheats)
        label(ctx, std::string("3D/Menu/cheats/") + file + ".png", 340, 46, text, 24, false);
    box(ctx, "3D/Menu/cheats/box.png", 44);
    cross(ctx, "3D/Menu/cheats/cross.png", 44);

    for (const auto& [file, text] : {std::pair<const char*, const char*>{"Back", "B  BACK"}, {"Valid", "E  VALID"}}) {
        Canvas c(150, 34);
        c.fillRect(1, 1, 148, 32, rgb(0, 0, 0, 0.45f));
        c.fillRect(1, 31, 148, 2, rgb(120, 230, 255));
        c.text(boldFontPath(), text, 75, 17, 20, WHITE, true);
        c.save(ctx.path(std::string("3D/Menu/") + file + ".png"));
    }
}

REGISTER_ASSETS(menu_text_pages)
{
    textPage(ctx, "3D/Menu/Credits/tavlo.png", "TAVLO STUDIO",
             {{"Game design", true}, {"The Tavlo studio team", false}, {"Programming", true},
              {"Engine, gameplay and tools by the studio", false}, {"Art", true}, {"Ships, insects and hangar", false},
              {how_to_play::TURN_THE_PAGE, false}});
    textPage(ctx, "3D/Menu/Credits/music.png", "MUSIC",
             {{"Original soundtrack", true}, {"Opening, menu, four stages", false}, {"Boss themes and staff roll", false},
              {"Composed and arranged in-house", false}});
    textPage(ctx, "3D/Menu/Credits/sound.png", "SOUND",
             {{"Sound effects", true}, {"Lasers, shots and explosions", false}, {"Menu and bonus sounds", false},
              {"Synthesised in-house", false}});
    textPage(ctx, "3D/Menu/Credits/thank.png", "THANK YOU",
             {{"for playing Orbyndel", false}, {"", false}, {"Special thanks", true},
              {"Fennimar school of games and interactive media", false}, {"and every play tester", false}});

    for (const how_to_play::TextPage& page : how_to_play::pages())
        textPage(ctx, page.path, page.title, page.lines);
}
