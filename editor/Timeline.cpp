#include "editor/Timeline.h"

#include <cmath>

namespace {

// The view bounds per scroll direction: vertical timelines span 10980 pixels
// (36.6 s), horizontal ones 10140 (33.8 s) and scroll 240 pixels across.
struct ViewBounds {
    sf::Vector2f min, max;
};
const ViewBounds VIEW_BOUNDS[SCROLL_DIRECTION_COUNT] = {
    {{-30.f, -30.f}, {30.f, 10980.f}},    // UP
    {{-30.f, -10980.f}, {30.f, 30.f}},    // DOWN
    {{-30.f, -270.f}, {10140.f, 270.f}},  // LEFT
    {{-10140.f, -270.f}, {30.f, 270.f}},  // RIGHT
};

int clampDirection(int d) { return d >= 0 && d < SCROLL_DIRECTION_COUNT ? d : scroll_direction::UP; }

// Time at which the timeline's origin line meets the screen edge where enemies enter.
constexpr float UP_SCREEN_SECONDS = 3.6f;
constexpr float LEFT_SCREEN_SECONDS = 6.4f;

float cells(float pixels) { return std::fabs(pixels / Timeline::CELL); }

} // namespace

sf::Vector2f snapToGrid(sf::Vector2f p, bool control, bool shift)
{
    const int step = control ? 30 : shift ? 15 : 0;
    if (step == 0)
        return p;
    const auto snap = [step](float v) {
        // Positions far outside the window are left alone rather than overflow an int.
        if (!(std::fabs(v) < 1e9f))
            return v;
        return static_cast<float>(static_cast<int>(v) / step * step);
    };
    return {snap(p.x), snap(p.y)};
}

void Timeline::update(int scrollDirection, const TimelineKeys& keys)
{
    const int d = clampDirection(scrollDirection);
    viewMin = VIEW_BOUNDS[d].min;
    viewMax = VIEW_BOUNDS[d].max;
    const float axis = time * PIXELS_PER_SECOND;
    switch (d) {
    case scroll_direction::UP:
        view.y = axis;
        if (keys.up && view.y + CELL < viewMax.y)
            time += TIME_STEP;
        if (keys.down && view.y - CELL > viewMin.y)
            time -= TIME_STEP;
        break;
    case scroll_direction::DOWN:
        view.y = -axis;
        if (keys.down && view.y - CELL > viewMin.y)
            time += TIME_STEP;
        if (keys.up && view.y + CELL < viewMax.y)
            time -= TIME_STEP;
        break;
    case scroll_direction::LEFT:
        view.x = axis;
        if (keys.left && view.x + CELL < viewMax.x)
            time += TIME_STEP;
        if (keys.right && view.x - CELL > viewMin.x)
            time -= TIME_STEP;
        break;
    default:
        view.x = -axis;
        if (keys.right && view.x - CELL > viewMin.x)
            time += TIME_STEP;
        if (keys.left && view.x + CELL < viewMax.x)
            time -= TIME_STEP;
        break;
    }
    if (keys.right && view.x - CELL > viewMin.x)
        view.x -= CELL;
    if (keys.down && view.y - CELL > viewMin.y)
        view.y -= CELL;
    if (keys.left && view.x + CELL < viewMax.x)
        view.x += CELL;
    if (keys.up && view.y + CELL < viewMax.y)
        view.y += CELL;
}

sf::Vector2f Timeline::iconCentre(const SpawnerRecord& r, int scrollDirection) const
{
    const sf::FloatRect square = hitSquare(r, scrollDirection);
    switch (clampDirection(scrollDirection)) {
    case scroll_direction::UP:
    case scroll_direction::DOWN:
        // The icon keeps the view's cross-axis offset, which vertical timelines hold at 0.
        return {r.posX + view.x - 15.f, square.top + 15.f};
    default: return {square.left + 15.f, square.top + 15.f};
    }
}

sf::FloatRect Timeline::hitSquare(const SpawnerRecord& r, int scrollDirection) const
{
    const float along = PIXELS_PER_SECOND * r.spawnTimer;
    switch (clampDirection(scrollDirection)) {
    case scroll_direction::UP: return {r.posX - CELL, view.y + 1080.f - along - CELL, CELL, CELL};
    case scroll_direction::DOWN: return {r.posX - CELL, along + view.y, CELL, CELL};
    case scroll_direction::LEFT: return {view.x + 1920.f - along - CELL, r.posY + view.y - CELL, CELL, CELL};
    default: return {along + view.x, r.posY + view.y - CELL, CELL, CELL};
    }
}

bool Timeline::cursorOver(const SpawnerRecord& r, int scrollDirection) const
{
    const sf::FloatRect s = hitSquare(r, scrollDirection);
    return s.left < cursor.x && cursor.x < s.left + s.width && s.top < cursor.y && cursor.y < s.top + s.height;
}

SpawnerRecord Timeline::newSpawner(int pattern, int scrollDirection) const
{
    SpawnerRecord r;
    r.patternId = pattern;
    r.colour = sf::Color::Black;
    const int d = clampDirection(scrollDirection);
    const bool vertical = d == scroll_direction::UP || d == scroll_direction::DOWN;
    const float crossAxis = vertical ? cursor.x + CELL : cursor.y - view.y + CELL;
    float spawnTime = 0.f;
    switch (d) {
    case scroll_direction::UP: spawnTime = 0.1f * cells(view.y) - 0.1f * cells(cursor.y) - 0.1f + UP_SCREEN_SECONDS; break;
    case scroll_direction::DOWN: spawnTime = 0.1f * cells(view.y) + 0.1f * cells(cursor.y); break;
    case scroll_direction::LEFT: spawnTime = 0.1f * cells(view.x) - 0.1f * cells(cursor.x) - 0.1f + LEFT_SCREEN_SECONDS; break;
    default: spawnTime = 0.1f * cells(view.x) + 0.1f * cells(cursor.x); break;
    }
    if (spawnTime < 0.f)
        spawnTime = 0.f;
    placeRecord(r, scrollPlacement(d, crossAxis), spawnTime);
    return r;
}

void Timeline::selectUnderCursor(EditedSequence& sequence, bool control) const
{
    for (int i = 0; i < static_cast<int>(sequence.records.size()); ++i) {
        if (cursorOver(sequence.records[i], sequence.scrollDirection))
            sequence.pickOnTimeline(i, control);
    }
}

bool Timeline::cursorOverSelection(const EditedSequence& sequence) const
{
    for (int i : sequence.selection)
        if (i >= 0 && i < static_cast<int>(sequence.records.size()) &&
            cursorOver(sequence.records[i], sequence.scrollDirection))
            return true;
    return false;
}

void Timeline::dragSelection(EditedSequence& sequence, bool control, bool shift)
{
    std::vector<SpawnerRecord*> selected = sequence.selectedRecords();
    if (selected.empty())
        return;
    cursor = snapToGrid(cursor, control, shift);
    const SpawnerRecord& anchor = *selected.front();
    const int d = clampDirection(sequence.scrollDirection);
    const bool vertical = d == scroll_direction::UP || d == scroll_direction::DOWN;
    float crossTarget = 0.f, timeTarget = 0.f;
    switch (d) {
    case scroll_direction::UP:
        crossTarget = cursor.x;
        timeTarget = (view.y - cursor.y) / PIXELS_PER_SECOND + UP_SCREEN_SECONDS;
        break;
    case scroll_direction::DOWN:
        crossTarget = cursor.x;
        timeTarget = (cursor.y - view.y) / PIXELS_PER_SECOND;
        break;
    case scroll_direction::LEFT:
        crossTarget = cursor.y - view.y;
        timeTarget = (view.x - cursor.x) / PIXELS_PER_SECOND + LEFT_SCREEN_SECONDS;
        break;
    default:
        crossTarget = cursor.y - view.y;
        timeTarget = (cursor.x - view.x) / PIXELS_PER_SECOND;
        break;
    }
    const float crossShift = crossTarget - (vertical ? anchor.posX : anchor.posY);
    const float timeShift = timeTarget - anchor.spawnTimer;
    // The anchor moves last, so every record keeps its offset from it.
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        SpawnerRecord& r = **it;
        (vertical ? r.posX : r.posY) += crossShift;
        r.spawnTimer += timeShift;
    }
}
