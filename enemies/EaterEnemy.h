#pragma once
// A big mouth that rushes at player 1, bites, waits with its jaws shut and recovers
// before rushing again. It never leaves on its own.
#include "enemies/Enemy.h"

class EaterEnemy : public Enemy {
public:
    enum State : int { RUSHING = 0, BITING = 1, WAITING = 2, RECOVERING = 3 };
    static constexpr float SPEED = 960.f;
    static constexpr float BITE_DISTANCE = 25.f;
    static constexpr float WAIT_TIME = 1.5f;
    static constexpr float BITE_ROW_TOP = 160.f;

    explicit EaterEnemy(const EnemyData& data);
    bool update(float dt, BulletManager* bullets, std::vector<sf::Vector2f> players, int index) override;
    int getType() const override { return enemy_type::EATER; }
    int getBonusCount() const override { return enemyTypeInfo(enemy_type::EATER).bonusCount; }

    int state = RUSHING;
    float waitTimer = 0.f;

private:
    void startWalking();
};
