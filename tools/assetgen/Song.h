#pragma once
// A small arranger for the generated music: a key, a tempo and a chord per
// bar, with drum, bass, pad, arpeggio and hook (melody) parts placed on a grid of
// sixteenth notes, mixed to stereo and written as a music file.
#include "tools/assetgen/Mastering.h"
#include "tools/assetgen/Synth.h"

#include <array>
#include <string>
#include <vector>

namespace assetgen {

enum class ChordKind { Major, Minor, Sus4, Diminished, Major7, Minor7, Dominant7 };

struct Chord {
    int root; // semitones above the key's tonic
    ChordKind kind;
};

using Scale = std::array<int, 7>;
extern const Scale MAJOR_SCALE;
extern const Scale MINOR_SCALE;
extern const Scale DORIAN_SCALE;
extern const Scale HARMONIC_MINOR_SCALE;

// How a piece ends: repeated seamlessly, cut at its last bar line so the next
// piece follows at once, or with its last notes ringing out.
enum class Ending { Loop, Cut, RingOut };

// A pitched part's instrument: a synthesised timbre, or an FM bell.
struct Instrument {
    Timbre timbre;
    bool bell = false;
    float bellBrightness = 2.f;
};

// A melodic idea: notes on the sixteenth grid of a two-bar phrase (steps 0 to
// 31), pitched in scale degrees above the tonic.
struct MotifNote {
    int step, length, degree;
};
using Motif = std::vector<MotifNote>;

// How a two-bar phrase restates a motif: as it is, moved up or down the
// scale, turned upside down, answered (its second half falling home), closed
// on the tonic, or left out.
enum class Variation { Same, Up, Down, Inverted, Answer, Cadence, Rest };

class Song {
public:
    static constexpr int STEPS_PER_BAR = 16;

    // `tonic` is a MIDI note; the progression gives one chord per bar and repeats.
    Song(float bpm, int tonic, const Scale& scale, int bars, std::vector<Chord> progression);

    // Drum rows of 16 steps per bar ('x' hit, 'X' accent, 'o' open hat, anything else rests).
    void drums(int fromBar, int toBar, const char* kick, const char* snare, const char* hats, float gain = 1.f);
    // A snare-and-tom roll over the bar's second half that leads into the next bar.
    void fill(int bar, float gain = 1.f);
    void crash(int bar, float gain = 0.5f);
    // Bass rows of 16 steps ('r' root, 'o' root an octave up, 'f' fifth, 't' third,
    // '-' holds the previous note, anything else rests).
    void bass(int fromBar, int toBar, const char* pattern, const Instrument& inst, float gain, int octave = 2);
    // The bar's chord held for the whole bar, voiced within the octave from `octave`.
    void pad(int fromBar, int toBar, const Instrument& inst, float gain, int octave = 4, float pan = 0.f);
    // The bar's whole chord struck on the steps marked 'x' of a 16-step row (comping, stabs).
    void stabs(int fromBar, int toBar, const char* pattern, const Instrument& inst, float gain, int octave = 4,
               float send = 0.3f);
    // Chord tones in the order of `order` (digits index the chord's tones, upward), one per `stepsPerNote`.
    void arpeggio(int fromBar, int toBar, const Instrument& inst, float gain, int stepsPerNote, const char* order,
                  int octave = 5, float pan = 0.3f, float send = 0.4f);
    // A hook: the motif over two-bar phrases from `fromBar`, one phrase per
    // variation. Notes on the beat land on a tone of the bar's chord.
    void hook(int fromBar, const Motif& motif, const std::vector<Variation>& phrases, const Instrument& inst, float gain,
              int octave, float pan = -0.1f, float send = 0.5f);
    // A single note at a step (a sixteenth) for hand-placed motifs.
    void note(int bar, int step, int lengthSteps, float midi, const Instrument& inst, float gain, float pan = 0.f,
              float send = 0.3f);

    // A prepared sound (a riser, a hit) at a step.
    void sample(int bar, int step, const Samples& sound, float gain, float pan = 0.f, float send = 0.f);

    // The tonic's MIDI note plus `degree` steps of the scale.
    float degreeToMidi(int degree, int octave) const;

    // Mixes, adds the echo, masters to the target and writes the file; false if
    // the file cannot be written. A cut piece keeps a short tail past its last
    // bar line, as the next piece takes over just before its end.
    bool write(const std::string& path, const MasterTarget& target, Ending ending, float echoBeats = 0.75f,
               float echoFeedback = 0.35f, float echoWet = 0.35f);

private:
    const Chord& chordAt(int bar) const { return progression_[bar % progression_.size()]; }
    double stepSeconds() const { return 60.0 / bpm_ / 4.0; }
    size_t stepOffset(int bar, double step) const;
    void place(const Samples& sound, size_t offset, float gain, float pan, float send);
    std::vector<float> chordTones(const Chord& chord, int lowestMidi) const;
    float snapToChord(float midi, const Chord& chord) const;
    Samples pitched(const Instrument& inst, float midi, float held, unsigned seed) const;

    float bpm_;
    int tonic_;
    Scale scale_;
    int bars_;
    std::vector<Chord> progression_;
    Samples dryL_, dryR_, sendL_, sendR_;
    Samples kick_, snare_, hatClosed_, hatOpen_;
};

} // namespace assetgen
