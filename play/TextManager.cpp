#include "play/TextManager.h"

#include "engine/TextureCache.h"
#include "platform/AssetPath.h"

#include <algorithm>
#include <cmath>

namespace {

struct TileSet {
    int width;   // one digit's column
    int height;  // whole digit
    int top;     // row of the set in the strip
    int half;    // rows of the top half
    int advance; // pixels to the next digit of a chain
};

constexpr TileSet LARGE_TILES{21, 30, 0, 15, 24};
constexpr TileSet SMALL_TILES{18, 26, 54, 13, 21};
constexpr int STATIC_ADVANCE = 24;

const sf::Color POPUP_COLOUR = sf::Color::Green;
constexpr unsigned POPUP_SIZE = 35;
constexpr unsigned WARNING_SIZE = 150;
constexpr float WARNING_SPACING = 30.f;
constexpr float WARNING_SCALE_X = 0.3f;
constexpr float LETTER_DELAY = 0.4f;
constexpr float STRETCH_TIME = 0.5f;
constexpr float STRETCH_RATE = 1.4f;
constexpr float BLINK_PERIOD = 0.5f;
constexpr int LAST_LETTER = 6;

const TileSet& tilesOf(const TextNode& node) { return node.smallTiles() ? SMALL_TILES : LARGE_TILES; }

int wrapDigit(int v) { return ((v % 10) + 10) % 10; }

// The column of a value's tile (values 10..35 wrap onto 0..9).
int column(int value) { return wrapDigit(value); }

sf::IntRect topHalf(const TileSet& set, int value, int rows)
{
    return sf::IntRect(set.width * column(value), set.top, set.width, rows);
}

sf::IntRect bottomHalf(const TileSet& set, int value, int skipped)
{
    return sf::IntRect(set.width * column(value), set.top + set.half + skipped, set.width,
                       set.height - set.half - skipped);
}

// The digit a flip of this node leads to.
int nextDigit(const TextNode& node, bool countDown)
{
    const bool down = countDown && !node.smallTiles();
    return wrapDigit(node.current + (down ? -1 : 1));
}

// Puts a counter digit at rest on its current value, with the next value ready.
void restTiles(TextNode& node, bool countDown)
{
    const TileSet& set = tilesOf(node);
    const int next = nextDigit(node, countDown);
    node.tiles[0].setTextureRect(topHalf(set, node.current, set.half));
    node.tiles[0].setScale(1.f, 1.f);
    node.tiles[1].setTextureRect(topHalf(set, next, 0));
    node.tiles[2].setTextureRect(bottomHalf(set, node.current, 0));
    node.tiles[2].setOrigin(0.f, 0.f);
    node.tiles[3].setTextureRect(bottomHalf(set, next, 0));
    node.tiles[3].setScale(1.f, 0.f);
}

// Places the four tiles of a counter digit on its hinge line.
void placeCounterTiles(TextNode& node, sf::Vector2f hinge)
{
    const TileSet& set = tilesOf(node);
    for (int k = 0; k < 4; ++k)
        node.tiles[k].setPosition(hinge);
    node.tiles[0].setOrigin(0.f, static_cast<float>(set.half));
    node.tiles[1].setOrigin(0.f, static_cast<float>(set.half));
}

void showStaticDigit(TextNode& node, char c)
{
    node.current = TextManager::characterValue(c);
    node.tiles[0].setTextureRect(sf::IntRect(LARGE_TILES.width * column(node.current), LARGE_TILES.top,
                                             LARGE_TILES.width, LARGE_TILES.height));
}

} // namespace

TextManager::TextManager(TextureCache& textures) : textures_(textures)
{
    const std::string fontFile = resolveAssetPath(FONT_PATH);
    if (assetExists(fontFile))
        font_.loadFromFile(fontFile);
}

int TextManager::characterValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'Z')
        return 10 + (c - 'A');
    if (c >= 'a' && c <= 'z')
        return 10 + (c - 'a');
    return 10;
}

// Points the placed node and the one before it along the list's order.
void TextManager::relink(NodeList::iterator placed)
{
    const auto following = std::next(placed);
    placed->next = following == nodes_.end() ? nullptr : &*following;
    if (placed != nodes_.begin())
        std::prev(placed)->next = &*placed;
}

TextNode& TextManager::pushFront(TextNode node)
{
    nodes_.push_front(std::move(node));
    relink(nodes_.begin());
    return nodes_.front();
}

TextNode& TextManager::insertAfter(TextNode& anchor, TextNode node)
{
    const auto at = std::find_if(nodes_.begin(), nodes_.end(), [&](const TextNode& n) { return &n == &anchor; });
    const auto placed = nodes_.insert(std::next(at), std::move(node));
    relink(placed);
    return *placed;
}

// Puts one node of a chain at the front; a registered chain's first node
// keeps the chain's length and goes into the registry.
void TextManager::pushChainNode(TextNode node, const TextRequest& request, std::vector<TextNode*>& heads)
{
    const bool head = node.charIndex == request.charIndex && request.registerChain;
    if (head) {
        node.registered = 1;
        node.length = static_cast<int>(request.text.size());
    }
    TextNode& placed = pushFront(std::move(node));
    if (head)
        heads.push_back(&placed);
}

TextManager::NodeList::iterator TextManager::erase(NodeList::iterator node)
{
    for (std::vector<TextNode*>* heads : {&counterHeads_, &digitHeads_})
        heads->erase(std::remove(heads->begin(), heads->end(), &*node), heads->end());
    if (node != nodes_.begin())
        std::prev(node)->next = node->next;
    return nodes_.erase(node);
}

void TextManager::addText(const TextRequest& request)
{
    if (nodeCount() >= MAX_NODES)
        return;
    switch (request.kind) {
    case TEXT_POPUP: addPopup(request); break;
    case TEXT_WARNING: addWarningLetter(request); break;
    case TEXT_COUNTER: addCounterDigit(request); break;
    case TEXT_DIGITS: addStaticDigit(request); break;
    default: break;
    }
}

void TextManager::addPopup(const TextRequest& request)
{
    TextNode node;
    node.kind = TEXT_POPUP;
    node.text.setFont(font_);
    node.text.setCharacterSize(POPUP_SIZE);
    node.text.setPosition(request.position);
    node.text.setFillColor(POPUP_COLOUR);
    node.text.setString("100");
    const sf::FloatRect bounds = node.text.getGlobalBounds();
    for (const TextNode& other : nodes_)
        if (other.kind == TEXT_POPUP && bounds.intersects(other.text.getGlobalBounds()))
            return;
    pushFront(std::move(node));
}

void TextManager::addWarningLetter(const TextRequest& request)
{
    if (request.letterIndex < 0 || request.letterIndex > LAST_LETTER)
        return;
    // The letters from this one to the end go in whole or not at all: a
    // partial word must not show, and the cap holds for every letter.
    if (nodeCount() + (LAST_LETTER - request.letterIndex + 1) > MAX_NODES)
        return;
    TextNode node;
    node.kind = TEXT_WARNING;
    node.letterIndex = request.letterIndex;
    node.text.setFont(font_);
    node.text.setCharacterSize(WARNING_SIZE);
    node.text.setPosition(request.position);
    node.text.setFillColor(sf::Color::Red);
    node.text.setString(std::string(1, WARNING_WORD[request.letterIndex]));
    node.text.setScale(WARNING_SCALE_X, WARNING_SCALE_X);
    if (request.letterIndex < LAST_LETTER) {
        TextRequest following = request;
        following.letterIndex += 1;
        following.position.x += WARNING_SPACING;
        addText(following);
    }
    pushFront(std::move(node));
}

// A chain goes in from its last character to its first, each at the front,
// so the list holds it in character order and next links walk it.
void TextManager::addCounterDigit(const TextRequest& request)
{
    const int length = static_cast<int>(request.text.size());
    if (request.charIndex < 0 || request.charIndex >= length)
        return;
    // A registered chain goes in whole or not at all: its first node's length
    // must match the nodes that follow it.
    if (request.registerChain && nodeCount() + (length - request.charIndex) > MAX_NODES)
        return;

    std::vector<sf::Vector2f> hinges(static_cast<size_t>(length));
    hinges[static_cast<size_t>(request.charIndex)] = request.position;
    for (int i = request.charIndex + 1; i < length; ++i) {
        const TileSet& previous = (i - 1) / 3 != 0 ? SMALL_TILES : LARGE_TILES;
        hinges[static_cast<size_t>(i)] = hinges[static_cast<size_t>(i - 1)] + sf::Vector2f(static_cast<float>(previous.advance), 0.f);
    }
    for (int i = length - 1; i >= request.charIndex; --i) {
        if (nodeCount() >= MAX_NODES)
            continue;
        TextNode node;
        node.kind = TEXT_COUNTER;
        node.charIndex = i;
        const int value = characterValue(request.text[static_cast<size_t>(i)]);
        node.target = value;
        node.current = request.countDown ? value : 0;
        placeCounterTiles(node, hinges[static_cast<size_t>(i)]);
        restTiles(node, request.countDown);
        pushChainNode(std::move(node), request, counterHeads_);
    }
}

void TextManager::addStaticDigit(const TextRequest& request)
{
    const int length = static_cast<int>(request.text.size());
    if (request.charIndex < 0 || request.charIndex >= length)
        return;
    if (request.registerChain && nodeCount() + (length - request.charIndex) > MAX_NODES)
        return;

    for (int i = length - 1; i >= request.charIndex; --i) {
        if (nodeCount() >= MAX_NODES)
            continue;
        TextNode node;
        node.kind = TEXT_DIGITS;
        node.charIndex = i;
        node.tiles[0].setPosition(request.position.x + static_cast<float>(STATIC_ADVANCE * (i - request.charIndex)),
                                  request.position.y);
        showStaticDigit(node, request.text[static_cast<size_t>(i)]);
        pushChainNode(std::move(node), request, digitHeads_);
    }
}

void TextManager::removeNode(TextNode* node)
{
    const auto found = std::find_if(nodes_.begin(), nodes_.end(), [&](const TextNode& n) { return &n == node; });
    if (found != nodes_.end())
        erase(found);
}

void TextManager::update(float dt, bool countDown)
{
    for (auto node = nodes_.begin(); node != nodes_.end();) {
        bool expired = false;
        switch (node->kind) {
        case TEXT_POPUP:
            node->timer += dt;
            expired = node->timer >= POPUP_LIFETIME;
            break;
        case TEXT_WARNING:
            updateWarningLetter(*node, dt);
            expired = node->timer > WARNING_LIFETIME;
            break;
        case TEXT_COUNTER: updateCounterDigit(*node, dt, countDown); break;
        default: break;
        }
        node = expired ? erase(node) : std::next(node);
    }
}

void TextManager::updateWarningLetter(TextNode& node, float dt)
{
    node.timer += dt;
    const float delay = LETTER_DELAY * static_cast<float>(node.letterIndex);
    if (node.timer >= delay && node.timer <= delay + STRETCH_TIME)
        node.text.setScale(WARNING_SCALE_X, WARNING_SCALE_X + STRETCH_RATE * (node.timer - delay));
    else if (node.timer > delay + STRETCH_TIME)
        node.text.setScale(WARNING_SCALE_X, 1.f);
    const float phase = std::fmod(node.timer, BLINK_PERIOD);
    const float inPeriod = (phase == 0.f && node.timer > 0.f) ? BLINK_PERIOD : phase;
    node.text.setFillColor(inPeriod < BLINK_PERIOD / 2.f ? sf::Color::Red : sf::Color::Yellow);
}

void TextManager::updateCounterDigit(TextNode& node, float dt, bool countDown)
{
    node.timer += dt;
    if (node.current == node.target && !node.flipping) {
        restTiles(node, countDown);
        return;
    }
    node.flipping = 1;
    const TileSet& set = tilesOf(node);
    const float half = static_cast<float>(set.half);
    const float p = node.timer * 2.f * half / FLIP_TIME;
    node.flipProgress = p;
    const int next = nextDigit(node, countDown);
    if (p < half) {
        node.tiles[0].setTextureRect(topHalf(set, node.current, set.half));
        node.tiles[0].setScale(1.f, 1.f - p / half);
        node.tiles[1].setTextureRect(topHalf(set, next, static_cast<int>(std::ceil(p))));
        node.tiles[2].setTextureRect(bottomHalf(set, node.current, 0));
        node.tiles[2].setOrigin(0.f, 0.f);
        node.tiles[3].setScale(1.f, 0.f);
    } else if (p < 2.f * half) {
        const int skipped = static_cast<int>(p - half);
        node.tiles[0].setScale(1.f, 0.f);
        node.tiles[1].setTextureRect(topHalf(set, next, set.half));
        node.tiles[3].setTextureRect(bottomHalf(set, next, 0));
        node.tiles[3].setScale(1.f, (p - half) / half);
        node.tiles[2].setTextureRect(bottomHalf(set, node.current, skipped));
        node.tiles[2].setOrigin(0.f, -static_cast<float>(skipped));
    } else {
        node.current = next;
        node.flipping = 0;
        node.timer = 0.f;
        restTiles(node, countDown);
    }
}

void TextManager::setScoreText(const std::string& text)
{
    if (counterHeads_.empty())
        return;
    TextNode* head = counterHeads_.front();
    const int oldLength = head->length;
    const int textLength = static_cast<int>(text.size());
    int length = std::max(oldLength, textLength);
    head->length = length;

    TextNode* node = head;
    for (int i = 0; i < length && node; ++i) {
        node->charIndex = i;
        const sf::Vector2f hinge = node->tiles[2].getPosition();
        if (i >= oldLength - 1 && oldLength != length && i != length - 1) {
            if (nodeCount() >= MAX_NODES) {
                // The chain cannot grow further: it keeps the digits it has.
                length = i + 1;
                head->length = length;
            } else {
                TextNode grown;
                grown.kind = TEXT_COUNTER;
                grown.charIndex = i + 1;
                const float step = static_cast<float>(tilesOf(grown).advance);
                placeCounterTiles(grown, sf::Vector2f(hinge.x + step, hinge.y));
                restTiles(grown, false);
                if (digitStrip_)
                    for (sf::Sprite& tile : grown.tiles)
                        tile.setTexture(*digitStrip_);
                insertAfter(*node, std::move(grown));
            }
        }
        if (i < textLength) {
            if (node->current == node->target && !node->flipping)
                node->timer = 0.f;
            node->target = characterValue(text[static_cast<size_t>(i)]);
        } else {
            node->target = 10;
        }
        node = (i < length - 1) ? node->next : nullptr;
    }
}

void TextManager::setCounterText(const std::string& text)
{
    if (digitHeads_.empty() || text.empty())
        return;
    TextNode* head = digitHeads_.front();
    const int oldLength = head->length;
    const int textLength = static_cast<int>(text.size());
    const int walk = std::max(oldLength, textLength);
    head->length = textLength;

    TextNode* node = head;
    for (int i = 0; i < walk && node; ++i) {
        TextNode* following = (i < walk - 1) ? node->next : nullptr;
        node->charIndex = i;
        if (i >= oldLength - 1 && oldLength != textLength && i < textLength - 1) {
            if (nodeCount() < MAX_NODES) {
                TextNode grown;
                grown.kind = TEXT_DIGITS;
                grown.charIndex = i + 1;
                const sf::Vector2f at = node->tiles[0].getPosition();
                grown.tiles[0].setPosition(at.x + static_cast<float>(STATIC_ADVANCE), at.y);
                if (digitStrip_)
                    grown.tiles[0].setTexture(*digitStrip_);
                following = &insertAfter(*node, std::move(grown));
            } else {
                head->length = i + 1; // no room for the rest of the text
                following = nullptr;
            }
        }
        if (i < head->length)
            showStaticDigit(*node, text[static_cast<size_t>(i)]);
        else
            removeNode(node);
        node = following;
    }
}

std::string TextManager::text() const
{
    std::string text;
    if (counterHeads_.empty())
        return text;
    const TextNode* node = counterHeads_.front();
    for (int i = 0; i < counterHeads_.front()->length && node; ++i, node = node->next)
        text += node->target < 10 ? static_cast<char>('0' + node->target) : static_cast<char>('A' + node->target - 10);
    return text;
}

void TextManager::bindStrip()
{
    if (!stripLooked_) {
        stripLooked_ = true;
        digitStrip_ = textures_.getTexture(STRIP_PATH);
    }
    if (!digitStrip_)
        return;
    for (TextNode& node : nodes_) {
        if (node.kind != TEXT_COUNTER && node.kind != TEXT_DIGITS)
            continue;
        for (sf::Sprite& tile : node.tiles)
            if (!tile.getTexture())
                tile.setTexture(*digitStrip_);
    }
}

void TextManager::draw(sf::RenderTarget& target)
{
    bindStrip();
    for (const TextNode& node : nodes_) {
        if (node.kind != TEXT_COUNTER || !node.tiles[0].getTexture())
            continue;
        for (size_t tile : {1, 0, 2, 3})
            tileBatch_.draw(target, node.tiles[tile]);
    }
    tileBatch_.flush(target);
}

void TextManager::drawTexts(sf::RenderTarget& target)
{
    bindStrip();
    for (const TextNode& node : nodes_) {
        if (node.kind == TEXT_POPUP || node.kind == TEXT_WARNING) {
            tileBatch_.flush(target);
            target.draw(node.text);
        } else if (node.kind == TEXT_DIGITS) {
            tileBatch_.draw(target, node.tiles[0]);
        }
    }
    tileBatch_.flush(target);
}
