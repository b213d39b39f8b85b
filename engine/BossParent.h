#pragma once
// The 3D side of a boss: it owns its meshes in `objects`, which the engine
// step updates and the renderer draws while the world's boss3D points here.
#include "engine/Mesh.h"

#include <memory>
#include <vector>

class BossParent {
public:
    virtual ~BossParent() = default;
    // One engine step of `frameTime` seconds.
    virtual void update(float frameTime) = 0;
    // The defeat look.
    virtual void setAllRed() = 0;

    std::vector<std::unique_ptr<Mesh>> objects;
};
