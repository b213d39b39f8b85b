#include "play/Animation.h"
#include "play/Polygon.h"

#include <gtest/gtest.h>

namespace {
Polygon poly(std::initializer_list<sf::Vector2f> pts)
{
    Polygon p;
    for (const sf::Vector2f& v : pts)
        p.emplace_back(v, sf::Color::Red);
    return p;
}
// A square turned 45 degrees around (cx, cy) with corners r away.
Polygon diamond(float cx, float cy, float r) { return poly({{cx, cy - r}, {cx + r, cy}, {cx, cy + r}, {cx - r, cy}}); }
} // namespace

TEST(PlayPolygon, ConvexAndDegeneratePolygonsMeetTheSquareEitherWayRound)
{
    const Polygon square = rectToPolygon({0.f, 0.f, 10.f, 10.f});
    struct Row {
        const char* what;
        Polygon other;
        bool meets;
    };
    const Row rows[] = {
        {"a square beside it", rectToPolygon({20.f, 0.f, 10.f, 10.f}), false},
        {"a square over its corner", rectToPolygon({5.f, 5.f, 10.f, 10.f}), true},
        {"a diamond beside it", diamond(25.f, 5.f, 8.f), false},
        {"a diamond over its edge", diamond(15.f, 5.f, 8.f), true},
        {"a square touching along an edge", rectToPolygon({10.f, 0.f, 10.f, 10.f}), true},
        {"a diamond inside, no edges crossing", diamond(5.f, 5.f, 2.f), true},
        {"a square holding it whole", rectToPolygon({-50.f, -50.f, 100.f, 100.f}), true},
        {"a segment through it", poly({{-5.f, 5.f}, {15.f, 5.f}}), true},
        {"a point inside", poly({{5.f, 5.f}}), true},
        {"no polygon", Polygon{}, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(polygonsIntersect(square, row.other), row.meets) << row.what;
        EXPECT_EQ(polygonsIntersect(row.other, square), row.meets) << row.what;
    }
}

TEST(PlayPolygon, RectangleAgainstRotatedPolygon)
{
    const Polygon d = diamond(0.f, 0.f, 10.f);
    // The corner (8, 8) lies beyond the diamond's edge x + y = 10.
    EXPECT_FALSE(polygonIntersectsRect(d, {8.f, 8.f, 5.f, 5.f}));
    EXPECT_TRUE(polygonIntersectsRect(d, {3.f, 3.f, 5.f, 5.f}));
    EXPECT_TRUE(polygonIntersectsRect(d, {-20.f, -1.f, 40.f, 2.f})); // a bar through it
}

// A laser segment that ends on a wall's edge touches it, whichever way it runs.
TEST(PlayPolygon, ASegmentEndingOnAnEdgeCrossesItFromEitherEnd)
{
    const Polygon wall = rectToPolygon({10.f, -5.f, 10.f, 10.f});
    const sf::Vertex start({0.f, 0.f}), onEdge({10.f, 0.f}), short_({9.5f, 0.f});
    EXPECT_TRUE(edgeCrossesPolygon(wall, start, onEdge));
    EXPECT_TRUE(edgeCrossesPolygon(wall, onEdge, start));
    EXPECT_FALSE(edgeCrossesPolygon(wall, start, short_));
    EXPECT_FALSE(edgeCrossesPolygon(wall, short_, start));
}

// Sheets played once end with their last pass: PlayParticles' explosions.
TEST(PlayAnimation, LoopedAndReversedSteps)
{
    sf::FloatRect frame;
    Animation looped{0.f, 1.f, 4, 10.f, 20.f, 30.f, 40.f, ANIMATION_LOOPED};
    ASSERT_TRUE(looped.step(0.6f, frame));
    EXPECT_EQ(frame, sf::FloatRect(10.f + 2 * 30.f, 20.f, 30.f, 40.f));
    // Past the end it restarts at 0 and shows frame 0, never skipping ahead.
    ASSERT_TRUE(looped.step(2.5f, frame));
    EXPECT_EQ(looped.elapsed, 0.f);
    EXPECT_EQ(frame.left, 10.f);

    Animation reversed{0.f, 1.f, 4, 0.f, 0.f, 10.f, 10.f, ANIMATION_REVERSED};
    ASSERT_TRUE(reversed.step(0.01f, frame));
    EXPECT_EQ(frame.left, 30.f);
    ASSERT_TRUE(reversed.step(0.98f, frame));
    EXPECT_EQ(frame.left, 0.f);
    EXPECT_FALSE(reversed.step(0.02f, frame));

    // Steps that land exactly on the end start the sheet over: it never shows a fifth frame.
    Animation quarters{0.f, 1.f, 4, 0.f, 0.f, 10.f, 10.f, ANIMATION_LOOPED};
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(quarters.step(0.25f, frame));
    EXPECT_EQ(frame.left, 0.f);

    // A sheet without a duration stays on its first frame.
    Animation broken{0.f, 0.f, 4, 0.f, 0.f, 10.f, 10.f, ANIMATION_LOOPED};
    ASSERT_TRUE(broken.step(0.1f, frame));
    EXPECT_EQ(frame.left, 0.f);
}
