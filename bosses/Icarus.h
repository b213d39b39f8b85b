#pragma once
// The first boss, the 2D half of the tower fight: a head and up to four pairs
// of body parts laid out by "2D/Boss/Icarus.txt" over the 3D tower it creates.
// The fight ends when the head falls or the 99 s countdown runs out.
#include "bosses/BodyPart.h"
#include "bosses/Boss.h"
#include "bosses/BossHealthBar.h"
#include "bosses/IcarusLayout.h"

#include <memory>
#include <string>
#include <vector>

class Icarus : public Boss {
public:
    static constexpr float FIGHT_TIME = 99.f;
    static constexpr float SWAP_DELAY = 2.f;
    static constexpr uint32_t HIT_POINTS = 25;
    static constexpr uint32_t BEAM_POINTS = 40;
    static constexpr uint32_t PART_POINTS = 25000;
    static constexpr uint32_t DEFEAT_POINTS = 100000;

    // Switches to the tower's scene, reads the layout and shows the 3D tower in
    // the world.
    explicit Icarus(BossData data, const std::string& layoutPath = icarus_layout::FILE);
    // Turns the whole tower red.
    ~Icarus() override;

    bool update(float dt, EnemyManager& enemies, PlayerList& players, Scoring scoring, ParticleSystem& particles) override;
    void draw(sf::RenderTarget& target, bool debug) override;
    bool hitByBullets(BulletManager& shots, PlayerList& players, Scoring scoring) override;
    bool hitByLaser(Laser& laser, size_t& segment, int player, Scoring scoring) override;
    bool hitByShield(Shield& shield, int player, Scoring scoring) override;
    bool hitPlayer(Player2D& player) override;
    BossType getType() const override { return BossType::Icarus; }

    // Part i has lost its hit points: it goes for good, or its partner takes
    // its place two seconds later.
    void destroyPart(size_t i);

    // A destroyed part waiting for its partner, one per entry of parts.
    struct SwapSlot {
        bool pending = false;
        float elapsed = 0.f;
    };

    std::vector<SwapSlot> swapSlots;
    std::vector<sf::Vector2f> smokePoints;
    BossHealthBar healthBar{textures_, true};
    std::unique_ptr<BodyPart> head; // null when the layout has no head
    std::vector<std::unique_ptr<BodyPart>> parts;
    float maxHealth = 0.f;

private:
    void buildParts(const std::vector<IcarusPartRecord>& records);
    void flashTower() const;
    void burst(const sf::FloatRect& box, int speed) const;
    void awardEveryone(Scoring scoring, uint32_t points) const;
    void awardPlayer(Scoring scoring, int player, uint32_t points) const;
    void headDefeatBursts() const;
};
