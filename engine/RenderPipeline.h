#pragma once
// The per-frame CPU work of the 3D renderer, free of GL: each visible mesh is
// moved, its triangles transformed, projected and coloured, back faces and
// far-off faces dropped, the rest sorted far to near and copied into the
// mesh's batch; then the batches are put in painter's order. The meshes of a
// frame are worked on together by a team of the main thread and helper
// threads, sized from the cores this process may use and the frame's faces
// (engine/HelperTeam.h); the results do not depend on the team size. Batches
// and scratch buffers are reused from frame to frame.
#include "engine/HelperTeam.h"
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
    int threads = 0; // the most members the work is shared by (0: the cores this process may use)
    // A mesh whose every corner lies past one edge of the window is not judged face by face
    // (false: every face is; the same faces are kept either way).
    bool skipMeshesOffWindow = true;
};

// A batch's vertices: a stretch of the pipeline's buffer for the frame, where
// the batches lie one after the other in painter's order.
class VertexSpan {
public:
    VertexSpan() = default;
    VertexSpan(const std::vector<sf::Vertex>* buffer, size_t first, size_t count)
        : buffer_(buffer), first_(first), count_(count)
    {
    }
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    const sf::Vertex* data() const { return buffer_ ? buffer_->data() + first_ : nullptr; }
    const sf::Vertex* begin() const { return data(); }
    const sf::Vertex* end() const { return data() + count_; }
    const sf::Vertex& operator[](size_t i) const { return data()[i]; }
    const sf::Vertex& front() const { return data()[0]; }
    const sf::Vertex& at(size_t i) const;
    // Whether `next` starts where this one ends, in the same buffer.
    bool runsInto(const VertexSpan& next) const { return buffer_ == next.buffer_ && first_ + count_ == next.first_; }

private:
    const std::vector<sf::Vertex>* buffer_ = nullptr;
    size_t first_ = 0, count_ = 0;
};

// One projected mesh, drawn with one call.
struct Batch {
    Mesh* mesh = nullptr;
    VertexSpan vertices; // three per kept face, far to near
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

class RenderPipeline {
public:
    RenderPipeline();
    ~RenderPipeline();
    RenderPipeline(const RenderPipeline&) = delete;
    RenderPipeline& operator=(const RenderPipeline&) = delete;

    // Forgets the batches of the previous frame (their storage is kept).
    void beginFrame();
    // Moves the meshes in list order, then projects them together, culls and
    // sorts their faces and appends their batches in painter's order, their
    // vertices one after the other.
    void projectMeshes(Mesh* const* meshes, size_t count, const FrameSettings& settings);
    // The same for one mesh; returns its batch.
    Batch& projectMesh(Mesh& mesh, const FrameSettings& settings);
    // Puts the batches appended by several calls in painter's order.
    void sortBatches();

    const std::vector<Batch*>& batches() const { return batches_; }
    // Faces judged one by one this frame (those of meshes wholly off the window are not).
    size_t facesJudged() const { return facesJudged_; }
    // Helper threads started so far.
    int helpers() const { return team_.helpers(); }

private:
    static constexpr size_t MAX_RADIX_SIZE = size_t(1) << 11;
    // A kept face's three drawn corners, one cache line each, waiting for the sort.
    struct alignas(64) StagedFace {
        sf::Vertex corners[3];
    };
    // One mesh of the frame: its batch, where its faces are staged in the
    // frame's buffers, and the pieces it is worked on in.
    struct MeshJob {
        Mesh* mesh;
        Batch* batch;
        size_t offset;     // of its faces in the staging buffers
        size_t firstPiece;
        size_t pieces;
        size_t firstVertex; // in vertices_
        bool offWindow;     // wholly off the window: none of its faces is judged
    };
    // Faces [begin, end) of a mesh, judged, staged and sorted by one member.
    struct Piece {
        size_t job = 0;
        size_t begin = 0, end = 0;
        size_t kept = 0;
        const std::uint64_t* sorted = nullptr; // the kept faces' sort entries, in order
        ScreenBounds bounds;
    };
    // Faces [outBegin, outEnd) of a mesh's batch, gathered (or merged from its pieces) by one member.
    struct Share {
        size_t job;
        size_t outBegin, outEnd;
    };
    // What one member works with.
    struct alignas(64) MemberScratch {
        std::uint32_t histogram[MAX_RADIX_SIZE];
        size_t position[MAX_RADIX_SIZE];
        std::vector<size_t> cursor; // a place in each piece's sorted entries
    };
    // Moves the mesh for this frame and appends its batch (faces to come).
    Batch& prepare(Mesh& mesh, const FrameSettings& settings);
    void judgePiece(Piece& piece, MemberScratch& scratch);
    void writeShare(const Share& share, MemberScratch& scratch);
    // Where each piece's sorted entries meet the merged order at `rank`.
    static void splitSortedRuns(const Piece* runs, size_t team, size_t rank, size_t total, size_t* split);

    std::vector<std::unique_ptr<Batch>> pool_;
    std::vector<Batch*> batches_;
    std::vector<Batch*> mergeScratch_;
    std::vector<Batch*> added_; // the batches of one projectMeshes call
    std::vector<sf::Vertex> vertices_; // the frame's batches', in painter's order
    size_t usedVertices_ = 0;          // of vertices_, by this frame
    size_t facesJudged_ = 0;           // this frame
    std::vector<MeshJob> jobs_;
    std::vector<Piece> pieces_;
    std::vector<size_t> order_; // pieces, biggest first
    std::vector<Share> shares_;
    const FrameSettings* settings_ = nullptr; // of the frame being projected
    std::vector<StagedFace> staged_;
    std::vector<std::uint64_t> entries_; // far-first depth key << 32 | staged face index
    std::vector<std::uint64_t> entriesScratch_;
    std::vector<MemberScratch> scratch_;
    HelperTeam team_; // last: its helpers stop before the buffers they work on go
};
