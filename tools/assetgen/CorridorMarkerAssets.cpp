// The corridor's collision markers: a point-sized model each. The renderer
// never draws them; only their positions count (the game's wall lines).
#include "tools/assetgen/Generator.h"
#include "tools/assetgen/MeshBuilder.h"

using namespace assetgen;

REGISTER_ASSETS(corridor_markers)
{
    for (const char* name : {"collisionBot", "collisionTop"}) {
        MeshBuilder marker;
        marker.triangle(marker.vertex({0, 0, 0}, {0, 0}), marker.vertex({0.01f, 0, 0}, {1, 0}),
                        marker.vertex({0, 0, 0.01f}, {0, 1}));
        marker.write(ctx.path(std::string("3D/LVL2/collision/") + name));
    }
}
