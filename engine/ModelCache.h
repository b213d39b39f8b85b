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
};

// modelName + ".obj" (null when it does not open) with modelName + ".mtl" when
// present (read with it). An .obj changed on disk since it was read is read again.
std::shared_ptr<const ObjModel> loadObjModel(const std::string& modelName);
// Forgets every model (the next load reads the files again).
void clearObjModelCache();
