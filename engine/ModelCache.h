#pragma once
// Parsed OBJ/MTL models kept by path and shared: a scene change copies the
// triangles of a model read before instead of reading and parsing the file
// again. Safe to use from the scene preload worker and the main thread at once.
#include "engine/Mesh.h"

#include <memory>
#include <string>

struct ObjModel {
    std::vector<Triangle> triangles;
    Material material;
    // What the files did not give as they should: faces left out, UTF-16 text
    // (nothing read), no .mtl beside the .obj (the material stays all zero).
    int skippedFaces = 0;
    bool utf16 = false;
    bool materialMissing = false;
};

// Who asks for a model: the game, which needs it (a model file that is missing or
// damaged is said once on the error stream), or the scene preload, which says
// nothing (the game asks again when it enters the scene).
enum class ModelUse { Needed, Preload };

// modelName + ".obj" (null when it does not open) with modelName + ".mtl" when
// present (read with it). An .obj changed on disk since it was read is read again.
std::shared_ptr<const ObjModel> loadObjModel(const std::string& modelName, ModelUse use = ModelUse::Needed);
// Forgets every model (the next load reads the files again).
void clearObjModelCache();
