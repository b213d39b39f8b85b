#pragma once
// The editor's timeline: spawners drawn as 30 x 30 icons over the play field,
// 300 pixels per second of spawn time along the scroll axis, so that an icon
// sits where the scrolling level would bring its spawner. Geometry, scrolling,
// placement, selection by mouse and dragging, with no drawing of its own.
#include "editor/EditedSequence.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

// The keys the timeline reads in one frame.
struct TimelineKeys {
    bool left = false, right = false, up = false, down = false;
    bool control = false, shift = false;
};

// Snaps a position to the 30-pixel grid with control, the 15-pixel grid with
// shift (each coordinate truncated to an integer first), else keeps it.
sf::Vector2f snapToGrid(sf::Vector2f position, bool control, bool shift);

class Timeline {
public:
    static constexpr float PIXELS_PER_SECOND = 300.f;
    static constexpr float CELL = 30.f;      // one icon, one grid strip, 0.1 s
    static constexpr float TIME_STEP = 0.1f; // seconds per arrow-key frame

    // Sets the view bounds and the time-axis part of the view from `time`, moves
    // `time` with the arrow keys along the scroll axis, then scrolls the view by
    // one cell per held arrow while it stays strictly inside its bounds.
    void update(int scrollDirection, const TimelineKeys& keys);

    // Where a record's icon is centred.
    sf::Vector2f iconCentre(const SpawnerRecord& record, int scrollDirection) const;
    // The square the mouse tests use (left, top, 30, 30).
    sf::FloatRect hitSquare(const SpawnerRecord& record, int scrollDirection) const;
    // Whether `cursor` lies strictly inside the record's hit square.
    bool cursorOver(const SpawnerRecord& record, int scrollDirection) const;

    // A new spawner of `pattern` whose icon's top-left corner is at the cursor.
    SpawnerRecord newSpawner(int pattern, int scrollDirection) const;
    // A right click: every record under the cursor, in list order, becomes the
    // only selected one (without control) or toggles (with control).
    void selectUnderCursor(EditedSequence& sequence, bool control) const;
    // Whether the cursor lies over any selected record.
    bool cursorOverSelection(const EditedSequence& sequence) const;
    // One frame of a drag: the selection follows the cursor, each record keeping
    // its offset from the first selected one.
    void dragSelection(EditedSequence& sequence, bool control, bool shift);

    sf::Vector2f view;    // timeline offset in pixels
    sf::Vector2f viewMin; // exclusive bounds of view
    sf::Vector2f viewMax;
    float time = 0.f;     // timeline position, also where Play starts
    sf::Vector2f cursor;  // mouse position, snapped while placing or dragging
};
