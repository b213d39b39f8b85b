#pragma once
// Short-lived and animated texts of the play layer: split-flap score and lives
// counters drawn from the digit strip, "100" popups, the letters of the boss
// WARNING and the plain digit strings of boss timers. One list of nodes, newest
// first; a counter or digit string is a chain of nodes in character order.
#include "play/SpriteBatch.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Vector2.hpp>
#include <array>
#include <list>
#include <string>
#include <vector>

class TextureCache;

enum TextKind : int {
    TEXT_POPUP = 0,   // a green "100" that lives 2 s
    TEXT_WARNING = 1, // one letter of "WARNING" that stretches, blinks and lives 10 s
    TEXT_COUNTER = 2, // one split-flap digit of a counter chain
    TEXT_DIGITS = 3,  // one static digit of a digit string (boss timers)
};

// What addText makes. Aggregate in this order:
// {kind, position, letterIndex, text, registerChain, charIndex, countDown}.
struct TextRequest {
    int kind = TEXT_POPUP;
    sf::Vector2f position;      // popup/letter: text position; digits: the first digit's hinge (counter) or top-left
    int letterIndex = 0;        // warning: first letter (callers pass 0)
    std::string text;           // counter and digit string: the characters shown
    bool registerChain = false; // keep the chain's first node so setScoreText / setCounterText can retarget it
    int charIndex = 0;          // the character this node is for (callers pass 0)
    bool countDown = false;     // counter: start on the target at once and roll large digits downward
};

struct TextNode {
    TextNode* next = nullptr; // the following node of the manager's list (not owned)
    int current = 0;         // digit shown now, 0..9
    int target = 0;          // character value rolled to (10 and over is never reached)
    int kind = TEXT_POPUP;
    bool registered = false; // first node of a registered chain
    int charIndex = 0;       // position in the chain's text
    int length = 0;          // first node of a chain: characters in the chain
    int letterIndex = 0;     // warning letter: index in "WARNING"
    float flipProgress = 0.f; // counter: pixels the flip has advanced
    bool flipping = false;
    sf::Text text;           // popup and warning letter
    // Counter: 0 current top, 1 next top, 2 current bottom, 3 next bottom.
    // Digit string: tile 0 only.
    std::array<sf::Sprite, 4> tiles;
    float timer = 0.f;       // seconds since added or since the last completed flip

    // Counter digits past the third use the small tile set.
    bool smallTiles() const { return kind == TEXT_COUNTER && charIndex / 3 != 0; }
};

class TextManager {
public:
    static constexpr int MAX_NODES = 10000;
    static constexpr float POPUP_LIFETIME = 2.f;
    static constexpr float WARNING_LIFETIME = 10.f;
    static constexpr float FLIP_TIME = 0.09f; // one digit step
    static constexpr const char* WARNING_WORD = "WARNING";
    static constexpr const char* STRIP_PATH = "2D/Text/chiffres.png";
    static constexpr const char* FONT_PATH = "debugfont.otf";

    // The digit strip comes from `textures` at the first draw.
    explicit TextManager(TextureCache& textures);
    TextManager(const TextManager&) = delete;
    TextManager& operator=(const TextManager&) = delete;

    // Adds one node or a whole chain as the request's kind says. Nothing is added
    // at the node cap, for a letter index outside "WARNING", or for a digit
    // request without a character at its index.
    void addText(const TextRequest& request);
    // Advances every node by dt; countDown rolls large counter digits downward.
    // Popups and warning letters whose time is up are removed.
    void update(float dt, bool countDown);
    // Retargets the first registered counter chain (grows it for a longer text;
    // surplus digits of a shorter text keep rolling). Nothing without a counter.
    void setScoreText(const std::string& text);
    // Rewrites the first registered digit string (a shorter text drops trailing
    // digits). Nothing without a digit string or for an empty text.
    void setCounterText(const std::string& text);
    // Draws the counter digits (kind 2): next top, current top, current bottom,
    // next bottom, all in one draw.
    void draw(sf::RenderTarget& target);
    // Draws, in list order, the popups and warning letters (their text) and the
    // digit strings (their tile): the owner's pass over its texts.
    void drawTexts(sf::RenderTarget& target);
    // Unlinks and frees one node of this manager (a node it does not hold is left alone).
    void removeNode(TextNode* node);

    // The characters the first registered counter rolls to ('0'..'9'; a digit
    // with a value of 10 or more reads as a letter). Empty without a counter.
    std::string text() const;

    TextNode* firstNode() { return nodes_.empty() ? nullptr : &nodes_.front(); }
    const TextNode* firstNode() const { return nodes_.empty() ? nullptr : &nodes_.front(); }
    int nodeCount() const { return static_cast<int>(nodes_.size()); }
    const std::vector<TextNode*>& counterHeads() const { return counterHeads_; }
    const std::vector<TextNode*>& digitHeads() const { return digitHeads_; }

    // '0'..'9' give 0..9, letters 10..35, anything else 10.
    static int characterValue(char c);

private:
    void addPopup(const TextRequest& request);
    void addWarningLetter(const TextRequest& request);
    void addCounterDigit(const TextRequest& request);
    void addStaticDigit(const TextRequest& request);
    using NodeList = std::list<TextNode>;
    TextNode& pushFront(TextNode node);
    TextNode& insertAfter(TextNode& anchor, TextNode node);
    void pushChainNode(TextNode node, const TextRequest& request, std::vector<TextNode*>& heads);
    void relink(NodeList::iterator placed);
    NodeList::iterator erase(NodeList::iterator node);
    void updateWarningLetter(TextNode& node, float dt);
    void updateCounterDigit(TextNode& node, float dt, bool countDown);
    void bindStrip();

    TextureCache& textures_;
    NodeList nodes_; // owns the nodes; their next links mirror its order
    std::vector<TextNode*> counterHeads_;
    std::vector<TextNode*> digitHeads_;
    sf::Font font_;
    const sf::Texture* digitStrip_ = nullptr; // bound at the first draw (needs a display)
    bool stripLooked_ = false;
    SpriteBatch tileBatch_;
};
