#include "screens/HighScoreNameEntry.h"

#include <algorithm>
#include <cmath>

namespace {
int wrapSymbol(int index)
{
    const int n = HighScoreNameEntry::SYMBOL_COUNT;
    return ((index % n) + n) % n;
}

float slotScale(float place) { return std::max(0.f, (2.f - std::fabs(place - 2.f)) * 0.5f); }
} // namespace

HighScoreNameEntry::HighScoreNameEntry(int row) : row_(row) {}

char HighScoreNameEntry::symbol(int index)
{
    const int i = wrapSymbol(index);
    return i < 26 ? static_cast<char>('A' + i) : static_cast<char>('0' + (i - 26));
}

bool HighScoreNameEntry::update(const NameEntryInput& input, float dt, std::string& name)
{
    if (input.start)
        ready_ = true;
    if (row_ == -1 || ready_)
        return false;

    bool changed = false;
    if (input.left && slideTimer_ <= 0.f) {
        slideTimer_ = SLIDE_SECONDS;
        slideLeft_ = true;
        wheelIndex_ = wheelIndex_ == 0 ? SYMBOL_COUNT - 1 : wheelIndex_ - 1;
    }
    if (input.right && slideTimer_ <= 0.f) {
        slideTimer_ = SLIDE_SECONDS;
        slideLeft_ = false;
        wheelIndex_ = wheelIndex_ == SYMBOL_COUNT - 1 ? 0 : wheelIndex_ + 1;
    }
    if (input.ok && !okHeld_ && cursor_ < NAME_LENGTH && cursor_ < static_cast<int>(name.size())) {
        name[static_cast<size_t>(cursor_)] = symbol(wheelIndex_);
        ++cursor_;
        changed = true;
    }
    okHeld_ = input.ok;
    if (input.back && !backHeld_ && cursor_ > 0) {
        --cursor_;
        if (cursor_ < static_cast<int>(name.size()))
            name[static_cast<size_t>(cursor_)] = '_';
        changed = true;
    }
    backHeld_ = input.back;
    if (slideTimer_ > 0.f)
        slideTimer_ -= dt;
    return changed;
}

std::array<WheelSlot, 5> HighScoreNameEntry::wheel() const
{
    std::array<WheelSlot, 5> slots{};
    if (slideTimer_ <= 0.f) {
        for (int j = 0; j < 5; ++j)
            slots[j] = {symbol(wheelIndex_ - 2 + j), 0.f, slotScale(static_cast<float>(j))};
        return slots;
    }
    // Mid-slide the texts still show the symbols of the previous step, moving
    // one place towards where that step puts them.
    const float f = 1.f - slideTimer_ / SLIDE_SECONDS;
    const int previous = slideLeft_ ? wheelIndex_ + 1 : wheelIndex_ - 1;
    const float direction = slideLeft_ ? 1.f : -1.f;
    for (int j = 0; j < 5; ++j)
        slots[j] = {symbol(previous - 2 + j), direction * SLOT_SPACING * f, slotScale(j + direction * f)};
    return slots;
}
