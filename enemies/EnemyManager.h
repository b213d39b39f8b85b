#pragma once
// Owns every enemy in play and the enemy bullets, builds enemies from spawn descriptors,
// updates and draws them (with the hit flash), answers the collision passes' hit tests
// and handles damage and kills (score list, bonus drops, explosions, sounds).
#include "enemies/Enemy.h"
#include "play/Polygon.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class BonusManager;
class BulletManager;
class ParticleSystem;
class Player2D;
class TextureCache;

namespace hit_result {
enum : int { NONE = 0, BODY = 1, FENCE_BEAM = 2, FIRST_CORAL_SEGMENT = 2 };
}

class EnemyManager {
public:
    static constexpr const char* SHEET_FOLDER = "2D/Enemy/";
    static constexpr const char* FLASH_SHADER = "2D/Shader/gris.frag";
    enum PartSprite { TURRET_CANNON = 0, FENCE_BEAM_START = 1, FENCE_BEAM_LOOP = 2, CORAL_EYE = 3, PART_COUNT = 4 };

    // Enemies alive at once at most; further spawns are refused, so that a hostile
    // sequence file cannot stall the frame. The shipped levels stay far below it.
    static constexpr int MAX_LIVE_ENEMIES = 1000;

    // The sheets come from `textures` at the first draw; the enemy bullets share them.
    explicit EnemyManager(TextureCache& textures);
    ~EnemyManager();
    EnemyManager(const EnemyManager&) = delete;
    EnemyManager& operator=(const EnemyManager&) = delete;

    // Updates every enemy from the last to the first, then the bullets. An enemy that
    // asks to go is destroyed at once; the list closes up in one pass at the end, so
    // the indices the enemies see during the walk are those of an immediate removal.
    void update(float dt, std::vector<sf::Vector2f> players);
    // Every enemy, flashing through the grey shader within FLASH_TIME of a hit; debug adds hit boxes.
    void draw(sf::RenderTarget& target, bool debug);
    // The level editor's preview drawing.
    void drawEditor(sf::RenderTarget& target);

    // 0 no hit, 1 the body, 2 the beam of a fence pair's emitter, 2 + n the n-th eye of a
    // coral (see hit_result). boundsMode 1 tests the sprite bounds,
    // anything else the type's hit box. Enemies outside 290..1630 x 50..1030 cannot be hit,
    // nor can an eater with its jaws shut.
    int hitTestRect(int index, const sf::FloatRect& rect, int boundsMode) const;
    // The shield and laser test: the sprite bounds against a polygon, skipping enemies
    // already hit since they were last drawn.
    int hitTestPolygon(int index, const Polygon& polygon) const;
    // The sprite's frame rectangle centred on the enemy; empty for an index out of range.
    sf::FloatRect getBounds(int index) const;

    // Builds an enemy of data.type with the type's hit points; types without an enemy
    // class (and boss types, 24 and up) make nothing, nor does a spawn beyond MAX_LIVE_ENEMIES.
    void spawnEnemy(EnemyData data, std::vector<sf::Vector2f> players);
    // Damages enemy `index`; true when it (or the hit part) died and was removed.
    bool damageEnemy(int index, float damage, ParticleSystem& particles, float hitAngle, sf::Vector2f hitPoint,
                     BonusManager& bonuses, int part, Player2D* killer, int bonusKind);

    std::unique_ptr<BulletManager> enemyBullets;
    std::vector<std::unique_ptr<Enemy>> enemies; // spawn order; the index is the hit tests' index
    std::array<sf::Sprite, PART_COUNT> partSprites;
    std::array<sf::Sprite, ENEMY_TYPE_COUNT> typeSprites; // shared by all enemies of a type
    std::array<float, ENEMY_TYPE_COUNT> typeScales{};
    std::array<float, ENEMY_TYPE_COUNT> typeHitPoints{};
    std::array<sf::FloatRect, ENEMY_TYPE_COUNT> typeHitBoxes;

private:
    bool validIndex(int index) const { return index >= 0 && index < static_cast<int>(enemies.size()); }
    sf::FloatRect hitBoxAt(int index) const;
    void drawEnemies(sf::RenderTarget& target, bool debug, bool coralEyes);

    // Per-kind extras: fence pairing, the parts drawn under a body (turret cannon, fence
    // beam, coral eyes), the coral's outlines, and the hit tests of beams and eyes.
    void pairFencePost(int index);
    void drawPartsUnder(sf::RenderTarget& target, Enemy& e, const sf::RenderStates& flashing, bool coralEyes);
    void drawDebugOutlines(sf::RenderTarget& target, int index);
    // The box of a coral's n-th eye: the eye sprite's size centred on the eye.
    sf::FloatRect coralEyeBox(const Enemy& coral, size_t n) const;
    // 0, or the first coral eye met (2 + n).
    int hitCoralEye(const Enemy& coral, const std::function<bool(const sf::FloatRect&)>& meets) const;
    // Whether the eater's mouth is open to hits in its current state.
    static bool eaterOpen(const Enemy& e);
    // Kills a coral eye: explosion, sound, one bonus, and the eye leaves the coral.
    void killCoralSegment(Enemy& coral, int part, ParticleSystem& particles, BonusManager& bonuses,
                          Player2D* killer, int bonusKind);
    // Textures and the flash shader are fetched at the first drawing, so that the
    // simulation runs without a display.
    void bindGraphics();

    TextureCache& textures_;
    std::unique_ptr<sf::Shader> flashShader_; // null when shaders are unavailable or the file does not load
    bool graphicsBound_ = false;
};

// Creates the enemy class of data.type, or null when the type has no class (yet).
std::unique_ptr<Enemy> createEnemy(const EnemyData& data, EnemyManager& manager);
