#pragma once
// The game's mix measured from its files: for every effect, laser loop and
// piece of music, the loudness of the file and as heard in the game at the
// volume the game plays it, its true peak, DC offset and length.
#include "tools/mix/Loudness.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace mix {

enum class Measure { Integrated, LoudestMoment };

struct MixRow {
    std::string name;
    std::string kind;  // "music", "loop", or the effect's role
    Measure measure;
    float volume = 0.f;
    bool loaded = false;
    double fileLufs = SILENT_LUFS;
    double inGameLufs = SILENT_LUFS;
    double truePeakDb = SILENT_LUFS;
    double dc = 0.0;
    double lowShare = 0.0; // energy below 30 Hz
    double seconds = 0.0;
};

// What the table says about the mix as a whole (LU, in-game loudness).
struct MixSummary {
    double musicMean = SILENT_LUFS, musicLowest = SILENT_LUFS, musicHighest = SILENT_LUFS;
    double menuMusic = SILENT_LUFS;
    double shot = SILENT_LUFS;     // one shot
    double heldFire = SILENT_LUFS; // the shot repeated at the ship's firing rate
};

struct MixTable {
    std::vector<MixRow> rows;
    MixSummary summary;

    // The row of a file by name (e.g. "Shoot", "02_Menu"), or null.
    const MixRow* find(const std::string& name) const;
    // In-game loudness of a row by name (silence when missing).
    double inGame(const std::string& name) const;
};

// Reads a sound file as float channels; false when it cannot be read.
bool readAudio(const std::string& path, Audio& out);

// Measures every sound of the runnable tree at `gameDir`.
MixTable measureMix(const std::string& gameDir);

void printMix(std::ostream& out, const MixTable& table);

} // namespace mix
