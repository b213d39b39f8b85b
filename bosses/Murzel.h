#pragma once
// The second boss, the final one: its body is the 3D head "4head" of the
// arena and the fight follows that mesh on screen. The arena's camera-path
// frame scripts it: in fixed windows the head blinks as a warning, exposes a
// hit box two thirds the size of its outline, or also fires a laser to the left.
#include "bosses/Boss.h"
#include "bosses/BossHealthBar.h"

#include <memory>

class Laser;
class Mesh;

// What the script asks for at one camera-path frame: whether the head blinks,
// and the phase (0 hidden, 2 exposed, 3 exposed with laser; KEEP_PHASE keeps
// the previous one).
struct MurzelCue {
    static constexpr int KEEP_PHASE = -1;
    bool warning = false;
    int phase = 0;
};
MurzelCue murzelCue(int frame);

class Murzel : public Boss {
public:
    static constexpr float FIGHT_TIME = 200.f;
    static constexpr float MAX_HEALTH = 640.f;
    static constexpr float HIDDEN = -50000.f;
    static constexpr float FLASH_TIME = 0.1f;
    static constexpr float BLINK_TIME = 0.07f;
    static constexpr float LIGHT_MAX = 2.5f;
    static constexpr float LASER_STRENGTH = 15.f;
    static constexpr float LASER_ANGLE = 180.f;
    static constexpr uint32_t HIT_POINTS = 2500;
    static constexpr uint32_t CLASH_POINTS = 10000;
    static constexpr uint32_t DEATH_BONUS = 1000000;
    static constexpr float CLASH_DAMAGE = 2.5f;
    static constexpr const char* HEAD_MESH = "4head";

    // Switches to the arena.
    explicit Murzel(BossData data);
    ~Murzel() override;

    bool update(float dt, EnemyManager& enemies, PlayerList& players, Scoring scoring, ParticleSystem& particles) override;
    void draw(sf::RenderTarget& target, bool debug) override;
    bool hitByBullets(BulletManager& shots, PlayerList& players, Scoring scoring) override;
    bool hitByLaser(Laser& laser, size_t& segment, int player, Scoring scoring) override;
    bool hitByShield(Shield& shield, int player, Scoring scoring) override;
    bool hitPlayer(Player2D& player) override;
    BossType getType() const override { return BossType::Murzel; }

    // The lighting and the script's cue for the world's camera-path frame.
    void selectPhase();
    // The exposed hit box: two thirds of the head's screen outline, centred on it.
    void updateHitbox();
    void flashHit();
    // The boss laser against each player's laser; true when that killed the boss.
    bool clashLasers(Scoring scoring);

    sf::Vector2f exposedPosition{HIDDEN, HIDDEN};
    BossHealthBar healthBar{textures_, false};
    sf::FloatRect hitBox{0.f, 0.f, 500.f, 500.f};
    int phase = 3;
    std::unique_ptr<Laser> laser;
    sf::Vector2f laserOrigin;
    bool flashing = false;
    float flashTimer = FLASH_TIME;
    bool warning = false;

private:
    void freeLaser();
    void rampWorldLighting(float maximum) const;
    void score(Scoring scoring, int player, uint32_t points) const;
    void deathBonus(Scoring scoring) const;
    void updateLaser(float dt);
    void blinkHead(float frameTime);

    int flickerStep_ = 0;       // frames 0..50: three lit frames, one dark
    float blinkCountdown_ = BLINK_TIME;
};
