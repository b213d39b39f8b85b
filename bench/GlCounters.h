#pragma once
// GL draw calls made by the window library in this program, counted by an
// interposed glDrawArrays (bench/GlCounters.cpp).
long glDrawCallCount();
