#pragma once
// The high-score screen: the table of the ten best scores, a name wheel for each
// player whose score entered it, and the table file kept up to date.
#include "engine/Services.h"
#include "platform/Bindings.h"
#include "states/MainState.h"
#include "screens/HighScoreNameEntry.h"
#include "screens/HighScoreTable.h"

#include <SFML/Graphics.hpp>
#include <string>
#include <vector>

class HighScoresState : public MainState {
public:
    // The picture behind the table (a full screen).
    static constexpr const char* BACKGROUND = "2D/HighScores/HighScoresBkg.png";

    // With no scores the state only shows the table (the menu draws it into its
    // board): it reads no input and never writes the file. With scores the keys are
    // spelled out at the bottom, and Escape or the menu's Back key leaves.
    // Its pictures come from the services' texture cache.
    HighScoresState(const Services& services, std::vector<unsigned> scores,
                    std::string tablePath = high_scores::TABLE_PATH);
    ~HighScoresState() override;

    void handleEvent(const sf::Event& event) override;
    StateCode checkKeys(const sf::Event::KeyEvent& key) override;
    StateCode handleMouseClick(const sf::Event::MouseButtonEvent&, sf::Vector2i) override { return StateCode::Stay; }
    void joystickConnected(unsigned) override {}
    StateCode update(float frameTime) override;
    void draw(sf::RenderWindow& window) override;

    // The same picture onto any target.
    void drawBoard(sf::RenderTarget& target);
    // Rebuilds the score lines from the table.
    void refreshTexts();

    const std::vector<HighScoreEntry>& table() const { return table_; }
    const std::vector<HighScoreNameEntry>& entries() const { return entries_; }
    // The last store of the table failed (the file keeps the previous table); the
    // board then says so in red below the table.
    bool saveFailed() const { return saveFailed_; }

private:
    NameEntryInput readInput(unsigned pad);
    // Stores the table when it changed since the last successful store; a
    // failure is said on the error stream and on the board.
    void save();
    void drawSaveFailure(sf::RenderTarget& target);

    std::string tablePath_;
    HighScoreFile file_;
    bool hasScores_;
    bool unsaved_ = false;
    bool saveFailed_ = false;
    BindingMap bindings_;
    int leaveKey_ = -1; // besides Escape: the menu's Back key, when name entry leaves it free
    sf::Sprite background_;
    std::vector<HighScoreEntry> table_;
    std::vector<HighScoreNameEntry> entries_;
    std::vector<sf::Color> playerColours_;
    std::vector<sf::Sprite> readySprites_;
    std::vector<sf::Text> readyTexts_;
    sf::Font font_;
    std::vector<sf::Text> scoreLines_;
    std::vector<sf::Text> playerLabels_;
    std::vector<sf::Text> keyHints_; // with scores only
};
