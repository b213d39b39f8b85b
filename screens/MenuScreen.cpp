#include "screens/MenuScreen.h"

#include "engine/Engine.h"
#include "platform/AssetPath.h"
#include "screens/MenuNavigation.h"
#include "screens/MenuPages.h"

namespace {
void drawBackground(sf::RenderTarget& target)
{
    sf::Texture* texture = engine().textures.getTexture("3D/Menu/backGround.png");
    if (!texture)
        return;
    texture->setRepeated(true);
    sf::Sprite background(*texture);
    background.setScale(2.f, 2.f);
    MenuScreenResources& screen = menuScreen();
    if (!screen.backgroundShaderLoaded) {
        target.draw(background);
        return;
    }
    sf::Shader& shader = *screen.backgroundShader;
    shader.setUniform("backgroundTexture", sf::Shader::CurrentTexture);
    shader.setUniform("worldLighting", 2.f);
    shader.setUniform("time", engine().timing.gameClock.getElapsedTime().asSeconds());
    target.draw(background, &shader);
}

void drawHighScorePage(sf::RenderTarget& target)
{
    const sf::Texture& board = menuScreen().highScoreBoard;
    const sf::Vector2u size = board.getSize();
    if (size.x == 0 || size.y == 0)
        return;
    sf::Sprite sprite(board);
    sprite.setScale(static_cast<float>(target.getSize().x) / size.x, static_cast<float>(target.getSize().y) / size.y);
    target.draw(sprite);
}
} // namespace

MenuScreenResources& menuScreen()
{
    static MenuScreenResources* resources = [] {
        auto* r = new MenuScreenResources(); // lives until the process ends, like the engine
        r->target = std::make_unique<sf::RenderTexture>();
        r->target->create(menu_screen::WIDTH, menu_screen::HEIGHT, sf::ContextSettings(0, 0, 0, 1, 1));
        r->backgroundShader = std::make_unique<sf::Shader>();
        r->backgroundShaderLoaded = sf::Shader::isAvailable()
            && r->backgroundShader->loadFromFile(resolveAssetPath("Shader/backgroundMenuShader.frag"), sf::Shader::Fragment);
        return r;
    }();
    return *resources;
}

void updateMenuScreen()
{
    updateMenuInput();
    MenuScreenResources& screen = menuScreen();
    drawMenuScreen(*screen.target);
    screen.target->display();
    Mesh* mesh = engine().world.menuScreenMesh;
    if (!mesh)
        return;
    // The mesh shows the render texture itself (no copy): drawn as the batch's texture, its
    // rows come out the right way up like any render texture's.
    const sf::Texture& drawn = screen.target->getTexture();
    if (mesh->baseTexture != &drawn)
        mesh->setBaseTexture(&drawn);
}

void drawMenuScreen(sf::RenderTexture& target)
{
    target.clear(sf::Color::Black);
    drawBackground(target);
    switch (engine().menu.menuPage) {
    case menu_page::MAIN: drawMainMenu(target); break;
    case menu_page::PLAY: drawPlayMenu(target); break;
    case menu_page::HIGH_SCORES: drawHighScorePage(target); break;
    case menu_page::CREDITS: drawCreditsMenu(target); break;
    case menu_page::DIFFICULTY: drawDifficultyMenu(target); break;
    case menu_page::HOW_TO_PLAY: drawHowToPlayMenu(target); break;
    case menu_page::CHEATS: drawCheatsMenu(target); break;
    default: break;
    }
    drawMenuButtons(target);
}

void drawMenuButtons(sf::RenderTarget& target)
{
    const int page = engine().menu.menuPage;
    if (page == menu_page::MAIN || page == menu_page::CREDITS)
        return;
    if (page == menu_page::HOW_TO_PLAY) {
        drawMenuPicture(target, "3D/Menu/Back.png", 865.f, 510.f);
        return;
    }
    drawMenuPicture(target, "3D/Menu/Back.png", 705.f, 510.f);
    drawMenuPicture(target, "3D/Menu/Valid.png", 865.f, 510.f);
}
