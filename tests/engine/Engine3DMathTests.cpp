#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include "engine/Math3D.h"

#include <cmath>

namespace {

void expectNear(const sf::Vector3f& a, const sf::Vector3f& b, float eps = 1e-4f)
{
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

} // namespace

TEST(Engine3DMath, RotationsFollowZThenYThenX)
{
    expectNear(rotateEuler({1.f, 0.f, 0.f}, {0.f, 0.f, 90.f}), {0.f, 1.f, 0.f});
    expectNear(rotateEuler({1.f, 0.f, 0.f}, {0.f, 90.f, 0.f}), {0.f, 0.f, -1.f});
    expectNear(rotateEuler({0.f, 1.f, 0.f}, {90.f, 0.f, 0.f}), {0.f, 0.f, 1.f});
    // z first: (1,0,0) -> (0,1,0); y leaves it; x turns it to (0,0,1).
    expectNear(rotateEuler({1.f, 0.f, 0.f}, {90.f, 90.f, 90.f}), {0.f, 0.f, 1.f});
}

TEST(Engine3DMath, AngleBetweenParallelOppositeAndDegenerate)
{
    EXPECT_FLOAT_EQ(angleBetween({1.f, 0.f, 0.f}, {2.f, 0.f, 0.f}), 0.f);
    EXPECT_NEAR(angleBetween({1.f, 2.f, 3.f}, {2.f, 4.f, 6.f}), 0.f, 0.05f);
    EXPECT_FLOAT_EQ(angleBetween({1.f, 0.f, 0.f}, {-3.f, 0.f, 0.f}), 180.f);
    EXPECT_NEAR(angleBetween({1.f, 0.f, 0.f}, {0.f, 5.f, 0.f}), 90.f, 1e-4f);
    // Rounding pushes the cosine of this one just outside -1..1: no NaN.
    const sf::Vector3f v(0.1f * 17.f, 0.7f * 17.f, 0.3f * 17.f);
    EXPECT_FALSE(std::isnan(angleBetween(v, v)));
    EXPECT_FALSE(std::isnan(angleBetween(v, -v)));
    // A zero vector has no direction: NaN, which every comparison treats as false.
    const float a = angleBetween({0.f, 0.f, 0.f}, {1.f, 0.f, 0.f});
    EXPECT_TRUE(std::isnan(a));
    EXPECT_FALSE(a <= 90.f);
}

TEST(Engine3DMath, MoveTowardsStopsWithinTwoUnits)
{
    const sf::Vector3f step = moveTowards3D({0.f, 0.f, 0.f}, {10.f, 0.f, 0.f}, 90.f, 0.02f);
    EXPECT_NEAR(step.x, 1.8f, 1e-5f);
    EXPECT_EQ(step.y, 0.f);
    EXPECT_EQ(moveTowards3D({0.f, 0.f, 0.f}, {1.f, 1.f, 1.f}, 90.f, 0.02f), sf::Vector3f()) << "within two units: no step";
}
