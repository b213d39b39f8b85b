#include "play/HudBlock.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "engine/TextureCache.h"
#include "platform/Random.h"
#include "play/SpriteLoading.h"
#include "play/Player2D.h"

#include <cmath>
#include <cstdio>

namespace {

// Where each element of a block goes, player 1 then player 2.
struct HudLayout {
    sf::Vector2f scorePanel, livesPanel, lifeIcon, livesHinge, laserFrame, laserFillBottom, speedPanel, speedometer,
        needlePivot;
};

const HudLayout LAYOUTS[2] = {
    {{3, 30}, {9, 213}, {22, 266}, {165, 300}, {4, 460}, {101, 757}, {9, 870}, {76, 907}, {113, 943}},
    {{1683, 30}, {1689, 213}, {1702, 266}, {1845, 300}, {1684, 460}, {1781, 757}, {1689, 870}, {1756, 907},
     {1793, 943}},
};

const HudLayout& layoutOf(int playerNumber) { return LAYOUTS[playerNumber == 2 ? 1 : 0]; }

// Needle rest angle and ceiling by speed in normal mode.
struct NeedleBand {
    int speed;
    float rest;
    float ceiling;
    int frameLeft;
    float push; // multiples of the base rate while moving
};
const NeedleBand BANDS[] = {
    {480, 81.f, 101.f, 75, 1.f},
    {720, 161.f, 181.f, 150, 2.f},
    {960, 210.f, 230.f, 225, 3.f},
};

const NeedleBand* bandOf(int speed)
{
    for (const NeedleBand& band : BANDS)
        if (band.speed == speed)
            return &band;
    return nullptr;
}

constexpr float SETTLED_LASER_ANGLE = 11.f;
constexpr float LASER_TREMBLE_TOP = 31.f;
constexpr int TREMBLE = 4; // 0..3 degrees
const sf::Vector2f NEEDLE_ORIGIN(39.f, 1.f);
const sf::Vector2f BORDER_ORIGIN(120.f, 0.f);
const sf::Color DIMMED_FILL(255, 255, 255, 150);

std::string twoDigits(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

} // namespace

void HudBlock::init(Player2D* ship, int playerNumber)
{
    player = ship;
    number = playerNumber;
    lives = std::make_unique<TextManager>(*textures_);
    border.setOrigin(BORDER_ORIGIN);
    initLives(playerNumber);
    initLaserBar(playerNumber);
    initSpeedometer(playerNumber);
}

void HudBlock::initLives(int playerNumber)
{
    if (!lives)
        lives = std::make_unique<TextManager>(*textures_);
    const int count = player ? player->lives : 0;
    lives->addText(TextRequest{TEXT_COUNTER, layoutOf(playerNumber).livesHinge, 0, twoDigits(count), 1, 0, 1});
}

void HudBlock::initLaserBar(int playerNumber) { laserFill.setPosition(layoutOf(playerNumber).laserFillBottom); }

void HudBlock::initSpeedometer(int playerNumber)
{
    const HudLayout& layout = layoutOf(playerNumber);
    speedometer.setTextureRect(sf::IntRect(FRAME_WIDTH, 0, FRAME_WIDTH, FRAME_HEIGHT));
    speedometer.setPosition(layout.speedometer);
    needle.setOrigin(NEEDLE_ORIGIN);
}

void HudBlock::bindTextures()
{
    texturesBound_ = true;
    const bool second = number == 2;
    TextureCache& textures = *textures_;
    if (!second)
        loadSprite(textures, border, "2D/UI/Border.png", false).setOrigin(BORDER_ORIGIN);
    loadSprite(textures, scorePanel, "2D/UI/Score.png", false);
    loadSprite(textures, livesPanel, "2D/UI/Lives.png", false);
    loadSprite(textures, lifeIcon, second ? "2D/UI/LifeP2.png" : "2D/UI/Life.png", false);
    loadSprite(textures, laserFrame, "2D/UI/Laser.png", false);
    const sf::Color fillColour = laserFill.getColor();
    loadSprite(textures, laserFill, second ? "2D/UI/LaserInBarP2.png" : "2D/UI/LaserInBar.png", false)
        .setColor(fillColour);
    loadSprite(textures, speedPanel, "2D/UI/Speed.png", false);
    const sf::IntRect frame = speedometer.getTextureRect();
    loadSprite(textures, speedometer, "2D/UI/Speedometer.png", false).setTextureRect(frame);
    loadSprite(textures, needle, "2D/UI/Needle.png", false).setOrigin(NEEDLE_ORIGIN);
}

int HudBlock::laserFillHeight(float gauge)
{
    if (!(gauge > 0.f))
        return 0;
    const int points = static_cast<int>(std::fmin(gauge, Player2D::GAUGE_MAX));
    return static_cast<int>(static_cast<float>(points) * FILL_PER_POINT);
}

int HudBlock::speedometerFrameLeft(WeaponMode mode, int speed)
{
    if (mode != WeaponMode::Normal)
        return 0;
    const NeedleBand* band = bandOf(speed);
    return band ? band->frameLeft : -1;
}

void HudBlock::pushNeedle(float dt)
{
    if (!player)
        return;
    const float u = NEEDLE_RATE * dt;
    if (!player->moving) {
        needleAngle -= 4.f * u;
    } else if (player->mode != WeaponMode::Normal) {
        needleAngle += u / 2.f;
    } else if (const NeedleBand* band = bandOf(player->speed)) {
        needleAngle += band->push * u;
    }
}

void HudBlock::updateSpeedometer(float dt)
{
    if (!player)
        return;
    const float step = dt * NEEDLE_RATE * 4.f;
    const float r = static_cast<float>(random15() % TREMBLE);
    if (player->mode != WeaponMode::Normal) {
        if (needleAngle > SETTLED_LASER_ANGLE) {
            if (needleAngle <= LASER_TREMBLE_TOP)
                needleAngle = SETTLED_LASER_ANGLE + r;
            else
                needleAngle -= step;
        }
    } else if (const NeedleBand* band = bandOf(player->speed)) {
        if (needleAngle > band->ceiling)
            needleAngle -= step;
        else if (needleAngle > band->rest)
            needleAngle = band->rest + r;
    }
    if (needleAngle < NEEDLE_FLOOR)
        needleAngle = NEEDLE_FLOOR;
}

void HudBlock::updateFlash(float dt)
{
    if (!player)
        return;
    if (static_cast<int>(player->gauge) != static_cast<int>(Player2D::GAUGE_MAX)) {
        laserFill.setColor(sf::Color::White);
        maxSoundPlayed = 0;
        return;
    }
    flashTimer -= dt;
    if (flashTimer < 0.f) {
        flashTimer = FLASH_INTERVAL;
        if (flashDim) {
            laserFill.setColor(DIMMED_FILL);
            flashDim = 0;
        } else {
            laserFill.setColor(sf::Color::White);
            flashDim = 1;
        }
    }
    if (!maxSoundPlayed) {
        soundManager().playSound(SFX_MAX_LASER);
        maxSoundPlayed = 1;
    }
}

void HudBlock::updateLives(float dt)
{
    if (!lives || !player)
        return;
    lives->setScoreText(twoDigits(player->lives));
    lives->update(dt, true);
}

void HudBlock::drawBorders(sf::RenderTarget& target)
{
    if (!texturesBound_)
        bindTextures();
    if (!border.getTexture())
        return;
    border.setScale(-1.f, 1.f);
    border.setPosition(120.f, 0.f);
    target.draw(border);
    border.setScale(1.f, 1.f);
    border.setPosition(1800.f, 0.f);
    target.draw(border);
}

void HudBlock::drawBars(sf::RenderTarget& target, int playerNumber)
{
    if (!texturesBound_)
        bindTextures();
    if (playerNumber == 1 || playerNumber == 2) {
        const HudLayout& layout = layoutOf(playerNumber);
        drawScorePanel(target, playerNumber);
        const std::pair<sf::Sprite*, sf::Vector2f> panels[] = {
            {&livesPanel, layout.livesPanel},
            {&lifeIcon, layout.lifeIcon},
            {&laserFrame, layout.laserFrame},
        };
        for (const auto& [sprite, at] : panels) {
            sprite->setRotation(0.f);
            sprite->setPosition(at);
            target.draw(*sprite);
        }
    }
    if (laserFill.getTexture() && player) {
        laserFill.setTextureRect(sf::IntRect(0, 0, FILL_WIDTH, laserFillHeight(player->gauge)));
        laserFill.setScale(1.f, -1.f);
        target.draw(laserFill);
    }
    drawSpeedometer(target, playerNumber);
    if (lives)
        lives->draw(target);
}

void HudBlock::drawScorePanel(sf::RenderTarget& target, int playerNumber)
{
    if (!texturesBound_)
        bindTextures();
    scorePanel.setRotation(0.f);
    scorePanel.setPosition(layoutOf(playerNumber).scorePanel);
    target.draw(scorePanel);
}

void HudBlock::drawSpeedometer(sf::RenderTarget& target, int playerNumber)
{
    if (!texturesBound_)
        bindTextures();
    const HudLayout& layout = layoutOf(playerNumber);
    speedPanel.setPosition(layout.speedPanel);
    target.draw(speedPanel);
    if (player) {
        const int left = speedometerFrameLeft(player->mode, player->speed);
        if (left >= 0)
            speedometer.setTextureRect(sf::IntRect(left, 0, FRAME_WIDTH, FRAME_HEIGHT));
    }
    speedometer.setPosition(layout.speedometer);
    if (speedometer.getTexture())
        target.draw(speedometer);
    needle.setPosition(layout.needlePivot);
    needle.setRotation(needleAngle);
    if (needle.getTexture())
        target.draw(needle);
}
