// MTL materials: a fixed one-triangle model with the input as its material file,
// through the game's loader and one lit projection. Properties: the model still
// loads whole with this input's material, no sanitizer report.
#include "FuzzSupport.h"

#include "engine/Engine.h"
#include "engine/ModelCache.h"
#include "engine/ObjLoader.h"
#include "engine/RenderPipeline.h"
#include "engine/TextParse.h"

#include <memory>
#include <sstream>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::enterGameTree();
    fuzz::writeScratchFile("material.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1\n");
    return 0;
}

namespace {
bool sameMaterial(const Material& a, const Material& b)
{
    return a.Ka == b.Ka && a.Kd == b.Kd && a.Ks == b.Ks && a.Ke == b.Ke && a.Ni == b.Ni && a.d == b.d && a.Ns == b.Ns;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text = fuzz::asText(data, size);
    fuzz::writeScratchFile("material.mtl", text);
    // The model's .obj never changes: the cache would hand back the first input's material.
    clearObjModelCache();
    std::unique_ptr<Mesh> mesh =
        loadObjMesh(engine().textures, engine().renderer, fuzz::scratchFolder() + "/material", nullptr,
                    {0.f, 0.f, 3000.f}, false);
    fuzz::require(mesh && mesh->triangles.size() == 1, "a material file never changes the geometry");
    std::istringstream in(text);
    skipByteOrderMark(in);
    fuzz::require(sameMaterial(mesh->material, readMaterial(in)), "the mesh wears this input's material");
    RenderPipeline pipeline;
    FrameSettings settings;
    settings.threads = 1;
    settings.lightPosition = {0.f, 0.f, -1e6f};
    pipeline.beginFrame();
    pipeline.projectMesh(*mesh, settings);
    return 0;
}
