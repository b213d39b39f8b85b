#include "screens/MenuPages.h"

#include "screens/MenuPageInput.h"
#include "screens/MenuNavigation.h"

#include <SFML/Graphics/Sprite.hpp>
#include <array>

namespace {
const sf::Color CURSOR_TINT(0, 255, 255);

bool isCursor(const MenuServices& services, MenuItemId item) { return services.menu.menuCursor == item; }

struct CheatItem {
    const char* picture;
    bool (*isOn)(const RunSettings&);
};
const std::array<CheatItem, 5> CHEAT_ITEMS = {{
    {"3D/Menu/cheats/life.png", [](const RunSettings& run) { return run.cheatLives; }},
    {"3D/Menu/cheats/laser.png", [](const RunSettings& run) { return run.cheatLaser; }},
    {"3D/Menu/cheats/Level 2.png", [](const RunSettings& run) { return run.startLevel == 1; }},
    {"3D/Menu/cheats/Level 3.png", [](const RunSettings& run) { return run.startLevel == 2; }},
    {"3D/Menu/cheats/Level 4.png", [](const RunSettings& run) { return run.startLevel == 3; }},
}};

const std::array<const char*, 4> MAIN_ITEMS = {"Game", "Highscore", "Cr\xE9" "dits", "quit"};
const std::array<const char*, 4> PLAY_ITEMS = {"single player", "difficulty", "how to play", "cheats code"};
const std::array<const char*, 3> DIFFICULTY_ITEMS = {"easy", "normal", "hard"};
const std::array<const char*, menu_pages::CREDITS_PICTURES> CREDITS_PICTURES = {
    "3D/Menu/Credits/tavlo.png", "3D/Menu/Credits/music.png", "3D/Menu/Credits/sound.png", "3D/Menu/Credits/thank.png"};
const std::array<const char*, menu_pages::HOW_TO_PLAY_PICTURES> HOW_TO_PLAY_PICTURES = {
    "3D/Menu/HTP/controls.png", "3D/Menu/HTP/lives.png", "3D/Menu/HTP/points.png"};
} // namespace

void drawMenuPicture(sf::RenderTarget& target, TextureCache& textures, const std::string& path, float x, float y,
                     bool underCursor)
{
    sf::Texture* texture = textures.getTexture(path);
    if (!texture)
        return;
    sf::Sprite sprite(*texture);
    sprite.setPosition(x, y);
    sprite.setColor(underCursor ? CURSOR_TINT : sf::Color::White);
    target.draw(sprite);
}

void drawMainMenu(sf::RenderTarget& target, const MenuServices& services)
{
    for (int i = 0; i < 4; ++i)
        drawMenuPicture(target, services.textures, std::string("3D/Menu/") + MAIN_ITEMS[i] + ".png", 350.f,
                        20.f + 63.f * i, isCursor(services, i));
}

void drawPlayMenu(sf::RenderTarget& target, const MenuServices& services)
{
    for (int i = 0; i < 4; ++i)
        drawMenuPicture(target, services.textures, std::string("3D/Menu/Play/") + PLAY_ITEMS[i] + ".png", 0.f,
                        30.f * i, isCursor(services, 4 + i));
}

void drawDifficultyMenu(sf::RenderTarget& target, const MenuServices& services)
{
    TextureCache& textures = services.textures;
    drawMenuPicture(target, textures, "3D/Menu/Difficulty/difficulty.png", 0.f, 0.f);
    for (int k = 0; k < 3; ++k) {
        const int item = static_cast<int>(Difficulty::Easy) + k;
        const float y = 40.f + 45.f * k;
        drawMenuPicture(target, textures, std::string("3D/Menu/Difficulty/") + DIFFICULTY_ITEMS[k] + ".png", 0.f, y,
                        isCursor(services, item));
        drawMenuPicture(target, textures, "3D/Menu/Difficulty/box.png", 500.f, y);
        if (services.run.difficulty == static_cast<Difficulty>(item))
            drawMenuPicture(target, textures, "3D/Menu/Difficulty/cross.png", 500.f, y);
    }
}

void drawCheatsMenu(sf::RenderTarget& target, const MenuServices& services)
{
    TextureCache& textures = services.textures;
    drawMenuPicture(target, textures, "3D/Menu/cheats/cheats code.png", 0.f, 0.f);
    for (int k = 0; k < 5; ++k) {
        drawMenuPicture(target, textures, CHEAT_ITEMS[k].picture, 0.f, 75.f + 55.f * k, isCursor(services, 14 + k));
        const float boxY = 75.f + 50.f * k;
        drawMenuPicture(target, textures, "3D/Menu/cheats/box.png", 350.f, boxY);
        if (CHEAT_ITEMS[k].isOn(services.run))
            drawMenuPicture(target, textures, "3D/Menu/cheats/cross.png", 350.f, boxY);
    }
}

void drawCreditsMenu(sf::RenderTarget& target, const MenuServices& services)
{
    drawMenuPicture(target, services.textures, CREDITS_PICTURES[menuControls().creditsPage], 0.f, 0.f);
}

void drawHowToPlayMenu(sf::RenderTarget& target, const MenuServices& services)
{
    drawMenuPicture(target, services.textures, HOW_TO_PLAY_PICTURES[menuControls().howToPlayPage], 0.f, 0.f);
}
