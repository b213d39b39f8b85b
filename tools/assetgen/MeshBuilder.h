#pragma once
// Builds triangle meshes from primitives and writes them as Wavefront OBJ
// (triangles only, every corner "v/t/n") with a one-material MTL file.
#include <array>
#include <string>
#include <vector>

namespace assetgen {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};
Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, float s);
Vec3 cross(Vec3 a, Vec3 b);
float dot(Vec3 a, Vec3 b);
Vec3 normalised(Vec3 a);

struct Vec2 {
    float u = 0, v = 0;
};

// Where a primitive goes: origin plus three basis vectors (columns).
struct Placement {
    Vec3 origin{};
    Vec3 ax{1, 0, 0}, ay{0, 1, 0}, az{0, 0, 1};
    Vec3 apply(Vec3 p) const { return origin + ax * p.x + ay * p.y + az * p.z; }
    // Turned about the Z axis by degrees, then moved.
    static Placement turnedZ(float degrees, Vec3 origin = {});
    static Placement turnedX(float degrees, Vec3 origin = {});
    static Placement at(Vec3 origin) { return Placement{origin}; }
};

struct MaterialValues {
    Vec3 ka{0.2f, 0.2f, 0.2f}, kd{0.8f, 0.8f, 0.8f}, ks{0.5f, 0.5f, 0.5f}, ke{0, 0, 0};
    float ns = 96.f, ni = 1.45f, d = 1.f;
};

// A texture region given in image terms (0..1 from the top left) as the
// OBJ-style rectangle (u0, v0, u1, v1) the primitives take (v counts up).
inline std::array<float, 4> imageRegion(float x0, float y0, float x1, float y1) { return {x0, 1.f - y1, x1, 1.f - y0}; }

class MeshBuilder {
public:
    // A corner: position and texture coordinate (v up, as OBJ files have it).
    int vertex(Vec3 p, Vec2 uv);
    // One face, counter-clockwise seen from the side its normal points to.
    void triangle(int a, int b, int c);
    void quad(int a, int b, int c, int d);

    // UV sphere: poles on Z, u around, v from south to north pole, over uvRect. inward flips the faces.
    void sphere(const Placement& at, float radius, int segments, int rings, bool inward = false,
                std::array<float, 4> uvRect = {0, 0, 1, 1});
    // Axis-aligned box around centre with half sizes; each face maps uvRect (u0, v0, u1, v1).
    void box(const Placement& at, Vec3 centre, Vec3 half, std::array<float, 4> uvRect = {0, 0, 1, 1});
    // Surface of revolution about Z of (radius, z) points from bottom to top; u around, v along the profile.
    void lathe(const Placement& at, const std::vector<Vec2>& profile, int segments, std::array<float, 4> uvRect = {0, 0, 1, 1});
    // Prism of a convex XY polygon (counter-clockwise) from z0 to z1.
    void prism(const Placement& at, const std::vector<Vec2>& polygon, float z0, float z1, std::array<float, 4> uvRect = {0, 0, 1, 1});
    // Sphere made from a subdivided cube, each of the six faces showing the whole texture
    // (no pinched poles); faces turned inward when seen from inside.
    void cubeSphere(float radius, int divisions, bool inward);
    // Flat rectangle on the XY plane facing +Z, subdivided nx by ny.
    void plate(const Placement& at, float width, float height, int nx, int ny, std::array<float, 4> uvRect = {0, 0, 1, 1});

    // Moves every vertex written so far (for rough rocks and organic shapes).
    template <class F>
    void reshape(F&& move)
    {
        for (Vec3& p : positions_)
            p = move(p);
    }

    size_t triangleCount() const { return faces_.size(); }
    size_t vertexCount() const { return positions_.size(); }

    // Writes base + ".obj" and base + ".mtl" (folders created by the caller's path).
    bool write(const std::string& basePath, const MaterialValues& material = {}) const;

private:
    std::vector<Vec3> positions_;
    std::vector<Vec2> uvs_;
    std::vector<std::array<int, 3>> faces_;
};

} // namespace assetgen
