#pragma once
// SFML registers its sound file readers and writers the first time one is asked for, without
// a lock: threads opening their first sound files together corrupt its tables. Call this on
// one thread before any parallel work on sound files.
#include <SFML/Audio/SoundFileFactory.hpp>
#include <SFML/Audio/SoundFileWriter.hpp>

#include <memory>

namespace mix {

inline void registerSoundFormats()
{
    // Asking for a writer registers every format; the writer opens no file.
    std::unique_ptr<sf::SoundFileWriter> writer(sf::SoundFileFactory::createWriterFromFilename("formats.wav"));
}

} // namespace mix
