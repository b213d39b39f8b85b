#include "tools/assetgen/MeshBuilder.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

namespace assetgen {

namespace {
constexpr float PI = 3.14159265f;
}

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 normalised(Vec3 a)
{
    float l = std::sqrt(dot(a, a));
    return l > 0.f ? a * (1.f / l) : Vec3{0, 0, 1};
}

Placement Placement::turnedZ(float degrees, Vec3 origin)
{
    float c = std::cos(degrees * PI / 180.f), s = std::sin(degrees * PI / 180.f);
    return Placement{origin, {c, s, 0}, {-s, c, 0}, {0, 0, 1}};
}

Placement Placement::turnedX(float degrees, Vec3 origin)
{
    float c = std::cos(degrees * PI / 180.f), s = std::sin(degrees * PI / 180.f);
    return Placement{origin, {1, 0, 0}, {0, c, s}, {0, -s, c}};
}

int MeshBuilder::vertex(Vec3 p, Vec2 uv)
{
    positions_.push_back(p);
    uvs_.push_back(uv);
    return static_cast<int>(positions_.size()) - 1;
}

void MeshBuilder::triangle(int a, int b, int c)
{
    Vec3 e1 = positions_[b] - positions_[a], e2 = positions_[c] - positions_[a];
    Vec3 n = cross(e1, e2);
    if (dot(n, n) <= 1e-10f * dot(e1, e1) * dot(e2, e2))
        return; // degenerate (a sliver or a point): no face
    faces_.push_back({a, b, c});
}

void MeshBuilder::quad(int a, int b, int c, int d)
{
    triangle(a, b, c);
    triangle(a, c, d);
}

void MeshBuilder::sphere(const Placement& at, float radius, int segments, int rings, bool inward, std::array<float, 4> uv)
{
    std::vector<int> grid;
    for (int r = 0; r <= rings; ++r) {
        float lat = -PI / 2 + PI * r / rings;
        float ring = (r == 0 || r == rings) ? 0.f : std::cos(lat); // poles exactly on the axis
        for (int s = 0; s <= segments; ++s) {
            float lon = 2 * PI * s / segments;
            Vec3 p{ring * std::cos(lon) * radius, ring * std::sin(lon) * radius, std::sin(lat) * radius};
            grid.push_back(vertex(at.apply(p), {uv[0] + (uv[2] - uv[0]) * s / segments, uv[1] + (uv[3] - uv[1]) * r / rings}));
        }
    }
    auto id = [&](int r, int s) { return grid[r * (segments + 1) + s]; };
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < segments; ++s) {
            int a = id(r, s), b = id(r, s + 1), c = id(r + 1, s + 1), d = id(r + 1, s);
            if (inward)
                quad(a, d, c, b);
            else
                quad(a, b, c, d);
        }
}

void MeshBuilder::box(const Placement& at, Vec3 c, Vec3 h, std::array<float, 4> uv)
{
    // Each face: a corner and two edge vectors whose cross product points outward.
    const Vec3 faces[6][3] = {
        {{c.x - h.x, c.y - h.y, c.z + h.z}, {2 * h.x, 0, 0}, {0, 2 * h.y, 0}},  // top (+Z)
        {{c.x - h.x, c.y + h.y, c.z - h.z}, {2 * h.x, 0, 0}, {0, -2 * h.y, 0}}, // bottom (-Z)
        {{c.x - h.x, c.y - h.y, c.z - h.z}, {2 * h.x, 0, 0}, {0, 0, 2 * h.z}},  // front (-Y)
        {{c.x + h.x, c.y + h.y, c.z - h.z}, {-2 * h.x, 0, 0}, {0, 0, 2 * h.z}}, // back (+Y)
        {{c.x + h.x, c.y - h.y, c.z - h.z}, {0, 2 * h.y, 0}, {0, 0, 2 * h.z}},  // right (+X)
        {{c.x - h.x, c.y + h.y, c.z - h.z}, {0, -2 * h.y, 0}, {0, 0, 2 * h.z}}, // left (-X)
    };
    for (const auto& f : faces) {
        int a = vertex(at.apply(f[0]), {uv[0], uv[1]});
        int b = vertex(at.apply(f[0] + f[1]), {uv[2], uv[1]});
        int cc = vertex(at.apply(f[0] + f[1] + f[2]), {uv[2], uv[3]});
        int d = vertex(at.apply(f[0] + f[2]), {uv[0], uv[3]});
        quad(a, b, cc, d);
    }
}

void MeshBuilder::lathe(const Placement& at, const std::vector<Vec2>& profile, int segments, std::array<float, 4> uv)
{
    if (profile.size() < 2)
        return;
    std::vector<int> grid;
    const int rows = static_cast<int>(profile.size());
    for (int r = 0; r < rows; ++r)
        for (int s = 0; s <= segments; ++s) {
            float a = 2 * PI * s / segments;
            Vec3 p{std::cos(a) * profile[r].u, std::sin(a) * profile[r].u, profile[r].v};
            grid.push_back(vertex(at.apply(p), {uv[0] + (uv[2] - uv[0]) * s / segments, uv[1] + (uv[3] - uv[1]) * r / (rows - 1)}));
        }
    auto id = [&](int r, int s) { return grid[r * (segments + 1) + s]; };
    for (int r = 0; r + 1 < rows; ++r)
        for (int s = 0; s < segments; ++s)
            quad(id(r, s), id(r, s + 1), id(r + 1, s + 1), id(r + 1, s));
}

void MeshBuilder::prism(const Placement& at, const std::vector<Vec2>& poly, float z0, float z1, std::array<float, 4> uv)
{
    const int n = static_cast<int>(poly.size());
    if (n < 3)
        return;
    float minX = poly[0].u, maxX = poly[0].u, minY = poly[0].v, maxY = poly[0].v;
    for (const Vec2& p : poly) {
        minX = std::min(minX, p.u), maxX = std::max(maxX, p.u);
        minY = std::min(minY, p.v), maxY = std::max(maxY, p.v);
    }
    auto capUv = [&](Vec2 p) {
        return Vec2{uv[0] + (uv[2] - uv[0]) * (p.u - minX) / std::max(maxX - minX, 1e-6f),
                    uv[1] + (uv[3] - uv[1]) * (p.v - minY) / std::max(maxY - minY, 1e-6f)};
    };
    std::vector<int> top, bottom;
    for (const Vec2& p : poly) {
        top.push_back(vertex(at.apply({p.u, p.v, z1}), capUv(p)));
        bottom.push_back(vertex(at.apply({p.u, p.v, z0}), capUv(p)));
    }
    for (int i = 1; i + 1 < n; ++i) {
        triangle(top[0], top[i], top[i + 1]);
        triangle(bottom[0], bottom[i + 1], bottom[i]);
    }
    for (int i = 0; i < n; ++i) {
        const Vec2 &p = poly[i], &q = poly[(i + 1) % n];
        float u0 = uv[0] + (uv[2] - uv[0]) * i / n, u1 = uv[0] + (uv[2] - uv[0]) * (i + 1) / n;
        int a = vertex(at.apply({p.u, p.v, z0}), {u0, uv[1]});
        int b = vertex(at.apply({q.u, q.v, z0}), {u1, uv[1]});
        int c = vertex(at.apply({q.u, q.v, z1}), {u1, uv[3]});
        int d = vertex(at.apply({p.u, p.v, z1}), {u0, uv[3]});
        quad(a, b, c, d);
    }
}

void MeshBuilder::plate(const Placement& at, float width, float height, int nx, int ny, std::array<float, 4> uv)
{
    std::vector<int> grid;
    for (int j = 0; j <= ny; ++j)
        for (int i = 0; i <= nx; ++i) {
            float fx = static_cast<float>(i) / nx, fy = static_cast<float>(j) / ny;
            grid.push_back(vertex(at.apply({(fx - 0.5f) * width, (fy - 0.5f) * height, 0}),
                                  {uv[0] + (uv[2] - uv[0]) * fx, uv[1] + (uv[3] - uv[1]) * fy}));
        }
    auto id = [&](int j, int i) { return grid[j * (nx + 1) + i]; };
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i)
            quad(id(j, i), id(j, i + 1), id(j + 1, i + 1), id(j + 1, i));
}

void MeshBuilder::cubeSphere(float radius, int n, bool inward)
{
    // Each face: centre direction and two edge directions (right-handed: a x b = centre).
    const Vec3 faces[6][3] = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},   {{-1, 0, 0}, {0, -1, 0}, {0, 0, 1}},
                              {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
                              {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},   {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}}};
    for (const auto& f : faces) {
        std::vector<int> grid;
        for (int j = 0; j <= n; ++j)
            for (int i = 0; i <= n; ++i) {
                float a = 2.f * i / n - 1.f, b = 2.f * j / n - 1.f;
                Vec3 p = normalised(f[0] + f[1] * a + f[2] * b) * radius;
                grid.push_back(vertex(p, {static_cast<float>(i) / n, static_cast<float>(j) / n}));
            }
        auto id = [&](int j, int i) { return grid[j * (n + 1) + i]; };
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) {
                if (inward)
                    quad(id(j, i), id(j + 1, i), id(j + 1, i + 1), id(j, i + 1));
                else
                    quad(id(j, i), id(j, i + 1), id(j + 1, i + 1), id(j + 1, i));
            }
    }
}

bool MeshBuilder::write(const std::string& basePath, const MaterialValues& m) const
{
    std::filesystem::create_directories(std::filesystem::path(basePath).parent_path());
    std::string name = std::filesystem::path(basePath).filename().string();
    FILE* mtl = std::fopen((basePath + ".mtl").c_str(), "w");
    if (!mtl)
        return false;
    std::fprintf(mtl, "newmtl %s\nNs %.3f\nKa %.3f %.3f %.3f\nKd %.3f %.3f %.3f\nKs %.3f %.3f %.3f\nKe %.3f %.3f %.3f\nNi %.3f\nd %.3f\nillum 2\n",
                 name.c_str(), m.ns, m.ka.x, m.ka.y, m.ka.z, m.kd.x, m.kd.y, m.kd.z, m.ks.x, m.ks.y, m.ks.z, m.ke.x, m.ke.y, m.ke.z, m.ni, m.d);
    std::fclose(mtl);

    FILE* obj = std::fopen((basePath + ".obj").c_str(), "w");
    if (!obj)
        return false;
    std::fprintf(obj, "mtllib %s.mtl\no %s\n", name.c_str(), name.c_str());
    for (const Vec3& p : positions_)
        std::fprintf(obj, "v %.5f %.5f %.5f\n", p.x, p.y, p.z);
    for (const Vec2& t : uvs_)
        std::fprintf(obj, "vt %.5f %.5f\n", t.u, t.v);
    for (const auto& f : faces_) {
        Vec3 n = normalised(cross(positions_[f[1]] - positions_[f[0]], positions_[f[2]] - positions_[f[0]]));
        std::fprintf(obj, "vn %.4f %.4f %.4f\n", n.x, n.y, n.z);
    }
    std::fprintf(obj, "usemtl %s\ns off\n", name.c_str());
    for (size_t i = 0; i < faces_.size(); ++i) {
        const auto& f = faces_[i];
        std::fprintf(obj, "f %d/%d/%zu %d/%d/%zu %d/%d/%zu\n", f[0] + 1, f[0] + 1, i + 1, f[1] + 1, f[1] + 1, i + 1, f[2] + 1,
                     f[2] + 1, i + 1);
    }
    return std::fclose(obj) == 0;
}

} // namespace assetgen
