// The first boss's layout file ("Icarus.txt"): read, then the boss built from it
// and run for two seconds. Properties: a bounded number of parts, each with hit
// points, and no sanitizer report while the boss fights.
#include "FuzzSupport.h"

#include "bosses/BossLvl1.h"
#include "bosses/Icarus.h"
#include "bosses/IcarusLayout.h"
#include "enemies/EnemyManager.h"
#include "engine/Engine.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"
#include "play/TextManager.h"

#include <sstream>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::enterGameTree();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text = fuzz::asText(data, size);
    std::istringstream in(text);
    const std::vector<IcarusPartRecord> records = readIcarusLayout(in);
    fuzz::require(records.size() <= static_cast<size_t>(icarus_layout::MAX_RECORDS), "a bounded layout");
    for (const IcarusPartRecord& r : records)
        fuzz::require(r.hp >= icarus_layout::MIN_HP, "every part can be destroyed");

    Engine& e = engine();
    static ParticleSystem particles(e.textures);
    static EnemyManager enemies(e.textures);
    PlayerList players;
    ScoreList scores;
    ScoreCounterList counters;
    e.timing.frameTime = 1.f / 60.f;
    {
        Icarus boss(bossData(BossType::Icarus, &particles, servicesOf(e)), fuzz::writeScratchFile("Icarus.txt", text));
        boss.players = &players;
        for (int frame = 0; frame < 120; ++frame) {
            if (BossLvl1* tower = currentBossLvl1(e.world))
                tower->update();
            if (boss.update(1.f / 60.f, enemies, players, Scoring{scores, counters}, particles))
                break;
        }
    }
    releaseBoss3D(e.world);
    enemies.enemies.clear();
    particles.clear();
    return 0;
}
