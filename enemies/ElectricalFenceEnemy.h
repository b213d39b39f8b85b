#pragma once
// An electric fence post on the ground. The enemy manager pairs two posts that face each
// other; the pair's emitter then switches a beam between them on and off (1.5 s off,
// 0.8 s on), scrolling with the posts. A post never leaves on its own.
#include "enemies/Enemy.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <memory>

class EnemyManager;

class ElectricalFenceEnemy : public Enemy {
public:
    static constexpr float BEAM_OFF_TIME = 1.5f;
    static constexpr float BEAM_ON_TIME = 0.8f;
    static constexpr float STRIP_WIDTH = 90.f;  // width of a beam texture strip
    static constexpr float START_HEIGHT = 22.f; // height of a beam start frame

    ElectricalFenceEnemy(const EnemyData& data, EnemyManager& manager);
    // A post that goes leaves its partner unpaired and switches their beam off.
    ~ElectricalFenceEnemy() override;
    ElectricalFenceEnemy(const ElectricalFenceEnemy&) = delete;
    ElectricalFenceEnemy& operator=(const ElectricalFenceEnemy&) = delete;

    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return enemy_type::ELECTRICAL_FENCE; }
    int getBonusCount() const override { return enemyTypeInfo(enemy_type::ELECTRICAL_FENCE).bonusCount; }

    // Pairs two unpaired posts; a becomes the emitter.
    static void pair(ElectricalFenceEnemy& a, ElectricalFenceEnemy& b);
    // The start animation loops once the beam's switch-on sequence has played.
    int beamState() const { return startAnimation.mode; }

    int beamDirection = 0; // 0, 90, 180 or 270 degrees
    EnemyManager* manager = nullptr;
    std::shared_ptr<sf::RectangleShape> beam; // shared by the pair; null while the beam is off
    sf::FloatRect startFrame;
    sf::FloatRect beamFrame;
    Animation startAnimation;
    Animation loopAnimation;
    ElectricalFenceEnemy* partner = nullptr;
    std::uint8_t isEmitter = 0;
    float beamTimer = 0.f;

private:
    void restartBeamAnimations();
    void stepBeamAnimations(float dt);
    void buildBeam(int index);
    void switchBeamOff();
};
