#include "bosses/BossHealthBar.h"
#include "bosses/BossLvl1.h"
#include "engine/Engine.h"
#include "engine/Mesh.h"
#include "support/TestSupport.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr float DT = 1.f / 64.f;

// The tower built without a display (geometry only), stepped as the engine
// step and the renderer would: its update, then every object's transform.
class BossTower : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine().timing.frameTime = DT;
        engine().world.lookThrough(nullptr);
        install();
    }
    void TearDown() override { releaseBoss3D(engine().world); }

    // A new tower, shown in the engine's world.
    void install()
    {
        Engine& e = engine();
        auto owned = std::make_unique<BossLvl1>(e.textures, e.renderer, e.world);
        tower = owned.get();
        installBoss3D(e.world, std::move(owned));
    }

    void frames(int n)
    {
        for (int i = 0; i < n; ++i) {
            tower->update(engine().timing.frameTime);
            for (const std::unique_ptr<Mesh>& mesh : tower->objects)
                mesh->updateTransform(DT);
        }
    }

    BossLvl1* tower = nullptr;
};

} // namespace

TEST_F(BossTower, ShowsTheMiddleTurretsFirstWithThePlanetBehind)
{
    ASSERT_NE(tower->planet, nullptr);
    // The planet is sorted behind the tower, whatever their depths.
    EXPECT_GT(tower->planet->sortOffset().z, 0.f);

    frames(1);
    EXPECT_EQ(tower->turretActive, (std::array<bool, BossLvl1::MODULE_COUNT>{false, true, true, false}));
    EXPECT_FLOAT_EQ(tower->turrets[0]->sortOffset().z, -400000.f); // a hidden turret is sorted away
}

TEST_F(BossTower, ModulesTurnFlashAndTurnRed)
{
    tower->setModuleFlag(0, true);
    frames(64); // one second: 90 degrees
    EXPECT_NEAR(tower->modules[0].mesh->rotation().x, 90.f, 2.f);
    EXPECT_FALSE(tower->turretActive[0]);
    frames(80);
    EXPECT_TRUE(tower->turretActive[0]); // shown once past 135 degrees
    EXPECT_NEAR(tower->modules[0].mesh->rotation().x, 180.f, 2.5f);

    tower->flashModule(2);
    EXPECT_FLOAT_EQ(tower->modules[2].mesh->flashGrey(), 255.f);
    frames(1); // then a module's flash fades from 200, its turret's from full
    EXPECT_FLOAT_EQ(tower->modules[2].mesh->flashGrey(), 200.f);
    EXPECT_FLOAT_EQ(tower->turrets[2]->flashGrey(), 255.f);
    frames(7); // it fades over a tenth of a second
    EXPECT_FLOAT_EQ(tower->modules[2].mesh->flashGrey(), 0.f);
    EXPECT_FLOAT_EQ(tower->turrets[2]->flashGrey(), 0.f);

    // Unknown modules and turrets are left alone.
    tower->flashModule(4);
    tower->flashModule(-1);
    tower->setModuleRed(9);
    tower->setModuleFlag(12, true);
    EXPECT_TRUE(tower->getTurretScreenPositions(4).empty());
    EXPECT_TRUE(tower->getTurretScreenPositions(-3).empty());
    for (int module = 0; module < BossLvl1::MODULE_COUNT; ++module)
        EXPECT_EQ(tower->getTurretScreenPositions(module).size(), 2u) << "module " << module;

    // A red module's turret keeps its last yaw.
    tower->setModuleRed(2);
    EXPECT_TRUE(tower->moduleDestroyed[2]);
    const float yaw = tower->turrets[2]->rotation().y;
    tower->aimPoint = {100.f, 900.f};
    frames(5);
    EXPECT_FLOAT_EQ(tower->turrets[2]->rotation().y, yaw);
}

TEST_F(BossTower, TurretsFaceTheAimPointOnScreen)
{
    frames(1);
    const Mesh& turret = *tower->turrets[1];
    const sf::Vector2f s = projectToScreen(Camera{}, turret.position());
    tower->aimPoint = s + sf::Vector2f(-100.f, -100.f);
    tower->aimTurrets();
    EXPECT_NEAR(turret.rotation().y, 220.f, 0.01f);
}

TEST_F(BossTower, ATowerWhoseModelsAreMissingStillRunsItsFightWithoutTurrets)
{
    releaseBoss3D(engine().world);
    testing_support::TempDir empty;
    testing_support::InDirectory inEmpty(empty.path);
    install();
    tower->setModuleFlag(0, true);
    tower->flashModule(1);
    tower->flashTower();
    frames(10);
    EXPECT_EQ(tower->turrets[0], nullptr);
    EXPECT_TRUE(tower->getTurretScreenPositions(0).empty());
}

// The tower's health bar shimmers through its four frames every two seconds; a still bar keeps its first.
TEST(BossHealthBarShimmer, TheAnimatedBarRunsItsFourFramesInTwoSecondsTheStillOneStays)
{
    BossHealthBar shimmer(engine().textures, true), still(engine().textures, false);
    std::vector<float> lefts;
    for (int step = 0; step < 20; ++step) { // 2 s in steps of 0.1 s
        shimmer.update(0.1f);
        still.update(0.1f);
        if (lefts.empty() || lefts.back() != shimmer.barFrame.left)
            lefts.push_back(shimmer.barFrame.left);
        EXPECT_EQ(still.barFrame, sf::FloatRect(0.f, 0.f, BossHealthBar::FULL_WIDTH, BossHealthBar::HEIGHT));
    }
    const float w = BossHealthBar::FULL_WIDTH;
    EXPECT_EQ(lefts, (std::vector<float>{0.f, w, 2.f * w, 3.f * w, 0.f}));
}
