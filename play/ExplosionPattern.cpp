#include "play/ExplosionPattern.h"

#include "audio/SoundManager.h"
#include "audio/SoundManagerInstance.h"
#include "engine/TextParse.h"
#include "platform/AssetPath.h"
#include "platform/Random.h"
#include "play/ExplosionPatternTargets.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>

ExplosionPattern::ExplosionPattern()
    : fileNames{{"2D/Files/Boss01Explosion.txt", "2D/Files/BossFinalExplosion.txt"}}
{
}

std::vector<PatternStep> ExplosionPattern::readSteps(std::istream& in)
{
    skipByteOrderMark(in);
    std::vector<PatternStep> out;
    PatternStep step;
    while (in >> step.time >> step.spawn.kind >> step.spawn.x >> step.spawn.y >> step.spawn.speed >> step.spawn.param >>
           step.spawn.minAngle >> step.spawn.maxAngle) {
        if (!std::isfinite(step.time))
            continue;
        step.time = std::min(std::max(step.time, 0.f), LONGEST_WAIT);
        out.push_back(step);
    }
    return out;
}

void ExplosionPattern::createPattern(int patternIndex)
{
    std::cout << "Create Pattern\n";
    index = patternIndex;
    finished = false;
    steps.clear();
    if (patternIndex >= 0 && patternIndex < static_cast<int>(fileNames.size())) {
        std::ifstream in(resolveAssetPath(fileNames[static_cast<size_t>(patternIndex)]), std::ios::binary);
        if (in)
            steps = readSteps(in);
    }
    clock = 0.f;
}

sf::Vector2f ExplosionPattern::resolvePosition(sf::Vector2f p) const
{
    if (p.x == AT_HEAD && p.y == AT_HEAD && index == FINAL_BOSS)
        return projectSceneObject(HEAD_OBJECT, {OFF_SCREEN, OFF_SCREEN});
    if (p.x == AT_RANDOM && p.y == AT_RANDOM) {
        const float y = static_cast<float>(random15() % 1080);
        const float x = static_cast<float>(random15() % 1920);
        return {x, y};
    }
    return p;
}

bool ExplosionPattern::update(float dt, ParticleSystem& particles)
{
    clock += dt;
    bool fired = false;
    for (size_t i = steps.size(); i-- > 0;) {
        PatternStep& step = steps[i];
        if (!(step.time < clock))
            continue;
        const sf::Vector2f at = resolvePosition({step.spawn.x, step.spawn.y});
        step.spawn.x = at.x;
        step.spawn.y = at.y;
        particles.spawn(step.spawn, 0);
        steps.erase(steps.begin() + static_cast<std::ptrdiff_t>(i));
        fired = true;
    }
    if (fired)
        soundManager().playSound(SFX_EXPLOSION_BIG);
    if (finished || !steps.empty())
        return false;
    finished = true;
    return true;
}
