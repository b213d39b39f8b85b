#pragma once
// Wavefront OBJ/MTL loading. Geometry and material reading need no display;
// loadObjMesh then attaches the textures and the drawing shader.
#include "engine/Mesh.h"

#include <istream>
#include <memory>
#include <string>
#include <string_view>

class RendererResources;
class TextureCache;

// OBJ lines read: "v" x y z (scaled by 800, mirrored in x and y), "vt" u v
// (v flipped), "vn", and "f" with corners v, v/t, v//n or v/t/n (1-based, or
// negative = relative to the end of the list so far). Polygons are split into
// a fan of triangles. A face with an index of 0, outside the list read so far
// or not a number is skipped and counted. '#' starts a comment line. A
// coordinate that is not a finite number, or absurdly far (beyond a million
// units), reads as 0. UTF-16 text is not read.
struct ObjGeometry {
    std::vector<Triangle> triangles;
    int skippedFaces = 0;
    bool utf16 = false; // the text was UTF-16: nothing read
};
ObjGeometry readObjGeometry(std::istream& in);
ObjGeometry readObjText(std::string_view text);

// MTL keys Ns, Ka, Kd, Ks, Ke, Ni, d; every material folds into one, the last
// value of each key wins; a value that is not a number leaves the key as it was.
Material readMaterial(std::istream& in);

// modelName + ".obj" (null when it does not open) with modelName + ".mtl" when
// present; position valid, no textures, no shader. What keeps the model from
// showing as made (no .obj, no .mtl, no triangle, faces left out) is named once
// on the error stream.
std::unique_ptr<Mesh> loadObjGeometry(const std::string& modelName, const sf::Vector3f& initialPosition, bool flag);

// The full mesh: geometry, base texture (may be null: drawn untextured), the
// texture maps, the shared drawing shader, the "GreenPlanet" light. Null when
// the .obj does not open. Not registered: hand it to Engine::addMesh to have
// the world own, update and draw it. The maps come from `textures`, the shader
// from `renderer`.
std::unique_ptr<Mesh> loadObjMesh(TextureCache& textures, RendererResources& renderer, const std::string& modelName,
                                  sf::Texture* baseTexture, const sf::Vector3f& initialPosition, bool flag);
// Transitional: the same with the engine's parts, for the engine, the menu
// scene, the fuzz targets and the tests until they hand in the parts.
std::unique_ptr<Mesh> loadObjMesh(Engine& engine, const std::string& modelName, sf::Texture* baseTexture,
                                  const sf::Vector3f& initialPosition, bool flag);
