#include "screens/MenuScreen.h"

#include "engine/Mesh.h"
#include "platform/AssetPath.h"
#include "screens/MenuNavigation.h"
#include "screens/MenuPageInput.h"
#include "screens/MenuPages.h"

#include <tuple>

namespace {
constexpr float BACKDROP_SCALE = 2.f;

sf::Texture* backdropTexture(TextureCache& textures) { return textures.getTexture("3D/Menu/backGround.png"); }

// Through its shader (which writes every pixel opaque) the backdrop covers the
// whole page: what the page showed before cannot show through.
bool backdropCoversPage(const sf::RenderTarget& target, TextureCache& textures)
{
    const sf::Texture* texture = backdropTexture(textures);
    if (!texture || !menuScreen().backgroundShaderLoaded)
        return false;
    const sf::Vector2f size = sf::Vector2f(texture->getSize()) * BACKDROP_SCALE;
    return size.x >= static_cast<float>(target.getSize().x) && size.y >= static_cast<float>(target.getSize().y);
}

void drawBackground(sf::RenderTarget& target, const MenuServices& services)
{
    sf::Texture* texture = backdropTexture(services.textures);
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
    shader.setUniform("time", services.timing.gameClock.getElapsedTime().asSeconds());
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

MenuPageLook currentMenuPageLook(const MenuServices& services)
{
    const MenuControls& controls = menuControls();
    MenuPageLook look;
    look.page = services.menu.menuPage;
    look.cursor = services.menu.menuCursor;
    look.difficulty = services.run.difficulty;
    look.cheatLives = services.run.cheatLives;
    look.cheatLaser = services.run.cheatLaser;
    look.startLevel = services.run.startLevel;
    look.creditsPage = controls.creditsPage;
    look.howToPlayPage = controls.howToPlayPage;
    if (menuScreen().backgroundShaderLoaded)
        look.backdropSeconds = services.timing.gameClock.getElapsedTime().asSeconds();
    return look;
}

void redrawMenuPage() { menuScreen().drawnLook.reset(); }

void updateMenuScreen(const MenuServices& services, Mesh* mesh)
{
    updateMenuInput(services.menu);
    updateCurrentPageInput(services);
    MenuScreenResources& screen = menuScreen();
    const MenuPageLook look = currentMenuPageLook(services);
    if (screen.drawnLook != look) {
        drawMenuScreen(*screen.target, services);
        screen.target->display();
        screen.drawnLook = look;
        ++screen.pageDraws;
    }
    if (!mesh)
        return;
    // The mesh shows the render texture itself (no copy): drawn as the batch's texture, its
    // rows come out the right way up like any render texture's.
    const sf::Texture& drawn = screen.target->getTexture();
    if (mesh->maps().baseTexture != &drawn)
        mesh->setBaseTexture(&drawn);
}

void drawMenuScreen(sf::RenderTexture& target, const MenuServices& services)
{
    if (!backdropCoversPage(target, services.textures))
        target.clear(sf::Color::Black);
    drawBackground(target, services);
    switch (services.menu.menuPage) {
    case menu_page::MAIN: drawMainMenu(target, services); break;
    case menu_page::PLAY: drawPlayMenu(target, services); break;
    case menu_page::HIGH_SCORES: drawHighScorePage(target); break;
    case menu_page::CREDITS: drawCreditsMenu(target, services); break;
    case menu_page::DIFFICULTY: drawDifficultyMenu(target, services); break;
    case menu_page::HOW_TO_PLAY: drawHowToPlayMenu(target, services); break;
    case menu_page::CHEATS: drawCheatsMenu(target, services); break;
    default: break;
    }
    drawMenuButtons(target, services);
}

void drawMenuButtons(sf::RenderTarget& target, const MenuServices& services)
{
    const int page = services.menu.menuPage;
    if (page == menu_page::MAIN || page == menu_page::CREDITS)
        return;
    if (page == menu_page::HOW_TO_PLAY) {
        drawMenuPicture(target, services.textures, "3D/Menu/Back.png", 865.f, 510.f);
        return;
    }
    drawMenuPicture(target, services.textures, "3D/Menu/Back.png", 705.f, 510.f);
    drawMenuPicture(target, services.textures, "3D/Menu/Valid.png", 865.f, 510.f);
}
