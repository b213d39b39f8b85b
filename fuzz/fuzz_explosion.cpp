// Explosion patterns: the input as the first boss's pattern file, played to its
// end with its particles. Properties: the pattern reports its end exactly once,
// and no later than its longest wait; no sanitizer report.
#include "FuzzSupport.h"

#include "engine/Engine.h"
#include "play/ExplosionPattern.h"
#include "play/ParticleSystem.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::enterGameTree();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ParticleSystem particles(engine().textures);
    particles.clear();
    ExplosionPattern pattern;
    pattern.fileNames[ExplosionPattern::FIRST_BOSS] = fuzz::writeScratchFile("pattern.txt", fuzz::asText(data, size));
    pattern.createPattern(ExplosionPattern::FIRST_BOSS);
    const float dt = 0.25f;
    int ends = 0;
    for (float clock = 0.f; clock <= ExplosionPattern::LONGEST_WAIT + 2.f; clock += dt) {
        ends += pattern.update(dt, particles);
        particles.update(dt);
    }
    fuzz::require(ends == 1, "the end is reported once, within the longest wait");
    return 0;
}
