#pragma once
// The level-flow animations: the 2D-to-3D flash at a ship, ships flying out at
// the top and in from below, and the boss WARNING banner; and the manager that
// holds the running ones with their two sprite sheets.
#include "play/Animation.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Vector2.hpp>
#include <memory>
#include <vector>

class TextureCache;

enum TransitionType : int {
    TRANSITION_PLAYER_2D3D = 0,
    TRANSITION_PLAYER_OUT_UP = 1,
    TRANSITION_PLAYER_IN_UP = 2,
    TRANSITION_WARNING = 3,
};

class Transitions {
public:
    Transitions(sf::Vector2f at, const Animation& anim, const sf::FloatRect& firstFrame)
        : position(at), animation(anim), frame(firstFrame) {}
    virtual ~Transitions() = default;

    // One frame; true once the transition has finished.
    virtual bool update(float dt) = 0;
    virtual int getType() const = 0;

    sf::Vector2f position;
    Animation animation;
    sf::FloatRect frame; // the texture rectangle shown
};

// The flash of a ship turning from 2D to 3D: one pass over a 19-frame sheet.
class Player2D3DTransition : public Transitions {
public:
    static constexpr float FRAME_SIZE = 330.f;
    explicit Player2D3DTransition(sf::Vector2f at);
    bool update(float dt) override;
    int getType() const override { return TRANSITION_PLAYER_2D3D; }
};

// A ship flying out at the top of the screen.
class PlayerOutUp : public Transitions {
public:
    static constexpr float SPEED = 600.f;
    static constexpr float END_Y = -2000.f;
    explicit PlayerOutUp(sf::Vector2f at);
    bool update(float dt) override;
    int getType() const override { return TRANSITION_PLAYER_OUT_UP; }
};

// A ship flying in from below up to its target row.
class PlayerInUp : public Transitions {
public:
    static constexpr float SPEED = 180.f;
    PlayerInUp(sf::Vector2f at, sf::Vector2f targetPoint);
    bool update(float dt) override;
    int getType() const override { return TRANSITION_PLAYER_IN_UP; }

    sf::Vector2f target;
};

// The boss WARNING banner: the two rows of its sheet take turns every second.
class WarningTransition : public Transitions {
public:
    static constexpr float LENGTH = 4.7f;
    static constexpr float FRAME_WIDTH = 880.f;
    static constexpr float FRAME_HEIGHT = 413.f;
    explicit WarningTransition(sf::Vector2f at);
    bool update(float dt) override;
    int getType() const override { return TRANSITION_WARNING; }

    float total = 0.f;
};

class TransitionManager {
public:
    static constexpr const char* FLASH_SHEET = "2D/Transition/player2D3D.png";
    static constexpr const char* WARNING_SHEET = "2D/Transition/Warning.png";

    // The two sheets come from `textures` at the first draw.
    explicit TransitionManager(TextureCache& textures);
    ~TransitionManager();
    TransitionManager(const TransitionManager&) = delete;
    TransitionManager& operator=(const TransitionManager&) = delete;

    // Starts a transition (null is ignored).
    void add(std::unique_ptr<Transitions> transition);
    // Drops every running transition.
    void clear();
    // Walks from the last running transition to the first; the first that
    // finishes is removed and the walk stops (at most one ends per frame).
    void update(float dt);
    // Whether player input goes through: a running flash lets it through only
    // with inputAllowed, a fly-out or fly-in stops it, the banner leaves it.
    bool allowsInput() const;
    // Draws the flash and the banner at their positions and frames.
    void draw(sf::RenderTarget& target);

    sf::Sprite flashSprite;
    sf::Sprite warningSprite;
    std::vector<std::unique_ptr<Transitions>> transitions; // the running ones
    bool inputAllowed = false;

private:
    void bindSprites();
    TextureCache& textures_;
    bool spritesBound_ = false;
};
