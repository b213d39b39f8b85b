#include "engine/Engine.h"
#include "platform/Random.h"
#include "play/Bonus.h"
#include "play/ParticleSystem.h"
#include "play/Player2D.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {
constexpr float DT = 1.f / 60.f;

ParticleSpawn spawnOf(int kind, float param = 0.f, int speed = 0)
{
    ParticleSpawn s;
    s.kind = kind;
    s.x = 500.f;
    s.y = 400.f;
    s.param = param;
    s.speed = speed;
    s.maxAngle = 6.2831855f;
    return s;
}

const Particle* only(const ParticleSystem& ps)
{
    const Particle* found = nullptr;
    ps.forEach([&](const Particle& p) { found = &p; });
    return found;
}
} // namespace

TEST(PlayBonus, SpawnDriftAndAttraction)
{
    BonusManager m(engine().textures);
    m.spawn({100.f, 100.f}, {100.f, 300.f}, BONUS_BASE);
    m.spawn({100.f, 100.f}, {300.f, 100.f}, BONUS_GOLDEN);
    m.spawn({100.f, 100.f}, {300.f, 100.f}, 7);
    ASSERT_EQ(m.bonuses.size(), 3u); // (each kind's worth: the collect test)
    EXPECT_NEAR(m.bonuses[0]->angle, 90.f, 1e-4f);

    // Drift: 240 px/s along the angle plus the wobble's 50 px/s.
    Bonus& b = *m.bonuses[0];
    b.update(0.1f);
    EXPECT_EQ(b.wobble, 180);
    EXPECT_NEAR(b.position.x, 100.f - 5.f, 1e-3f);
    EXPECT_NEAR(b.position.y, 100.f + 24.f, 1e-3f);

    // The wobble keeps whole degrees: tiny steps never turn it.
    Bonus& g = *m.bonuses[1];
    for (int i = 0; i < 100; ++i)
        g.update(0.0005f);
    EXPECT_EQ(g.wobble, 0);

    // Attracted: 1080 px/s straight at the target.
    Bonus& s = *m.bonuses[2];
    s.attracted = 1;
    s.target = {100.f, 400.f};
    s.update(0.1f);
    EXPECT_NEAR(s.position.x, 100.f, 1e-3f);
    EXPECT_NEAR(s.position.y, 208.f, 1e-3f);

    m.erase(1);
    m.erase(99);
    EXPECT_EQ(m.bonuses.size(), 2u);
}

TEST(PlayBonus, CollectEffectsAndPickUpBox)
{
    BonusManager m(engine().textures);
    Player2D p(0, engine().run, engine().textures);
    p.position = {600.f, 600.f};
    p.move(DT, ShipLayout::Open);
    m.spawn({603.f, 590.f}, {0.f, 0.f}, BONUS_BASE);
    m.spawn({640.f, 600.f}, {0.f, 0.f}, BONUS_GOLDEN);
    m.spawn({0.f, 0.f}, {1.f, 0.f}, BONUS_SPECIAL);
    // The 20 x 20 box touches the 8 x 8 ship box only when close.
    EXPECT_TRUE(m.bonuses[0]->box().intersects(p.hitBox));
    EXPECT_FALSE(m.bonuses[1]->box().intersects(p.hitBox));

    p.gauge = 99.8f;
    EXPECT_EQ(m.bonuses[0]->collect(p), 255);
    EXPECT_EQ(p.gauge, 100.f); // held at 100
    EXPECT_EQ(p.baseCount, 1);
    p.gauge = 30.f;
    m.bonuses[1]->collect(p);
    EXPECT_EQ(p.gauge, 30.5f);
    // While charging or firing the laser the gauge is left alone.
    p.mode = WeaponMode::Charging;
    m.bonuses[0]->collect(p);
    EXPECT_EQ(p.gauge, 30.5f);
    EXPECT_EQ(p.baseCount, 2);
    p.specialTimer = 5.f;
    EXPECT_EQ(m.bonuses[2]->collect(p), 50);
    EXPECT_EQ(p.specialTimer, 10.f); // set, not added
}

TEST(PlayParticles, CapHoldsAtTenThousand)
{
    ParticleSystem ps(engine().textures);
    for (int i = 0; i < 10000; ++i)
        ps.spawn(spawnOf(PARTICLE_EXPLOSION), 0);
    EXPECT_EQ(ps.count(), 10000);
    ps.spawn(spawnOf(PARTICLE_SMOKE), 0);
    EXPECT_EQ(ps.count(), 10000);
    // Explosions end after one pass of their frames and free their places.
    ps.update(0.5f);
    EXPECT_EQ(ps.count(), 10000);
    ps.update(0.3f);
    EXPECT_EQ(ps.count(), 0);
    ps.spawn(spawnOf(PARTICLE_SMOKE), 0);
    ps.spawn(spawnOf(99), 0);
    ps.spawn(spawnOf(-1), 0);
    EXPECT_EQ(ps.count(), 1);
    ps.clear();
    EXPECT_EQ(ps.count(), 0);
}

TEST(PlayParticles, KindLifetimes)
{
    seedRandom15(77);
    // The player explosion plays its four rows of 0.325 s.
    ParticleSystem ps(engine().textures);
    ps.spawn(spawnOf(PARTICLE_PLAYER_EXPLOSION), 0);
    std::vector<float> tops;
    float t = 0.f;
    for (; ps.count() > 0 && t < 5.f; t += 0.001f) {
        ps.update(0.001f);
        if (const Particle* p = only(ps))
            if (tops.empty() || tops.back() != p->frame.top)
                tops.push_back(p->frame.top);
    }
    EXPECT_EQ(tops, (std::vector<float>{0.f, 700.f, 1400.f, 2100.f}));
    EXPECT_NEAR(t, 1.3f, 0.01f);

    // Smoke lives at most 1.5 s; a shooting star shows only after 0.05 s.
    for (int i = 0; i < 20; ++i) {
        ps.spawn(spawnOf(PARTICLE_SMOKE), 0);
        EXPECT_LE(only(ps)->lifetime, 1.5f);
        ps.clear();
    }
    ps.spawn(spawnOf(PARTICLE_SHOOTING_STAR, 0.01f, 1000), 0);
    ps.update(0.04f);
    if (const Particle* star = only(ps)) {
        EXPECT_EQ(star->scale, sf::Vector2f(0.f, 0.f));
    }
}

TEST(PlayParticles, EmitterChainsExplosionsAfterItsDelay)
{
    ParticleSystem ps(engine().textures);
    ps.spawn(spawnOf(PARTICLE_EMITTER, 0.5f, 100), 0);
    for (int i = 0; i < 29; ++i)
        ps.update(DT);
    EXPECT_EQ(ps.count(), 1); // 0.48 s: still waiting
    ps.update(DT);
    ps.update(DT);
    EXPECT_GE(ps.count(), 2);
    // It spends itself: about forty explosions, one per update, then it is gone.
    int updates = 0;
    for (bool emitter = true; emitter && updates < 200; ++updates) {
        emitter = false;
        ps.forEach([&](const Particle& p) { emitter = emitter || p.kind == PARTICLE_EMITTER; });
        ps.update(1e-4f);
    }
    EXPECT_NEAR(updates, 40, 3);
}
