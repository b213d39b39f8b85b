#include "bosses/IcarusLayout.h"

#include "engine/TextParse.h"

#include <algorithm>

std::vector<IcarusPartRecord> readIcarusLayout(std::istream& in)
{
    skipByteOrderMark(in);
    std::vector<IcarusPartRecord> records;
    IcarusPartRecord record;
    while (static_cast<int>(records.size()) < icarus_layout::MAX_RECORDS &&
           in >> record.kind >> record.hp >> record.offset.x >> record.offset.y) {
        record.hp = std::max(record.hp, icarus_layout::MIN_HP);
        records.push_back(record);
    }
    return records;
}
