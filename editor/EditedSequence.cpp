#include "editor/EditedSequence.h"

#include "platform/AtomicFile.h"

#include <algorithm>

std::string EditedSequence::fileName(int l, int s) const { return level_files::sequenceFileName(l, s, folder); }

void EditedSequence::loadSequence(int newLevel, int newSequence)
{
    if (newLevel != level || newSequence != sequence) {
        level = newLevel;
        sequence = newSequence;
        clearSelection();
    }
    std::sort(selection.begin(), selection.end());
    records.clear();
    const SequenceFile file = readSequenceFile(fileName());
    if (file.direction >= 0)
        scrollDirection = file.direction;
    size_t nextSelected = 0;
    for (size_t n = 0; n < file.records.size(); ++n) {
        SpawnerRecord r = fromSequenceRecord(file.records[n]);
        if (nextSelected < selection.size() && selection[nextSelected] == static_cast<int>(n)) {
            r.colour = record_colour::SELECTED_AFTER_LOAD;
            ++nextSelected;
        }
        records.push_back(r);
    }
    // A selection that names records the file no longer holds would point past the list.
    selection.erase(std::remove_if(selection.begin(), selection.end(), [this](int i) { return !validIndex(i); }),
                    selection.end());
    sortBySpawnTime();
}

bool EditedSequence::saveSequence()
{
    std::vector<SequenceRecord> out;
    out.reserve(records.size());
    for (const SpawnerRecord& r : records)
        out.push_back(toSequenceRecord(r));
    if (!writeFileAtomically(fileName(), formatSequenceFile(scrollDirection, out)))
        return false;
    loadSequence(level, sequence);
    return true;
}

// Selected records stay where they are and nothing crosses them, so the result of
// adjacent swaps is a stable sort of each run of unselected records between them.
void EditedSequence::sortBySpawnTime()
{
    std::vector<bool> fixed(records.size(), false);
    for (int i : selection)
        if (validIndex(i))
            fixed[i] = true;
    const auto earlier = [](const SpawnerRecord& a, const SpawnerRecord& b) { return a.spawnTimer < b.spawnTimer; };
    size_t runStart = 0;
    for (size_t i = 0; i <= records.size(); ++i) {
        if (i == records.size() || fixed[i]) {
            std::stable_sort(records.begin() + runStart, records.begin() + i, earlier);
            runStart = i + 1;
        }
    }
}

void EditedSequence::clearSelection()
{
    for (int i : selection)
        if (validIndex(i))
            records[i].colour = record_colour::PLAIN;
    selection.clear();
}

int EditedSequence::findSelected(int index) const
{
    const auto it = std::find(selection.begin(), selection.end(), index);
    return it == selection.end() ? -1 : static_cast<int>(it - selection.begin());
}

void EditedSequence::selectAll()
{
    selection.clear();
    for (int i = 0; i < static_cast<int>(records.size()); ++i)
        selection.push_back(i);
}

void EditedSequence::clickInList(int index, bool control)
{
    if (!validIndex(index))
        return;
    if (control) {
        const int at = findSelected(index);
        if (at >= 0) {
            selection.erase(selection.begin() + at);
            records[index].colour = record_colour::PLAIN;
        } else {
            selection.push_back(index);
            records[index].colour = record_colour::SELECTED_IN_LIST;
        }
        return;
    }
    clearSelection();
    selection.push_back(index);
    records[index].colour = record_colour::SELECTED_IN_LIST;
}

void EditedSequence::deleteSelected()
{
    std::sort(selection.begin(), selection.end());
    for (auto it = selection.rbegin(); it != selection.rend(); ++it)
        if (validIndex(*it))
            records.erase(records.begin() + *it);
    selection.clear();
}

void EditedSequence::appendNewSpawner()
{
    SpawnerRecord r;
    r.name = "SPAWNER" + std::to_string(records.size());
    r.posX = 960.f;
    r.posY = 540.f;
    r.direction = 0.f;
    r.spawnTimer = records.empty() ? 0.f : static_cast<float>(static_cast<double>(records.back().spawnTimer) + NEW_SPAWNER_GAP);
    r.delayTimer = NEW_SPAWNER_DELAY;
    r.nbMaxEnemy = 1;
    r.patternId = 0;
    r.colour = record_colour::PLAIN;
    records.push_back(r);
}

std::vector<SpawnerRecord*> EditedSequence::selectedRecords()
{
    std::vector<SpawnerRecord*> out;
    for (int i : selection)
        if (validIndex(i))
            out.push_back(&records[i]);
    return out;
}
