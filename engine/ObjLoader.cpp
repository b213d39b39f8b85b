#include "engine/ObjLoader.h"

#include "engine/Engine.h"
#include "engine/Math3D.h"
#include "engine/ModelCache.h"
#include "engine/TextParse.h"
#include "platform/AssetPath.h"

#include <array>
#include <cmath>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string_view>

namespace {

constexpr float MODEL_SCALE = 800.f;
// Shipped models stay within a few hundred units; anything past this is a
// broken file, and would overflow the depth arithmetic once scaled.
constexpr float MAX_MODEL_COORDINATE = 1e6f;
constexpr size_t NO_INDEX = static_cast<size_t>(-1);

struct Corner {
    size_t position = 0, texCoord = NO_INDEX, normal = NO_INDEX; // 0-based; NO_INDEX none
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// Words of one line, read in place.
class Words {
public:
    explicit Words(std::string_view line) : rest_(line) {}
    bool next(std::string_view& word)
    {
        size_t start = 0;
        while (start < rest_.size() && isBlank(rest_[start]))
            ++start;
        size_t end = start;
        while (end < rest_.size() && !isBlank(rest_[end]))
            ++end;
        word = rest_.substr(start, end - start);
        rest_.remove_prefix(end);
        return !word.empty();
    }

private:
    std::string_view rest_;
};

// Resolves a 1-based or negative OBJ index against a list of `count`; NO_INDEX when invalid.
size_t resolveIndex(std::string_view token, size_t count)
{
    long raw = 0;
    if (!parseIntToken(token, raw) || raw == 0)
        return NO_INDEX;
    const long n = static_cast<long>(count);
    const long index = raw > 0 ? raw - 1 : n + raw;
    return (index >= 0 && index < n) ? static_cast<size_t>(index) : NO_INDEX;
}

bool parseCorner(std::string_view token, size_t positions, size_t texCoords, size_t normals, Corner& corner)
{
    std::array<std::string_view, 3> parts;
    size_t part = 0, partStart = 0;
    for (size_t i = 0; i <= token.size(); ++i) {
        if (i < token.size() && token[i] != '/')
            continue;
        if (part > 2)
            return false;
        parts[part++] = token.substr(partStart, i - partStart);
        partStart = i + 1;
    }
    corner.position = resolveIndex(parts[0], positions);
    if (corner.position == NO_INDEX)
        return false;
    corner.texCoord = corner.normal = NO_INDEX;
    if (!parts[1].empty() && (corner.texCoord = resolveIndex(parts[1], texCoords)) == NO_INDEX)
        return false;
    if (!parts[2].empty() && (corner.normal = resolveIndex(parts[2], normals)) == NO_INDEX)
        return false;
    return true;
}

// Up to three numbers; a missing or bad one reads as 0.
std::array<float, 3> readFloats(Words& words)
{
    std::array<float, 3> v{0.f, 0.f, 0.f};
    std::string_view token;
    for (float& f : v) {
        if (!words.next(token))
            break;
        if (!parseFloatToken(token, f))
            f = 0.f;
    }
    return v;
}

std::array<float, 3> readPosition(Words& words)
{
    std::array<float, 3> v = readFloats(words);
    for (float& f : v)
        if (std::fabs(f) > MAX_MODEL_COORDINATE)
            f = 0.f;
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

// UTF-16 text (a byte-order mark, or zero bytes among the first characters).
bool looksLikeUtf16(std::string_view text)
{
    if (text.size() >= 2 && ((text[0] == '\xFF' && text[1] == '\xFE') || (text[0] == '\xFE' && text[1] == '\xFF')))
        return true;
    return text.substr(0, 64).find('\0') != std::string_view::npos;
}

class ObjReader {
public:
    explicit ObjReader(ObjGeometry& result) : result_(result) {}

    void reserveFor(std::string_view text)
    {
        // About 30 bytes a line; faces are about a third of the lines.
        const size_t lines = text.size() / 30;
        positions_.reserve(lines / 3);
        result_.triangles.reserve(lines / 3);
    }

    void readLine(std::string_view line)
    {
        Words words(line);
        std::string_view keyword;
        if (!words.next(keyword))
            return;
        if (keyword == "v") {
            const std::array<float, 3> v = readPosition(words);
            positions_.push_back({v[0] * -MODEL_SCALE, v[1] * -MODEL_SCALE, v[2] * MODEL_SCALE});
        } else if (keyword == "vt") {
            const std::array<float, 3> t = readFloats(words);
            texCoords_.push_back({t[0], 1.f - t[1]});
        } else if (keyword == "vn") {
            const std::array<float, 3> n = readFloats(words);
            normals_.push_back({n[0], n[1], n[2]});
        } else if (keyword == "f") {
            readFace(words);
        }
    }

private:
    void readFace(Words& words)
    {
        corners_.clear();
        std::string_view token;
        while (words.next(token)) {
            Corner c;
            if (!parseCorner(token, positions_.size(), texCoords_.size(), normals_.size(), c)) {
                ++result_.skippedFaces;
                return;
            }
            corners_.push_back(c);
        }
        if (corners_.size() < 3) {
            ++result_.skippedFaces;
            return;
        }
        for (size_t i = 1; i + 1 < corners_.size(); ++i)
            addTriangle({&corners_[0], &corners_[i], &corners_[i + 1]});
    }

    void addTriangle(const std::array<const Corner*, 3>& fan)
    {
        Triangle t;
        for (size_t k = 0; k < 3; ++k) {
            const sf::Vector3f& p = positions_[fan[k]->position];
            const sf::Vector2f uv = fan[k]->texCoord != NO_INDEX ? texCoords_[fan[k]->texCoord] : sf::Vector2f();
            t.modelVertices[k] = {p.x, p.y, p.z, uv.x, uv.y};
            t.vertices[k].texCoords = uv;
        }
        if (fan[2]->normal != NO_INDEX) {
            const sf::Vector3f& n = normals_[fan[2]->normal];
            t.normal = {n.x, -n.y, n.z};
        }
        result_.triangles.push_back(t);
    }

    ObjGeometry& result_;
    std::vector<sf::Vector3f> positions_;
    std::vector<sf::Vector2f> texCoords_;
    std::vector<sf::Vector3f> normals_;
    std::vector<Corner> corners_;
};

} // namespace

ObjGeometry readObjText(std::string_view text)
{
    ObjGeometry result;
    if (looksLikeUtf16(text)) {
        result.utf16 = true;
        return result;
    }
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3); // a UTF-8 byte-order mark
    ObjReader reader(result);
    reader.reserveFor(text);
    while (!text.empty()) {
        const size_t end = text.find('\n');
        reader.readLine(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return result;
}

ObjGeometry readObjGeometry(std::istream& in)
{
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return readObjText(text);
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
    const std::shared_ptr<const ObjModel> model = loadObjModel(modelName);
    if (!model)
        return nullptr;
    auto mesh = std::make_unique<Mesh>(model->triangles, initialPosition, modelName, flag);
    mesh->material = model->material;
    mesh->updateTransform(0.f);
    if (mesh->is(MeshKind::GreenPlanet)) {
        mesh->tags.push_back("light");
        mesh->lightData = {0.f, 90000.f, sf::Color(0, 255, 0, 255)};
    }
    return mesh;
}

std::unique_ptr<Mesh> loadObjMesh(TextureCache& textures, RendererResources& renderer, const std::string& modelName,
                                  sf::Texture* baseTexture, const sf::Vector3f& initialPosition, bool flag)
{
    std::unique_ptr<Mesh> mesh = loadObjGeometry(modelName, initialPosition, flag);
    if (!mesh)
        return nullptr;
    mesh->setBaseTexture(baseTexture, textures.isOpaque(baseTexture));
    mesh->loadTextureMaps(textures, modelName);
    mesh->shader = renderer.drawingShader();
    return mesh;
}

std::unique_ptr<Mesh> loadObjMesh(Engine& engine, const std::string& modelName, sf::Texture* baseTexture,
                                  const sf::Vector3f& initialPosition, bool flag)
{
    return loadObjMesh(engine.textures, engine.renderer, modelName, baseTexture, initialPosition, flag);
}
