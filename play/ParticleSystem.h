#pragma once
// Every short-lived visual effect of the play layer: explosions, the player
// explosion, smoke, sparks, shooting stars, shield energy and invisible
// emitters that chain explosions. Particles live in a fixed pool of 10000.
#include "play/Animation.h"
#include "play/SpriteBatch.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <array>
#include <vector>

class TextureCache;

enum ParticleKind : int {
    PARTICLE_EXPLOSION = 0,
    PARTICLE_EMITTER = 1,        // not drawn; chains about forty explosions
    PARTICLE_SHOOTING_STAR = 2,
    PARTICLE_ENERGY = 3,         // shield energy, cyan (magenta for player 2)
    PARTICLE_BIG_EXPLOSION = 4,
    PARTICLE_PLAYER_EXPLOSION = 5,
    PARTICLE_SMOKE = 6,
    PARTICLE_BOSS_DAMAGE = 7,
    PARTICLE_KIND_COUNT = 8
};

// What to emit. Angles are radians.
struct ParticleSpawn {
    int kind = PARTICLE_EXPLOSION;
    float x = 0.f;
    float y = 0.f;
    float param = 0.f;
    int speed = 0;
    float minAngle = 0.f;
    float maxAngle = 0.f;
};

struct Particle {
    sf::Vector2f velocity;
    sf::Vector2f scale;
    sf::Vector2f position;
    int kind = 0;
    float angle = 0.f; // radians
    float lifetime = 0.f;
    float childCounter = 0.f;
    float age = 0.f;
    float interval = 0.f;
    sf::FloatRect frame;
    Animation animation;
    int flag = 0;
};

class ParticleSystem {
public:
    static constexpr int MAX_PARTICLES = 10000;

    // The sheets come from `textures` at the first draw.
    explicit ParticleSystem(TextureCache& textures);

    // Adds one particle; does nothing while MAX_PARTICLES are alive or for an unknown kind.
    void spawn(const ParticleSpawn& spawn, int flag);
    void update(float dt);
    void draw(sf::RenderTarget& target);

    int count() const { return count_; }
    void clear();

    // Visits the live particles, newest first.
    template <class Visit>
    void forEach(Visit visit) const
    {
        for (int i = newest_; i != NONE; i = nodes_[i].older)
            visit(nodes_[i].particle);
    }

    // Sheet, frame animation, scale and origin of each kind.
    std::array<sf::Sprite, PARTICLE_KIND_COUNT> sprites;
    std::array<Animation, PARTICLE_KIND_COUNT> animations;

private:
    static constexpr int NONE = -1;
    struct Node {
        Particle particle;
        int newer = NONE;
        int older = NONE;
    };

    int link();          // takes a free node and links it in as the newest
    void unlink(int i);  // returns a node to the free list
    void updateParticle(int i, float dt);
    void bindTextures();

    TextureCache& textures_;
    std::vector<Node> nodes_; // the pool, allocated once
    SpriteBatch batch_; // the particles of one kind in a row go out as one draw
    std::vector<int> free_;
    int newest_ = NONE;
    int count_ = 0;
    bool texturesBound_ = false;
};
