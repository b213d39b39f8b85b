#pragma once
// Mastering of the generated sounds: the low end below hearing and any DC
// offset removed, the level brought to a loudness target, and a true-peak
// limiter holding the peaks (between samples too) under a ceiling.
#include "tools/assetgen/Audio.h"

#include <string>
#include <vector>

namespace assetgen {

struct MasterTarget {
    double lufs;            // loudness the file should have
    bool loudestMoment;     // measured as its loudest 400 ms (effects) or integrated (music, loops)
    bool loop;              // the sound repeats: every filter wraps around its end
    double ceilingDb;       // true-peak ceiling (dBTP)
    double lowCutHz = 35.0; // what lies below is removed
    float releaseSeconds = 0.08f; // how fast the limiter lets go after a peak
};

// Masters the channels (same length) in place.
void master(const std::vector<Samples*>& channels, const MasterTarget& target);

// Targets for the game's files, by file name, from the volume the game plays
// each one at and its place in the mix.
MasterTarget effectTarget(const std::string& name);
MasterTarget loopedEffectTarget(const std::string& name);
MasterTarget musicTarget(const std::string& name);

} // namespace assetgen
