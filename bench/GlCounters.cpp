#include "GlCounters.h"

#include <SFML/OpenGL.hpp>
#include <atomic>
#include <dlfcn.h>

namespace {
std::atomic<long> glDrawCalls{0};
}

long glDrawCallCount() { return glDrawCalls.load(); }

// Counts every GL draw call, then hands it on to the driver.
extern "C" void glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    using DrawArrays = void (*)(GLenum, GLint, GLsizei);
    static const DrawArrays real = reinterpret_cast<DrawArrays>(dlsym(RTLD_NEXT, "glDrawArrays"));
    ++glDrawCalls;
    if (real)
        real(mode, first, count);
}
