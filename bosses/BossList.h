#pragma once
#include <memory>
#include <vector>

class Boss;

// The gameplay state's boss list: the boss in play (at most one) and whether a fight is on.
struct BossList {
    std::vector<std::unique_ptr<Boss>> bosses;
    bool active = false;
};
