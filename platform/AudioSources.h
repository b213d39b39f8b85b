#pragma once
// The audio device has a fixed number of sources (one per voice or stream that
// can sound at once). Whether it can give one more right now: asked of the
// device the sound library opened, so call it once a sound object exists.
// Answers true when the device cannot be asked.
bool audioSourceAvailable();
