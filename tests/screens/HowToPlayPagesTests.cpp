// The how-to-play pages the asset generator draws, held to the game's real bindings
// and pickups: every key of play and pause is named with its pad button on one line,
// every page tells how to turn it, and the pickups' worth is what collecting them gives.
#include "gameplay/GameBindings.h"
#include "platform/GamePad.h"
#include "play/Bonus.h"
#include "screens/MenuNavigation.h"
#include "screens/MenuScene.h"
#include "tools/assetgen/HowToPlayText.h"

#include <SFML/Window/Keyboard.hpp>
#include <cctype>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

// How the pages call keys and buttons.
const std::map<int, std::string> KEY_NAMES = {
    {sf::Keyboard::Z, "Z"},          {sf::Keyboard::Q, "Q"},          {sf::Keyboard::S, "S"},
    {sf::Keyboard::D, "D"},          {sf::Keyboard::Space, "Space"},  {sf::Keyboard::L, "L"},
    {sf::Keyboard::Add, "numpad +"}, {sf::Keyboard::Subtract, "numpad -"}, {sf::Keyboard::U, "U"},
    {sf::Keyboard::Escape, "Escape"}, {sf::Keyboard::Enter, "Enter"}, {sf::Keyboard::BackSpace, "Backspace"},
};
const std::map<int, std::string> BUTTON_NAMES = {
    {pad::A, "A"}, {pad::B, "B"}, {pad::START, "Start"}, {pad::LEFT_SHOULDER, "left shoulder"},
    {pad::RIGHT_SHOULDER, "right shoulder"},
};

bool hasWord(const std::string& line, const std::string& word)
{
    auto edge = [](const std::string& s, size_t i) { return i >= s.size() || !std::isalnum(static_cast<unsigned char>(s[i])); };
    for (size_t at = line.find(word); at != std::string::npos; at = line.find(word, at + 1))
        if ((at == 0 || edge(line, at - 1)) && edge(line, at + word.size()))
            return true;
    return false;
}

// The first line of the pages that names the word, or null.
const char* lineNaming(const std::string& word)
{
    for (const how_to_play::TextPage& page : how_to_play::pages())
        for (const how_to_play::PageLine& line : page.lines)
            if (hasWord(line.text, word))
                return line.text;
    return nullptr;
}

} // namespace

TEST(HowToPlayPages, NameEveryKeyOfPlayAndPauseWithItsPadButton)
{
    BindingMap bindings;
    registerPlayBindings(bindings);
    registerPauseBindings(bindings);
    for (const auto& [action, binding] : bindings) {
        if (binding.sfKey < 0)
            continue;
        ASSERT_TRUE(KEY_NAMES.count(binding.sfKey)) << action << " has a key the test cannot name";
        const char* line = lineNaming(KEY_NAMES.at(binding.sfKey));
        ASSERT_NE(line, nullptr) << action << ": no page names " << KEY_NAMES.at(binding.sfKey);
        for (const auto& [button, name] : BUTTON_NAMES) {
            if (binding.xinputButtons & button) {
                EXPECT_TRUE(hasWord(line, name)) << action << ": \"" << line << "\" does not name " << name;
            }
        }
    }
}

TEST(HowToPlayPages, EachPageSaysHowToTurnItAndPricesThePickupsThatExist)
{
    MenuBindings menu;
    fillMenuBindings(menu);
    const std::string turn = KEY_NAMES.at(menu.at(menu_action::PREVIOUS_PAGE).sfKey) + " / " +
                             KEY_NAMES.at(menu.at(menu_action::NEXT_PAGE).sfKey) + ": turn the page";
    ASSERT_EQ(how_to_play::pages().size(), 3u);
    for (const how_to_play::TextPage& page : how_to_play::pages()) {
        bool told = false;
        for (const how_to_play::PageLine& line : page.lines)
            told = told || line.text == turn;
        EXPECT_TRUE(told) << page.title;
    }
    // Kills drop base bonuses, or golden ones once the gauge is full; the fan-shot kind
    // is never dropped in play, so no page may offer it.
    EXPECT_NE(lineNaming(std::to_string(BaseBonus::SCORE)), nullptr);
    EXPECT_NE(lineNaming(std::to_string(GoldenBonus::SCORE)), nullptr);
    EXPECT_EQ(lineNaming("P"), nullptr);
}
