// Split-flap counters, digit strings and warning letters, without a window.
#include "engine/Engine.h"
#include "play/TextManager.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
constexpr float DT = 1.f / 60.f;

// The nodes of the first chain in `heads`, first character first.
std::vector<TextNode*> firstChain(const std::vector<TextNode*>& heads)
{
    std::vector<TextNode*> chain;
    TextNode* node = heads.front();
    for (int i = 0; i < heads.front()->length && node; ++i, node = node->next)
        chain.push_back(node);
    return chain;
}
std::vector<TextNode*> counterChain(const TextManager& texts) { return firstChain(texts.counterHeads()); }
std::vector<TextNode*> digitChain(const TextManager& texts) { return firstChain(texts.digitHeads()); }

TextRequest scoreCounter(const std::string& text, bool countDown)
{
    return TextRequest{TEXT_COUNTER, {20.f, 85.f}, 0, text, true, 0, countDown};
}
} // namespace

TEST(OverlayTextCounter, ScoreRollsUpOneStepPerFlipWithLargeThenSmallTiles)
{
    TextManager texts(engine().textures);
    texts.addText(scoreCounter("000000000", false));
    ASSERT_EQ(texts.nodeCount(), 9);
    const std::vector<TextNode*> chain = counterChain(texts);
    ASSERT_EQ(chain.size(), 9u);
    // Three large digits 24 px apart, then small ones 21 px apart.
    const float expectedX[9] = {20, 44, 68, 92, 113, 134, 155, 176, 197};
    for (size_t i = 0; i < 9; ++i)
        EXPECT_FLOAT_EQ(chain[i]->tiles[2].getPosition().x, expectedX[i]) << i;

    texts.setScoreText("000000255");
    EXPECT_EQ(texts.text(), "000000255");
    std::vector<std::vector<int>> seen(3);
    for (float t = 0.f; t < 0.6f; t += DT) {
        texts.update(DT, false);
        for (int k = 0; k < 3; ++k)
            if (seen[k].empty() || seen[k].back() != chain[6 + k]->current)
                seen[k].push_back(chain[6 + k]->current);
    }
    EXPECT_EQ(seen[0], (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(seen[1], (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(seen[2], (std::vector<int>{0, 1, 2, 3, 4, 5}));
    for (TextNode* node : chain) {
        EXPECT_FALSE(node->flipping);
        EXPECT_EQ(node->tiles[1].getTextureRect().height, 0); // at rest the next flap is hidden
    }

    // Each step is a flip of 0.09 s: two steps are still rolling at 0.17 s.
    TextManager timed(engine().textures);
    timed.addText(scoreCounter("000000000", false));
    timed.setScoreText("000000200");
    for (int k = 0; k < 10; ++k)
        timed.update(0.017f, false);
    EXPECT_EQ(counterChain(timed)[6]->current, 1);
    for (int k = 0; k < 2; ++k)
        timed.update(0.017f, false);
    EXPECT_EQ(counterChain(timed)[6]->current, 2);
}

TEST(OverlayTextCounter, LivesRollDownwardAndStartOnTheirValue)
{
    TextManager lives(engine().textures);
    lives.addText(TextRequest{TEXT_COUNTER, {165.f, 300.f}, 0, "03", 1, 0, 1});
    std::vector<TextNode*> chain = counterChain(lives);
    EXPECT_EQ(chain[0]->current, 0);
    EXPECT_EQ(chain[1]->current, 3);
    EXPECT_EQ(chain[1]->tiles[0].getTextureRect().width, 21); // both lives digits are large

    lives.setScoreText("02");
    std::vector<int> steps{chain[1]->current};
    for (int k = 0; k < 30; ++k) {
        lives.update(DT, true);
        if (steps.back() != chain[1]->current)
            steps.push_back(chain[1]->current);
    }
    EXPECT_EQ(steps, (std::vector<int>{3, 2}));

    lives.setScoreText("04");
    steps = {chain[1]->current};
    for (int k = 0; k < 120; ++k) {
        lives.update(DT, true);
        if (steps.back() != chain[1]->current)
            steps.push_back(chain[1]->current);
    }
    EXPECT_EQ(steps, (std::vector<int>{2, 1, 0, 9, 8, 7, 6, 5, 4}));
}

// A score past nine digits, then a revive's nine zeros.
TEST(OverlayTextCounter, ChainsGrowForLongerTextsAndShorterOnesStayInRange)
{
    TextManager texts(engine().textures);
    texts.addText(scoreCounter("00", false));
    texts.setScoreText("123");
    EXPECT_EQ(texts.nodeCount(), 3);
    EXPECT_EQ(texts.text(), "123");
    std::vector<TextNode*> chain = counterChain(texts);

    // A shorter text leaves the surplus digit rolling toward 10, which it never reaches.
    texts.setScoreText("7");
    EXPECT_EQ(chain[0]->target, 7);
    EXPECT_EQ(chain[1]->target, 10);
    for (int k = 0; k < 200; ++k)
        texts.update(DT, false);
    for (TextNode* node : chain) {
        EXPECT_GE(node->current, 0);
        EXPECT_LE(node->current, 9);
        const sf::IntRect r = node->tiles[0].getTextureRect();
        EXPECT_GE(r.left, 0);
        EXPECT_LE(r.left + r.width, 210);
    }
}

TEST(OverlayTextDigits, TimerStringsShrinkAndGrow)
{
    TextManager timer(engine().textures);
    timer.addText(TextRequest{TEXT_DIGITS, {935.f, 50.f}, 0, "80", 1, 0, 0});
    timer.setCounterText("10");
    timer.setCounterText("9");
    ASSERT_EQ(timer.nodeCount(), 1);
    EXPECT_EQ(timer.firstNode()->tiles[0].getTextureRect(), sf::IntRect(189, 0, 21, 30));

    timer.setCounterText("120");
    ASSERT_EQ(timer.nodeCount(), 3);
    const std::vector<TextNode*> chain = digitChain(timer);
    ASSERT_EQ(chain.size(), 3u);
    EXPECT_LT(chain[0]->tiles[0].getPosition().x, chain[2]->tiles[0].getPosition().x);
}

TEST(OverlayTextWarning, SevenLettersShowForTenSecondsAndGo)
{
    TextManager texts(engine().textures);
    texts.addText(TextRequest{TEXT_WARNING, {600.f, 200.f}, 0, "", 0, 0, 0});
    ASSERT_EQ(texts.nodeCount(), 7);
    std::string word;
    for (TextNode* node = texts.firstNode(); node; node = node->next) {
        word += node->text.getString().toAnsiString();
        EXPECT_FLOAT_EQ(node->text.getPosition().x, 600.f + 30.f * node->letterIndex);
    }
    EXPECT_EQ(word, "WARNING");
    // The letters come flat and rise one after the other, 0.4 s apart, over half a second.
    const auto heightOf = [&texts](int letter) {
        for (TextNode* node = texts.firstNode(); node; node = node->next)
            if (node->letterIndex == letter)
                return node->text.getScale().y;
        return -1.f;
    };
    EXPECT_FLOAT_EQ(heightOf(0), 0.3f);
    EXPECT_FLOAT_EQ(heightOf(6), 0.3f);

    // Each letter blinks red for the first half of each half second, yellow for the second.
    texts.update(0.2f, false);
    EXPECT_EQ(texts.firstNode()->text.getFillColor(), sf::Color::Red);
    texts.update(0.1f, false);
    EXPECT_EQ(texts.firstNode()->text.getFillColor(), sf::Color::Yellow);
    EXPECT_NEAR(heightOf(0), 0.3f + 1.4f * 0.3f, 1e-4f);
    EXPECT_FLOAT_EQ(heightOf(6), 0.3f) << "the last letter rises only at 2.4 s";
    EXPECT_FLOAT_EQ(texts.firstNode()->text.getScale().x, 0.3f);
    for (int k = 0; k < 96; ++k)
        texts.update(0.1f, false);
    EXPECT_EQ(texts.nodeCount(), 7); // 9.9 s
    texts.update(0.2f, false);
    EXPECT_EQ(texts.nodeCount(), 0);
    EXPECT_EQ(texts.firstNode(), nullptr);
}

TEST(OverlayTextCap, NothingIsAddedPastTenThousandNodesAndWhatWouldNotFitWholeNotAtAll)
{
    TextManager texts(engine().textures);
    texts.addText(TextRequest{TEXT_DIGITS, {0.f, 0.f}, 0, std::string(9995, '5'), 0, 0, 0});
    ASSERT_EQ(texts.nodeCount(), 9995);
    // A registered counter that would not fit whole is not started at all.
    texts.addText(scoreCounter("000000000", false));
    EXPECT_EQ(texts.nodeCount(), 9995);
    EXPECT_TRUE(texts.counterHeads().empty());
    texts.addText(TextRequest{TEXT_DIGITS, {0.f, 0.f}, 0, "1234", 0, 0, 0});
    ASSERT_EQ(texts.nodeCount(), TextManager::MAX_NODES - 1);
    texts.addText(TextRequest{TEXT_DIGITS, {0.f, 0.f}, 0, "7", 0, 0, 0});
    ASSERT_EQ(texts.nodeCount(), TextManager::MAX_NODES);
    TextNode* first = texts.firstNode();
    texts.addText(TextRequest{TEXT_DIGITS, {0.f, 0.f}, 0, "7", 0, 0, 0});
    EXPECT_EQ(texts.nodeCount(), TextManager::MAX_NODES);
    EXPECT_EQ(texts.firstNode(), first);
}
