#pragma once
// The sequence being edited: its spawner records, the selection and the scroll
// direction, always backed by the sequence file it was read from.
#include "editor/SpawnerRecord.h"

#include <string>
#include <vector>

class EditedSequence {
public:
    static constexpr double NEW_SPAWNER_GAP = 0.2; // seconds after the last record
    static constexpr float NEW_SPAWNER_DELAY = 0.2f;

    explicit EditedSequence(std::string sequenceFolder) : folder(std::move(sequenceFolder)) {}

    // folder + "LEVEL_<level>_SEQUENCE_<sequence>.txt"
    std::string fileName(int level, int sequence) const;
    std::string fileName() const { return fileName(level, sequence); }

    // Reads a sequence into the list. Switching to another sequence clears the
    // selection; otherwise the selection is kept by position in the file and its
    // records are coloured as selected. A file that does not open gives an empty
    // list and leaves the scroll direction as it was.
    void loadSequence(int level, int sequence);
    // Writes the list (in list order) and reads it back, so that names, colours
    // and order follow the file. A file with lines the reader could not take is
    // first kept beside it (see keptNote). False when the file could not be
    // written, or exists and cannot be read: it is then left as it was, the list
    // is not reloaded and saveProblem says why.
    bool saveSequence();
    // The file as saveSequence writes it.
    std::string text() const;

    // Why the last save failed, until a save works; "" when it worked. Said on the
    // error stream too, when saves start failing and when the reason changes.
    const std::string& saveProblem() const { return problem; }
    // Which lines of the file could not be read and where its original was kept,
    // until another sequence is edited; "" when the file was read in full.
    const std::string& keptNote() const { return kept; }

    // Sorts by spawn time; equal times keep their order and selected records
    // never move (nor does anything move past them).
    void sortBySpawnTime();
    void clearSelection();
    // Position of a record index in the selection, or -1.
    int findSelected(int index) const;
    void selectAll();
    // A click on a record's button in the spawner list; with control it toggles.
    void clickInList(int index, bool control);
    // Removes the selected records; the selection ends empty.
    void deleteSelected();
    // Appends a plain spawner at the screen centre, NEW_SPAWNER_GAP after the last one.
    void appendNewSpawner();
    // Appends a spawner placed with the mouse on the timeline.
    void addPlacedSpawner(SpawnerRecord record);
    // Replaces every record (a tile-map import); the selection ends empty.
    void replaceRecords(std::vector<SpawnerRecord> imported);
    // Puts the selection in list order.
    void sortSelection();
    // A right click on a record's icon: without control the selection is cleared
    // first; the record then joins the selection, or leaves it when it was in.
    // The list colours stay as they are.
    void pickOnTimeline(int index, bool control);
    // The records that the selection names, in selection order (valid indices only).
    std::vector<SpawnerRecord*> selectedRecords();

    std::string folder;
    int level = 1;
    int sequence = 1;
    int scrollDirection = 0;
    std::vector<SpawnerRecord> records;
    std::vector<int> selection;

private:
    bool validIndex(int index) const { return index >= 0 && index < static_cast<int>(records.size()); }
    bool failSave(const std::string& why, const SequenceFile& onDisk);
    void setKeptNote(std::string note);

    std::string problem, problemReason;
    std::string kept;
};
