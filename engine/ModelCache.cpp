#include "engine/ModelCache.h"

#include "engine/TextParse.h"

#include "engine/FileStamp.h"
#include "engine/ObjLoader.h"
#include "platform/AssetPath.h"

#include <fstream>
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
    auto model = std::make_shared<ObjModel>();
    model->triangles = std::move(geometry.triangles);
    model->skippedFaces = geometry.skippedFaces;
    model->utf16 = geometry.utf16;
    std::ifstream mtl(resolveAssetPath(modelName + ".mtl"), std::ios::binary);
    model->materialMissing = !mtl;
    if (mtl) {
        skipByteOrderMark(mtl);
        model->material = readMaterial(mtl);
    }
    return model;
}

// Says what is wrong with a model's files (once each: the model is asked for by
// every copy of it in every scene).
void reportModelProblems(const std::string& modelName, const std::string& objPath, const ObjModel& model)
{
    if (model.utf16)
        reportDataFileProblem(objPath, "UTF-16 text: not read (save it as UTF-8)");
    else if (model.triangles.empty())
        reportDataFileProblem(objPath, "no triangle: nothing of the model is drawn");
    if (model.skippedFaces > 0)
        reportDataFileProblem(objPath, std::to_string(model.skippedFaces) + " faces could not be read: left out");
    if (model.materialMissing)
        reportUnreadableDataFile(resolveAssetPath(modelName + ".mtl"));
}

// The model kept for this stamp of its .obj, else the files read now and kept.
std::shared_ptr<const ObjModel> modelFor(const std::string& modelName, const std::string& objPath,
                                         const FileStamp& stamp)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        const auto found = g_models.find(modelName);
        if (found != g_models.end() && found->second.stamp == stamp)
            return found->second.model;
    }
    // Parsed outside the lock: two threads may read the same file once each.
    std::shared_ptr<const ObjModel> model = readModel(modelName, objPath);
    if (model) {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_models[modelName] = {stamp, model};
    }
    return model;
}

} // namespace

std::shared_ptr<const ObjModel> loadObjModel(const std::string& modelName, ModelUse use)
{
    const std::string objPath = resolveAssetPath(modelName + ".obj");
    FileStamp stamp;
    std::shared_ptr<const ObjModel> model = stampOf(objPath, stamp) ? modelFor(modelName, objPath, stamp) : nullptr;
    if (use == ModelUse::Needed) {
        if (model)
            reportModelProblems(modelName, objPath, *model);
        else
            reportUnreadableDataFile(objPath);
    }
    return model;
}

void clearObjModelCache()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_models.clear();
}
