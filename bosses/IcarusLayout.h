#pragma once
// The layout of the first boss's parts: records of a kind word, hit points
// and an offset from the screen centre ("2D/Boss/Icarus.txt").
#include <SFML/System/Vector2.hpp>
#include <istream>
#include <string>
#include <vector>

struct IcarusPartRecord {
    std::string kind; // "HEAD", "SHOOT", "SPAWN", or any other word (a lone shooter)
    int hp = 1;
    sf::Vector2f offset;
};

namespace icarus_layout {
constexpr const char* FILE = "2D/Boss/Icarus.txt";
constexpr const char* HEAD = "HEAD";
constexpr const char* SHOOT = "SHOOT";
constexpr const char* SPAWN = "SPAWN";
// Records beyond this many are ignored.
constexpr int MAX_RECORDS = 16;
// Hit points below this count as it, so every part can be destroyed by a hit.
constexpr int MIN_HP = 1;
} // namespace icarus_layout

// The records of a layout, read until the end of the text or the first record
// that is incomplete or whose numbers do not read (the rest is ignored).
std::vector<IcarusPartRecord> readIcarusLayout(std::istream& in);
