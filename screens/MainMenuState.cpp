#include "screens/MainMenuState.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "engine/SceneChange.h"
#include "engine/Scenes.h"
#include "gameplay/PlayPreload.h"
#include "platform/AssetPath.h"
#include "platform/GamePad.h"
#include "platform/Input.h"
#include "screens/HighScoresState.h"
#include "screens/MenuNavigation.h"
#include "screens/MenuScene.h"
#include "screens/MenuScreen.h"

#include <algorithm>

MainMenuState::MainMenuState(const Services& services, bool showLogos)
    : services_(services), logos_(showLogos), curtain_(sf::Vector2f(1920.f, 1080.f)),
      escapeArmed_(!input::isKeyPressed(sf::Keyboard::Escape))
{
    MenuContext& menu = services_.menu;
    bindings_["Skip"] = {pad::A, sf::Keyboard::Enter, binding_axis::NONE, binding_direction::EITHER};
    menu.menuPage = menu_page::MAIN;
    menu.menuCursor = 0;
    curtain_.setFillColor(sf::Color::Black);

    soundManager().playTrack(showLogos ? MUSIC_OPENING : MUSIC_MENU);
    showPicture(showLogos ? logo_stage::STUDIO : logo_stage::PRODUCT);

    // A loading frame while the hangar is built: the logo on black (the window
    // cleared to black is the curtain).
    if (sf::RenderWindow* window = services_.renderer.window; window && window->isOpen()) {
        window->clear(sf::Color::Black);
        window->draw(logo_);
        window->display();
    }
    // A game played before is gone: its sprites are prepared again when the player heads for the next one.
    releasePlaySprites(services_.textures);
    // The board first: the full-screen picture it is drawn from goes before the hangar comes.
    drawHighScoreBoard();
    installMenuScene();
    changeScene(scene::MAIN_MENU, 0.f);
    logos_.restartClock();
    menu.menuInputReleased = false;
}

MainMenuState::~MainMenuState() { soundManager().stopAll(); }

void MainMenuState::showPicture(int stage)
{
    logo_ = sf::Sprite();
    if (sf::Texture* texture = services_.textures.getTexture(LogoSequence::PICTURES[stage])) {
        logo_.setTexture(*texture, true);
        const sf::Vector2u size = texture->getSize();
        logo_.setOrigin(size.x / 2.f, size.y / 2.f);
    }
    logo_.setPosition(960.f, 540.f);
}

namespace {
// The table the board shows, as last drawn: the board is drawn again only when
// the table file holds another one (after a new high score), not at every menu visit.
std::vector<HighScoreEntry>& tableOnTheBoard()
{
    static std::vector<HighScoreEntry> table;
    return table;
}

bool sameTable(const std::vector<HighScoreEntry>& a, const std::vector<HighScoreEntry>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const HighScoreEntry& x, const HighScoreEntry& y) {
        return x.score == y.score && x.name == y.name;
    });
}
} // namespace

void MainMenuState::drawHighScoreBoard()
{
    const std::vector<HighScoreEntry> table = readHighScoreTable(resolveAssetPath(high_scores::TABLE_PATH));
    if (menuScreen().highScoreBoard.getSize().x == 0 || !sameTable(table, tableOnTheBoard()))
        redrawHighScoreBoard();
    // The menu keeps the board alone: only the high-score screen draws from the picture again (after a game).
    services_.textures.release({HighScoresState::BACKGROUND});
}

void MainMenuState::redrawHighScoreBoard()
{
    // Drawn at the size of the menu screen that shows it, from the board's full-screen layout.
    sf::RenderTexture picture;
    if (!picture.create(menu_screen::WIDTH, menu_screen::HEIGHT, sf::ContextSettings(0, 0, 0, 1, 1)))
        return;
    picture.setView(sf::View(sf::FloatRect(0.f, 0.f, 1920.f, 1080.f)));
    picture.clear(sf::Color::Black);
    HighScoresState board(services_, {});
    board.drawBoard(picture);
    picture.display();
    menuScreen().highScoreBoard = picture.getTexture();
    tableOnTheBoard() = board.table();
    redrawMenuPage();
}

void MainMenuState::prepareForPlay()
{
    if (playPrepared_ || services_.menu.menuPage != menu_page::PLAY)
        return;
    playPrepared_ = true;
    scenePreloader().queue(playPreload(services_.run.startLevel));
}

StateCode MainMenuState::checkKeys(const sf::Event::KeyEvent& key)
{
    if (escapeArmed_ && input::isKeyPressed(sf::Keyboard::Escape))
        return StateCode::Quit;
    if (key.code == sf::Keyboard::Numpad9)
        return StateCode::GameEditor;
    return StateCode::Stay;
}

StateCode MainMenuState::update(float /*frameTime*/)
{
    for (unsigned i = 0; i < pad::MAX_PADS; ++i)
        pad::setVibration(i, 0, 0);
    if (!input::isKeyPressed(sf::Keyboard::Escape))
        escapeArmed_ = true;

    MenuContext& menu = services_.menu;
    const bool skipHeld = isActionPressed(bindings_, "Skip", 0);
    if (logos_.finished()) {
        if (!skipHeld)
            menu.menuInputReleased = true;
        prepareForPlay();
        if (menu.menuPage == menu_page::START_GAME)
            return StateCode::GameStory;
        if (menu.menuPage == menu_page::QUIT)
            return StateCode::Quit;
        return StateCode::Stay;
    }

    if (logos_.update(skipHeld)) {
        if (logos_.finished()) {
            soundManager().stopTrack(MUSIC_OPENING);
            soundManager().playTrack(MUSIC_MENU);
        } else {
            showPicture(logos_.stage());
        }
    }
    logo_.setColor(sf::Color(255, 255, 255, static_cast<sf::Uint8>(logos_.alpha())));
    return StateCode::Stay;
}

void MainMenuState::draw(sf::RenderWindow& window)
{
    if (logos_.finished())
        return;
    window.draw(curtain_);
    window.draw(logo_);
}
