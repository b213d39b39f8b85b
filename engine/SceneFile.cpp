#include "engine/SceneFile.h"

#include "engine/CameraPath.h"
#include "engine/Engine.h"
#include "engine/ObjLoader.h"
#include "engine/Scenes.h"
#include "engine/TextParse.h"
#include "platform/AssetPath.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <mutex>
#include <unordered_map>

WorldObjectTable::WorldObjectTable()
{
    const std::string path = resolveAssetPath(FILE);
    std::ifstream in(path, std::ios::binary);
    if (in)
        read(in);
    else
        reportUnreadableDataFile(path);
}

WorldObjectTable::WorldObjectTable(std::istream& in) { read(in); }

void WorldObjectTable::read(std::istream& in)
{
    skipByteOrderMark(in);
    std::string name, model, texture;
    while (in >> name >> model >> texture)
        (*this)[name] = {model, texture};
}

namespace {

constexpr double DEGREES_PER_RADIAN = 57.29577951308232;

float toDegrees(float radians) { return static_cast<float>(static_cast<double>(radians) * DEGREES_PER_RADIAN); }

// Reads words one at a time, with one word of push-back.
class TokenReader {
public:
    explicit TokenReader(std::istream& in) : in_(in) {}
    bool next(std::string& token)
    {
        if (hasPending_) {
            token = std::move(pending_);
            hasPending_ = false;
            return true;
        }
        return static_cast<bool>(in_ >> token);
    }
    void pushBack(std::string token)
    {
        pending_ = std::move(token);
        hasPending_ = true;
    }
    // Reads `count` numbers; on a word that is not a number, pushes it back and fails.
    bool numbers(float* out, int count)
    {
        std::string token;
        for (int i = 0; i < count; ++i) {
            if (!next(token))
                return false;
            if (!parseFloatToken(token, out[i])) {
                pushBack(std::move(token));
                return false;
            }
        }
        return true;
    }

private:
    std::istream& in_;
    std::string pending_;
    bool hasPending_ = false;
};

sf::Vector3f convertRotation(SceneRecordKind kind, const sf::Vector3f& radians)
{
    const sf::Vector3f d(toDegrees(radians.x), toDegrees(radians.y), toDegrees(radians.z));
    if (kind == SceneRecordKind::Camera)
        return {90.f - d.x, d.y, d.z};
    return {d.x + 270.f, -(d.y + 180.f), d.z};
}

sf::Uint8 colourChannel(float value)
{
    const float scaled = std::floor(value * 255.f);
    return static_cast<sf::Uint8>(std::clamp(scaled, 0.f, 255.f));
}

void readRecordBody(TokenReader& reader, SceneRecord& record)
{
    std::string token;
    bool nulled = false;
    while (reader.next(token)) {
        if (token == "ENDOBJ")
            return;
        if (nulled)
            continue;
        float v[3];
        if (token == "NAME") {
            if (reader.next(token)) {
                record.name = token;
                nulled = record.name == "NULL";
            }
        } else if (token == "LOC") {
            if (reader.numbers(v, 3))
                record.positions.push_back({v[0], v[1], v[2]});
        } else if (token == "ROT") {
            // An angle too large for degrees in a float would turn every later pose into NaN.
            const bool read = reader.numbers(v, 3);
            const sf::Vector3f r = read ? convertRotation(record.kind, {v[0], v[1], v[2]}) : sf::Vector3f();
            if (read && std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.z))
                record.rotations.push_back(r);
        } else if (token == "INTENSITY" && record.kind == SceneRecordKind::Light) {
            if (reader.numbers(v, 1))
                record.intensity = v[0];
        } else if (token == "RANGE" && record.kind == SceneRecordKind::Light) {
            if (reader.numbers(v, 1))
                record.range = v[0];
        } else if (token == "COLOR") {
            if (reader.numbers(v, 3) && record.kind == SceneRecordKind::Light)
                record.colour = sf::Color(colourChannel(v[0]), colourChannel(v[1]), colourChannel(v[2]));
        }
    }
}

} // namespace

std::vector<SceneRecord> readSceneRecords(std::istream& in)
{
    skipByteOrderMark(in);
    std::vector<SceneRecord> records;
    TokenReader reader(in);
    std::string token;
    while (reader.next(token)) {
        if (token != "OBJECTTYPE" || !reader.next(token))
            continue;
        SceneRecord record;
        if (token == "camera")
            record.kind = SceneRecordKind::Camera;
        else if (token == "mesh")
            record.kind = SceneRecordKind::Mesh;
        else if (token == "light")
            record.kind = SceneRecordKind::Light;
        else
            continue; // unknown kind: its keys are skipped up to the next OBJECTTYPE
        readRecordBody(reader, record);
        records.push_back(std::move(record));
    }
    return records;
}

std::string objectNameOf(const std::string& recordName)
{
    const size_t dot = recordName.rfind('.');
    return dot == std::string::npos ? recordName : recordName.substr(0, dot);
}

namespace {

sf::Vector3f firstOr0(const std::vector<sf::Vector3f>& keys) { return keys.empty() ? sf::Vector3f() : keys.front(); }

void addMeshObject(Engine& engine, WorldObjectTable& table, SceneRecord& record, int sceneId)
{
    if (record.name.find("NULL") != std::string::npos)
        return;
    const std::string objectName = objectNameOf(record.name);
    const WorldObjectEntry& entry = table[objectName];
    sf::Texture* texture = engine.textures.getTexture(entry.texturePath, TextureUse::Scene);
    if (!texture)
        return;
    std::unique_ptr<Mesh> mesh = loadObjMesh(engine, entry.modelPath, texture, firstOr0(record.positions), false);
    if (!mesh)
        return;
    mesh->rotation = firstOr0(record.rotations);
    mesh->texturePath = entry.texturePath;
    if (objectName == "GreenPlanet")
        mesh->kinds.add(MeshKind::GreenPlanet); // whatever model the table gives it
    SceneObjectRecord object;
    object.name = objectName;
    object.sceneId = sceneId;
    object.mesh = std::move(mesh);
    object.positions = std::move(record.positions);
    object.rotations = std::move(record.rotations);
    engine.world.sceneObjects.push_back(std::move(object));
}

void addLightObject(Engine& engine, WorldObjectTable& table, SceneRecord& record, int sceneId)
{
    sf::Texture* texture = engine.textures.getTexture("2D/hitbox.png", TextureUse::Scene);
    std::unique_ptr<Mesh> mesh =
        loadObjMesh(engine, table["PlayerSmall"].modelPath, texture, firstOr0(record.positions), false);
    if (!mesh)
        return;
    mesh->lightData = {record.intensity, record.range, record.colour};
    mesh->rename("light");
    mesh->tags.push_back("light");
    if (scene::hidesLightGlow(sceneId))
        mesh->tags.push_back("noTavlo");
    SceneObjectRecord object;
    object.sceneId = sceneId;
    object.mesh = std::move(mesh);
    object.positions = std::move(record.positions);
    engine.world.sceneObjects.push_back(std::move(object));
}

} // namespace

namespace {
std::mutex g_readAheadMutex;
std::unordered_map<std::string, SceneFileRead> g_readAhead;

// The records read ahead for `path` when the file is still as they were read.
SceneFileRead takeSceneFileReadAhead(const std::string& path)
{
    SceneFileRead read;
    {
        std::lock_guard<std::mutex> lock(g_readAheadMutex);
        const auto found = g_readAhead.find(path);
        if (found == g_readAhead.end())
            return read;
        read = std::move(found->second);
        g_readAhead.erase(found);
    }
    FileStamp now;
    if (!stampOf(resolveAssetPath(path), now) || !(now == read.stamp))
        return SceneFileRead{};
    return read;
}
} // namespace

SceneFileRead readSceneFile(const std::string& path)
{
    SceneFileRead read;
    const std::string file = resolveAssetPath(path);
    std::ifstream in(file, std::ios::binary);
    if (!in || !stampOf(file, read.stamp))
        return read;
    read.opened = true;
    read.records = readSceneRecords(in);
    return read;
}

void keepSceneFileReadAhead(const std::string& path, SceneFileRead read)
{
    std::lock_guard<std::mutex> lock(g_readAheadMutex);
    g_readAhead[path] = std::move(read);
}

void forgetSceneFilesReadAhead()
{
    std::lock_guard<std::mutex> lock(g_readAheadMutex);
    g_readAhead.clear();
}

void loadSceneFile(Engine& engine, const std::string& path, int sceneId, float startSeconds)
{
    WorldObjectTable table;
    engine.world.sceneLoading = true;
    SceneFileRead read = takeSceneFileReadAhead(path);
    if (!read.opened)
        read = readSceneFile(path);
    if (!read.opened)
        reportUnreadableDataFile(resolveAssetPath(path));
    for (SceneRecord& record : read.records) {
        switch (record.kind) {
        case SceneRecordKind::Camera:
            appendCameraFrames(engine.world.cameraFrames, record);
            break;
        case SceneRecordKind::Mesh:
            addMeshObject(engine, table, record, sceneId);
            break;
        case SceneRecordKind::Light:
            addLightObject(engine, table, record, sceneId);
            break;
        }
    }
    engine.world.sceneLoaded = true;
    markFramesPlayed(engine.world.cameraFrames, startSeconds);
    engine.world.sceneLoading = false;
    engine.purgeUnusedTextures();
}
