#pragma once
// Small numeric helpers shared by the enemies, patterns and level files.
#include "engine/Math3D.h"

#include <cmath>
#include <limits>

namespace enemy_math {

// The degree factor the enemies use for atan2 (slightly off 180/pi on purpose).
constexpr float DEGREES_PER_RADIAN = 57.295826f;
// The single-precision radian factor (slightly below pi/180).
constexpr float RADIANS_PER_DEGREE = 0.01745328f;
constexpr double PI = 3.141592653589793;

// Truncates toward zero into the int range; values beyond it are clamped and NaN gives 0,
// so data values can never trigger an undefined conversion.
inline int truncateToInt(double v)
{
    if (!(v == v))
        return 0;
    constexpr double lo = static_cast<double>(std::numeric_limits<int>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<int>::max());
    if (v <= lo)
        return std::numeric_limits<int>::min();
    if (v >= hi)
        return std::numeric_limits<int>::max();
    return static_cast<int>(v);
}

// The direction a sequence file gave, back from an enemy's heading (the
// spawner stores 360 - direction). Wide enough for any heading, INT_MIN included.
inline long long fileDirection(int heading) { return 360LL - heading; }

using angle::wrap180;
using angle::wrap360;

} // namespace enemy_math
