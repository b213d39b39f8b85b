#pragma once
// Every shot of the game: the players' shots in one manager, enemy and boss
// bullets in another. Bullet types come from "2D/Files/Shoot.txt".
#include "play/Animation.h"
#include "play/SpriteBatch.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <array>
#include <list>
#include <string>
#include <vector>

class Entity2D;
class TextureCache;

// Motion rule of a bullet; any other value leaves the bullet where it is.
enum BulletPattern : int {
    BULLET_STRAIGHT = 0,
    BULLET_SPIRAL = 1, // spirals out from its origin
    BULLET_SWIRL = 2,
    BULLET_WEAVE = 3,
    BULLET_LOOPS = 4,
};

struct Bullet {
    int pattern = BULLET_STRAIGHT;
    float angle = 0.f; // degrees
    sf::Vector2f origin;
    sf::Vector2f position;
    float age = 0.f;
    int damage = 1;
    int type = 0;
    sf::FloatRect frame; // zero until the first update
    Animation animation;
    int owner = 0;       // player index for players' shots, 0 for enemy bullets
    int speed = 0;       // px/s for the straight pattern
};

class BulletManager {
public:
    static constexpr int TYPE_COUNT = 14;
    static constexpr int PLAYER_SHOT_TYPE = 13;
    static constexpr float MAX_AGE = 10.f;
    static constexpr const char* TYPE_FILE = "2D/Files/Shoot.txt";

    // Reads the bullet types from TYPE_FILE (or the given file). A file that
    // does not open leaves no types (and says so once on the error stream); only
    // complete records whose row of frames fits a texture are kept, at most 14.
    // The sheets are bound at the first draw.
    explicit BulletManager(TextureCache& textures);
    BulletManager(TextureCache& textures, const std::string& typeFile);

    // One bullet per active muzzle of the shooter, along the shooter's heading.
    void spawnFromEnemy(const Entity2D& shooter, int owner);
    // One bullet per active muzzle, each along its muzzle's own angle.
    void spawn(const Entity2D& shooter, int owner);
    // Moves and ages every bullet, then removes those 10 s old or more.
    void update(float dt);
    // Draws every bullet; with debug, a yellow square of the bullet's hit size.
    void draw(sf::RenderTarget& target, bool debug);

    // Number of bullet types read from the file (0..14).
    int typeCount() const { return static_cast<int>(typeAnimations.size()); }
    // Side of the square that hits with a bullet of this type: the smaller frame side.
    float hitSize(int type) const;
    // The bullet's hit square centred on its position.
    sf::FloatRect hitBox(const Bullet& bullet) const;
    // Straight-line speed of a bullet type in px/s.
    static int speedForType(int type);

    std::list<Bullet> bullets; // firing order; collision passes erase entries directly
    std::vector<Animation> typeAnimations;
    std::array<sf::Sprite, TYPE_COUNT> typeSprites;

private:
    void readTypes(const std::string& typeFile);
    void fire(const Entity2D& shooter, int owner, bool muzzleAngles);
    void bindTextures();
    void drawHitBox(sf::RenderTarget& target, const Bullet& b) const;

    TextureCache& textures_;
    std::vector<std::string> typePaths_;
    bool texturesBound_ = false;
    SpriteBatch batch_; // the bullets of one sheet in a row go out as one draw
};
