#pragma once
// The 3D side of a boss: its meshes live in `objects` (owned), which the
// engine step updates and the renderer draws while engine().world.boss3D points here.
#include "engine/Mesh.h"

#include <vector>

class BossParent {
public:
    virtual ~BossParent()
    {
        for (Mesh* mesh : objects)
            deleteObject3D(mesh);
    }
    virtual void update() = 0;
    // The defeat look.
    virtual void setAllRed() = 0;

    std::vector<Mesh*> objects;
};
