#include "gameplay/EnemyBoxGrid.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {
// Cells of 128 px over a span about three screens wide and high around the
// screen; boxes beyond it (infinite ones too) fall into the border cells.
constexpr float CELL = 128.f;
constexpr float ORIGIN = -1920.f;
constexpr int CELLS = 45;

int cellOf(float coordinate)
{
    const float cell = std::floor((coordinate - ORIGIN) / CELL);
    return static_cast<int>(std::clamp(cell, 0.f, static_cast<float>(CELLS - 1)));
}
} // namespace

bool EnemyBoxGrid::cellRange(const sf::FloatRect& box, CellRange& range)
{
    const float left = std::min(box.left, box.left + box.width);
    const float right = std::max(box.left, box.left + box.width);
    const float top = std::min(box.top, box.top + box.height);
    const float bottom = std::max(box.top, box.top + box.height);
    if (std::isnan(left) || std::isnan(right) || std::isnan(top) || std::isnan(bottom))
        return false; // NaN answers the overlap test unpredictably: test against all

    range = {cellOf(left), cellOf(top), cellOf(right), cellOf(bottom)};
    return true;
}

void EnemyBoxGrid::build(const std::vector<sf::FloatRect>& boxes, const std::vector<bool>& binned,
                         const std::vector<bool>& alwaysTested)
{
    cells_.resize(static_cast<size_t>(CELLS * CELLS));
    for (std::vector<size_t>& cell : cells_)
        cell.clear();
    everywhere_.clear();
    all_.clear();
    seenAt_.assign(boxes.size(), 0);
    query_ = 0;
    for (size_t e = boxes.size(); e-- > 0;)
        if (alwaysTested[e] || binned[e])
            all_.push_back(e);
    for (size_t e = 0; e < boxes.size(); ++e) {
        if (alwaysTested[e]) {
            everywhere_.push_back(e);
            continue;
        }
        if (!binned[e])
            continue;
        CellRange r;
        if (!cellRange(boxes[e], r)) {
            everywhere_.push_back(e);
            continue;
        }
        for (int y = r.y0; y <= r.y1; ++y)
            for (int x = r.x0; x <= r.x1; ++x)
                cells_[static_cast<size_t>(y * CELLS + x)].push_back(e);
    }
}

const std::vector<size_t>& EnemyBoxGrid::candidates(const sf::FloatRect& box)
{
    CellRange r;
    if (!cellRange(box, r))
        return all_;
    found_ = everywhere_;
    ++query_;
    for (size_t e : everywhere_)
        seenAt_[e] = query_;
    for (int y = r.y0; y <= r.y1; ++y)
        for (int x = r.x0; x <= r.x1; ++x)
            for (size_t e : cells_[static_cast<size_t>(y * CELLS + x)])
                if (seenAt_[e] != query_) {
                    seenAt_[e] = query_;
                    found_.push_back(e);
                }
    std::sort(found_.begin(), found_.end(), std::greater<size_t>());
    return found_;
}
