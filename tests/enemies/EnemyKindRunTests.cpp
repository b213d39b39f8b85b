// Every flying and ground kind played through the real enemy manager, one row
// per kind: where it starts, whom its shots go for, when it fires, and when it
// is removed.
#include "enemies/EnemyManager.h"
#include "enemies/EnemyMath.h"
#include "engine/Engine.h"
#include "play/BulletManager.h"
#include "support/EnemyFixtures.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

using testing_support::enemyData;

namespace {

constexpr float DT = 1.f / 64.f;
constexpr float NEVER = -1.f;

// What a kind's shots go for.
enum Aim { NO_SHOT, PLAYER_1, PLAYER_2, SCREEN_CENTRE, FIXED_ANGLE };

struct KindRun {
    const char* what;
    int type;
    sf::Vector2f start;
    int angle;
    sf::Vector2f target;
    int flag;
    float lag;
    std::vector<sf::Vector2f> players;
    float firstShotAt; // seconds, NEVER when it holds its fire
    Aim aim;
    std::vector<float> volley; // for FIXED_ANGLE: the headings of the first volley
    int shots; // shots fired before it is removed (or in the whole run)
    float removedAt; // seconds, NEVER when it stays for the whole run
    float reaches; // it comes within this many px of player 1 (0: not checked)
    sf::FloatRect lastSeenIn; // where it was last seen, at its removal or the run's end (empty: not checked)
};

// Whether the bullet, flying on from where it was fired, passes within 2 px of
// `to`.
bool headsFor(const Bullet& b, sf::Vector2f to)
{
    const float a = b.angle * 3.1415927f / 180.f;
    const sf::Vector2f d = to - b.origin;
    return std::fabs(d.x * std::sin(a) - d.y * std::cos(a)) < 2.f && d.x * std::cos(a) + d.y * std::sin(a) > 0.f;
}

// Where a row's shots must head.
sf::Vector2f aimPoint(const KindRun& row)
{
    return row.aim == SCREEN_CENTRE ? sf::Vector2f(960.f, 540.f) : row.players.at(row.aim == PLAYER_1 ? 0 : 1);
}

const std::vector<sf::Vector2f> LOW_RIGHT{{300.f, 1000.f}, {1200.f, 900.f}};

const KindRun RUNS[] = {
    // The single shooter flies to its point, fires once at the nearer player, then flies past and off.
    {"single shooter", enemy_type::SHOOTER, {960.f, 100.f}, 0, {960.f, 400.f}, 1, 0.f, LOW_RIGHT, 1.f, PLAYER_2, {}, 1,
        3.7f, 0.f, {-1000.f, 1080.f, 4000.f, 1000.f}},
    // A formation shooter fires straight along its course.
    {"formation shooter", enemy_type::SHOOTER, {960.f, 100.f}, 0, {960.f, 400.f}, 0, 0.f, LOW_RIGHT, 1.f, FIXED_ANGLE,
        {90.f}, 1, 3.2f, 0.f, {}},
    // Arriving exactly on its player the push has no step: it must still fly off, not hang.
    {"shooter arriving on its player", enemy_type::SHOOTER, {960.f, 395.f}, 0, {960.f, 400.f}, 1, 0.f, {{960.f, 400.f}},
        0.02f, PLAYER_1, {}, 1, 2.2f, 0.f, {}},
    {"shooter with nobody in play", enemy_type::SHOOTER, {960.f, 100.f}, 0, {600.f, 100.f}, 1, 0.f, {}, 1.2f,
        SCREEN_CENTRE, {}, 1, 5.3f, 0.f, {}},
    // From the right drifting up, it fires at the player, then its turn back crosses 0/360 toward the upper right corner.
    {"quarter shooter from the right", enemy_type::QUARTER_SHOOTER, {1980.f, 700.f}, 200, {}, 1, 0.f, {{960.f, 900.f}},
        3.75f, PLAYER_1, {}, 1, 5.31f, 0.f, {1600.f, -100.f, 200.f, 100.f}},
    // Its mirror drifting down turns the other way, toward the lower right corner.
    {"quarter shooter from the right, downward", enemy_type::QUARTER_SHOOTER, {1980.f, 380.f}, 160, {}, 1, 0.f,
        {{960.f, 180.f}}, 3.75f, PLAYER_1, {}, 1, 5.31f, 0.f, {1600.f, 1080.f, 200.f, 100.f}},
    // It lines up with player 1 even with player 2 nearer and fires straight across.
    {"heads or tails", enemy_type::HEADS_OR_TAILS, {600.f, -60.f}, 0, {}, 0, 0.f, {{1300.f, 900.f}, {700.f, 150.f}},
        2.27f, FIXED_ANGLE, {90.f}, 1, 6.3f, 0.f, {}},
    // From the right, below the middle, it climbs along the right edge.
    {"heads or tails from the right", enemy_type::HEADS_OR_TAILS, {1980.f, 800.f}, 3, {}, 0, 0.f, {{1300.f, 400.f}},
        2.09f, FIXED_ANGLE, {180.f}, 1, 5.f, 0.f, {1800.f, -100.f, 300.f, 200.f}},
    // An unknown side code flies straight on and is removed off the field.
    {"heads or tails, unknown side", enemy_type::HEADS_OR_TAILS, {960.f, 540.f}, 9, {2000.f, 540.f}, 0, 0.f,
        {{1300.f, 900.f}}, NEVER, NO_SHOT, {}, 0, 2.95f, 0.f, {1920.f, 0.f, 1000.f, 1080.f}},
    // A lone grasshopper holds, turns to the player and dashes through it.
    {"grasshopper", enemy_type::STAY_AND_DASH, {1000.f, 540.f}, 90, {}, 1, 0.f, {{400.f, 540.f}}, NEVER, NO_SHOT, {}, 0,
        2.97f, 10.f, {-1000.f, 0.f, 1000.f, 1080.f}},
    // Four dashes at the player's position, then it leaves.
    {"bruiser", enemy_type::BRUISER, {960.f, -100.f}, 0, {960.f, 540.f}, 1, 0.f, {{700.f, 800.f}}, NEVER, NO_SHOT, {},
        0, 17.15f, 6.f, {}},
    // It goes for player 1 though player 2 is nearer, and never leaves on its own.
    {"eater", enemy_type::EATER, {1500.f, 540.f}, 0, {}, 1, 0.f, {{500.f, 540.f}, {1400.f, 540.f}}, NEVER, NO_SHOT, {},
        0, NEVER, 25.f, {}},
    // Walls scroll with the ground for ever; the list clear removes them.
    {"wall", enemy_type::WALL, {2000.f, 900.f}, 357, {}, 1, 0.25f, {{960.f, 540.f}}, NEVER, NO_SHOT, {}, 0, NEVER, 0.f,
        {-4000.f, 890.f, 400.f, 20.f}},
    // One bullet every 1.5 s at the nearer player; it goes once past x 180 (standing on it, it stays).
    {"turret", enemy_type::TURRET, {1201.5f, 900.f}, 270, {}, 1, 0.f, {{200.f, 100.f}, {1100.f, 500.f}}, 1.5f,
        PLAYER_2, {}, 2, 3.55f, 0.f, {178.f, 0.f, 4.f, 1080.f}},
    // Only the eyes on the player's side fire, each straight at the player, once a second.
    {"coral", enemy_type::CORAL, {1400.f, 400.f}, 180, {}, 1, 0.f, {{1200.f, 600.f}}, 1.f, PLAYER_1, {}, 22, NEVER, 0.f,
        {}},
    // Outside the play window it holds its fire.
    {"coral outside the field", enemy_type::CORAL, {2100.f, 400.f}, 0, {}, 1, 0.f, {{1200.f, 600.f}}, NEVER, NO_SHOT,
        {}, 0, NEVER, 0.f, {}},
    // It holds its fire until it is in the field; of two players as near, player 1 is the target.
    {"bee entering from above", enemy_type::BEE, {960.f, -250.f}, 90, {}, 0, 0.f, {{760.f, 800.f}, {1160.f, 800.f}},
        2.83f, PLAYER_1, {}, 3, 7.16f, 0.f, {}},
    {"side bee", enemy_type::SIDE_BEE, {800.f, 500.f}, 30, {}, 0, 0.f, {}, 1.6f, FIXED_ANGLE, {120.f, 300.f}, 8, 6.47f,
        0.f, {}},
    {"big ladybug", enemy_type::BIG_LADYBUG, {800.f, 500.f}, 330, {}, 0, 0.f, {}, 1.5f, FIXED_ANGLE,
        {330.f, 30.f, 90.f, 150.f, 210.f, 270.f}, 36, 9.23f, 0.f, {}},
    // Hovers for four volleys of four lanes, then leaves.
    {"dragonfly", enemy_type::DRAGONFLY, {800.f, 50.f}, 90, {}, 0, 0.f, {}, 0.72f, FIXED_ANGLE,
        {90.f, 90.f, 90.f, 90.f}, 16, 4.58f, 0.f, {}},
    // Coming up from below, it hovers once it is above y 980.
    {"dragonfly from below", enemy_type::DRAGONFLY, {800.f, 1200.f}, 270, {}, 0, 0.f, {}, 1.42f, FIXED_ANGLE,
        {270.f, 270.f, 270.f, 270.f}, 16, 5.3f, 0.f, {}},
    // One that never reaches the hover box never fires and leaves by the outer box only.
    {"dragonfly passing by", enemy_type::DRAGONFLY, {100.f, -200.f}, 90, {}, 0, 0.f, {}, NEVER, NO_SHOT, {}, 0, 6.6f,
        0.f, {0.f, 1380.f, 1920.f, 1000.f}},
    // Three seconds late it starts three seconds into its spiral and is gone five seconds later,
    // on the 700 px circle round the centre (to the pixel).
    {"snail", enemy_type::SNAIL, {1970.f, 100.f}, 0, {}, 0, 3.f, {}, NEVER, NO_SHOT, {}, 0, 5.f, 0.f,
        {565.7f, -35.9f, 1.f, 1.f}},
    // It sways 50 px either side of its course, and its first sway to the right passes the player.
    {"little ladybug", enemy_type::LITTLE_LADYBUG, {960.f, -100.f}, 90, {}, 0, 0.f, {{1010.f, 88.f}}, NEVER, NO_SHOT,
        {}, 0, 6.4f, 5.f, {}},
    // Straight bullets fly at the speed carried in the target's x.
    {"big bullet", enemy_type::BIG_BULLET, {100.f, 100.f}, 90, {1200.f, 540.f}, 0, 0.f, {}, NEVER, NO_SHOT, {}, 0,
        1.66f, 0.f, {}},
    // A direction no variant knows leaves it standing.
    {"exponential, unknown direction", enemy_type::EXPONENTIAL, {500.f, 500.f}, -2147483647, {}, 0, 0.f, {}, NEVER,
        NO_SHOT, {}, 0, NEVER, 0.f, {499.f, 499.f, 2.f, 2.f}},
    // The curve's step stays finite through its first pixel, where the pace's logarithm is 0.
    {"exponential curve", enemy_type::EXPONENTIAL, {1500.f, 900.f}, 358, {}, 0, 0.f, {}, NEVER, NO_SHOT, {}, 0, 3.1f,
        0.f, {0.f, -1000.f, 1500.f, 1900.f}},
    // Half a second to appear, then one turn at 30 degrees a second, a shot every quarter
    // second from each nozzle, and it goes.
    {"spitter", enemy_type::ROTATING_SPITTER_ONE, {900.f, 500.f}, 0, {}, 0, 0.f, {}, 0.75f, FIXED_ANGLE, {8.f}, 47,
        12.5f, 0.f, {}},
    {"four-way spitter", enemy_type::ROTATING_SPITTER_FOUR, {900.f, 500.f}, 0, {}, 0, 0.f, {}, 0.75f, FIXED_ANGLE,
        {8.f, 98.f, 188.f, 278.f}, 4 * 47, 12.5f, 0.f, {}},
};

} // namespace

TEST(EnemyKindRun, EachKindFiresAimsAndLeavesAsItsRowSays)
{
    for (const KindRun& row : RUNS) {
        SCOPED_TRACE(row.what);
        EnemyManager m(engine().textures);
        EnemyData d = enemyData(row.type, row.start, row.angle, row.target, static_cast<std::uint8_t>(row.flag));
        d.lag = row.lag;
        m.spawnEnemy(d, row.players);
        ASSERT_EQ(m.enemies.size(), 1u);
        const Enemy* enemy = m.enemies[0].get();
        std::map<const Bullet*, float> ages; // a freed bullet's place may hold a new one
        std::vector<float> volley; // the headings of the first volley
        float firstShotAt = NEVER, removedAt = NEVER, nearest = 1e9f;
        int shots = 0;
        sf::Vector2f lastSeen;
        for (int f = 1; f <= 20 * 64 && removedAt == NEVER; ++f) {
            m.update(DT, row.players);
            if (m.enemies.empty()) {
                removedAt = f * DT;
                break;
            }
            lastSeen = enemy->position;
            ASSERT_TRUE(std::isfinite(enemy->position.x) && std::isfinite(enemy->position.y));
            if (!row.players.empty())
                nearest = std::min(
                    nearest, std::hypot(enemy->position.x - row.players[0].x, enemy->position.y - row.players[0].y));
            for (const Bullet& b : m.enemyBullets->bullets) {
                const auto [known, added] = ages.try_emplace(&b, b.age);
                const bool fresh = added || b.age <= known->second;
                known->second = b.age;
                if (!fresh)
                    continue;
                ++shots;
                if (firstShotAt == NEVER)
                    firstShotAt = f * DT;
                if (firstShotAt != f * DT)
                    continue;
                volley.push_back(std::round(enemy_math::wrap360(b.angle)));
                EXPECT_NE(row.aim, NO_SHOT) << "fired at " << b.angle;
                if (row.aim != NO_SHOT && row.aim != FIXED_ANGLE) {
                    EXPECT_TRUE(headsFor(b, aimPoint(row))) << b.angle;
                }
            }
        }
        EXPECT_NEAR(firstShotAt, row.firstShotAt, 0.1f);
        if (row.aim == FIXED_ANGLE) {
            EXPECT_EQ(volley, row.volley);
        }
        EXPECT_EQ(shots, row.shots);
        if (row.lastSeenIn.width > 0.f) {
            EXPECT_TRUE(row.lastSeenIn.contains(lastSeen)) << lastSeen.x << "," << lastSeen.y;
        }
        EXPECT_NEAR(removedAt, row.removedAt, row.removedAt == NEVER ? 0.f : 0.25f) << "removal";
        if (row.reaches > 0.f) {
            EXPECT_LE(nearest, row.reaches);
        }
    }
}

// The snail is drawn turned to its heading: it must face the way it crawls, in along its
// spiral and out again.
TEST(EnemyKindRun, TheSnailFacesTheWayItCrawls)
{
    EnemyManager m(engine().textures);
    m.spawnEnemy(enemyData(enemy_type::SNAIL, {1970.f, 100.f}, 0), {});
    ASSERT_EQ(m.enemies.size(), 1u);
    const Enemy& snail = *m.enemies[0];
    int worst = 0;
    for (int f = 0; f < 7 * 64 && !m.enemies.empty(); ++f) {
        const sf::Vector2f before = snail.position;
        m.update(DT, {});
        if (m.enemies.empty())
            break;
        // Its first step puts it on its spiral; near the centre it mostly comes and goes.
        const sf::Vector2f step = snail.position - before;
        if (f == 0 || std::hypot(snail.position.x - 960.f, snail.position.y - 540.f) < 150.f)
            continue;
        const float way = std::atan2(step.y, step.x) * 180.f / 3.1415927f;
        const float off = std::fabs(std::remainder(snail.angle - way, 360.f));
        worst = std::max(worst, static_cast<int>(off));
    }
    EXPECT_LT(worst, 60) << "degrees between its facing and its way";
}

// The dragonfly's four lanes: its volley leaves 20 and 40 px either side of its body.
TEST(EnemyKindRun, TheDragonflysLanesLieEitherSideOfItsBody)
{
    EnemyManager m(engine().textures);
    m.spawnEnemy(enemyData(enemy_type::DRAGONFLY, {800.f, 50.f}, 90), {});
    ASSERT_EQ(m.enemies.size(), 1u);
    const Enemy& dragonfly = *m.enemies[0];
    for (int f = 0; f < 5 * 64 && m.enemyBullets->bullets.empty(); ++f)
        m.update(DT, {});
    std::vector<float> lanes;
    for (const Bullet& b : m.enemyBullets->bullets)
        lanes.push_back(std::round(b.origin.x - dragonfly.position.x));
    std::sort(lanes.begin(), lanes.end());
    EXPECT_EQ(lanes, (std::vector<float>{-40.f, -20.f, 20.f, 40.f}));
}
