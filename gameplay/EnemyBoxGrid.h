#pragma once
// The broad phase of the shots-against-enemies pass: enemies' body boxes
// binned in a uniform grid, so that a shot is tested only against the enemies
// whose box it can overlap.
#include <SFML/Graphics/Rect.hpp>
#include <cstddef>
#include <vector>

class EnemyBoxGrid {
public:
    // `boxes[e]` is enemy e's body box; `binned[e]` false leaves it out (never a
    // candidate); `alwaysTested[e]` makes it a candidate of every query.
    void build(const std::vector<sf::FloatRect>& boxes, const std::vector<bool>& binned,
               const std::vector<bool>& alwaysTested);
    // Every enemy whose box overlaps `box` (and may be a few that do not), and
    // every always-tested one, highest index first, each once.
    const std::vector<size_t>& candidates(const sf::FloatRect& box);

private:
    struct CellRange {
        int x0, y0, x1, y1;
    };
    // False when the box holds a NaN.
    static bool cellRange(const sf::FloatRect& box, CellRange& range);

    std::vector<std::vector<size_t>> cells_;
    std::vector<size_t> everywhere_; // always tested, or a box with a NaN
    std::vector<size_t> all_;        // every candidate, highest first
    std::vector<unsigned> seenAt_;
    unsigned query_ = 0;
    std::vector<size_t> found_;
};
