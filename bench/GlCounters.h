#pragma once
// What the window library hands to the GL driver in this program, seen by
// interposed GL entry points (bench/GlCounters.cpp): counts of draw calls,
// program binds and texture binds, and a watcher that sees each draw call and
// each clear before the driver does (to record a frame).

// Running totals since the program started (every thread).
long glDrawCallCount();
long glProgramBindCount();
long glTextureBindCount();

// Called for each glDrawArrays / glClear, before the driver runs it; null: none.
using GlDrawWatcher = void (*)(unsigned mode, int first, int count);
using GlClearWatcher = void (*)(unsigned mask);
void watchGlCalls(GlDrawWatcher onDraw, GlClearWatcher onClear);

// The driver's own entry point of a GL extension function (not a counting one).
using GlProc = void (*)();
GlProc realGlProc(const char* name);
