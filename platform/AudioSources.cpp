#include "platform/AudioSources.h"

#include <dlfcn.h>

namespace {

// The three device calls the check needs, found in the audio library the sound
// library already loaded (no headers or link step of our own).
using GenSourcesCall = void (*)(int count, unsigned* sources);
using DeleteSourcesCall = void (*)(int count, const unsigned* sources);
using GetErrorCall = int (*)();
constexpr int DEVICE_NO_ERROR = 0;

template <typename Call>
Call deviceCall(const char* name)
{
    return reinterpret_cast<Call>(dlsym(RTLD_DEFAULT, name));
}

} // namespace

bool audioSourceAvailable()
{
    static const auto genSources = deviceCall<GenSourcesCall>("alGenSources");
    static const auto deleteSources = deviceCall<DeleteSourcesCall>("alDeleteSources");
    static const auto getError = deviceCall<GetErrorCall>("alGetError");
    if (!genSources || !deleteSources || !getError)
        return true;
    getError(); // an earlier failure must not count against this one
    unsigned source = 0;
    genSources(1, &source);
    if (getError() != DEVICE_NO_ERROR)
        return false;
    deleteSources(1, &source);
    return true;
}
