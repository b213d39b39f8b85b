// The interposed GL entry points. The window library calls the GL 1.1 ones
// directly (so this program's definitions take their place) and looks the
// extension ones up through glXGetProcAddressARB, which hands out counting
// wrappers for the program binds.
#include "GlCounters.h"

#include <SFML/OpenGL.hpp>
#include <atomic>
#include <cstring>
#include <dlfcn.h>

namespace {
std::atomic<long> glDrawCalls{0};
std::atomic<long> glProgramBinds{0};
std::atomic<long> glTextureBinds{0};
std::atomic<GlDrawWatcher> drawWatcher{nullptr};
std::atomic<GlClearWatcher> clearWatcher{nullptr};

template <class Function>
Function nextDefinition(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

using GetProcAddress = GlProc (*)(const unsigned char*);
GetProcAddress realGetProcAddress()
{
    static const GetProcAddress real = nextDefinition<GetProcAddress>("glXGetProcAddressARB");
    return real;
}

// glUseProgramObjectARB and glUseProgram take one program name.
using UseProgram = void (*)(unsigned);
std::atomic<UseProgram> realUseProgramObject{nullptr};
std::atomic<UseProgram> realUseProgram{nullptr};
void countedUseProgramObject(unsigned program)
{
    ++glProgramBinds;
    realUseProgramObject.load()(program);
}
void countedUseProgram(unsigned program)
{
    ++glProgramBinds;
    realUseProgram.load()(program);
}
} // namespace

long glDrawCallCount() { return glDrawCalls.load(); }
long glProgramBindCount() { return glProgramBinds.load(); }
long glTextureBindCount() { return glTextureBinds.load(); }

void watchGlCalls(GlDrawWatcher onDraw, GlClearWatcher onClear)
{
    drawWatcher = onDraw;
    clearWatcher = onClear;
}

GlProc realGlProc(const char* name)
{
    const GetProcAddress real = realGetProcAddress();
    return real ? real(reinterpret_cast<const unsigned char*>(name)) : nullptr;
}

extern "C" void glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    using DrawArrays = void (*)(GLenum, GLint, GLsizei);
    static const DrawArrays real = nextDefinition<DrawArrays>("glDrawArrays");
    ++glDrawCalls;
    if (const GlDrawWatcher watch = drawWatcher.load())
        watch(mode, first, count);
    if (real)
        real(mode, first, count);
}

extern "C" void glClear(GLbitfield mask)
{
    using Clear = void (*)(GLbitfield);
    static const Clear real = nextDefinition<Clear>("glClear");
    if (const GlClearWatcher watch = clearWatcher.load())
        watch(mask);
    if (real)
        real(mask);
}

extern "C" void glBindTexture(GLenum target, GLuint texture)
{
    using BindTexture = void (*)(GLenum, GLuint);
    static const BindTexture real = nextDefinition<BindTexture>("glBindTexture");
    ++glTextureBinds;
    if (real)
        real(target, texture);
}

extern "C" GlProc glXGetProcAddressARB(const unsigned char* name)
{
    const GlProc proc = realGlProc(reinterpret_cast<const char*>(name));
    if (!proc || !name)
        return proc;
    const char* text = reinterpret_cast<const char*>(name);
    if (std::strcmp(text, "glUseProgramObjectARB") == 0) {
        realUseProgramObject = reinterpret_cast<UseProgram>(proc);
        return reinterpret_cast<GlProc>(&countedUseProgramObject);
    }
    if (std::strcmp(text, "glUseProgram") == 0) {
        realUseProgram = reinterpret_cast<UseProgram>(proc);
        return reinterpret_cast<GlProc>(&countedUseProgram);
    }
    return proc;
}
