#include "editor/EditedSequence.h"

#include "platform/AssetPath.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

namespace {

// How many originals of one sequence file may be kept beside it.
constexpr int MOST_KEPT_ORIGINALS = 100;

void sayOnErrorStream(const std::string& message) { std::cerr << "Orbyndel: " << message << std::endl; }

enum class FileBytes { Missing, Read, Unreadable };

// The bytes of a file exactly as they are on disk.
FileBytes readBytes(const std::string& path, std::string& bytes)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return FileBytes::Missing;
    if (error || status.type() != std::filesystem::file_type::regular)
        return FileBytes::Unreadable;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return FileBytes::Unreadable;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.bad() ? FileBytes::Unreadable : FileBytes::Read;
}

// Keeps a copy of a file's bytes beside it under the first free name
// "<file>.unreadable-original", "<file>.unreadable-original-2", ... (or the name that
// already holds the same bytes), never over an earlier copy. "" when it cannot be written.
std::string keepOriginal(const std::string& path, const std::string& bytes)
{
    for (int n = 1; n <= MOST_KEPT_ORIGINALS; ++n) {
        const std::string name = path + ".unreadable-original" + (n > 1 ? "-" + std::to_string(n) : "");
        std::string earlier;
        const FileBytes found = readBytes(name, earlier);
        if (found == FileBytes::Read && earlier == bytes)
            return name;
        if (found == FileBytes::Missing)
            return writeFileAtomically(name, bytes) ? name : "";
    }
    return "";
}

int writtenRecordCount(const std::vector<SpawnerRecord>& records)
{
    return static_cast<int>(std::count_if(records.begin(), records.end(), [](const SpawnerRecord& r) {
        return r.patternId >= 0 && r.patternId < level_files::PATTERN_COUNT;
    }));
}

} // namespace

std::string EditedSequence::fileName(int l, int s) const { return level_files::sequenceFileName(l, s, folder); }

void EditedSequence::loadSequence(int newLevel, int newSequence)
{
    if (newLevel != level || newSequence != sequence) {
        level = newLevel;
        sequence = newSequence;
        clearSelection();
        kept.clear();
    }
    sortSelection();
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

std::string EditedSequence::text() const
{
    std::vector<SequenceRecord> out;
    out.reserve(records.size());
    for (const SpawnerRecord& r : records)
        out.push_back(toSequenceRecord(r));
    return formatSequenceFile(scrollDirection, out);
}

// The file on disk is looked at again before each write: what the reader cannot take
// from it (a damaged line, a line added by hand meanwhile) is kept before it is replaced.
bool EditedSequence::saveSequence()
{
    const std::string path = resolveAssetPath(fileName());
    std::string bytes;
    const FileBytes found = readBytes(path, bytes);
    const SequenceFile onDisk = found == FileBytes::Read ? parseSequenceText(bytes) : SequenceFile{};
    if (found == FileBytes::Unreadable)
        return failSave("the file cannot be read, so it is not written over", onDisk);
    if (!onDisk.unreadLines.empty()) {
        const std::string copy = keepOriginal(path, bytes);
        if (copy.empty())
            return failSave(describeUnreadLines(onDisk) + " and the original cannot be kept beside it, so it is not "
                            "written over", onDisk);
        setKeptNote(path + ": " + describeUnreadLines(onDisk) + "; the original is kept as " + copy);
    }
    const std::string written = text();
    // A file that already holds the list is not written again (nor is a read-only one refused).
    if ((found != FileBytes::Read || bytes != written) && !writeFileAtomically(path, written))
        return failSave("its folder cannot be written or the disk is full", onDisk);
    problem.clear();
    loadSequence(level, sequence);
    return true;
}

bool EditedSequence::failSave(const std::string& why, const SequenceFile& onDisk)
{
    const std::string message = "Could not save " + resolveAssetPath(fileName()) + ": " + why + ". The editor holds " +
                                std::to_string(writtenRecordCount(records)) + " spawners, the file " +
                                std::to_string(onDisk.records.size()) + "; they are saved when writing works again.";
    // Said again when the reason changes, not with every spawner added meanwhile.
    if (why != problemReason || problem.empty())
        sayOnErrorStream(message);
    problem = message;
    problemReason = why;
    return false;
}

void EditedSequence::setKeptNote(std::string note)
{
    if (note != kept)
        sayOnErrorStream(note);
    kept = std::move(note);
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
    sortSelection();
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

void EditedSequence::addPlacedSpawner(SpawnerRecord record) { records.push_back(std::move(record)); }

void EditedSequence::replaceRecords(std::vector<SpawnerRecord> imported)
{
    selection.clear();
    records = std::move(imported);
}

void EditedSequence::sortSelection() { std::sort(selection.begin(), selection.end()); }

void EditedSequence::pickOnTimeline(int index, bool control)
{
    if (!control)
        selection.clear();
    const int at = findSelected(index);
    if (at >= 0)
        selection.erase(selection.begin() + at);
    else
        selection.push_back(index);
}

std::vector<SpawnerRecord*> EditedSequence::selectedRecords()
{
    std::vector<SpawnerRecord*> out;
    for (int i : selection)
        if (validIndex(i))
            out.push_back(&records[i]);
    return out;
}
