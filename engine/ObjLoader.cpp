#include "engine/ObjLoader.h"

#include "engine/Engine.h"
#include "engine/Math3D.h"
#include "engine/TextParse.h"
#include "platform/AssetPath.h"

#include <array>
#include <fstream>
#include <sstream>

namespace {

constexpr float MODEL_SCALE = 800.f;

struct Corner {
    long position = 0, texCoord = 0, normal = 0; // 0-based after resolution; -1 none
};

// Resolves a 1-based or negative OBJ index against a list of `count`; -1 when invalid.
long resolveIndex(const std::string& token, size_t count)
{
    long raw = 0;
    if (!parseIntToken(token, raw) || raw == 0)
        return -1;
    const long n = static_cast<long>(count);
    const long index = raw > 0 ? raw - 1 : n + raw;
    return (index >= 0 && index < n) ? index : -1;
}

bool parseCorner(const std::string& token, size_t positions, size_t texCoords, size_t normals, Corner& corner)
{
    std::array<std::string, 3> parts;
    size_t part = 0;
    for (char c : token) {
        if (c == '/') {
            if (++part > 2)
                return false;
        } else {
            parts[part] += c;
        }
    }
    corner.position = resolveIndex(parts[0], positions);
    if (corner.position < 0)
        return false;
    corner.texCoord = -1;
    corner.normal = -1;
    if (!parts[1].empty() && (corner.texCoord = resolveIndex(parts[1], texCoords)) < 0)
        return false;
    if (!parts[2].empty() && (corner.normal = resolveIndex(parts[2], normals)) < 0)
        return false;
    return true;
}

std::array<float, 3> readFloats(std::istringstream& line)
{
    std::array<float, 3> v{0.f, 0.f, 0.f};
    std::string token;
    for (float& f : v) {
        if (!(line >> token))
            break;
        if (!parseFloatToken(token, f))
            f = 0.f;
    }
    return v;
}

bool readVector(std::istringstream& line, sf::Vector3f& out)
{
    std::string token;
    sf::Vector3f v;
    for (float* f : {&v.x, &v.y, &v.z})
        if (!(line >> token) || !parseFloatToken(token, *f))
            return false;
    out = v;
    return true;
}

bool readScalar(std::istringstream& line, float& out)
{
    std::string token;
    float v = 0.f;
    if (!(line >> token) || !parseFloatToken(token, v))
        return false;
    out = v;
    return true;
}

} // namespace

ObjGeometry readObjGeometry(std::istream& in)
{
    ObjGeometry result;
    std::vector<sf::Vector3f> positions;
    std::vector<sf::Vector2f> texCoords;
    std::vector<sf::Vector3f> normals;
    std::vector<Corner> corners;
    std::string line, keyword, token;
    while (std::getline(in, line)) {
        stripCarriageReturn(line);
        std::istringstream words(line);
        if (!(words >> keyword))
            continue;
        if (keyword == "v") {
            const std::array<float, 3> v = readFloats(words);
            positions.push_back({v[0] * -MODEL_SCALE, v[1] * -MODEL_SCALE, v[2] * MODEL_SCALE});
        } else if (keyword == "vt") {
            const std::array<float, 3> t = readFloats(words);
            texCoords.push_back({t[0], 1.f - t[1]});
        } else if (keyword == "vn") {
            const std::array<float, 3> n = readFloats(words);
            normals.push_back({n[0], n[1], n[2]});
        } else if (keyword == "f") {
            corners.clear();
            bool valid = true;
            while (words >> token) {
                Corner c;
                if (!parseCorner(token, positions.size(), texCoords.size(), normals.size(), c)) {
                    valid = false;
                    break;
                }
                corners.push_back(c);
            }
            if (!valid || corners.size() < 3) {
                ++result.skippedFaces;
                continue;
            }
            for (size_t i = 1; i + 1 < corners.size(); ++i) {
                const Corner* fan[3] = {&corners[0], &corners[i], &corners[i + 1]};
                Triangle t;
                for (int k = 0; k < 3; ++k) {
                    const sf::Vector3f& p = positions[fan[k]->position];
                    const sf::Vector2f uv = fan[k]->texCoord >= 0 ? texCoords[fan[k]->texCoord] : sf::Vector2f();
                    t.modelVertices[k] = {p.x, p.y, p.z, uv.x, uv.y};
                    t.vertices[k].texCoords = uv;
                }
                if (fan[2]->normal >= 0) {
                    const sf::Vector3f& n = normals[fan[2]->normal];
                    t.normal = {n.x, -n.y, n.z};
                }
                result.triangles.push_back(t);
            }
        }
    }
    return result;
}

Material readMaterial(std::istream& in)
{
    Material m;
    std::string line, key;
    while (std::getline(in, line)) {
        stripCarriageReturn(line);
        std::istringstream words(line);
        if (!(words >> key))
            continue;
        if (key == "Ns")
            readScalar(words, m.Ns);
        else if (key == "Ni")
            readScalar(words, m.Ni);
        else if (key == "d")
            readScalar(words, m.d);
        else if (key == "Ka")
            readVector(words, m.Ka);
        else if (key == "Kd")
            readVector(words, m.Kd);
        else if (key == "Ks")
            readVector(words, m.Ks);
        else if (key == "Ke")
            readVector(words, m.Ke);
    }
    return m;
}

std::unique_ptr<Mesh> loadObjGeometry(const std::string& modelName, const sf::Vector3f& initialPosition, bool flag)
{
    std::ifstream obj(resolveAssetPath(modelName + ".obj"), std::ios::binary);
    if (!obj)
        return nullptr;
    skipByteOrderMark(obj);
    ObjGeometry geometry = readObjGeometry(obj);
    auto mesh = std::make_unique<Mesh>(std::move(geometry.triangles), initialPosition, modelName, flag);
    std::ifstream mtl(resolveAssetPath(modelName + ".mtl"), std::ios::binary);
    if (mtl) {
        skipByteOrderMark(mtl);
        mesh->material = readMaterial(mtl);
    }
    mesh->updateTransform(0.f);
    if (modelName.find("GreenPlanet") != std::string::npos) {
        mesh->tags.push_back("light");
        mesh->lightData = {0.f, 90000.f, sf::Color(0, 255, 0, 255)};
    }
    return mesh;
}

Mesh* loadObjMesh(Engine& engine, const std::string& modelName, sf::Texture* baseTexture,
                  const sf::Vector3f& initialPosition, bool doNotRegister, bool flag)
{
    std::unique_ptr<Mesh> mesh = loadObjGeometry(modelName, initialPosition, flag);
    if (!mesh)
        return nullptr;
    mesh->setBaseTexture(baseTexture);
    mesh->loadTextureMaps(engine, modelName);
    mesh->shader = engine.drawingShader();
    Mesh* result = mesh.release();
    if (!doNotRegister)
        engine.addMesh(result);
    return result;
}
