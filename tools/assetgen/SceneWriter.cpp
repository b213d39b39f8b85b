#include "tools/assetgen/SceneWriter.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace assetgen {

namespace {
constexpr double DEG_PER_RAD = 57.29577951308232;

std::string format(const char* fmt, double a, double b, double c)
{
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, fmt, a, b, c);
    return buffer;
}

std::string loc(Vec3 p) { return format("LOC %.1f %.1f %.1f\n", p.x, p.y, p.z); }

// Camera keys are stored as (90 - x, y, z) degrees.
std::string cameraRot(Vec3 r) { return format("ROT %.7f %.7f %.7f\n", (90.0 - r.x) / DEG_PER_RAD, r.y / DEG_PER_RAD, r.z / DEG_PER_RAD); }

// Mesh keys are stored as (x + 270, -(y + 180), z) degrees.
std::string meshRot(Vec3 r)
{
    return format("ROT %.7f %.7f %.7f\n", (r.x - 270.0) / DEG_PER_RAD, (-r.y - 180.0) / DEG_PER_RAD, r.z / DEG_PER_RAD);
}
} // namespace

CameraPose lookAt(Vec3 eye, Vec3 target)
{
    Vec3 v = normalised(target - eye);
    float pitch = static_cast<float>(std::asin(std::max(-1.f, std::min(1.f, v.y))) * DEG_PER_RAD);
    float yaw = static_cast<float>(std::atan2(-v.x, v.z) * DEG_PER_RAD);
    return {eye, {pitch, yaw, 0.f}};
}

void SceneWriter::cameraPath(const std::vector<CameraPose>& frames)
{
    if (frames.empty())
        return;
    // Frame k takes position key k and rotation key k + 1: one extra key each.
    text_ += "OBJECTTYPE camera NAME Camera\n";
    for (const CameraPose& f : frames)
        text_ += loc(f.position);
    text_ += loc(frames.back().position);
    text_ += cameraRot(frames.front().rotation);
    for (const CameraPose& f : frames)
        text_ += cameraRot(f.rotation);
    text_ += "ENDOBJ\n";
}

void SceneWriter::mesh(const std::string& name, Vec3 position, Vec3 rotation)
{
    text_ += "OBJECTTYPE mesh NAME " + name + "\n" + loc(position) + meshRot(rotation) + "ENDOBJ\n";
}

void SceneWriter::animatedMesh(const std::string& name, const std::vector<Vec3>& positions, Vec3 rotation)
{
    text_ += "OBJECTTYPE mesh NAME " + name + "\n";
    for (const Vec3& p : positions)
        text_ += loc(p);
    text_ += meshRot(rotation) + "ENDOBJ\n";
}

void SceneWriter::light(const std::string& name, Vec3 position, float intensity, float range, Vec3 c)
{
    char values[160];
    std::snprintf(values, sizeof values, "INTENSITY %.3f RANGE %.1f COLOR %.3f %.3f %.3f\n", intensity, range, c.x, c.y, c.z);
    text_ += "OBJECTTYPE light NAME " + name + "\n" + loc(position) + values + "ENDOBJ\n";
}

bool SceneWriter::save(const std::string& path) const
{
    std::ofstream out(path, std::ios::binary);
    out << text_;
    return static_cast<bool>(out);
}

} // namespace assetgen
