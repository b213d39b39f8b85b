// The enemy manager's extras for the kinds with parts: pairing the fence posts, drawing
// the turret cannon, the fence beam and the coral eyes under their bodies, the coral's
// debug outlines, and which parts a hit test can meet.
#include "enemies/CoralEnemy.h"
#include "enemies/EaterEnemy.h"
#include "enemies/ElectricalFenceEnemy.h"
#include "enemies/EnemyManager.h"
#include "enemies/EnemyMath.h"
#include "enemies/GroundEnemies.h"
#include "play/DebugOutline.h"

#include <cmath>

using namespace enemy_math;

namespace {

// The eater can be hit while its jaws are open: late in the bite, while it waits, and
// early in the recovery.
constexpr float BITE_OPEN_AFTER = 0.1625f;
constexpr float RECOVERY_OPEN_UNTIL = 0.56874996f;

// Two posts pair when each one's heading lies within this many degrees of the other.
constexpr float PAIRING_TOLERANCE = 5.f;
// The debug outline of a coral eye.
constexpr float EYE_OUTLINE_SIZE = 60.f;

// An angle brought into (-180, 180]; a non-finite angle never lines up with anything.
float halfTurn(float a)
{
    if (!std::isfinite(a))
        return 360.f;
    a = std::fmod(a, 360.f);
    if (a > 180.f)
        a -= 360.f;
    if (a <= -180.f)
        a += 360.f;
    return a;
}

bool facesTowards(const Enemy& from, const Enemy& to)
{
    const float toBearing = std::atan2(to.position.y - from.position.y, to.position.x - from.position.x) *
                            DEGREES_PER_RADIAN;
    return std::fabs(halfTurn(from.angle - toBearing)) < PAIRING_TOLERANCE;
}

void drawOutline(sf::RenderTarget& target, const sf::FloatRect& box)
{
    drawDebugOutline(target, box, sf::Color::Red, 2.f);
}

// Rotation and placement of the beam strip, whose texture runs down from its top edge.
struct BeamPlacement {
    float rotation;
    bool atRight;
    bool atBottom;
};

BeamPlacement beamPlacement(int direction)
{
    switch (direction) {
    case 0: return {90.f, true, false};
    case 90: return {180.f, true, true};
    case 180: return {270.f, false, true};
    default: return {0.f, false, false};
    }
}

} // namespace

void EnemyManager::pairFencePost(int index)
{
    auto* a = dynamic_cast<ElectricalFenceEnemy*>(enemies[index].get());
    if (!a || a->partner)
        return;
    for (size_t j = 0; j < enemies.size(); ++j) {
        auto* b = dynamic_cast<ElectricalFenceEnemy*>(enemies[j].get());
        if (!b || b == a || b->partner)
            continue;
        if (facesTowards(*a, *b) && facesTowards(*b, *a)) {
            ElectricalFenceEnemy::pair(*a, *b);
            return;
        }
    }
}

void EnemyManager::drawPartsUnder(sf::RenderTarget& target, Enemy& e, const sf::RenderStates& flashing, bool coralEyes)
{
    const sf::RenderStates& states = e.isFlashing() ? flashing : sf::RenderStates::Default;
    switch (e.getType()) {
    case enemy_type::TURRET: {
        const auto& turret = static_cast<const TurretEnemy&>(e);
        sf::Sprite& cannon = partSprites[TURRET_CANNON];
        cannon.setTextureRect(toTextureRect(turret.cannonFrame));
        cannon.setRotation(turret.cannonAngle);
        cannon.setPosition(turret.cannonPosition);
        target.draw(cannon, states);
        break;
    }
    case enemy_type::ELECTRICAL_FENCE: {
        const auto& post = static_cast<const ElectricalFenceEnemy&>(e);
        if (post.beam && post.isEmitter) {
            const sf::FloatRect g = post.beam->getGlobalBounds();
            if (g.left != 0.f || g.top != 0.f || g.width != 0.f || g.height != 0.f) {
                const sf::IntRect box = toTextureRect(g);
                const BeamPlacement place = beamPlacement(post.beamDirection);
                sf::Sprite& strip =
                    partSprites[post.beamState() == ANIMATION_LOOPED ? FENCE_BEAM_LOOP : FENCE_BEAM_START];
                strip.setTextureRect(toTextureRect(post.beamFrame));
                strip.setRotation(place.rotation);
                strip.setPosition(static_cast<float>(box.left + (place.atRight ? box.width : 0)),
                                  static_cast<float>(box.top + (place.atBottom ? box.height : 0)));
                target.draw(strip);
            }
        }
        const int heading = truncateToInt(e.angle);
        typeSprites[enemy_type::ELECTRICAL_FENCE].setScale(1.f, heading == 180 || heading == 270 ? -1.f : 1.f);
        break;
    }
    case enemy_type::CORAL: {
        if (!coralEyes)
            break;
        const auto& coral = static_cast<const CoralEnemy&>(e);
        sf::Sprite& eye = partSprites[CORAL_EYE];
        for (const CoralSegment& segment : coral.segments) {
            eye.setRotation(segment.aimAngle);
            eye.setPosition(coral.position + segment.offset());
            target.draw(eye, segment.sinceHit < Enemy::FLASH_TIME ? flashing : sf::RenderStates::Default);
        }
        break;
    }
    default: break;
    }
}

void EnemyManager::drawDebugOutlines(sf::RenderTarget& target, int index)
{
    const Enemy& e = *enemies[index];
    const int type = e.getType();
    if (type != enemy_type::CORAL) {
        const sf::FloatRect& box = typeHitBoxes[type];
        drawOutline(target, {e.position.x - box.width / 2.f, e.position.y - box.height / 2.f, box.width, box.height});
        return;
    }
    drawOutline(target, getBounds(index));
    for (const CoralSegment& segment : static_cast<const CoralEnemy&>(e).segments) {
        const sf::Vector2f centre = e.position + segment.offset();
        drawOutline(target, {centre.x - EYE_OUTLINE_SIZE / 2.f, centre.y - EYE_OUTLINE_SIZE / 2.f, EYE_OUTLINE_SIZE,
                             EYE_OUTLINE_SIZE});
    }
}

sf::FloatRect EnemyManager::coralEyeBox(const Enemy& coral, size_t n) const
{
    const sf::FloatRect g = partSprites[CORAL_EYE].getGlobalBounds();
    const sf::Vector2f centre = coral.position + static_cast<const CoralEnemy&>(coral).segments[n].offset();
    return {centre.x - g.width / 2.f, centre.y - g.height / 2.f, g.width, g.height};
}

int EnemyManager::hitCoralEye(const Enemy& coral, const std::function<bool(const sf::FloatRect&)>& meets) const
{
    const size_t count = static_cast<const CoralEnemy&>(coral).segments.size();
    for (size_t n = 0; n < count; ++n)
        if (meets(coralEyeBox(coral, n)))
            return hit_result::FIRST_CORAL_SEGMENT + static_cast<int>(n);
    return hit_result::NONE;
}

bool EnemyManager::eaterOpen(const Enemy& e)
{
    const auto& eater = static_cast<const EaterEnemy&>(e);
    switch (eater.state) {
    case EaterEnemy::BITING: return eater.animation.elapsed > BITE_OPEN_AFTER;
    case EaterEnemy::WAITING: return true;
    case EaterEnemy::RECOVERING: return eater.animation.elapsed < RECOVERY_OPEN_UNTIL;
    default: return false;
    }
}
