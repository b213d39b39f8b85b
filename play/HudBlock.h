#pragma once
// One player's panel in a side margin of the play field: score panel, lives
// panel with its icon and split-flap lives counter, the laser gauge bar that
// blinks when full, and the speedometer with its needle. Player 1's block sits
// in the left margin, player 2's at the mirrored place on the right.
#include "play/TextManager.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <memory>

class Player2D;
class TextureCache;
enum class WeaponMode : int;

class HudBlock {
public:
    static constexpr float NEEDLE_FLOOR = -35.f;
    static constexpr float FLASH_INTERVAL = 0.1f;
    static constexpr float NEEDLE_RATE = 260.f; // degrees per second at the lowest push
    static constexpr int FRAME_WIDTH = 75;      // speedometer frame
    static constexpr int FRAME_HEIGHT = 58;
    static constexpr int FILL_WIDTH = 35;
    static constexpr float FILL_PER_POINT = 2.28f; // bar pixels per gauge point

    // The pictures come from `textures` at the first draw.
    explicit HudBlock(TextureCache& textures) : textures_(&textures) {}
    HudBlock(HudBlock&&) = default;
    HudBlock& operator=(HudBlock&&) = default;

    // Sets the block up for a ship and player number 1 or 2 (the pictures are
    // bound at the first draw).
    void init(Player2D* ship, int playerNumber);
    void initLives(int playerNumber);
    void initLaserBar(int playerNumber);
    void initSpeedometer(int playerNumber);

    // The owner's push on the needle by the ship's state, per frame.
    void pushNeedle(float dt);
    // Settles the needle a few degrees above the rest angle of the speed, or drops it.
    void updateSpeedometer(float dt);
    // Blinks the full laser bar and plays the full-gauge sound once per filling.
    void updateFlash(float dt);
    // Shows the ship's lives (two digits) and rolls the counter downward to them.
    void updateLives(float dt);

    void drawBorders(sf::RenderTarget& target);
    void drawBars(sf::RenderTarget& target, int playerNumber);
    void drawSpeedometer(sf::RenderTarget& target, int playerNumber);
    // The panel the score counter sits in (drawn with the bars, and alone for a
    // player who has given up).
    void drawScorePanel(sf::RenderTarget& target, int playerNumber);

    // Height in pixels of the laser fill for a gauge (0..100 points).
    static int laserFillHeight(float gauge);
    // The speedometer frame's left edge for the ship's mode and speed, or -1
    // for a speed that keeps the current frame.
    static int speedometerFrameLeft(WeaponMode mode, int speed);

    sf::Sprite border;
    sf::Sprite scorePanel;
    sf::Sprite livesPanel;
    sf::Sprite lifeIcon;
    sf::Sprite laserFrame;
    sf::Sprite laserFill;
    std::unique_ptr<TextManager> lives;
    sf::Sprite speedPanel;
    sf::Sprite speedometer;
    sf::Sprite needle;
    float needleAngle = 0.f;
    float flashTimer = FLASH_INTERVAL;
    bool flashDim = false;
    bool maxSoundPlayed = false;
    Player2D* player = nullptr;
    int number = 1;

private:
    void bindTextures();
    TextureCache* textures_; // never null; a pointer keeps the blocks assignable in a vector
    bool texturesBound_ = false;
};
