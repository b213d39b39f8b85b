#pragma once
// A scripted series of timed particle bursts, played when a boss dies. Each
// step fires one particle descriptor once its time has passed; two special
// coordinates place a burst on the final boss's head or at a random point.
#include "engine/Mesh.h"
#include "play/ParticleSystem.h"

#include <array>
#include <istream>
#include <string>
#include <vector>

struct PatternStep {
    ParticleSpawn spawn;
    float time = 0.f; // seconds from the pattern's start
};

class ExplosionPattern {
public:
    static constexpr int FIRST_BOSS = 0;
    static constexpr int FINAL_BOSS = 1;
    // Where the final boss's head is looked up, and where its bursts go without it.
    static constexpr MeshKind HEAD_OBJECT = MeshKind::FinalBossHead;
    static constexpr float OFF_SCREEN = -5000.f;
    // Special coordinates of a step: the head (final pattern only), a random point.
    static constexpr float AT_HEAD = -1.f;
    static constexpr float AT_RANDOM = -2.f;
    // No step waits longer than this, so a pattern always ends.
    static constexpr float LONGEST_WAIT = 120.f;

    ExplosionPattern();

    // Starts pattern `index` (0 or 1) from its file, dropping what was left of
    // the previous one. An unknown index or a file that does not open gives a
    // pattern without steps (it ends at the next update).
    void createPattern(int index);
    // Fires every step whose time has passed. True exactly once: in the update
    // in which the last step has gone.
    bool update(float dt, ParticleSystem& particles);

    // The steps of a pattern file: eight numbers each (time, kind, x, y, speed,
    // param, minAngle, maxAngle), read until the end of the text or the first
    // token that is not a number. An incomplete last step and steps with a
    // time that is not finite are dropped; negative times count as 0 and
    // times beyond LONGEST_WAIT as LONGEST_WAIT.
    static std::vector<PatternStep> readSteps(std::istream& in);

    int index = 0;
    std::array<std::string, 2> fileNames;
    std::vector<PatternStep> steps; // file order
    float clock = 0.f;
    bool finished = true;

private:
    sf::Vector2f resolvePosition(sf::Vector2f position) const;
};
