#include "play/Scoreboard.h"

#include "engine/TextureCache.h"
#include "platform/AssetPath.h"
#include "play/Player2D.h"
#include "play/SpriteLoading.h"
#include "play/TextManager.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

const char* const ICON_FILES[Scoreboard::ICON_TYPES] = {
    "Beetle.png",        // shooter
    "ButterFly.png",     // heads or tails
    "GrassHopper.png",   // stay and dash
    "Centipede5.png",    // snail
    "Bee.png",           // bee
    "Mini_LadyBug.png",  // little ladybug
    "Maxi_Ladybug.png",  // big ladybug
    "DragonFly.png",     // dragonfly
    "Beetle.png",        // quarter shooter
    "Mini_LadyBug.png",  // exponential
    "Bruiser.png",       // bruiser
    "Boss_Bee.png",      // side bee
    "Beetle.png",        // wall
    "Turret.png",        // turret
    "ElectricFence.png", // electrical fence
    "Rotating1.png",     // rotating spitter, one spout
    "Rotating4.png",     // rotating spitter, four spouts
    "Coral.png",         // coral
    "Eater.png",         // eater
};

const char* const ICON_FOLDER = "2D/Scoreboard/EnemyFirstFrame/";
const char* const BACKGROUND = "2D/Scoreboard/Background/Background1.png";
const char* const TIMER_PANEL = "2D/Scoreboard/Background/timerBoss 309 x 166.png";
const char* const FONT = "2D/Scoreboard/Background/debugfont.otf";
constexpr unsigned TEXT_SIZE = 35;

// Left edges of the two boards' columns; the single board's depend on its width.
constexpr float LEFT_BOARD_X = 300.f;
constexpr float RIGHT_BOARD_X = 1020.f;
constexpr float BOARD_Y = 100.f;
constexpr float BOARD_SHIFT = 720.f; // right board minus left board
const sf::Vector2f LEFT_TEXT_AT[5] = {{470, 190}, {470, 235}, {470, 285}, {660, 848}, {507, 890}};
const sf::Vector2f SINGLE_BOSS_TEXT_AT[2] = {{1039, 848}, {890, 890}};
constexpr float SINGLE_TEXT_OFFSET = 170.f;
constexpr float GRID_LEFT = 350.f;
constexpr float GRID_TOP = 370.f;
constexpr float SINGLE_GRID_OFFSET = 50.f;
constexpr float PANEL_Y = 758.f;

// Whole part of a tally as a plain decimal number; values that do not fit
// (or are not numbers) read 0.
long long wholePart(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 9.0e18)
        return 0;
    return static_cast<long long>(value);
}

// The points a boss-timer bonus credits: its whole part, never negative.
uint32_t creditedPoints(float bonus)
{
    const long long whole = wholePart(bonus);
    if (whole <= 0)
        return 0;
    return whole > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                        : static_cast<uint32_t>(whole);
}

} // namespace

const char* Scoreboard::iconFile(int type)
{
    return type >= 0 && type < ICON_TYPES ? ICON_FILES[type] : nullptr;
}

Scoreboard::Scoreboard(Player2D* ship, int index, std::vector<PlayerScore>& scores,
                       std::vector<std::unique_ptr<TextManager>>& counters, TextureCache& textures)
    : playerIndex(index == 1 ? 1 : 0), player(ship), textures_(textures)
{
    build(scores, counters);
}

Scoreboard::Scoreboard(Player2D* ship, std::vector<PlayerScore>& scores,
                       std::vector<std::unique_ptr<TextManager>>& counters, TextureCache& textures)
    : playerIndex(0), player(ship), textures_(textures), single_(true)
{
    build(scores, counters);
}

void Scoreboard::build(std::vector<PlayerScore>& scores, std::vector<std::unique_ptr<TextManager>>& counters)
{
    const std::string fontFile = resolveAssetPath(FONT);
    if (assetExists(fontFile))
        font.loadFromFile(fontFile);

    const size_t slot = static_cast<size_t>(playerIndex);
    long long newScore = 0;
    if (slot < scores.size()) {
        PlayerScore& score = scores[slot];
        const uint32_t credit = player ? creditedPoints(player->timeBonus) : 0;
        score.score += credit;
        score.lifePoints += credit;
        newScore = score.score;
        if (slot < counters.size() && counters[slot]) {
            char digits[16];
            std::snprintf(digits, sizeof digits, "%09u", static_cast<unsigned>(score.score));
            counters[slot]->setScoreText(digits);
        }
    }

    const long long values[5] = {
        newScore,
        player ? player->baseCount : 0,
        player ? player->goldenCount : 0,
        player ? wholePart(player->bossScore) : 0,
        player ? wholePart(player->timeBonus) : 0,
    };
    for (size_t k = 0; k < texts.size(); ++k) {
        texts[k].setFont(font);
        texts[k].setCharacterSize(TEXT_SIZE);
        texts[k].setFillColor(sf::Color::Cyan);
        texts[k].setString(std::to_string(values[k]));
    }
    placeTexts();

    blackout.setSize(sf::Vector2f(1920.f, 1080.f));
    blackout.setFillColor(sf::Color::Black);
}

Scoreboard::~Scoreboard()
{
    if (player)
        player->endTally(LAST_LASER_GAUGE);
}

void Scoreboard::placeTexts()
{
    if (single_) {
        const float boardLeft = 960.f - background.getLocalBounds().width / 2.f;
        for (size_t k = 0; k < 3; ++k)
            texts[k].setPosition(boardLeft + SINGLE_TEXT_OFFSET, LEFT_TEXT_AT[k].y);
        texts[3].setPosition(SINGLE_BOSS_TEXT_AT[0]);
        texts[4].setPosition(SINGLE_BOSS_TEXT_AT[1]);
        return;
    }
    const float shift = playerIndex == 1 ? BOARD_SHIFT : 0.f;
    for (size_t k = 0; k < texts.size(); ++k)
        texts[k].setPosition(LEFT_TEXT_AT[k].x + shift, LEFT_TEXT_AT[k].y);
}

void Scoreboard::bindTextures()
{
    texturesBound_ = true;
    loadSprite(textures_, background, BACKGROUND, false);
    loadSprite(textures_, timerPanel, TIMER_PANEL, false);
    if (single_)
        background.setPosition(960.f - background.getLocalBounds().width / 2.f, BOARD_Y);
    else
        background.setPosition(playerIndex == 1 ? RIGHT_BOARD_X : LEFT_BOARD_X, BOARD_Y);
    placeTexts();
    for (int type = 0; type < ICON_TYPES; ++type) {
        sf::Sprite& icon = iconSprites[static_cast<size_t>(type)];
        const sf::Texture* texture = textures_.getTexture(std::string(ICON_FOLDER) + ICON_FILES[type]);
        if (!texture || texture->getSize().x == 0 || texture->getSize().y == 0)
            continue;
        icon.setTexture(*texture, true);
        const sf::Vector2u size = texture->getSize();
        icon.setOrigin(size.x / 2.f, size.y / 2.f);
        icon.setScale(ICON_SIZE / static_cast<float>(size.x), ICON_SIZE / static_cast<float>(size.y));
    }
}

void Scoreboard::revealNext()
{
    if (!player)
        return;
    const int kills = static_cast<int>(player->killedTypes.size());
    shownIcons = std::min(shownIcons + 1, kills);
    if (shownIcons > GRID_CAPACITY) {
        player->dropKilledRow(GRID_COLUMNS);
        shownIcons -= GRID_COLUMNS;
    }
}

void Scoreboard::drawBoard(sf::RenderTarget& target, float gridLeft, sf::Vector2f panelAt, bool withBlackout)
{
    if (!texturesBound_)
        bindTextures();
    if (withBlackout)
        target.draw(blackout);
    target.draw(background);
    for (const sf::Text& text : texts)
        target.draw(text);
    if (player) {
        const int count = std::min(shownIcons, static_cast<int>(player->killedTypes.size()));
        for (int k = 0; k < count; ++k) {
            const int type = player->killedTypes[static_cast<size_t>(k)];
            if (type < 0 || type >= ICON_TYPES)
                continue; // bullet enemies keep their place but show nothing
            sf::Sprite& icon = iconSprites[static_cast<size_t>(type)];
            if (!icon.getTexture())
                continue;
            icon.setPosition(gridLeft + GRID_STEP * static_cast<float>(k % GRID_COLUMNS),
                             GRID_TOP + GRID_STEP * static_cast<float>(k / GRID_COLUMNS));
            target.draw(icon);
        }
    }
    timerPanel.setPosition(panelAt);
    target.draw(timerPanel);
}

void Scoreboard::draw(sf::RenderTarget& target)
{
    const float shift = playerIndex == 1 ? BOARD_SHIFT : 0.f;
    drawBoard(target, GRID_LEFT + shift, sf::Vector2f(GRID_LEFT + shift, PANEL_Y), playerIndex == 0);
}

void Scoreboard::drawSingle(sf::RenderTarget& target)
{
    if (!texturesBound_)
        bindTextures();
    const float boardLeft = background.getPosition().x;
    drawBoard(target, boardLeft + SINGLE_GRID_OFFSET, sf::Vector2f(boardLeft + SINGLE_GRID_OFFSET, PANEL_Y), true);
}
