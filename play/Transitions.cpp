#include "play/Transitions.h"

#include "play/SpriteLoading.h"

namespace {
const Animation FLASH_ANIMATION{0.f, 1.f, 19, 0.f, 0.f, Player2D3DTransition::FRAME_SIZE,
                                Player2D3DTransition::FRAME_SIZE, ANIMATION_ONCE};
const Animation WARNING_ANIMATION{0.f, 1.f, 10, 0.f, 0.f, WarningTransition::FRAME_WIDTH,
                                  WarningTransition::FRAME_HEIGHT, ANIMATION_ONCE};
const sf::FloatRect NO_FRAME;
} // namespace

Player2D3DTransition::Player2D3DTransition(sf::Vector2f at)
    : Transitions(at, FLASH_ANIMATION, sf::FloatRect(0.f, 0.f, FRAME_SIZE, FRAME_SIZE))
{
}

bool Player2D3DTransition::update(float dt) { return !animation.step(dt, frame); }

PlayerOutUp::PlayerOutUp(sf::Vector2f at) : Transitions(at, Animation{}, NO_FRAME) {}

bool PlayerOutUp::update(float dt)
{
    position.y -= SPEED * dt;
    return position.y <= END_Y;
}

PlayerInUp::PlayerInUp(sf::Vector2f at, sf::Vector2f targetPoint)
    : Transitions(at, Animation{}, NO_FRAME), target(targetPoint)
{
}

bool PlayerInUp::update(float dt)
{
    position.y -= SPEED * dt;
    if (position.y <= target.y) {
        position.y = target.y;
        return true;
    }
    return false;
}

WarningTransition::WarningTransition(sf::Vector2f at)
    : Transitions(at, WARNING_ANIMATION, sf::FloatRect(0.f, 0.f, FRAME_WIDTH, FRAME_HEIGHT))
{
}

bool WarningTransition::update(float dt)
{
    total += dt;
    if (total >= LENGTH)
        return true;
    if (animation.step(dt, frame))
        return false;
    // One pass is over: the other row plays next.
    const float row = animation.top == 0.f ? FRAME_HEIGHT : 0.f;
    animation = WARNING_ANIMATION;
    animation.top = row;
    return false;
}

TransitionManager::TransitionManager(TextureCache& textures) : textures_(textures)
{
    flashSprite.setOrigin(Player2D3DTransition::FRAME_SIZE / 2.f, Player2D3DTransition::FRAME_SIZE / 2.f);
    warningSprite.setOrigin(WarningTransition::FRAME_WIDTH / 2.f, WarningTransition::FRAME_HEIGHT / 2.f);
}

TransitionManager::~TransitionManager() { clear(); }

void TransitionManager::add(std::unique_ptr<Transitions> transition)
{
    if (transition)
        transitions.push_back(std::move(transition));
}

void TransitionManager::clear()
{
    transitions.clear();
}

void TransitionManager::update(float dt)
{
    for (size_t k = transitions.size(); k-- > 0;) {
        if (transitions[k]->update(dt)) {
            transitions.erase(transitions.begin() + static_cast<std::ptrdiff_t>(k));
            return;
        }
    }
}

bool TransitionManager::allowsInput() const
{
    bool allowed = true;
    for (const std::unique_ptr<Transitions>& t : transitions) {
        switch (t->getType()) {
        case TRANSITION_PLAYER_2D3D: allowed = inputAllowed != 0; break;
        case TRANSITION_PLAYER_OUT_UP:
        case TRANSITION_PLAYER_IN_UP: allowed = false; break;
        default: break;
        }
    }
    return allowed;
}

void TransitionManager::bindSprites()
{
    spritesBound_ = true;
    const sf::Vector2f flashOrigin = flashSprite.getOrigin();
    const sf::Vector2f warningOrigin = warningSprite.getOrigin();
    loadSprite(textures_, flashSprite, FLASH_SHEET, false).setOrigin(flashOrigin);
    loadSprite(textures_, warningSprite, WARNING_SHEET, false).setOrigin(warningOrigin);
}

void TransitionManager::draw(sf::RenderTarget& target)
{
    if (!spritesBound_)
        bindSprites();
    for (const std::unique_ptr<Transitions>& t : transitions) {
        sf::Sprite* sprite = nullptr;
        if (t->getType() == TRANSITION_PLAYER_2D3D)
            sprite = &flashSprite;
        else if (t->getType() == TRANSITION_WARNING)
            sprite = &warningSprite;
        if (!sprite || !sprite->getTexture())
            continue;
        sprite->setTextureRect(toTextureRect(t->frame));
        sprite->setRotation(0.f);
        sprite->setPosition(t->position);
        target.draw(*sprite);
    }
}
