// Readability at full size over each level's real picture (the 3D world or the tunnel
// shader, and the play layer): enemy shots, the enemies that are bullets, and pickups.
#include "app/MainLoop.h"
#include "engine/Engine.h"
#include "engine/EngineFrame.h"
#include "enemies/EnemyTypes.h"
#include "gameplay/GameState.h"
#include "play/Bonus.h"
#include "play/BulletManager.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

constexpr int SECOND = 60;

// One sprite frame put on the field to be looked at.
struct Probe {
    std::string what;
    sf::Vector2f at;
    sf::Vector2i size;
};

class Readability : public GameRunTest {
protected:
    void SetUp() override
    {
        LoopRunTest::SetUp();
        startRun(99);
        engine().run.cheatLives = true; // the ship never leaves the field the probes are laid on
    }

    // A story game from the menu's start level, run for a moment: the level's picture is up.
    GameState& playLevel(int startLevel, float seconds)
    {
        engine().run.startLevel = startLevel;
        if (startLevel == 0) // past level 1's launch
            engine().world.cameraPath().markEnded();
        else
            engine().world.cameraPath().watchForEnd();
        startLoop(std::make_unique<GameState>(GameMode::Story, servicesOf(engine())), defaultStateFactory());
        worldEvery = 20;
        drawWorldSparsely();
        GameState* game = current<GameState>();
        frames(static_cast<int>(seconds * SECOND));
        loop->render3D = renderWorldFrame;
        return *game;
    }
};

// What a probe's pixels do to the picture under it: the pixels whose brightness moved
// by at least STEP (either way), and those it darkened to less than half.
constexpr float STEP = 80.f;
struct Footprint {
    int standOut = 0;
    int darkened = 0;
    float backdrop = 0.f; // mean brightness of the picture under the probe
};

Footprint footprint(const sf::Image& field, const sf::Image& probed, const Probe& p)
{
    const sf::IntRect area(static_cast<int>(p.at.x) - p.size.x / 2, static_cast<int>(p.at.y) - p.size.y / 2,
                           p.size.x, p.size.y);
    Footprint f;
    f.standOut = pixelsStandingOut(probed, field, area, STEP);
    for (int y = area.top; y < area.top + area.height; ++y)
        for (int x = area.left; x < area.left + area.width; ++x) {
            const float under = luminance(field.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)));
            const float over = luminance(probed.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)));
            f.darkened += under >= 40.f && over <= under / 2.f;
            f.backdrop += under;
        }
    f.backdrop /= static_cast<float>(area.width * area.height);
    return f;
}

void emptyField(GameState& g)
{
    g.enemies.enemies.clear();
    g.enemies.enemyBullets->bullets.clear();
    g.shots->bullets.clear();
    while (!g.bonuses->bonuses.empty())
        g.bonuses->erase(0);
    g.particles.clear();
    g.players[0]->position = {150.f, 1000.f}; // under the HUD, out of the probes' way
}

// Puts every frame of every enemy shot, of the enemies that are bullets and of both
// pickups on the field, in rows from `first`, and lists where each one went.
class ProbeRows {
public:
    ProbeRows(GameState& g, sf::Vector2f first) : g_(g), first_(first), at_(first) {}

    void enemyShots()
    {
        BulletManager& bullets = *g_.enemies.enemyBullets;
        for (int type = 0; type < BulletManager::PLAYER_SHOT_TYPE; ++type)
            frames("shot " + std::to_string(type), true, bullets.typeAnimations[type], [&](sf::FloatRect frame) {
                Bullet b;
                b.type = type;
                b.position = at_;
                b.frame = frame;
                bullets.bullets.push_back(b);
            });
    }
    void bulletEnemies()
    {
        for (int type : {enemy_type::SNAIL_BULLET, enemy_type::SINUSOIDAL_BULLET}) {
            const EnemyTypeInfo& info = enemyTypeInfo(type);
            Animation sheet;
            sheet.frameCount = type == enemy_type::SNAIL_BULLET ? 7 : 4;
            sheet.width = static_cast<float>(info.frameWidth);
            sheet.height = static_cast<float>(info.frameHeight);
            frames("enemy " + std::to_string(type), true, sheet, [&](sf::FloatRect frame) {
                EnemyData d;
                d.type = type;
                d.start = at_;
                g_.enemies.spawnEnemy(d, {});
                Enemy& e = *g_.enemies.enemies.back();
                e.position = at_;
                e.angle = 0.f;
                e.frame = frame;
            });
        }
    }
    void pickups()
    {
        for (int kind : {BONUS_BASE, BONUS_GOLDEN})
            frames("pickup " + std::to_string(kind), false, g_.bonuses->animations[kind], [&](sf::FloatRect frame) {
                g_.bonuses->spawn(at_, at_, kind);
                g_.bonuses->bonuses.back()->frame = frame;
            });
    }

    struct Placed {
        Probe probe;
        bool danger;
    };
    std::vector<Placed> placed;

private:
    template <typename Put>
    void frames(const std::string& what, bool danger, const Animation& sheet, Put put)
    {
        for (int f = 0; f < sheet.frameCount; ++f) {
            const sf::Vector2i size(static_cast<int>(sheet.width), static_cast<int>(sheet.height));
            if (at_.x + size.x / 2 > 1760.f) {
                at_.x = first_.x;
                at_.y += 110.f;
            }
            at_.x += size.x / 2;
            put(sf::FloatRect(sheet.width * f, 0.f, sheet.width, sheet.height));
            placed.push_back({{what + " frame " + std::to_string(f), at_, size}, danger});
            at_.x += size.x / 2 + 40.f;
        }
    }

    GameState& g_;
    sf::Vector2f first_, at_;
};

} // namespace

// Every frame of every enemy shot, of the enemies that are bullets and of the pickups,
// over each level's own picture: each must stand out from what lies under it by a
// patch at least as big as a disc 12 px across, and over a backdrop bright enough to
// swallow a bright shot, the dangers show their dark edge.
TEST_F(Readability, DangersAndPickupsStandOutOverEveryLevel)
{
    constexpr int AS_BIG_AS_A_12_PX_DISC = 113;
    constexpr float BRIGHT_BACKDROP = 60.f;
    constexpr int DARK_EDGE = 24;
    int edgesLookedAt = 0;
    for (int level = 1; level <= 4; ++level) {
        GameState& g = playLevel(level - 1, 2.f);
        int leastDanger = 1 << 20, leastPickup = 1 << 20;
        emptyField(g);
        const std::string name = "readability_level" + std::to_string(level);
        const float moment = engine().timing.gameClock.getElapsedTime().asSeconds();
        const sf::Image field = redraw(name + "_field", moment);
        // Two passes, so that each probe meets two parts of the level's picture.
        for (const float top : {170.f, 560.f}) {
            ProbeRows rows(g, {260.f, top});
            rows.enemyShots();
            rows.bulletEnemies();
            rows.pickups();
            const sf::Image probed = redraw(name + "_probes_" + std::to_string(static_cast<int>(top)), moment);
            for (const ProbeRows::Placed& p : rows.placed) {
                const Footprint f = footprint(field, probed, p.probe);
                int& least = p.danger ? leastDanger : leastPickup;
                least = std::min(least, f.standOut);
                EXPECT_GE(f.standOut, AS_BIG_AS_A_12_PX_DISC)
                    << "level " << level << ", " << p.probe.what << " at (" << p.probe.at.x << ", " << p.probe.at.y
                    << ") over brightness " << f.backdrop;
                if (p.danger && f.backdrop >= BRIGHT_BACKDROP) {
                    ++edgesLookedAt;
                    EXPECT_GE(f.darkened, DARK_EDGE) << "level " << level << ", " << p.probe.what << " over brightness "
                                                     << f.backdrop << " shows no dark edge";
                }
            }
            emptyField(g);
        }
        std::printf("[ level %d ] smallest footprint: %d px for a danger, %d px for a pickup\n", level, leastDanger,
                    leastPickup);
        loop.reset();
    }
    EXPECT_GT(edgesLookedAt, 20) << "the levels hold bright walls and tunnels";
}
