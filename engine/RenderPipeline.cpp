#include "engine/RenderPipeline.h"

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <omp.h>

namespace {

// Each member of the team gets at least this many triangles: small meshes
// are not worth waking (and waiting at barriers for) the whole team.
constexpr size_t TRIANGLES_PER_THREAD = 4096;
// Faces transformed together by the vector loop.
constexpr size_t BLOCK = 256;
// Meshes up to this size sort on 8-bit digits, larger ones on 11-bit digits.
constexpr size_t SMALL_MESH = 65536;
constexpr float DEPTH_VIEW_SPAN = 150000.f;

// Sort key that orders faces far to near: depths are never negative, so their
// bit patterns grow with the depth; inverted, far faces come first.
inline std::uint32_t farFirstKey(float depth)
{
    std::uint32_t bits;
    std::memcpy(&bits, &depth, sizeof bits);
    return ~bits;
}

inline sf::Uint8 greyOf(float value)
{
    if (!(value > 0.f))
        return 0;
    return static_cast<sf::Uint8>(std::min(value, 255.f));
}

// The ambient grey for the angle between the light ray and the face normal.
// A face with no defined angle (it sits on the light) is lit as if side-on.
inline sf::Uint8 ambientGrey(float angle, float worldLighting)
{
    if (angle != angle)
        angle = 90.f;
    const float factor = static_cast<float>(20.0 / (static_cast<double>(angle) + 1.0)) * worldLighting;
    return greyOf(factor * 135.f);
}

// The face is kept when the angle between its reversed normal and the view
// ray is at most 90 degrees. Away from 90 degrees the sign of the cosine
// decides (compared squared, without roots); near it the angle itself must
// (ASK_ANGLE). A NaN (degenerate face, or a face centred on the camera) is dropped.
enum FaceVerdict : std::int32_t { DROP = 0, KEEP = 1, ASK_ANGLE = 2 };

inline std::int32_t backFaceVerdict(const sf::Vector3f& normal, const sf::Vector3f& view)
{
    const float dot = -(normal.x * view.x + normal.y * view.y + normal.z * view.z);
    const float scale = (normal.x * normal.x + normal.y * normal.y + normal.z * normal.z)
                        * (view.x * view.x + view.y * view.y + view.z * view.z);
    // Branch-free, for the vector loop.
    const bool defined = (scale > 0.f) & (dot == dot);
    const bool clear = dot * dot > 1e-6f * scale;
    const std::int32_t bySign = dot > 0.f ? KEEP : DROP;
    return defined ? (clear ? bySign : std::int32_t(ASK_ANGLE)) : std::int32_t(DROP);
}

// Opaque greys by level, so the triangle loop builds no colours.
struct GreyTable {
    GreyTable()
    {
        for (int g = 0; g < 256; ++g)
            greys[g] = sf::Color(static_cast<sf::Uint8>(g), static_cast<sf::Uint8>(g), static_cast<sf::Uint8>(g), 255);
    }
    const sf::Color& operator[](long long g) const { return greys[g]; }
    sf::Color greys[256];
};
const GreyTable GREYS;

// Screen position of a camera-space point (focal 800, centre (960, 540), depth floor).
inline sf::Vector2f projectViewPoint(const sf::Vector3f& r)
{
    const float scale = FOCAL_LENGTH / (r.z > 0.f ? r.z : MIN_DEPTH);
    return {r.x * scale + SCREEN_CENTRE_X, r.y * scale + SCREEN_CENTRE_Y};
}

// Splits count items among the team on multiples of 16, so that neighbours
// never write to the same cache line.
inline void chunkOf(size_t count, int team, int member, size_t& begin, size_t& end)
{
    const size_t groups = (count + 15) / 16;
    begin = std::min(count, 16 * (groups * static_cast<size_t>(member) / static_cast<size_t>(team)));
    end = std::min(count, 16 * (groups * static_cast<size_t>(member + 1) / static_cast<size_t>(team)));
}

// One face of the pass: its corners in world and camera space, its world
// centroid and its world unit normal. Both the vector loop and the scalar
// follow-ups compute it with these same operations, so they agree to the bit.
struct FaceGeometry {
    sf::Vector3f world[3];
    sf::Vector3f view[3];
    sf::Vector3f centroid;
    sf::Vector3f normal;
};

struct Placement {
    EulerRotation meshRotation;
    sf::Vector3f meshPosition;
    EulerRotation cameraRotation;
    sf::Vector3f cameraPosition;
};

inline sf::Vector3f unitNormal(const sf::Vector3f (&world)[3])
{
    const sf::Vector3f e1 = world[1] - world[0];
    const sf::Vector3f e2 = world[2] - world[0];
    const sf::Vector3f cross(e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x);
    const float inverseLength = 1.f / length3(cross);
    return {cross.x * inverseLength, cross.y * inverseLength, cross.z * inverseLength};
}

inline void computeFace(const Placement& p, const float* const (&planes)[TriangleStreams::PLANES], size_t i,
                        FaceGeometry& f)
{
    for (size_t k = 0; k < 3; ++k) {
        f.world[k] = p.meshRotation.apply({planes[3 * k][i], planes[3 * k + 1][i], planes[3 * k + 2][i]}) + p.meshPosition;
        f.view[k] = p.cameraRotation.apply(f.world[k] - p.cameraPosition);
    }
    f.centroid = (f.world[0] + f.world[1] + f.world[2]) / 3.f;
    f.normal = unitNormal(f.world);
}

// The cosine angleBetween(a, b) takes its arc cosine of.
inline float cosineBetween(const sf::Vector3f& a, const sf::Vector3f& b)
{
    const float s = a.x * b.x + a.y * b.y + a.z * b.z;
    const float la = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    const float lb = std::sqrt(b.x * b.x + b.y * b.y + b.z * b.z);
    const float c = s / (la * lb);
    return c > 1.f ? 1.f : (c < -1.f ? -1.f : c);
}

inline float degreesOfCosine(float c)
{
    return static_cast<float>(static_cast<double>(std::acos(c) * 180.f) / 3.141592653589793);
}

} // namespace

bool compareBatches(const Batch& a, const Batch& b)
{
    if (a.space || b.space)
        return b.depth > a.depth;
    return a.depth > b.depth;
}

void sortBatches(std::vector<Batch*>& batches, std::vector<Batch*>& scratch)
{
    const size_t n = batches.size();
    scratch.resize(n);
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(lo + width, n);
            const size_t hi = std::min(lo + 2 * width, n);
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi)
                scratch[k++] = compareBatches(*batches[j], *batches[i]) ? batches[j++] : batches[i++];
            while (i < mid)
                scratch[k++] = batches[i++];
            while (j < hi)
                scratch[k++] = batches[j++];
        }
        batches.swap(scratch);
    }
}

sf::Vector3f faceNormal(const Mesh& mesh, size_t triangle)
{
    const EulerRotation rotation(mesh.worldRotation);
    const ModelVertex* corners = mesh.triangles[triangle].modelVertices;
    sf::Vector3f world[3];
    for (size_t k = 0; k < 3; ++k)
        world[k] = rotation.apply({corners[k].x, corners[k].y, corners[k].z}) + mesh.position;
    return unitNormal(world);
}

void RenderPipeline::beginFrame() { batches_.clear(); }

void RenderPipeline::sortBatches() { ::sortBatches(batches_, mergeScratch_); }

Batch& RenderPipeline::projectMesh(Mesh& mesh, const FrameSettings& settings)
{
    mesh.updateTransform(settings.frameTime);
    if (mesh.name.find("wall") != std::string::npos)
        mesh.depthOffset.x += 750000.f;
    mesh.depth = distance3(settings.camera.position, mesh.position + mesh.depthOffset);

    if (batches_.size() == pool_.size())
        pool_.push_back(std::make_unique<Batch>());
    Batch& batch = *pool_[batches_.size()];
    batches_.push_back(&batch);
    batch.mesh = &mesh;
    batch.texture = mesh.triangles.empty() ? nullptr : mesh.triangleTexture;
    batch.shader = mesh.shader;
    batch.name = mesh.name;
    batch.depth = mesh.depth;
    batch.notEmissive = mesh.notEmissive;
    batch.space = mesh.name.find("space") != std::string::npos;

    const int wanted = settings.threads > 0 ? settings.threads : omp_get_max_threads();
    const size_t useful = std::max<size_t>(1, mesh.streams.count / TRIANGLES_PER_THREAD);
    const int threads = static_cast<int>(std::min<size_t>(static_cast<size_t>(wanted), useful));
    processTriangles(mesh, settings, threads);
    return batch;
}

bool RenderPipeline::rankDigits(int team, int member, size_t radixSize, size_t total, bool stopWhenAlike)
{
    size_t* position = slots_[member].position;
    size_t base = 0;
    for (size_t digit = 0; digit < radixSize; ++digit) {
        size_t digitTotal = 0, before = 0;
        for (int other = 0; other < team; ++other) {
            if (other < member)
                before += slots_[other].histogram[digit];
            digitTotal += slots_[other].histogram[digit];
        }
        if (stopWhenAlike && digitTotal == total)
            return true;
        position[digit] = base + before;
        base += digitTotal;
    }
    return false;
}

void RenderPipeline::processTriangles(Mesh& mesh, const FrameSettings& settings, int threads)
{
    Batch& batch = *batches_.back();
    const TriangleStreams& streams = mesh.streams;
    const size_t n = streams.count;
    if (staged_.size() < n) {
        staged_.resize(n);
        entries_.resize(n);
        entriesScratch_.resize(n);
    }
    if (slots_.size() < static_cast<size_t>(threads))
        slots_.resize(threads);

    const Placement placement{EulerRotation(mesh.worldRotation), mesh.position, EulerRotation(settings.camera.rotation),
                              settings.camera.position};
    const float* planes[TriangleStreams::PLANES];
    for (size_t p = 0; p < TriangleStreams::PLANES; ++p)
        planes[p] = streams.plane(p);
    const sf::Vector2f* texCoords = streams.texCoords.data();
    sf::Color* colours = mesh.streams.colours.data();
    const sf::Vector3f cameraPosition = settings.camera.position;
    const bool cullBackFaces =
        !(settings.sceneId == 9 || settings.sceneId == 14) || mesh.name.find("spacestar") != std::string::npos;
    const bool depthView = settings.depthView;
    const bool lit = mesh.lit;
    const bool flashing = mesh.flash != 0.f;
    const sf::Color flashColour(greyOf(mesh.flash), greyOf(mesh.flash), greyOf(mesh.flash), 255);
    const sf::Vector3f lightPosition = settings.lightPosition;
    const float worldLighting = settings.worldLighting;
    // Small meshes sort on 8-bit digits: more passes, but far smaller histograms.
    const int radixBits = n <= SMALL_MESH ? 8 : 11;
    const size_t radixSize = size_t(1) << radixBits;
    const std::uint64_t radixMask = radixSize - 1;
    StagedFace* const staged = staged_.data();
    int teamSize = 1;

#pragma omp parallel num_threads(threads) if (threads > 1)
    {
        const int team = omp_get_num_threads();
        const int member = omp_get_thread_num();
        ThreadSlot& slot = slots_[member];
        std::uint32_t* const histogram = slot.histogram;
        size_t* const position = slot.position;
        size_t begin, end;
        chunkOf(n, team, member, begin, end);

        // Transform, project, cull and light the faces a block at a time: a
        // vector loop over the block, then the kept faces one by one, staged
        // with their far-first keys (counted for the sort's first digit).
        std::fill(histogram, histogram + radixSize, 0u);
        std::uint64_t* const keys = entriesScratch_.data() + begin;
        size_t kept = 0;
        float minX = FLT_MAX, minY = FLT_MAX, maxX = -FLT_MAX, maxY = -FLT_MAX;
        alignas(64) float screenX[3][BLOCK], screenY[3][BLOCK], depth[BLOCK], lightCosine[BLOCK];
        alignas(64) std::int32_t verdict[BLOCK];
        for (size_t blockBegin = begin; blockBegin < end; blockBegin += BLOCK) {
            const size_t count = std::min(BLOCK, end - blockBegin);
#pragma omp simd reduction(min : minX, minY) reduction(max : maxX, maxY)
            for (size_t j = 0; j < count; ++j) {
                FaceGeometry f;
                computeFace(placement, planes, blockBegin + j, f);
                for (size_t k = 0; k < 3; ++k) {
                    const sf::Vector2f s = projectViewPoint(f.view[k]);
                    screenX[k][j] = s.x;
                    screenY[k][j] = s.y;
                    minX = s.x < minX ? s.x : minX;
                    minY = s.y < minY ? s.y : minY;
                    maxX = s.x > maxX ? s.x : maxX;
                    maxY = s.y > maxY ? s.y : maxY;
                }
                const sf::Vector3f view = f.centroid - cameraPosition;
                const std::int32_t facing = cullBackFaces ? backFaceVerdict(f.normal, view) : std::int32_t(KEEP);
                // The view-space centroid is the mean of the corners' (the transform is linear).
                const bool inside = insideKeepBox(projectViewPoint((f.view[0] + f.view[1] + f.view[2]) / 3.f));
                verdict[j] = inside ? facing : std::int32_t(DROP);
                depth[j] = length3(view);
                lightCosine[j] = cosineBetween(f.centroid - lightPosition, f.normal);
            }
            for (size_t j = 0; j < count; ++j) {
                if (verdict[j] == DROP)
                    continue;
                const size_t i = blockBegin + j;
                FaceGeometry f;
                if (verdict[j] == ASK_ANGLE || depthView)
                    computeFace(placement, planes, i, f);
                if (verdict[j] == ASK_ANGLE && !(angleBetween(-f.normal, f.centroid - cameraPosition) <= 90.f))
                    continue;
                sf::Color* colour = colours + 3 * i;
                if (depthView) {
                    for (size_t k = 0; k < 3; ++k)
                        colour[k] = GREYS[static_cast<long long>(length3(f.view[k]) / DEPTH_VIEW_SPAN * 255.f) & 0xFF];
                } else if (lit) {
                    colour[0] = colour[1] = colour[2] = GREYS[ambientGrey(degreesOfCosine(lightCosine[j]), worldLighting)];
                }
                if (flashing)
                    colour[0] = colour[1] = colour[2] = flashColour;
                StagedFace& face = staged[begin + kept];
                for (size_t k = 0; k < 3; ++k)
                    face.corners[k] = sf::Vertex({screenX[k][j], screenY[k][j]}, colour[k], texCoords[3 * i + k]);
                const std::uint64_t key = farFirstKey(depth[j]);
                ++histogram[key & radixMask];
                keys[kept] = key << 32 | (begin + kept);
                ++kept;
            }
        }
        slot.kept = kept;
        slot.bounds = {minX, minY, maxX, maxY};
#pragma omp barrier

        // Stable least-significant-digit radix sort on the 32-bit key. The
        // first pass moves each member's staged keys into one array; later
        // passes split that array evenly and skip a digit alike everywhere.
        size_t total = 0;
        for (int other = 0; other < team; ++other)
            total += slots_[other].kept;
        std::uint64_t* source = entries_.data();
        std::uint64_t* target = entriesScratch_.data();
        rankDigits(team, member, radixSize, total, false);
        for (size_t j = 0; j < kept; ++j)
            source[position[(keys[j] >> 32) & radixMask]++] = keys[j];
#pragma omp barrier
        size_t sortBegin, sortEnd;
        chunkOf(total, team, member, sortBegin, sortEnd);
        for (int shift = 32 + radixBits; shift < 64; shift += radixBits) {
            std::fill(histogram, histogram + radixSize, 0u);
            for (size_t j = sortBegin; j < sortEnd; ++j)
                ++histogram[(source[j] >> shift) & radixMask];
#pragma omp barrier
            const bool allAlike = rankDigits(team, member, radixSize, total, true);
            if (!allAlike)
                for (size_t j = sortBegin; j < sortEnd; ++j)
                    target[position[(source[j] >> shift) & radixMask]++] = source[j];
#pragma omp barrier
            if (!allAlike)
                std::swap(source, target);
        }

#pragma omp single
        {
            batch.vertices.resize(total * 3);
            teamSize = team;
        }
        sf::Vertex* out = batch.vertices.data();
        constexpr size_t PREFETCH_AHEAD = 16;
        for (size_t j = sortBegin; j < sortEnd; ++j) {
            if (j + PREFETCH_AHEAD < sortEnd)
                __builtin_prefetch(&staged[static_cast<std::uint32_t>(source[j + PREFETCH_AHEAD])]);
            const StagedFace& face = staged[static_cast<std::uint32_t>(source[j])];
            out[3 * j] = face.corners[0];
            out[3 * j + 1] = face.corners[1];
            out[3 * j + 2] = face.corners[2];
        }
    }

    ScreenBounds combined{FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX};
    for (int member = 0; member < teamSize; ++member) {
        const ScreenBounds& b = slots_[member].bounds;
        combined.minX = std::min(combined.minX, b.minX);
        combined.minY = std::min(combined.minY, b.minY);
        combined.maxX = std::max(combined.maxX, b.maxX);
        combined.maxY = std::max(combined.maxY, b.maxY);
    }
    mesh.screenBounds = n ? combined : ScreenBounds{};
}
