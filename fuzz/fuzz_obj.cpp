// OBJ models: the game's loader, then the 3D pipeline projecting the model for a
// camera gliding round it, in the depth view as well. Properties: the mesh holds
// the triangles of this input, no sanitizer report (no undefined conversion of a
// far-flung vertex's depth), no more drawn corners than three per triangle.
#include "FuzzSupport.h"

#include "engine/Engine.h"
#include "engine/ModelCache.h"
#include "engine/ObjLoader.h"
#include "engine/RenderPipeline.h"

#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::enterGameTree();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text = fuzz::asText(data, size);
    fuzz::writeScratchFile("model.obj", text);
    // Two inputs of one size written within the file system's clock tick look alike
    // to the model cache: each input is read afresh.
    clearObjModelCache();
    const std::string model = fuzz::scratchFolder() + "/model";
    std::unique_ptr<Mesh> mesh =
        loadObjMesh(engine().textures, engine().renderer, model, nullptr, {0.f, 0.f, 3000.f}, false);
    if (!mesh)
        return 0; // a file the loader refuses as a whole
    fuzz::require(mesh->triangles.size() == readObjText(text).triangles.size(),
                  "the mesh holds this input's triangles");
    RenderPipeline pipeline;
    FrameSettings settings;
    settings.threads = 1;
    settings.frameTime = 0.02f;
    settings.lightPosition = {0.f, 0.f, -1e6f};
    // A glide past the model, above, level with and below it, turning all the way
    // round, in the depth view; then one lit frame.
    for (int step = 0; step <= 12; ++step) {
        settings.depthView = step < 12;
        settings.camera.position = {0.f, 1500.f * (step / 4 - 1), -2000.f + 400.f * step};
        settings.camera.rotation = {20.f * (step / 4 - 1), 90.f * (step % 4), 0.f};
        pipeline.beginFrame();
        const Batch& batch = pipeline.projectMesh(*mesh, settings);
        fuzz::require(batch.vertices.size() <= 3 * mesh->triangles.size(), "at most three corners per triangle");
    }
    pipeline.sortBatches();
    return 0;
}
