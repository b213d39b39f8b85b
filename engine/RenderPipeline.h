#pragma once
// The per-frame CPU work of the 3D renderer, free of GL: each visible mesh is
// moved, its triangles transformed, projected and coloured, back faces and
// far-off faces dropped, the rest sorted far to near and copied into the
// mesh's batch; then the batches are put in painter's order. The triangle
// work runs on the OpenMP team; the results do not depend on the team size.
// Batches and scratch buffers are reused from frame to frame.
#include "engine/Math3D.h"
#include "engine/Mesh.h"

#include <SFML/Graphics/Vertex.hpp>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct FrameSettings {
    Camera camera;
    float frameTime = 0.f;
    bool paused = false; // the game is paused: meshes are drawn where they stand
    sf::Vector3f lightPosition;
    float worldLighting = 3.5f;
    bool depthView = false;
    int sceneId = 0;
    int threads = 0; // 0: the OpenMP default team
};

// One projected mesh, drawn with one call.
struct Batch {
    Mesh* mesh = nullptr;
    std::vector<sf::Vertex> vertices; // three per kept face, far to near
    const sf::Texture* texture = nullptr;   // the bound texture (the triangles')
    sf::Shader* shader = nullptr;
    MeshKinds kinds; // the mesh's
    float depth = 0.f;
    bool notEmissive = false;
    bool opaque = false; // hides what lies behind: drawn without blending
};

// Painter's order: true when a is drawn before b. Far first, except that when
// either batch is space scenery the nearer comes first.
bool compareBatches(const Batch& a, const Batch& b);
// Stable merge sort with compareBatches (well defined for any comparator).
void sortBatches(std::vector<Batch*>& batches, std::vector<Batch*>& scratch);

// Whether a screen point lies in the box that keeps objects and faces.
inline bool insideKeepBox(const sf::Vector2f& s) { return s.x > -9000.f && s.x <= 10920.f && s.y > -9000.f && s.y <= 10080.f; }

// The world-space unit normal of one of the mesh's triangles at its current
// placement, as the last projection pass computed it (NaN when degenerate).
sf::Vector3f faceNormal(const Mesh& mesh, size_t triangle);

class RenderPipeline {
public:
    // Forgets the batches of the previous frame (their storage is kept).
    void beginFrame();
    // Moves and projects the mesh, culls and sorts its faces and appends its batch.
    Batch& projectMesh(Mesh& mesh, const FrameSettings& settings);
    // Puts the batches in painter's order.
    void sortBatches();

    const std::vector<Batch*>& batches() const { return batches_; }

private:
    static constexpr size_t MAX_RADIX_SIZE = size_t(1) << 11;
    // A kept face's three drawn corners, one cache line each, waiting for the sort.
    struct alignas(64) StagedFace {
        sf::Vertex corners[3];
    };
    // What one member of the team found: its kept faces' sort entries, in order.
    struct alignas(64) ThreadSlot {
        size_t kept = 0;
        const std::uint64_t* sorted = nullptr;
        ScreenBounds bounds;
        std::uint32_t histogram[MAX_RADIX_SIZE];
        size_t position[MAX_RADIX_SIZE];
    };
    void processTriangles(Mesh& mesh, const FrameSettings& settings, int threads);
    // Where each member's sorted entries meet the merged order at `rank`.
    void splitSortedRuns(int team, size_t rank, size_t total, size_t* split) const;

    std::vector<std::unique_ptr<Batch>> pool_;
    std::vector<Batch*> batches_;
    std::vector<Batch*> mergeScratch_;
    std::vector<StagedFace> staged_;
    std::vector<std::uint64_t> entries_; // far-first depth key << 32 | staged face index
    std::vector<std::uint64_t> entriesScratch_;
    std::vector<ThreadSlot> slots_;
    std::vector<size_t> cursors_; // per member, a position in every member's sorted entries
};
