#pragma once
// A 2D boss: one object held in the gameplay state's boss list beside the
// enemies. The gameplay state updates and draws it and tests it against the
// players' shots, lasers, shields and ships; the results tell when the fight
// is over or the boss has been defeated.
#include "bosses/BossList.h"
#include "engine/Services.h"
#include "play/Entity2D.h"
#include "play/PlayerScore.h"
#include "play/TextManager.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <cstdint>
#include <memory>
#include <vector>

class BulletManager;
class EnemyManager;
class Laser;
class ParticleSystem;
class Player2D;
class Shield;

// The two bosses. Their numbers follow the enemy types, which stop at 23.
enum class BossType : int { Icarus = 24, Murzel = 25 };

// Transitional: the old names of the bosses, for the level flow (which carries
// the boss as its number) and its tests (which compare getType() with them),
// until they name BossType.
struct BossCode {
    BossType type;
    constexpr operator int() const { return static_cast<int>(type); }
    constexpr operator BossType() const { return type; }
};
constexpr BossCode BOSS_ICARUS{BossType::Icarus};
constexpr BossCode BOSS_MURZEL{BossType::Murzel};

// What a boss is built from: which one, where its hits explode, and the parts
// of the engine it works with (its pictures, the 3D world it shows itself in,
// the frame time its 3D side runs on, what the renderer draws with).
struct BossData {
    BossType type;
    ParticleSystem* particles;
    TextureCache& textures;
    World3D& world;
    const FrameTiming& timing;
    RendererResources& renderer;
};
// The descriptor of a boss fought with the engine parts `services` holds.
BossData bossData(BossType type, ParticleSystem* particles, const Services& services);

using PlayerList = std::vector<std::unique_ptr<Player2D>>; // the gameplay state's ships
using ScoreList = std::vector<PlayerScore>;
using ScoreCounterList = std::vector<std::unique_ptr<TextManager>>; // the players' score counters

// The players' scores and their counters, as a boss hands out points: a view
// of the gameplay state's lists, passed by value.
struct Scoring {
    ScoreList& scores;
    ScoreCounterList& counters;

    // Raises both halves of player i's score and shows it on its counter (a
    // player without a counter only gets the points). False for an unknown
    // player, who gets nothing.
    bool award(int i, uint32_t points) const;
};

class Boss : public Entity2D {
public:
    // Keeps the particles and the engine parts of `data` for the fight.
    explicit Boss(const BossData& data);
    ~Boss() override;
    Boss(const Boss&) = delete;
    Boss& operator=(const Boss&) = delete;

    // One frame; true when the fight is over.
    virtual bool update(float dt, EnemyManager& enemies, PlayerList& players, Scoring scoring,
                        ParticleSystem& particles) = 0;
    virtual void draw(sf::RenderTarget& target, bool debug) = 0;
    // The hit tests; each answers true when the boss is defeated.
    virtual bool hitByBullets(BulletManager& shots, PlayerList& players, Scoring scoring);
    // May cut the beam after the segment it meets; it then moves `segment` to
    // the beam's new length, which ends the caller's walk along the beam.
    virtual bool hitByLaser(Laser& laser, size_t& segment, int player, Scoring scoring);
    virtual bool hitByShield(Shield& shield, int player, Scoring scoring);
    // Hits the ship itself on contact.
    virtual bool hitPlayer(Player2D& player);
    virtual BossType getType() const = 0;

    PlayerList* players = nullptr;      // the gameplay state's ships, set by spawnBoss
    ParticleSystem* particles = nullptr;
    float timer = 0.f;                  // seconds left in the fight
    std::unique_ptr<TextManager> timerText;

protected:
    // Awards player i the points; with toBossScore also its ship's boss score.
    // Unknown players get nothing.
    void award(Scoring scoring, int i, uint32_t points, bool toBossScore) const;
    // The timer text: one digit string at the top of the screen.
    void createTimerText(const char* initial);
    // Shows the whole seconds left (never below 0).
    void showTimer();
    // A random point of the box, offset by whole pixels from its top-left corner
    // (no offset along a side shorter than one pixel).
    static sf::Vector2f randomPointIn(const sf::FloatRect& box);

    TextureCache& textures_;
    World3D& world_;
    const FrameTiming& timing_;
};

// Replaces whatever boss the list holds by a new one: Murzel for its type,
// Icarus for any other. The list's active flag is set.
void spawnBoss(BossList& list, BossData data, PlayerList* players);
// Ends every boss of the list.
void releaseBosses(BossList& list);
