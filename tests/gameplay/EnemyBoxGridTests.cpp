#include "gameplay/EnemyBoxGrid.h"
#include "platform/Random.h"
#include "play/Polygon.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace {
float anywhere() { return static_cast<float>(random15() % 9000) - 3500.f; }
float extent() { return static_cast<float>(random15() % 400) - 40.f; } // a few negative
} // namespace

// Whatever the boxes (huge, negative, infinite, NaN), a query finds every
// overlapping box, and each candidate once, highest index first: the pass
// meets its enemies in the order it always did.
TEST(EnemyBoxGrid, FindsEveryOverlapInDescendingOrder)
{
    seedRandom15(7);
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<sf::FloatRect> boxes;
    for (int i = 0; i < 600; ++i)
        boxes.push_back({anywhere(), anywhere(), extent(), extent()});
    boxes[3] = {-inf, 0.f, inf, 50.f};
    boxes[4] = {nan, 10.f, 30.f, 30.f};
    boxes[5] = {100.f, 100.f, inf, inf};
    std::vector<bool> binned(boxes.size()), always(boxes.size());
    for (size_t e = 0; e < boxes.size(); ++e) {
        binned[e] = e % 7 != 0;
        always[e] = e % 11 == 0;
    }
    EnemyBoxGrid grid;
    grid.build(boxes, binned, always);
    std::vector<sf::FloatRect> queries = {{nan, 5.f, 8.f, 8.f}, {0.f, 0.f, inf, 10.f}, {200.f, 300.f, -50.f, 20.f}};
    for (int i = 0; i < 3000; ++i)
        queries.push_back({anywhere(), anywhere(), extent() / 4.f, extent() / 4.f});
    for (const sf::FloatRect& query : queries) {
        const std::vector<size_t>& found = grid.candidates(query);
        for (size_t k = 1; k < found.size(); ++k)
            ASSERT_GT(found[k - 1], found[k]);
        std::vector<bool> isCandidate(boxes.size());
        for (size_t e : found)
            isCandidate[e] = true;
        for (size_t e = 0; e < boxes.size(); ++e) {
            const bool wanted = always[e] || (binned[e] && boxesOverlap(boxes[e], query));
            ASSERT_TRUE(!wanted || isCandidate[e]) << "box " << e;
            ASSERT_TRUE(binned[e] || always[e] || !isCandidate[e]) << "box " << e;
        }
    }
}

// Built again for the next frame, the grid holds only that frame's enemies,
// even for a query that can only be answered with all of them (a NaN).
TEST(EnemyBoxGrid, ABuildForgetsTheFrameBefore)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EnemyBoxGrid grid;
    grid.build(std::vector<sf::FloatRect>(5, {0.f, 0.f, 10.f, 10.f}), std::vector<bool>(5, true),
               std::vector<bool>(5, false));
    grid.build(std::vector<sf::FloatRect>(2, {0.f, 0.f, 10.f, 10.f}), std::vector<bool>(2, true),
               std::vector<bool>(2, false));
    EXPECT_EQ(grid.candidates({nan, 0.f, 1.f, 1.f}), (std::vector<size_t>{1, 0}));
    EXPECT_EQ(grid.candidates({0.f, 0.f, 1.f, 1.f}), (std::vector<size_t>{1, 0}));
}

TEST(EnemyBoxGrid, BoxesOverlapAnswersAsTheWindowLibrary)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float values[] = {-5.f, 0.f, 3.f, 10.f, nan, std::numeric_limits<float>::infinity()};
    for (float l : values)
        for (float w : values)
            for (float l2 : values)
                for (float w2 : values) {
                    const sf::FloatRect a(l, 1.f, w, 4.f), b(l2, 2.f, w2, 1.f);
                    ASSERT_EQ(boxesOverlap(a, b), a.intersects(b)) << l << " " << w << " " << l2 << " " << w2;
                }
}
