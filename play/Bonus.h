#pragma once
// Pick-ups dropped by killed enemies: a base bonus, a golden bonus and a
// special bonus that turns on the fan shot. The manager holds the sheets and
// every bonus in play; the gameplay state moves, attracts, collects and removes them.
#include "play/Animation.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <memory>
#include <vector>

class Player2D;
class TextureCache;

enum BonusKind : int { BONUS_BASE = 0, BONUS_GOLDEN = 1, BONUS_SPECIAL = 2 };

class Bonus {
public:
    static constexpr float DRIFT_SPEED = 240.f;      // px/s along the angle
    static constexpr float ATTRACT_SPEED = 1080.f;   // px/s toward the target
    static constexpr float WOBBLE_RATE = 1800.f;     // degrees per second
    static constexpr float WOBBLE_SPEED = 50.f;      // px/s
    static constexpr float HALF_SIZE = 10.f;         // pick-up box is 20 x 20 around the position

    Bonus() = default;
    virtual ~Bonus() = default;

    // Applies the bonus to the collecting ship and returns its score.
    virtual int collect(Player2D& player) = 0;
    // Animation and motion: toward the target when attracted, otherwise drift and wobble.
    void update(float dt);
    // The 20 x 20 pick-up box.
    sf::FloatRect box() const;

    sf::Vector2f position;
    float angle = 0.f; // drift direction in degrees
    sf::FloatRect frame;
    Animation animation;
    int kind = 0;      // 1 golden, 0 the others
    sf::Vector2f target;
    bool attracted = false;
    int wobble = 0;    // whole degrees 0..359
};

class BaseBonus : public Bonus {
public:
    static constexpr int SCORE = 255;
    int collect(Player2D& player) override;
};

class GoldenBonus : public Bonus {
public:
    static constexpr int SCORE = 10000;
    int collect(Player2D& player) override;
};

class SpecialBonus : public Bonus {
public:
    static constexpr int SCORE = 50;
    static constexpr float FAN_SHOT_TIME = 10.f;
    int collect(Player2D& player) override;
};

class BonusManager {
public:
    // Sheets in order: "2D/Bonus/Bonus.png", "2D/Bonus/Bonus2.png", bound at the first draw.
    explicit BonusManager(TextureCache& textures);
    ~BonusManager();
    BonusManager(const BonusManager&) = delete;
    BonusManager& operator=(const BonusManager&) = delete;

    // Appends a bonus drifting from position toward target: kind 1 golden,
    // 0 base, any other special.
    void spawn(sf::Vector2f position, sf::Vector2f target, int kind);
    // Removes and frees bonus i.
    void erase(size_t i);
    // Every bonus with its sheet's sprite, in list order.
    void draw(sf::RenderTarget& target);

    std::vector<std::unique_ptr<Bonus>> bonuses;
    std::vector<Animation> animations;
    std::vector<sf::Sprite> sprites;

private:
    void bindTextures();
    TextureCache& textures_;
    bool texturesBound_ = false;
};
