#pragma once
// The end-of-level tally board of one player: score, base and golden bonuses,
// boss-fight score and boss-timer bonus over a background, and a grid of small
// icons of every enemy the player killed, revealed one per frame. Building a
// board credits the boss-timer bonus; destroying it resets the player's tallies.
#include "play/PlayerScore.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <array>
#include <memory>
#include <vector>

class Player2D;
class TextManager;
class TextureCache;

class Scoreboard {
public:
    static constexpr int TYPE_COUNT = 24;
    static constexpr int ICON_TYPES = 19; // types 19..23 (bullet enemies) have no icon
    static constexpr int GRID_COLUMNS = 20;
    static constexpr int GRID_ROWS = 18;
    static constexpr int GRID_CAPACITY = GRID_COLUMNS * GRID_ROWS;
    static constexpr float ICON_SIZE = 40.f;
    static constexpr float GRID_STEP = 20.f;
    static constexpr float LAST_LASER_GAUGE = 20.f; // the gauge a ship starts the next level with

    // A left (index 0) or right (index 1) board, with two players. The pictures
    // come from `textures` at the first draw.
    Scoreboard(Player2D* ship, int index, std::vector<PlayerScore>& scores,
               std::vector<std::unique_ptr<TextManager>>& counters, TextureCache& textures);
    // The single board, centred, for player 1.
    Scoreboard(Player2D* ship, std::vector<PlayerScore>& scores, std::vector<std::unique_ptr<TextManager>>& counters,
               TextureCache& textures);
    ~Scoreboard();
    Scoreboard(const Scoreboard&) = delete;
    Scoreboard& operator=(const Scoreboard&) = delete;

    // One more kill icon; a full grid drops its first row and scrolls up.
    void revealNext();
    void draw(sf::RenderTarget& target);
    void drawSingle(sf::RenderTarget& target);

    // The icon file of an enemy type, or null for a type without an icon.
    static const char* iconFile(int type);

    int shownIcons = 0;
    std::array<sf::Sprite, TYPE_COUNT> iconSprites;
    sf::Sprite background;
    sf::Sprite timerPanel;
    std::array<sf::Text, 5> texts;
    sf::Font font;
    int playerIndex = 0;
    Player2D* player = nullptr;
    sf::RectangleShape blackout;

private:
    void build(std::vector<PlayerScore>& scores, std::vector<std::unique_ptr<TextManager>>& counters);
    void bindTextures();
    void placeTexts();
    void drawBoard(sf::RenderTarget& target, float gridLeft, sf::Vector2f panelAt, bool withBlackout);

    TextureCache& textures_;
    bool single_ = false;
    bool texturesBound_ = false;
};
