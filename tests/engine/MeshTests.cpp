#include <gtest/gtest.h>

#include "engine/Mesh.h"

// A part stood somewhere (the tower's door top) stays there through the next
// projection pass; a new local position (a key, a camera-path frame) shows
// only from that pass on, carried by the parent.
TEST(Mesh, AStoodPartStaysAndALocalMoveFollowsItsParentFromTheNextPass)
{
    Mesh part({}, {}, "part", false);
    part.placeAt({5.f, 6.f, 7.f});
    part.updateTransform(1.f / 60.f);
    EXPECT_EQ(part.position(), sf::Vector3f(5.f, 6.f, 7.f));

    const sf::Vector3f parentAt(100.f, 0.f, 0.f), parentTurn(0.f, 90.f, 0.f);
    part.followParent(&parentAt, &parentTurn);
    part.moveLocalTo({1.f, 2.f, 3.f});
    part.turnTo({10.f, 0.f, 0.f});
    EXPECT_EQ(part.position(), sf::Vector3f(5.f, 6.f, 7.f));
    part.updateTransform(0.f);
    EXPECT_EQ(part.position(), sf::Vector3f(101.f, 2.f, 3.f));
    EXPECT_EQ(part.worldRotation(), sf::Vector3f(10.f, 90.f, 0.f));
}
