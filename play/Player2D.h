#pragma once
// One player's ship in the 2D play layer: movement inside the play area, the
// ring of 64 muzzles, the weapon modes with the laser gauge, the shield and
// the laser it owns, lives and hit points, invulnerability and blinking.
// The gameplay state reads the input and drives it through these operations.
#include "play/Entity2D.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <array>
#include <memory>
#include <vector>

class Laser;
class ParticleSystem;
class Shield;
class TextureCache;
struct RunSettings;
enum class Difficulty : int;

// What the ship's weapon is doing: normal shots, charging the laser behind the
// shield, or firing the laser.
enum class WeaponMode : int { Normal = 1, Charging = 2, Laser = 3 };
// Where the ship's hit box sits: the corridor places it apart from every other scene.
enum class ShipLayout : int { Open = 0, Corridor = 3 };
// What leaves the ship when the trigger is pulled.
enum class Shot { None, Fan, Twin };
// Order of the movement sprites.
enum MoveSprite : int { MOVE_FRONT = 0, MOVE_LEFT = 1, MOVE_BACK = 2, MOVE_RIGHT = 3, MOVE_IDLE = 4 };

class Player2D : public Entity2D {
public:
    static constexpr int MUZZLE_COUNT = 64;
    static constexpr float MUZZLE_RADIUS = 18.f;
    static constexpr float PLAY_LEFT = 240.f;
    static constexpr float PLAY_RIGHT = 1680.f;
    static constexpr float PLAY_TOP = 0.f;
    static constexpr float PLAY_BOTTOM = 1080.f;
    static constexpr float INVULNERABLE_TIME = 1.5f;
    static constexpr float BLINK_TIME = 2.5f;
    static constexpr float GAUGE_MAX = 100.f;
    static constexpr float GAUGE_START = 20.f;
    static constexpr float SHIELD_COST = 20.f;
    // A charge cut short pays back charge x 25 + 20 into the gauge.
    static constexpr float GAUGE_PER_CHARGE = 25.f;
    static constexpr float GAUGE_CHARGE_BONUS = 20.f;
    static constexpr float GAUGE_PER_BONUS = 0.5f; // a base or golden bonus, in normal mode
    static constexpr float CHARGE_SPEED = 360.f; // px/s while charging or firing
    static constexpr int MAX_LIVES = 99;
    // Lives of a ship revived at a difficulty outside the table.
    static constexpr int REVIVE_DEFAULT_LIVES = 3;
    // Seconds between two shots, by fire rate (0..2).
    static constexpr float SHOT_INTERVALS[3] = {0.08f, 0.08f, 0.08f};

    // Starting lives at a difficulty; 0 for a difficulty outside the table.
    static int startingLives(Difficulty difficulty);

    // Player index 0 or 1; lives by the run's difficulty. The run's cheats are
    // read live; the textures are bound at the first draw. Hits explode into
    // `particles` when given.
    Player2D(int index, const RunSettings& run, TextureCache& textures, ParticleSystem* particles = nullptr);
    ~Player2D() override;
    Player2D(const Player2D&) = delete;
    Player2D& operator=(const Player2D&) = delete;

    // One frame: timers, hit phases, flame animation, the weapon mode's work.
    // The layout places the hit box.
    void update(float dt, ParticleSystem* particles, ShipLayout layout);
    // Animation step, movement request inside the play area, hit box, muzzles.
    void move(float dt, ShipLayout layout);
    // Whether the ship moved by offset stays inside the play column 240..1680 x 0..1080.
    bool isInPlayArea(sf::Vector2f offset) const;
    // Heads the ship by the directions held (up, right, down, left; the first
    // matching row of diagonals then straights wins) and picks its movement sprite.
    void steer(const std::array<bool, 4>& directionHeld);
    // Raises the shield and starts a charge: in normal mode, with the gauge
    // for it, no shield up and no hit phase running.
    void raiseShield();
    // Ends the charge: the laser fires at angle (degrees) with its hum.
    void releaseCharge(float laserAngle);
    // Back in play after a continue, at start: starting lives and gauge,
    // blinking, the level's tallies cleared.
    void revive(sf::Vector2f start);
    // Snaps the heading to the muzzle ring and activates the twin or fan muzzles.
    void selectShootPoints(float angle);
    // Ends the charge and fires the laser at angle (degrees).
    void startLaser(float angle);
    // Frees the laser and the shield, back to normal shots; the hum of the
    // mode that ends stops.
    void stopLaser();
    // Frees the shield; a charge in progress ends (normal shots, its hum stops).
    void destroyShield();
    // Ends a charge or a laser at once, the charge left paid back into the
    // gauge: for moments the player cannot act (fly-outs, tallies).
    void cancelWeapons();
    // The ship takes one hit.
    void hit();

    // The trigger, once a frame. While it is held, out of the hit phase and with
    // the shot interval run out, the interval starts again and, in normal mode, a
    // volley leaves: the fan while the special bonus lasts, the twin shot otherwise.
    Shot pullTrigger(bool held);
    // The speed keys, once a frame: a press sets the speed once (slower 480,
    // faster 960) until both are let go; in normal mode what is held decides
    // (720 with neither).
    void holdSpeedKeys(bool slower, bool faster);
    // Turns the firing laser toward aimAngle (degrees) while aiming, or keeps its
    // heading: only in laser mode with a laser.
    void steerLaser(float dt, bool aiming, float aimAngle);
    // The gauge full at once (a developer key).
    void refillGauge();
    // The fan shot for the next `seconds`.
    void startFanShot(float seconds);
    // A base or golden bonus picked up: counted for the tally, and in normal
    // mode it feeds the gauge (never past full).
    void collectBaseBonus();
    void collectGoldenBonus();
    // An enemy of this type killed by the ship, for the tally's icons.
    void countKill(int enemyType);
    // Forgets the first `count` kills (the tally's grid scrolling up a row).
    void dropKilledRow(int count);
    // Points scored in a boss fight.
    void addBossScore(double points);
    // The boss timer's bonus: 1000 points a second left.
    void creditTimeBonus(float secondsLeft);
    // The boss score and timer bonus back to 0.
    void clearBossTally();
    // The level's tallies cleared once its board is gone; the next level starts
    // with the gauge at gaugeLevel.
    void endTally(float gaugeLevel);
    // The boss fight of the level begins; leaving it after the fight makes the
    // ship blink; clearing it ends it without a blink.
    void enterBossLevel();
    void leaveBossLevel();
    void clearBossLevel();
    // A ship joining mid-level takes the boss level of one already in play.
    void joinBossLevelOf(const Player2D& other);
    // Turns the ship to the level's scroll direction (0..3: UP, DOWN, LEFT, RIGHT).
    void faceScroll(int direction);
    // The ship blinks from now on for BLINK_TIME, unhurt.
    void startBlinking();
    // More lives, never past MAX_LIVES.
    void gainLives(int count);
    // The test arena's hook: a hit box of its own size and place.
    void placeHitBox(const sf::FloatRect& box);

    // Whether a bullet can hurt the ship: shooting normally, neither hit nor blinking.
    bool isVulnerable() const;
    bool inBossLevel() const { return bossLevel; }
    void draw(sf::RenderTarget& target, bool debug);
    void updateShootPoints() override;

    // Half the idle ship texture's size (used by the play-area test).
    sf::Vector2f halfSize() const { return halfSize_; }

    std::vector<int> killedTypes;
    int goldenCount = 0;
    int baseCount = 0;
    double bossScore = 0.0;
    float timeBonus = 0.f;
    bool bossLevel = false;
    int playerIndex = 0;
    std::unique_ptr<Shield> shield; // while charging and firing the laser
    std::unique_ptr<Laser> laser;   // while firing it
    int facing = 0;           // scroll direction 0..3 (UP, DOWN, LEFT, RIGHT)
    int directionState = MOVE_IDLE;
    sf::Sprite shipSprite;
    std::array<sf::Sprite, 4> moveSprites;
    Animation moveAnimation{0.f, 0.4f, 2, 0.f, 0.f, 100.f, 100.f, ANIMATION_ONCE};
    Animation shipAnimation{0.f, 1.0f, 1, 0.f, 0.f, 100.f, 100.f, ANIMATION_LOOPED};
    sf::FloatRect frame;
    sf::Sprite* currentSprite = nullptr;
    Animation* currentAnimation = nullptr;
    sf::FloatRect hitBox;
    int fireRateIndex = 2;
    float specialTimer = 0.f;
    float moveAngle = 0.f;
    float fireTimer = 0.f;
    float gauge = GAUGE_START;
    float charge = 0.f;
    float laserTime = 0.f;
    bool gaugeFullLatch = false;
    WeaponMode mode = WeaponMode::Normal;
    bool moving = false;
    bool speedLatch = false;
    int speed = 720;
    int lives = 3;
    int hitPoints = 1;
    float invulnerableTimer = 0.f;
    float blinkTimer = 0.f;
    bool invulnerable = false;
    bool blinking = false;
    std::array<sf::Sprite, 3> effectSprites; // green, yellow, orange flames
    Animation effectAnimation{0.f, 0.4f, 6, 0.f, 0.f, 38.f, 49.f, ANIMATION_LOOPED};
    sf::FloatRect effectFrame;
    ParticleSystem* particles = nullptr;

private:
    void bindTextures();
    float clampStep(float step, sf::Vector2f axis) const;
    // Bonuses feed the laser gauge only while the ship shoots normally.
    void feedGauge();

    const RunSettings& run_;
    TextureCache& textures_;
    sf::Vector2f halfSize_;
    bool texturesBound_ = false;
};
