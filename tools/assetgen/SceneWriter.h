#pragma once
// Writes scene files: camera paths sampled at 60 frames per second, mesh
// records and light records, in the token format the scene loader reads.
// Positions are world units; rotations are given as the engine uses them
// (degrees) and converted back to the file's radians here.
#include "tools/assetgen/MeshBuilder.h"

#include <string>
#include <vector>

namespace assetgen {

// Engine camera rotation (pitch, yaw, roll in degrees) at a position.
struct CameraPose {
    Vec3 position;
    Vec3 rotation;
};
// The pose at eye that looks at target (no roll).
CameraPose lookAt(Vec3 eye, Vec3 target);

// Rotation of a mesh made with Z up (X right, Y forward): its OBJ file reads as modelled.
const Vec3 Z_UP_ROTATION{270.f, -180.f, 0.f};

class SceneWriter {
public:
    // Appends a camera record whose path plays exactly these frames in order.
    void cameraPath(const std::vector<CameraPose>& frames);
    void mesh(const std::string& name, Vec3 position, Vec3 rotation = Z_UP_ROTATION);
    // A mesh whose position follows keyed frames (one key per path frame).
    void animatedMesh(const std::string& name, const std::vector<Vec3>& positions, Vec3 rotation = Z_UP_ROTATION);
    void light(const std::string& name, Vec3 position, float intensity, float range, Vec3 colour01);
    bool save(const std::string& path) const;

private:
    std::string text_;
};

} // namespace assetgen
