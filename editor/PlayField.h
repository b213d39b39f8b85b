#pragma once
// What the editor's play, stop and preview act on: the game's spawner, its
// enemies and the running spawn patterns, and how the game turns to the scroll
// direction of a sequence the editor loads.
#include <functional>
#include <list>

class EnemyManager;
class Spawner;
struct SpawnPattern;

struct PlayField {
    Spawner& spawner;
    EnemyManager& enemies;
    std::list<SpawnPattern>& patterns;
    std::function<void(int direction)> turnToScrollDirection;
};
