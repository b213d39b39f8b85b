#include "engine/Engine.h"
#include "play/ExplosionPattern.h"
#include "play/ParticleSystem.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

using namespace testing_support;

namespace {

std::vector<sf::Vector2f> explosionPositions(const ParticleSystem& particles)
{
    std::vector<sf::Vector2f> out;
    particles.forEach([&](const Particle& p) {
        if (p.kind == PARTICLE_EXPLOSION)
            out.push_back(p.position);
    });
    return out;
}

// A pattern whose first file holds `text`.
ExplosionPattern patternFrom(const TempDir& dir, const std::string& text, int index = ExplosionPattern::FIRST_BOSS)
{
    ExplosionPattern pattern;
    pattern.fileNames[static_cast<size_t>(index)] = dir.file("pattern.txt");
    writeFile(dir.file("pattern.txt"), text);
    pattern.createPattern(index);
    return pattern;
}

} // namespace

TEST(ExplosionPatternFile, ReadsStepsAndDropsWhatCannotFire)
{
    // A truncated last step (and trailing blanks) adds nothing; the whole steps before it stay.
    std::istringstream truncated("0.5 4 100 200 0 0 0 6.28\n0.7 0 100   \n\n");
    const std::vector<PatternStep> steps = ExplosionPattern::readSteps(truncated);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].spawn.kind, 4);
    EXPECT_FLOAT_EQ(steps[0].spawn.maxAngle, 6.28f);

    // Times are brought into 0..LONGEST_WAIT, so that every pattern ends.
    std::istringstream times("-3 0 1 1 0 0 0 0\n1e30 0 1 1 0 0 0 0\n");
    const std::vector<PatternStep> clamped = ExplosionPattern::readSteps(times);
    ASSERT_EQ(clamped.size(), 2u);
    EXPECT_FLOAT_EQ(clamped[0].time, 0.f);
    EXPECT_FLOAT_EQ(clamped[1].time, ExplosionPattern::LONGEST_WAIT);
}

TEST(ExplosionPatternRun, StepsFireOnTimeAndTheEndIsReported)
{
    TempDir dir;
    ParticleSystem particles(engine().textures);
    ExplosionPattern pattern = patternFrom(dir, "0 0 10 10 0 0 0 0\n"
                                                "0.5 0 20 20 0 0 0 0\n"
                                                "0.5 0 30 30 0 0 0 0\n"
                                                "1.0 0 40 40 0 0 0 0\n");

    // A step at time 0 fires on the first positive update.
    EXPECT_FALSE(pattern.update(0.01f, particles));
    EXPECT_EQ(particles.count(), 1);
    // Two steps with the same time fire together.
    EXPECT_FALSE(pattern.update(0.4f, particles));
    EXPECT_EQ(particles.count(), 1);
    EXPECT_FALSE(pattern.update(0.2f, particles));
    EXPECT_EQ(particles.count(), 3);
    // Exactly on its time a step waits (it fires strictly after).
    pattern.clock = 1.0f;
    EXPECT_FALSE(pattern.update(0.f, particles));
    EXPECT_TRUE(pattern.update(0.01f, particles));
    EXPECT_EQ(particles.count(), 4);

    // Positions are the file's (newest first: the last step fired last).
    const std::vector<sf::Vector2f> at = explosionPositions(particles);
    ASSERT_EQ(at.size(), 4u);
    EXPECT_EQ(at.front(), sf::Vector2f(40.f, 40.f));
    EXPECT_EQ(at.back(), sf::Vector2f(10.f, 10.f));
}

TEST(ExplosionPatternRun, MissingFileEndsAtOnceAndARestartDropsTheRest)
{
    TempDir dir;
    ParticleSystem particles(engine().textures);
    ExplosionPattern pattern;
    EXPECT_FALSE(pattern.update(0.1f, particles)); // nothing runs before a pattern is created

    pattern.fileNames[0] = dir.file("missing.txt");
    pattern.createPattern(0);
    EXPECT_TRUE(pattern.update(0.1f, particles));
    EXPECT_FALSE(pattern.update(0.1f, particles));

    // An unknown index behaves like a missing file.
    pattern.createPattern(7);
    EXPECT_TRUE(pattern.update(0.1f, particles));

    ExplosionPattern long_ = patternFrom(dir, "5 0 1 1 0 0 0 0\n6 0 1 1 0 0 0 0\n");
    EXPECT_FALSE(long_.update(1.f, particles));
    long_.fileNames[0] = dir.file("missing.txt");
    long_.createPattern(0);
    EXPECT_TRUE(long_.update(0.1f, particles));
}

TEST(ExplosionPatternRun, SpecialCoordinatesResolveWhenTheStepFires)
{
    TempDir dir;
    ParticleSystem particles(engine().textures);
    Engine& e = engine();
    e.world.sceneObjects.clear();

    // (-1, -1) is an ordinary point in pattern 0.
    ExplosionPattern first = patternFrom(dir, "0 0 -1 -1 0 0 0 0\n");
    first.update(0.1f, particles);
    std::vector<sf::Vector2f> at = explosionPositions(particles);
    EXPECT_EQ(at, std::vector<sf::Vector2f>{sf::Vector2f(-1.f, -1.f)});

    // In the final pattern (-1, -1) is the head: off screen without it ...
    particles.clear();
    ExplosionPattern final_ = patternFrom(dir, "0 0 -1 -1 0 0 0 0\n0.5 0 -1 -1 0 0 0 0\n", 1);
    final_.update(0.1f, particles);
    at = explosionPositions(particles);
    ASSERT_EQ(at.size(), 1u);
    EXPECT_EQ(at[0], sf::Vector2f(-5000.f, -5000.f));

    // ... and on its projection once it exists (looked up when the step fires).
    Camera camera;
    Camera* savedCamera = e.world.camera();
    e.world.lookThrough(&camera);
    SceneObjectRecord head;
    head.name = "4head";
    head.mesh = std::make_unique<Mesh>(std::vector<Triangle>{}, sf::Vector3f(400.f, -200.f, 800.f), "3D/Murzel/4head",
                                       false);
    e.world.sceneObjects.push_back(std::move(head));
    final_.update(0.5f, particles);
    at = explosionPositions(particles);
    ASSERT_EQ(at.size(), 2u);
    EXPECT_NEAR(at[0].x, 1360.f, 0.01f); // 400 to the right at the focal depth
    EXPECT_NEAR(at[0].y, 340.f, 0.01f);
    e.world.sceneObjects.clear();
    e.world.lookThrough(savedCamera);
}
