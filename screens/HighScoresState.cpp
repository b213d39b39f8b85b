#include "screens/HighScoresState.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "engine/TextParse.h"
#include "platform/AssetPath.h"
#include "platform/GamePad.h"
#include "screens/MenuNavigation.h"
#include "screens/MenuScene.h"

#include <iostream>

namespace {
const sf::Color PLAYER_COLOURS[2] = {sf::Color(1, 251, 198), sf::Color(255, 118, 221)};
constexpr unsigned TEXT_SIZE = 30;
constexpr float FIRST_ROW_Y = 350.f;
constexpr float ROW_SPACING = 60.f;
constexpr float WHEEL_LEFT_X = 530.f;
constexpr float WHEEL_PLAYER_SPACING = 615.f;
const char* const SAVE_FAILED_TEXT = "SCORES COULD NOT BE SAVED";
const sf::Color SAVE_FAILED_COLOUR(255, 64, 64);
constexpr float SAVE_FAILED_Y = 60.f; // at the top, clear of the table and the key hints

// The keys of the screen, spelled out under the Ready signs: the keyboard has no Start,
// so a keyboard player learns here how to leave.
constexpr unsigned KEY_HINT_SIZE = 20;
constexpr float KEY_HINT_FIRST_Y = 1028.f;
constexpr float KEY_HINT_SPACING = 34.f;
const sf::Color KEY_HINT_COLOUR(200, 225, 255);
const char* const KEY_HINTS[] = {
    "KEYS:  LEFT / RIGHT  LETTER    ENTER  SET    \\  ERASE    ESC / B  LEAVE",
    "PADS:  D-PAD  LETTER    A  SET    B  ERASE    START  READY",
};

void centreOrigin(sf::Text& text)
{
    const sf::FloatRect b = text.getLocalBounds();
    text.setOrigin(b.left + b.width / 2.f, b.top + b.height / 2.f);
}

void centreOrigin(sf::Sprite& sprite)
{
    const sf::FloatRect b = sprite.getLocalBounds();
    sprite.setOrigin(b.width / 2.f, b.height / 2.f);
}
// The menu's Back key, unless name entry already uses that key for something else.
int freeMenuBackKey(const BindingMap& nameEntry)
{
    MenuBindings menu;
    fillMenuBindings(menu);
    const int key = menu[menu_action::BACK].sfKey;
    for (const auto& [action, binding] : nameEntry)
        if (binding.sfKey == key)
            return -1;
    return key;
}
} // namespace

HighScoresState::HighScoresState(const Services& services, std::vector<unsigned> scores, std::string tablePath)
    : tablePath_(resolveAssetPath(tablePath)), file_(tablePath_), hasScores_(!scores.empty())
{
    for (unsigned s : scores)
        std::cout << s << std::endl;

    table_ = file_.rows();
    font_.loadFromFile(resolveAssetPath("2D/Text/Pixeled.ttf"));

    if (hasScores_) {
        soundManager().playTrack(MUSIC_MENU);
        bindings_["Left"] = {pad::DPAD_LEFT, sf::Keyboard::Left, binding_axis::LEFT_X, binding_direction::NEGATIVE};
        bindings_["Right"] = {pad::DPAD_RIGHT, sf::Keyboard::Right, binding_axis::LEFT_X, binding_direction::POSITIVE};
        bindings_["Ok"] = {pad::A, sf::Keyboard::Enter, binding_axis::NONE, binding_direction::EITHER};
        bindings_["Back"] = {pad::B, sf::Keyboard::Backslash, binding_axis::NONE, binding_direction::EITHER};
        bindings_["Start"] = {pad::START, -1, binding_axis::NONE, binding_direction::EITHER};
        leaveKey_ = freeMenuBackKey(bindings_);
        for (const char* hint : KEY_HINTS) {
            sf::Text line(hint, font_, KEY_HINT_SIZE);
            line.setFillColor(KEY_HINT_COLOUR);
            centreOrigin(line);
            line.setPosition(960.f, KEY_HINT_FIRST_Y + KEY_HINT_SPACING * keyHints_.size());
            keyHints_.push_back(line);
        }
    }

    const std::vector<int> rows = insertNewScores(table_, scores);
    // Stored at once (and after every letter), so that a failure can be shown
    // while the players are still on this screen; a table no score entered is
    // left as the file holds it.
    unsaved_ = hasScores_;
    save();

    sf::Texture* readyTexture = services.textures.getTexture("2D/HighScores/Ready.png");
    const bool twoColumns = scores.size() == 2;
    for (size_t p = 0; p < scores.size(); ++p) {
        const sf::Color colour = PLAYER_COLOURS[p % 2];
        const float x = twoColumns ? 715.f + 485.f * p : 960.f;
        entries_.emplace_back(rows[p]);
        playerColours_.push_back(colour);

        sf::Text label("PL" + std::to_string(p + 1) + " : " + std::to_string(scores[p]), font_, TEXT_SIZE);
        label.setFillColor(colour);
        centreOrigin(label);
        label.setPosition(x, 270.f);
        playerLabels_.push_back(label);

        sf::Sprite readySprite;
        if (readyTexture) {
            readySprite.setTexture(*readyTexture, true);
            centreOrigin(readySprite);
        }
        readySprite.setPosition(x, 970.f);
        readySprites_.push_back(readySprite);

        sf::Text readyText("READY", font_, TEXT_SIZE);
        readyText.setFillColor(sf::Color::White);
        centreOrigin(readyText);
        readyText.setPosition(x, 975.f);
        readyTexts_.push_back(readyText);
    }

    refreshTexts();
    if (sf::Texture* backgroundTexture = services.textures.getTexture(BACKGROUND)) {
        background_.setTexture(*backgroundTexture, true);
        centreOrigin(background_);
    }
    background_.setPosition(960.f, 540.f);
}

HighScoresState::~HighScoresState() { save(); }

void HighScoresState::save()
{
    if (!unsaved_)
        return;
    saveFailed_ = !file_.store(table_);
    unsaved_ = saveFailed_; // tried again at the next change and on leaving
    if (saveFailed_)
        reportDataFileProblem(tablePath_, "the high scores could not be saved; the previous table is kept");
}

void HighScoresState::handleEvent(const sf::Event& event)
{
    if (event.type == sf::Event::Closed)
        save();
}

StateCode HighScoresState::checkKeys(const sf::Event::KeyEvent& key)
{
    const bool leave = key.code == sf::Keyboard::Escape || (leaveKey_ >= 0 && key.code == leaveKey_);
    if (!hasScores_ || !leave)
        return StateCode::Stay;
    save();
    return StateCode::MenuNoLogo;
}

NameEntryInput HighScoresState::readInput(unsigned pad)
{
    NameEntryInput in;
    in.left = isActionPressed(bindings_, "Left", pad);
    in.right = isActionPressed(bindings_, "Right", pad);
    in.ok = isActionPressed(bindings_, "Ok", pad);
    in.back = isActionPressed(bindings_, "Back", pad);
    in.start = isActionPressed(bindings_, "Start", pad);
    return in;
}

StateCode HighScoresState::update(float frameTime)
{
    if (!hasScores_)
        return StateCode::Stay;
    bool allReady = true;
    bool renamed = false;
    for (size_t p = 0; p < entries_.size(); ++p) {
        HighScoreNameEntry& entry = entries_[p];
        allReady = allReady && entry.ready();
        std::string scratch;
        std::string& name = entry.row() >= 0 ? table_[static_cast<size_t>(entry.row())].name : scratch;
        if (entry.update(readInput(static_cast<unsigned>(p)), frameTime, name))
            renamed = true;
    }
    if (renamed) {
        unsaved_ = true;
        refreshTexts();
        save();
    }
    if (!allReady)
        return StateCode::Stay;
    save();
    return StateCode::MenuNoLogo;
}

void HighScoresState::refreshTexts()
{
    scoreLines_.clear();
    for (size_t i = 0; i < table_.size(); ++i) {
        sf::Text line(table_[i].name + " : " + std::to_string(table_[i].score), font_, TEXT_SIZE);
        line.setFillColor(sf::Color::White);
        centreOrigin(line);
        line.setPosition(960.f, FIRST_ROW_Y + ROW_SPACING * i);
        scoreLines_.push_back(line);
    }
}

void HighScoresState::draw(sf::RenderWindow& window) { drawBoard(window); }

void HighScoresState::drawSaveFailure(sf::RenderTarget& target)
{
    sf::Text warning(SAVE_FAILED_TEXT, font_, TEXT_SIZE);
    warning.setFillColor(SAVE_FAILED_COLOUR);
    centreOrigin(warning);
    warning.setPosition(960.f, SAVE_FAILED_Y);
    target.draw(warning);
}

void HighScoresState::drawBoard(sf::RenderTarget& target)
{
    if (background_.getTexture())
        target.draw(background_);
    for (const sf::Text& line : scoreLines_)
        target.draw(line);
    if (!hasScores_)
        return;
    for (const sf::Text& hint : keyHints_)
        target.draw(hint);
    if (saveFailed_)
        drawSaveFailure(target);
    for (size_t p = 0; p < entries_.size(); ++p) {
        target.draw(playerLabels_[p]);
        const HighScoreNameEntry& entry = entries_[p];
        if (entry.row() >= 0) {
            const std::array<WheelSlot, 5> slots = entry.wheel();
            for (int j = 0; j < 5; ++j) {
                sf::Text symbol(std::string(1, slots[j].symbol), font_, TEXT_SIZE);
                symbol.setFillColor(playerColours_[p]);
                centreOrigin(symbol);
                symbol.setPosition(WHEEL_LEFT_X + WHEEL_PLAYER_SPACING * p + HighScoreNameEntry::SLOT_SPACING * j
                                       + slots[j].offsetX,
                                   FIRST_ROW_Y + ROW_SPACING * entry.row());
                symbol.setScale(slots[j].scale, slots[j].scale);
                target.draw(symbol);
            }
        }
        if (entry.ready()) {
            if (readySprites_[p].getTexture())
                target.draw(readySprites_[p]);
            target.draw(readyTexts_[p]);
        }
    }
}
