#include "enemies/ElectricalFenceEnemy.h"

#include "enemies/EnemyManager.h"
#include "enemies/EnemyMath.h"
#include "enemies/GroundEnemies.h"

using namespace enemy_math;

namespace {

Animation stripAnimation(float height, int mode)
{
    Animation a;
    a.duration = 0.2f;
    a.frameCount = 3;
    a.width = ElectricalFenceEnemy::STRIP_WIDTH;
    a.height = height;
    a.mode = mode;
    return a;
}

} // namespace

ElectricalFenceEnemy::ElectricalFenceEnemy(const EnemyData& data, EnemyManager& owner) : Enemy(data), manager(&owner)
{
    angle = static_cast<float>(data.angle);
    applyTypeConstants(enemy_type::ELECTRICAL_FENCE);
    Enemy::startAnimation(0.2f, 1, 60.f, 90.f, ANIMATION_LOOPED);
    restartBeamAnimations();
}

ElectricalFenceEnemy::~ElectricalFenceEnemy()
{
    if (partner) {
        partner->partner = nullptr;
        partner->isEmitter = 0;
        partner->beam.reset();
    }
}

void ElectricalFenceEnemy::pair(ElectricalFenceEnemy& a, ElectricalFenceEnemy& b)
{
    a.partner = &b;
    a.isEmitter = 1;
    b.partner = &a;
    b.isEmitter = 0;
}

void ElectricalFenceEnemy::restartBeamAnimations()
{
    startAnimation = stripAnimation(START_HEIGHT, ANIMATION_ONCE);
    startFrame = sf::FloatRect(0.f, 0.f, STRIP_WIDTH, START_HEIGHT);
    loopAnimation = stripAnimation(STRIP_WIDTH, ANIMATION_ONCE);
    beamFrame = sf::FloatRect(0.f, 0.f, STRIP_WIDTH, STRIP_WIDTH);
}

void ElectricalFenceEnemy::stepBeamAnimations(float dt)
{
    if (isEmitter) {
        if (!loopAnimation.step(dt, beamFrame)) {
            loopAnimation = stripAnimation(STRIP_WIDTH, ANIMATION_LOOPED);
            beamFrame = sf::FloatRect(0.f, 0.f, STRIP_WIDTH, STRIP_WIDTH);
        }
        const sf::Vector2f size = beam->getSize();
        beamFrame.height = beamDirection == 0 || beamDirection == 180 ? size.x : size.y;
    }
    if (!startAnimation.step(dt, startFrame)) {
        startAnimation = stripAnimation(START_HEIGHT, ANIMATION_LOOPED);
        startFrame = sf::FloatRect(0.f, 0.f, STRIP_WIDTH, START_HEIGHT);
    }
}

bool ElectricalFenceEnemy::update(float dt, BulletManager*, std::vector<sf::Vector2f>, int index)
{
    stepHitTimerAndAnimation(dt);
    if (beam)
        stepBeamAnimations(dt);
    position.x -= ground::SCROLL_SPEED * dt;
    beamTimer += dt;

    if (!isEmitter || !partner)
        return false;
    if (beam) {
        if (beamTimer <= BEAM_ON_TIME) {
            beam->move(-ground::SCROLL_SPEED * dt, 0.f);
        } else {
            beamTimer = 0.f;
            switchBeamOff();
        }
    } else if (beamTimer > BEAM_OFF_TIME) {
        beamTimer = 0.f;
        buildBeam(index);
    }
    return false;
}

void ElectricalFenceEnemy::switchBeamOff()
{
    beam.reset();
    if (partner)
        partner->beam.reset();
}

void ElectricalFenceEnemy::buildBeam(int index)
{
    const sf::FloatRect own = manager->getBounds(index);
    sf::FloatRect other;
    const std::vector<std::unique_ptr<Enemy>>& list = manager->enemies;
    for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i)
        if (list[i].get() == partner) {
            const sf::FloatRect g = manager->typeSprites[enemy_type::ELECTRICAL_FENCE].getGlobalBounds();
            other = sf::FloatRect(partner->position.x - g.width / 2.f, partner->position.y - g.height / 2.f, g.width,
                                  g.height);
            break;
        }

    beam = std::make_shared<sf::RectangleShape>();
    beam->setFillColor(sf::Color::Red);
    partner->beam = beam;
    restartBeamAnimations();
    partner->restartBeamAnimations();

    angle = wrap360(angle);
    switch (truncateToInt(angle)) {
    case 0:
        beamDirection = 0;
        partner->beamDirection = 180;
        beam->setPosition(own.left + own.width, own.top);
        beam->setSize({other.left - (own.left + own.width), own.height});
        break;
    case 90:
        beamDirection = 90;
        partner->beamDirection = 270;
        beam->setPosition(own.left, own.top + own.height);
        beam->setSize({own.width, other.top - (own.top + own.height)});
        break;
    case 180:
        beamDirection = 180;
        partner->beamDirection = 0;
        beam->setPosition(other.left + other.width, other.top);
        beam->setSize({own.left - (other.left + other.width), other.height});
        break;
    case 270:
        beamDirection = 270;
        partner->beamDirection = 90;
        beam->setPosition(other.left, other.top + other.height);
        beam->setSize({other.width, own.top - (other.top + other.height)});
        break;
    default: break; // a slanted pair gets an empty beam
    }
}
