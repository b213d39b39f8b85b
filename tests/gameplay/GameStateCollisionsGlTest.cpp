// The collision passes of play, in their order, with removals mid-pass.
#include "engine/Engine.h"
#include "enemies/EnemyTypes.h"
#include "engine/Scenes.h"
#include "gameplay/GameState.h"
#include "gameplay/WallLines.h"
#include "play/Laser.h"
#include "play/Shield.h"
#include "platform/Random.h"
#include "support/GameFixtures.h"

#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

using namespace testing_support;

namespace {

// A wall across the top of the screen, down to y = 200.
Polygon wallPolygonForTest()
{
    return wallPolygon({{0.f, 0.f}, {0.f, 200.f}, {1920.f, 200.f}, {1920.f, 0.f}});
}

class GameStateCollisions : public GameWindowTest {
protected:
    void SetUp() override
    {
        GameWindowTest::SetUp();
        writeFile(levels.file("LevelsData.txt"), "NB_LEVELS 0");
        in.pads.connected[0] = in.pads.connected[1] = true;
        game = std::make_unique<GameState>(GameMode::Story, servicesOf(engine()), levels.path + "/");
        game->joystickConnected(1);
        engine().world.enterScene(scene::OPEN_SPACE);
        for (int i = 0; i < game->playerCount(); ++i) {
            game->players[i]->position = {600.f + 600.f * i, 900.f};
            game->players[i]->move(0.f, ShipLayout::Open); // places the hit box
        }
    }

    // The new enemy, or null when its kind cannot be built.
    Enemy* tryAddEnemy(int type, sf::Vector2f at)
    {
        const size_t before = game->enemies.enemies.size();
        EnemyData data;
        data.type = type;
        data.start = at;
        data.target = at + sf::Vector2f(0.f, 100.f);
        game->enemies.spawnEnemy(data, {game->players[0]->position});
        return game->enemies.enemies.size() > before ? game->enemies.enemies.back().get() : nullptr;
    }
    Enemy& addEnemy(int type, sf::Vector2f at)
    {
        Enemy* enemy = tryAddEnemy(type, at);
        EXPECT_NE(enemy, nullptr) << "enemy type " << type;
        if (!enemy)
            throw std::runtime_error("no enemy");
        return *enemy;
    }

    Bullet& addShot(std::list<Bullet>& list, sf::Vector2f at, int type, int owner)
    {
        Bullet b;
        b.position = b.origin = at;
        b.type = type;
        b.owner = owner;
        b.angle = -90.f;
        list.push_back(b);
        return list.back();
    }
};

TEST_F(GameStateCollisions, ShotsAndShieldsHurtEachEnemyOnceForTheirOwnerAndABruiserOnlyOnItsOpenSide)
{
    GameState& g = *game;
    ASSERT_GT(g.shots->hitSize(BulletManager::PLAYER_SHOT_TYPE), 0.f) << "bullet types must be readable";
    // Three ladybugs in a column; three of player 2's shots, one on each: all three die, each once.
    for (float y : {300.f, 450.f, 600.f})
        addEnemy(enemy_type::LITTLE_LADYBUG, {900.f, y});
    for (float y : {600.f, 300.f, 450.f})
        addShot(g.shots->bullets, {900.f, y}, BulletManager::PLAYER_SHOT_TYPE, 1);
    addShot(g.enemies.enemyBullets->bullets, g.players[0]->position, 2, 0);
    const int lives = g.players[0]->lives;
    g.collideBulletsWithEnemies();
    g.collideEnemyBulletsWithPlayers();
    EXPECT_TRUE(g.enemies.enemies.empty());
    EXPECT_TRUE(g.shots->bullets.empty());
    EXPECT_EQ(g.scores[1].score, 3u * (25u + 500u)) << "the shot's owner scores the hit and the kill";
    EXPECT_EQ(g.scores[0].score, 0u);
    EXPECT_EQ(g.players[1]->killedTypes, std::vector<int>(3, enemy_type::LITTLE_LADYBUG));
    EXPECT_EQ(g.players[0]->lives, lives - 1);
    EXPECT_TRUE(g.enemies.enemyBullets->bullets.empty());
    // Once hit, the ship takes no hit while it explodes nor while it blinks back in: bullets fly through.
    Player2D& hitShip = *g.players[0];
    std::list<Bullet>& enemyBullets = g.enemies.enemyBullets->bullets;
    for (const char* phase : {"exploding", "blinking back in"}) {
        addShot(enemyBullets, hitShip.position, 2, 0);
        g.collideEnemyBulletsWithPlayers();
        EXPECT_EQ(hitShip.lives, lives - 1) << phase;
        EXPECT_EQ(enemyBullets.size(), 1u) << phase;
        enemyBullets.clear();
        for (int frame = 0; frame < 600 && hitShip.invulnerable; ++frame)
            hitShip.update(1.f / 60.f, nullptr, ShipLayout::Open);
        ASSERT_FALSE(hitShip.invulnerable);
    }

    // Player 2's shield over two enemies: the first killed is removed, the other still takes its 0.5.
    Player2D& ship = *g.players[1];
    Enemy& tough = addEnemy(enemy_type::BIG_LADYBUG, {ship.position.x, ship.position.y - 60.f});
    addEnemy(enemy_type::LITTLE_LADYBUG, {ship.position.x, ship.position.y - 30.f}).health = 0.5f;
    ship.shield = std::make_unique<Shield>(ship.position, 1, engine().textures);
    ship.shield->setRadius(80.f);
    ship.mode = WeaponMode::Charging;
    const float toughHealth = tough.health;
    g.collideShieldWithEnemies();
    ASSERT_EQ(g.enemies.enemies.size(), 1u);
    EXPECT_FLOAT_EQ(g.enemies.enemies[0]->health, toughHealth - 0.5f);
    EXPECT_EQ(g.scores[1].score, 3u * (25u + 500u) + 5u);

    // The ship charging its shield is not hit by the enemy it touches.
    const int shieldedLives = ship.lives;
    g.collidePlayersWithEnemies();
    EXPECT_EQ(ship.lives, shieldedLives);

    // A bruiser heading down is shot from below: its guarded side, no damage, no points.
    Enemy& bruiser = addEnemy(enemy_type::BRUISER, {900.f, 500.f});
    ASSERT_NEAR(bruiser.angle, 90.f, 0.01f);
    const float health = bruiser.health;
    addShot(g.shots->bullets, {900.f, 600.f}, BulletManager::PLAYER_SHOT_TYPE, 0);
    g.collideBulletsWithEnemies();
    EXPECT_TRUE(g.shots->bullets.empty()) << "the shot is spent on the guard";
    EXPECT_FLOAT_EQ(bruiser.health, health);
    EXPECT_EQ(g.scores[0].score, 0u);
    // Shot from above it takes the hit and scores.
    addShot(g.shots->bullets, {900.f, 400.f}, BulletManager::PLAYER_SHOT_TYPE, 0);
    g.collideBulletsWithEnemies();
    EXPECT_FLOAT_EQ(bruiser.health, health - 1.f);
    EXPECT_EQ(g.scores[0].score, 25u);
}

TEST_F(GameStateCollisions, WallLinesStopLasersShotsAndBullets)
{
    GameState& g = *game;
    // No wall lines: nothing is removed.
    addShot(g.shots->bullets, {900.f, 100.f}, BulletManager::PLAYER_SHOT_TYPE, 0);
    g.collideWallsWithShots();
    EXPECT_EQ(g.shots->bullets.size(), 1u);

    g.wallLines.push_back(wallPolygonForTest());
    addShot(g.shots->bullets, {900.f, 500.f}, BulletManager::PLAYER_SHOT_TYPE, 0);
    addShot(g.enemies.enemyBullets->bullets, {700.f, 150.f}, 2, 0);
    addShot(g.enemies.enemyBullets->bullets, {700.f, 700.f}, 2, 0);
    g.collideWallsWithShots();
    ASSERT_EQ(g.shots->bullets.size(), 1u);
    EXPECT_EQ(g.shots->bullets.front().position.y, 500.f);
    ASSERT_EQ(g.enemies.enemyBullets->bullets.size(), 1u);
    EXPECT_EQ(g.enemies.enemyBullets->bullets.front().position.y, 700.f);

    // A laser fired up is cut where it meets the wall.
    Player2D& ship = *g.players[0];
    ship.charge = 1.f;
    ship.shield = std::make_unique<Shield>(ship.position, 0, engine().textures);
    ship.startLaser(-90.f);
    for (int i = 0; i < 10; ++i)
        ship.laser->update(1.f / 60.f, ship.position, -90.f);
    ASSERT_EQ(ship.laser->state, LASER_FIRING);
    const size_t before = ship.laser->segments.size();
    g.clipLasersOnWalls();
    EXPECT_LT(ship.laser->segments.size(), before);
    EXPECT_TRUE(ship.laser->impactVisible);
    for (size_t k = 0; k + 1 < ship.laser->segments.size(); ++k)
        EXPECT_FALSE(polygonsIntersect(ship.laser->segments[k], g.wallLines[0]));

    // An enemy in the beam takes 1.5 a pass, and a big ladybug cuts the beam short.
    const Enemy& big = addEnemy(enemy_type::BIG_LADYBUG, {ship.position.x, 500.f});
    const float health = big.health;
    const size_t clipped = ship.laser->segments.size();
    g.collideLaserWithEnemies();
    EXPECT_FLOAT_EQ(big.health, health - 1.5f);
    EXPECT_LT(ship.laser->segments.size(), clipped);
}

} // namespace

// A heavy random moment played for a second gives, to the point, the outcome
// it gave when every shot was tested against every enemy.
TEST_F(GameStateCollisions, AHeavyRandomMomentEndsAsBeforeTheBroadPhase)
{
    GameState& g = *game;
    seedRandom15(4242);
    auto coordinate = [](int span) { return static_cast<float>(random15() % span); };
    for (int i = 0; i < 160; ++i)
        tryAddEnemy(static_cast<int>(random15() % ENEMY_TYPE_COUNT), {coordinate(1800) + 60.f, coordinate(900) + 40.f});
    for (int i = 0; i < 700; ++i) {
        Bullet& shot = addShot(g.shots->bullets, {coordinate(1900), coordinate(1060)}, BulletManager::PLAYER_SHOT_TYPE,
                               i % 2);
        shot.angle = -coordinate(180);
        shot.speed = BulletManager::speedForType(shot.type);
    }
    for (int i = 0; i < 300; ++i)
        addShot(g.enemies.enemyBullets->bullets, {coordinate(1900), coordinate(1060)}, 2, 0).angle = coordinate(360);
    std::string outcome;
    for (int frame = 0; frame < 60; ++frame)
        g.update(1.f / 60.f);
    for (unsigned score : g.getScores())
        outcome += std::to_string(score) + " ";
    outcome += std::to_string(g.players[0]->lives) + " " + std::to_string(g.players[1]->lives) + " "
        + std::to_string(g.enemies.enemies.size()) + " " + std::to_string(g.shots->bullets.size()) + " "
        + std::to_string(g.enemies.enemyBullets->bullets.size()) + " " + std::to_string(g.bonuses->bonuses.size());
    EXPECT_EQ(outcome, "16930 10755 2 2 140 96 401 35");
}
