#include "engine/ModelCache.h"

#include "engine/TextParse.h"

#include "engine/FileStamp.h"
#include "engine/ObjLoader.h"
#include "platform/AssetPath.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <mutex>
#include <unordered_map>

namespace {

struct CachedModel {
    FileStamp stamp;
    std::shared_ptr<const ObjModel> model;
};

std::mutex g_mutex;
std::unordered_map<std::string, CachedModel> g_models;

std::shared_ptr<const ObjModel> readModel(const std::string& modelName, const std::string& objPath)
{
    std::ifstream obj(objPath, std::ios::binary);
    if (!obj)
        return nullptr;
    const std::string text((std::istreambuf_iterator<char>(obj)), std::istreambuf_iterator<char>());
    ObjGeometry geometry = readObjText(text);
    if (geometry.utf16)
        std::cerr << "Model " << objPath << " is UTF-16 text: not read (save it as UTF-8)" << std::endl;
    auto model = std::make_shared<ObjModel>();
    model->triangles = std::move(geometry.triangles);
    std::ifstream mtl(resolveAssetPath(modelName + ".mtl"), std::ios::binary);
    if (mtl) {
        skipByteOrderMark(mtl);
        model->material = readMaterial(mtl);
    }
    return model;
}

} // namespace

std::shared_ptr<const ObjModel> loadObjModel(const std::string& modelName)
{
    const std::string objPath = resolveAssetPath(modelName + ".obj");
    FileStamp stamp;
    if (!stampOf(objPath, stamp))
        return nullptr;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        const auto found = g_models.find(modelName);
        if (found != g_models.end() && found->second.stamp == stamp)
            return found->second.model;
    }
    // Parsed outside the lock: two threads may read the same file once each.
    std::shared_ptr<const ObjModel> model = readModel(modelName, objPath);
    if (!model)
        return nullptr;
    std::lock_guard<std::mutex> lock(g_mutex);
    g_models[modelName] = {stamp, model};
    return model;
}

void clearObjModelCache()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_models.clear();
}
