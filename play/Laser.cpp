#include "play/Laser.h"

#include "engine/Math3D.h"
#include "engine/TextureCache.h"

#include <cmath>
#include <string>

namespace {
constexpr float DEG_TO_RAD = PI_F / 180.f;
constexpr float RAD_TO_DEG = 180.f / PI_F;
constexpr float SCREEN_W = 1920.f;
constexpr float SCREEN_H = 1080.f;
constexpr float PLAY_LEFT = 240.f;
constexpr float PLAY_RIGHT = 1680.f;
constexpr float AIM_HALF_WIDTH = 3.f;
constexpr float AIM_LENGTH = 1500.f;
// A beam never holds more links than this, whatever the frame time.
constexpr size_t MAX_POINTS = 1024;

const char* const SUFFIXES[3] = {".png", "P2.png", "Boss.png"};

sf::Vector2f direction(float degrees) { return {std::cos(degrees * DEG_TO_RAD), std::sin(degrees * DEG_TO_RAD)}; }

// The turn from one angle to another the short way round, -180 to 180, through the
// sine and cosine. Not angle::wrap180: the two differ in their last bits, and only
// this one can give 180.
float shortestTurn(float degrees)
{
    return std::atan2(std::sin(degrees * DEG_TO_RAD), std::cos(degrees * DEG_TO_RAD)) * RAD_TO_DEG;
}

bool onScreen(sf::Vector2f p) { return p.x > 0.f && p.x <= SCREEN_W && p.y > 0.f && p.y <= SCREEN_H; }
bool inPlayArea(sf::Vector2f p) { return p.x > PLAY_LEFT && p.x <= PLAY_RIGHT && p.y > 0.f && p.y <= SCREEN_H; }

sf::Vector2f middle(const BeamPoint& p) { return (p.left + p.right) / 2.f; }

float distance(sf::Vector2f a, sf::Vector2f b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The scale that makes a flare frame `factor` times the beam's width; 0 for an empty frame.
float flareScale(float factor, float beamWidth, const sf::FloatRect& frame)
{
    return frame.width > 0.f ? factor * beamWidth / frame.width : 0.f;
}

// Draws a flare frame held a third of the way along and half-way across.
void drawFlare(sf::RenderTarget& target, sf::Sprite& sprite, const sf::FloatRect& frame, sf::Vector2f scale,
               sf::Vector2f at, float rotation)
{
    sprite.setTextureRect(toTextureRect(frame));
    sprite.setOrigin(frame.width / 3.f, frame.height / 2.f);
    sprite.setScale(scale);
    sprite.setPosition(at);
    sprite.setRotation(rotation);
    target.draw(sprite);
}
} // namespace

Laser::Laser(int owner_, float strength_, float angle_, TextureCache& textures)
    : owner(owner_), strength(strength_), angle(angle_), textures_(&textures)
{
    beginSprite.setTextureRect(sf::IntRect(0, 0, 120, 90));
    impactSprite.setTextureRect(sf::IntRect(0, 0, 120, 174));
}

float Laser::halfWidth() const
{
    const float r = remaining();
    if (r >= 1.f)
        return strength * 15.f + 25.f;
    if (r >= 0.1f)
        return strength * r * 15.f + 25.f;
    return r * 250.f;
}

void Laser::turnToward(float dt, float target)
{
    const float d = shortestTurn(target - angle);
    const float a = angle * DEG_TO_RAD;
    const float t = target * DEG_TO_RAD;
    const float s = std::cos(a) * std::sin(t) - std::sin(a) * std::cos(t);
    if (std::fabs(d) > DEAD_ZONE) {
        if (s < 0.f)
            angle -= TURN_RATE * dt;
        else if (s > 0.f)
            angle += TURN_RATE * dt;
    }
    while (angle > 360.f)
        angle -= 360.f;
}

BeamPoint Laser::segmentQuad(sf::Vector2f emitter) const
{
    BeamPoint p;
    const sf::Vector2f dir = direction(angle);
    const sf::Vector2f across(dir.y, -dir.x);
    const float half = halfWidth();
    p.centre = emitter + dir * EMITTER_OFFSET;
    p.left = p.centre + across * half;
    p.right = p.centre - across * half;
    p.angle = angle;
    p.frameIndex = frameCounter;
    return p;
}

void Laser::update(float dt, sf::Vector2f emitter, float targetAngle)
{
    if (!(dt > 0.f))
        return;
    if (state == LASER_AIMING) {
        turnToward(dt, targetAngle);
        if (!beginAnimation.step(dt, beginFrame)) {
            fire(dt, angle, emitter);
            state = LASER_FIRING;
        }
        return;
    }
    updateActive(dt, emitter, targetAngle);
}

void Laser::fire(float dt, float fireAngle, sf::Vector2f emitter)
{
    angle = fireAngle;
    points.clear();
    points.push_back(segmentQuad(emitter));
    const sf::Vector2f step = direction(angle) * (LINK_SPEED * dt);
    while (points.size() < MAX_POINTS) {
        BeamPoint next = points.back();
        next.left += step;
        next.right += step;
        next.centre += step;
        next.frameIndex = frameCounter;
        frameCounter = (frameCounter + 1) % STRIP_COLUMNS;
        points.push_back(next);
        if (!onScreen(next.left) && !onScreen(next.right))
            break;
    }
    rebuildSegments();
}

void Laser::updateActive(float dt, sf::Vector2f emitter, float target)
{
    elapsed += dt;
    baseAnimation.step(dt, baseFrame);
    impactAnimation.step(dt, impactFrame);
    impactVisible = 0;
    turnToward(dt, target);

    points.push_front(segmentQuad(emitter));
    frameCounter = (frameCounter + STRIP_COLUMNS - 1) % STRIP_COLUMNS;

    const size_t n = points.size();
    const float half = halfWidth();
    for (size_t i = 1; i < n; ++i) {
        const BeamPoint& before = points[i - 1];
        BeamPoint& p = points[i];
        if (i + 1 < n) {
            // Near links follow the emitter almost fully, far ones keep 30 percent of the lag.
            const float lag = shortestTurn(before.angle - p.angle);
            p.angle += lag * (1.f - 0.7f * static_cast<float>(i) / static_cast<float>(n));
        }
        p.centre += direction(p.angle) * (LINK_SPEED * dt);
        sf::Vector2f d = p.centre - before.centre;
        const float len = std::hypot(d.x, d.y);
        d = len > 0.f ? d / len : direction(p.angle);
        const sf::Vector2f across(d.y, -d.x);
        p.left = p.centre + across * half;
        p.right = p.centre - across * half;
        beamWidth = 2.f * half;
    }

    while (points.size() >= 4) {
        const BeamPoint& p = points[points.size() - 2];
        if (inPlayArea(p.left) || inPlayArea(p.right))
            break;
        points.pop_back();
    }
    while (points.size() > MAX_POINTS)
        points.pop_back();
    rebuildSegments();
}

void Laser::rebuildSegments()
{
    const size_t count = points.size() > 1 ? points.size() - 1 : 0;
    segments.resize(count);
    for (size_t i = 0; i < count; ++i) {
        Polygon& quad = segments[i];
        quad.resize(4);
        quad[0] = sf::Vertex(points[i].left, sf::Color::Red);
        quad[1] = sf::Vertex(points[i + 1].left, sf::Color::Red);
        quad[2] = sf::Vertex(points[i + 1].right, sf::Color::Red);
        quad[3] = sf::Vertex(points[i].right, sf::Color::Red);
    }
}

void Laser::cutAfterSegment(size_t k)
{
    impactVisible = 1;
    if (k + 1 >= segments.size())
        return;
    segments.resize(k + 1);
    points.resize(k + 2);
}

void Laser::bindTextures()
{
    texturesBound_ = true;
    const std::string suffix = SUFFIXES[owner >= 0 && owner < 3 ? owner : 0];
    stripTexture = textures_->getTexture("2D/Player/Laser/laser2" + suffix);
    if (sf::Texture* t = textures_->getTexture("2D/Player/Laser/BaseLaser" + suffix))
        baseSprite.setTexture(*t);
    if (sf::Texture* t = textures_->getTexture("2D/Player/Laser/BegLaser" + suffix))
        beginSprite.setTexture(*t);
    if (sf::Texture* t = textures_->getTexture("2D/Player/laser/ImpactLaser" + suffix))
        impactSprite.setTexture(*t);
}

void Laser::drawAim(sf::RenderTarget& target, sf::Vector2f emitter)
{
    if (!texturesBound_)
        bindTextures();
    const sf::Vector2f dir = direction(angle);
    const sf::Vector2f across(dir.y * AIM_HALF_WIDTH, -dir.x * AIM_HALF_WIDTH);
    const sf::Vertex line[4] = {
        sf::Vertex(emitter + across, sf::Color::White),
        sf::Vertex(emitter + dir * AIM_LENGTH + across, sf::Color::White),
        sf::Vertex(emitter + dir * AIM_LENGTH - across, sf::Color::White),
        sf::Vertex(emitter - across, sf::Color::White),
    };
    target.draw(line, 4, sf::Quads);

    const BeamPoint q = segmentQuad(emitter);
    const float w = distance(q.left, q.right);
    const float scale = flareScale(4.5f, w, beginFrame);
    drawFlare(target, beginSprite, beginFrame, {scale, scale}, middle(q), angle);
}

void Laser::drawBeam(sf::RenderTarget& target)
{
    if (!texturesBound_)
        bindTextures();
    if (points.empty())
        return;
    const BeamPoint& f = points.front();
    const float w = distance(f.left, f.right);

    if (!segments.empty()) {
        const float W = stripTexture ? static_cast<float>(stripTexture->getSize().x) : 0.f;
        const float H = stripTexture ? static_cast<float>(stripTexture->getSize().y) : 0.f;
        sf::VertexArray quads(sf::Quads, segments.size() * 4);
        for (size_t k = 0; k < segments.size() && k + 1 < points.size(); ++k) {
            const float F = static_cast<float>(points[k + 1].frameIndex);
            const float u1 = F * W / STRIP_COLUMNS;
            const float u2 = (F * W + 1.f) / STRIP_COLUMNS;
            const sf::Vector2f uv[4] = {{u1, 0.f}, {u2, 0.f}, {u2, H}, {u1, H}};
            for (size_t v = 0; v < 4; ++v)
                quads[k * 4 + v] = sf::Vertex(segments[k][v].position, sf::Color::White, uv[v]);
        }
        target.draw(quads, sf::RenderStates(stripTexture));
    }

    const float scale = flareScale(1.4f, w, baseFrame);
    drawFlare(target, baseSprite, baseFrame, {scale, scale}, middle(f), angle);

    if (impactVisible) {
        const BeamPoint& last = points.back();
        drawFlare(target, impactSprite, impactFrame, {-scale, scale}, middle(last), last.angle);
    }
}
