// MTL materials: a fixed one-triangle model with the input as its material file,
// through the game's loader and one lit projection. Properties: the model still
// loads whole, no sanitizer report.
#include "FuzzSupport.h"

#include "engine/Engine.h"
#include "engine/ObjLoader.h"
#include "engine/RenderPipeline.h"

#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::enterGameTree();
    fuzz::writeScratchFile("material.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::writeScratchFile("material.mtl", fuzz::asText(data, size));
    std::unique_ptr<Mesh> mesh =
        loadObjMesh(engine(), fuzz::scratchFolder() + "/material", nullptr, {0.f, 0.f, 3000.f}, false);
    fuzz::require(mesh && mesh->triangles.size() == 1, "a material file never changes the geometry");
    RenderPipeline pipeline;
    FrameSettings settings;
    settings.threads = 1;
    settings.lightPosition = {0.f, 0.f, -1e6f};
    pipeline.beginFrame();
    pipeline.projectMesh(*mesh, settings);
    return 0;
}
