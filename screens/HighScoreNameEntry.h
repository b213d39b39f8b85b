#pragma once
// One player's three-character name entry on the high-score screen: a wheel of
// 36 symbols turned with Left and Right, Ok writes the symbol under the wheel's
// centre, Back erases the last one, Start says the player is ready.
#include <array>
#include <string>

struct NameEntryInput {
    bool left = false;
    bool right = false;
    bool ok = false;
    bool back = false;
    bool start = false;
};

// Where one of the wheel's five texts stands this frame.
struct WheelSlot {
    char symbol;
    float offsetX; // from the slot's resting place, pixels
    float scale;
};

class HighScoreNameEntry {
public:
    static constexpr int SYMBOL_COUNT = 36;
    static constexpr int NAME_LENGTH = 3;
    static constexpr float SLIDE_SECONDS = 0.2f;
    static constexpr float SLOT_SPACING = 60.f;

    // `row` is the table row this player names, -1 when the score did not enter the table.
    explicit HighScoreNameEntry(int row);

    // 'A'..'Z' for 0..25, '0'..'9' for 26..35, wrapping.
    static char symbol(int index);

    // One frame of input; writes into `name` (the row's name). Returns true when the name changed.
    bool update(const NameEntryInput& input, float dt, std::string& name);

    // The five wheel texts, left to right, as they stand now (slot 2 is the centre).
    std::array<WheelSlot, 5> wheel() const;

    int row() const { return row_; }
    int cursor() const { return cursor_; }
    int wheelIndex() const { return wheelIndex_; }
    bool ready() const { return ready_; }

private:
    int row_;
    int cursor_ = 0;
    int wheelIndex_ = 0;
    float slideTimer_ = 0.f;
    bool slideLeft_ = false;
    bool okHeld_ = false;
    bool backHeld_ = false;
    bool ready_ = false;
};
