#include "tools/mix/MixTable.h"

#include "audio/SoundTables.h"
#include "play/Player2D.h"
#include "tools/mix/MixPlan.h"
#include "tools/mix/SoundFormats.h"

#include <SFML/Audio/InputSoundFile.hpp>
#include <algorithm>
#include <cstdio>
#include <ostream>

namespace mix {
namespace {

constexpr double LOW_END_HZ = 30.0;
// Holding fire: how long the player holds the button down for the measure.
constexpr double HELD_FIRE_SECONDS = 3.0;

struct FileToMeasure {
    std::string name, path, kind;
    Measure measure;
    float volume;
};

std::vector<FileToMeasure> gameFiles(const std::string& dir)
{
    std::vector<FileToMeasure> files;
    for (int i = 0; i < SOUND_EFFECT_COUNT; ++i)
        files.push_back({SOUND_EFFECTS[i].name, dir + "/2D/Sound/" + SOUND_EFFECTS[i].name + ".wav",
                         roleName(EFFECT_PLAN[i].role), Measure::LoudestMoment, SOUND_EFFECTS[i].volume});
    for (const LoopedEffectInfo& loop : LOOPED_EFFECTS)
        files.push_back({loop.name, dir + "/2D/Sound/" + loop.name + ".wav", "loop", Measure::Integrated, loop.volume});
    for (const MusicTrackInfo& track : MUSIC_TRACKS)
        files.push_back({track.name, dir + "/2D/Music/" + track.name + ".ogg", "music", Measure::Integrated, track.volume});
    return files;
}

MixRow measureFile(const FileToMeasure& file, const Audio& audio)
{
    MixRow row{file.name, file.kind, file.measure, file.volume};
    row.loaded = true;
    row.fileLufs = file.measure == Measure::Integrated ? integratedLoudness(audio) : maxMomentaryLoudness(audio);
    row.inGameLufs = row.fileLufs + volumeGain(file.volume);
    row.truePeakDb = toDecibels(truePeak(audio));
    row.dc = dcOffset(audio);
    row.lowShare = energyShareBelow(audio, LOW_END_HZ);
    row.seconds = audio.seconds();
    return row;
}

MixSummary summarise(const MixTable& table, const Audio& shot)
{
    MixSummary s;
    double sum = 0.0;
    int count = 0;
    s.musicLowest = 1e9;
    s.musicHighest = -1e9;
    for (const MixRow& row : table.rows)
        if (row.kind == "music" && row.loaded) {
            sum += row.inGameLufs;
            ++count;
            s.musicLowest = std::min(s.musicLowest, row.inGameLufs);
            s.musicHighest = std::max(s.musicHighest, row.inGameLufs);
        }
    s.musicMean = count ? sum / count : SILENT_LUFS;
    s.menuMusic = table.inGame(MUSIC_TRACKS[MUSIC_MENU].name);
    s.shot = table.inGame(SOUND_EFFECTS[SFX_SHOOT].name);
    if (shot.frames() > 0)
        s.heldFire = repeatedLoudness(shot, Player2D::SHOT_INTERVALS[0], HELD_FIRE_SECONDS) +
                     volumeGain(SOUND_EFFECTS[SFX_SHOOT].volume);
    return s;
}

} // namespace

const MixRow* MixTable::find(const std::string& name) const
{
    for (const MixRow& row : rows)
        if (row.name == name)
            return &row;
    return nullptr;
}

double MixTable::inGame(const std::string& name) const
{
    const MixRow* row = find(name);
    return row && row->loaded ? row->inGameLufs : SILENT_LUFS;
}

bool readAudio(const std::string& path, Audio& out)
{
    sf::InputSoundFile in;
    if (!in.openFromFile(path) || in.getChannelCount() == 0)
        return false;
    std::vector<sf::Int16> pcm(static_cast<std::size_t>(in.getSampleCount()));
    if (in.read(pcm.data(), pcm.size()) != pcm.size())
        return false;
    const unsigned channels = in.getChannelCount();
    out.rate = in.getSampleRate();
    out.channels.assign(channels, std::vector<float>(pcm.size() / channels));
    for (std::size_t i = 0; i + channels <= pcm.size(); i += channels)
        for (unsigned c = 0; c < channels; ++c)
            out.channels[c][i / channels] = pcm[i + c] / 32768.f;
    return true;
}

MixTable measureMix(const std::string& gameDir)
{
    const std::vector<FileToMeasure> files = gameFiles(gameDir);
    MixTable table;
    table.rows.resize(files.size());
    Audio shot;
    registerSoundFormats();
#pragma omp parallel for schedule(dynamic)
    for (std::size_t i = 0; i < files.size(); ++i) {
        Audio audio;
        if (!readAudio(files[i].path, audio)) {
            table.rows[i] = MixRow{files[i].name, files[i].kind, files[i].measure, files[i].volume};
            continue;
        }
        table.rows[i] = measureFile(files[i], audio);
        if (files[i].name == SOUND_EFFECTS[SFX_SHOOT].name)
            shot = std::move(audio);
    }
    table.summary = summarise(table, shot);
    return table;
}

void printMix(std::ostream& out, const MixTable& table)
{
    char line[640];
    std::snprintf(line, sizeof line, "%-18s %-9s %6s %9s %9s %8s %8s %6s %7s\n", "file", "kind", "volume",
                  "file LUFS", "game LUFS", "peak dBTP", "DC", "<30Hz", "seconds");
    out << line;
    for (const MixRow& r : table.rows) {
        if (!r.loaded) {
            std::snprintf(line, sizeof line, "%-18s %-9s %6.0f  (missing or unreadable)\n", r.name.c_str(), r.kind.c_str(),
                          r.volume);
        } else {
            std::snprintf(line, sizeof line, "%-18s %-9s %6.0f %9.1f %9.1f %8.1f %+8.4f %5.1f%% %7.2f\n", r.name.c_str(),
                          r.kind.c_str(), r.volume, r.fileLufs, r.inGameLufs, r.truePeakDb, r.dc, 100.0 * r.lowShare,
                          r.seconds);
        }
        out << line;
    }
    const MixSummary& s = table.summary;
    auto against = [&](const char* name) { return table.inGame(name) - s.musicMean; };
    double menuLowest = 1e9, menuHighest = -1e9;
    for (int e = SFX_MENU_SELECT; e <= SFX_MENU_START; ++e) {
        menuLowest = std::min(menuLowest, table.inGame(SOUND_EFFECTS[e].name) - s.menuMusic);
        menuHighest = std::max(menuHighest, table.inGame(SOUND_EFFECTS[e].name) - s.menuMusic);
    }
    std::snprintf(line, sizeof line,
                  "\nEffects: loudest 400 ms; music and loops: integrated. In game = file + volume gain.\n"
                  "music: mean %.1f LUFS, from %.1f to %.1f (spread %.1f LU)\n"
                  "one shot %+.1f LU against the music, holding fire %+.1f LU\n"
                  "explosions small %+.1f, medium %+.1f, big %+.1f LU against the music\n"
                  "menu sounds %+.1f to %+.1f LU against the menu music\n",
                  s.musicMean, s.musicLowest, s.musicHighest, s.musicHighest - s.musicLowest, s.shot - s.musicMean,
                  s.heldFire - s.musicMean, against("ExplosionSmall"), against("ExplosionMedium"),
                  against("ExplosionBig"), menuLowest, menuHighest);
    out << line;
}

} // namespace mix
