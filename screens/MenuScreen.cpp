#include "screens/MenuScreen.h"

#include "engine/Engine.h"
#include "platform/AssetPath.h"
#include "screens/MenuNavigation.h"
#include "screens/MenuPageInput.h"
#include "screens/MenuPages.h"

#include <tuple>

namespace {
constexpr float BACKDROP_SCALE = 2.f;

sf::Texture* backdropTexture() { return engine().textures.getTexture("3D/Menu/backGround.png"); }

// Through its shader (which writes every pixel opaque) the backdrop covers the
// whole page: what the page showed before cannot show through.
bool backdropCoversPage(const sf::RenderTarget& target)
{
    const sf::Texture* texture = backdropTexture();
    if (!texture || !menuScreen().backgroundShaderLoaded)
        return false;
    const sf::Vector2f size = sf::Vector2f(texture->getSize()) * BACKDROP_SCALE;
    return size.x >= static_cast<float>(target.getSize().x) && size.y >= static_cast<float>(target.getSize().y);
}

void drawBackground(sf::RenderTarget& target)
{
    sf::Texture* texture = backdropTexture();
    if (!texture)
        return;
    texture->setRepeated(true);
    sf::Sprite background(*texture);
    background.setScale(BACKDROP_SCALE, BACKDROP_SCALE);
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

bool MenuPageLook::operator==(const MenuPageLook& o) const
{
    const auto fields = [](const MenuPageLook& l) {
        return std::tie(l.page, l.cursor, l.difficulty, l.cheatLives, l.cheatLaser, l.startLevel, l.creditsPage,
                        l.howToPlayPage, l.backdropSeconds);
    };
    return fields(*this) == fields(o);
}

MenuPageLook currentMenuPageLook()
{
    const Engine& e = engine();
    const MenuControls& controls = menuControls();
    MenuPageLook look;
    look.page = e.menu.menuPage;
    look.cursor = e.menu.menuCursor;
    look.difficulty = e.run.difficulty;
    look.cheatLives = e.run.cheatLives;
    look.cheatLaser = e.run.cheatLaser;
    look.startLevel = e.run.startLevel;
    look.creditsPage = controls.creditsPage;
    look.howToPlayPage = controls.howToPlayPage;
    if (menuScreen().backgroundShaderLoaded)
        look.backdropSeconds = e.timing.gameClock.getElapsedTime().asSeconds();
    return look;
}

void redrawMenuPage() { menuScreen().drawnLook.reset(); }

void updateMenuScreen()
{
    updateMenuInput();
    updateCurrentPageInput();
    MenuScreenResources& screen = menuScreen();
    const MenuPageLook look = currentMenuPageLook();
    if (screen.drawnLook != look) {
        drawMenuScreen(*screen.target);
        screen.target->display();
        screen.drawnLook = look;
        ++screen.pageDraws;
    }
    Mesh* mesh = engine().world.menuScreen();
    if (!mesh)
        return;
    // The mesh shows the render texture itself (no copy): drawn as the batch's texture, its
    // rows come out the right way up like any render texture's.
    const sf::Texture& drawn = screen.target->getTexture();
    if (mesh->maps().baseTexture != &drawn)
        mesh->setBaseTexture(&drawn);
}

void drawMenuScreen(sf::RenderTexture& target)
{
    if (!backdropCoversPage(target))
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
