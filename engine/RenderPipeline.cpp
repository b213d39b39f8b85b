#include "engine/RenderPipeline.h"

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <omp.h>

namespace {

// Each member of the team gets at least this many triangles: small meshes
// are not worth waking (and waiting at barriers for) the whole team.
constexpr size_t TRIANGLES_PER_THREAD = 4096;
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
// decides (compared squared, without roots); near it the angle itself does.
// A NaN (degenerate face, or a face centred on the camera) is dropped.
inline bool facesCamera(const sf::Vector3f& normal, const sf::Vector3f& view)
{
    const float dot = -(normal.x * view.x + normal.y * view.y + normal.z * view.z);
    const float scale = (normal.x * normal.x + normal.y * normal.y + normal.z * normal.z)
                        * (view.x * view.x + view.y * view.y + view.z * view.z);
    if (!(scale > 0.f) || dot != dot)
        return false;
    if (dot * dot > 1e-6f * scale)
        return dot > 0.f;
    return angleBetween(-normal, view) <= 90.f;
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

inline void chunkOf(size_t count, int team, int member, size_t& begin, size_t& end)
{
    begin = count * static_cast<size_t>(member) / static_cast<size_t>(team);
    end = count * static_cast<size_t>(member + 1) / static_cast<size_t>(team);
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
    const size_t useful = std::max<size_t>(1, mesh.triangles.size() / TRIANGLES_PER_THREAD);
    const int threads = static_cast<int>(std::min<size_t>(static_cast<size_t>(wanted), useful));
    processTriangles(mesh, settings, threads);
    return batch;
}

void RenderPipeline::processTriangles(Mesh& mesh, const FrameSettings& settings, int threads)
{
    Batch& batch = *batches_.back();
    std::vector<Triangle>& triangles = mesh.triangles;
    const size_t n = triangles.size();
    if (entries_.size() < n) {
        entries_.resize(n);
        entriesScratch_.resize(n);
    }
    if (slots_.size() < static_cast<size_t>(threads))
        slots_.resize(threads);

    const EulerRotation rotation(mesh.worldRotation);
    const ScreenProjector projector(settings.camera);
    const sf::Vector3f meshPosition = mesh.position;
    const sf::Vector3f cameraPosition = settings.camera.position;
    const bool cullBackFaces =
        !(settings.sceneId == 9 || settings.sceneId == 14) || mesh.name.find("spacestar") != std::string::npos;
    const bool depthView = settings.depthView;
    const bool lit = mesh.lit;
    const bool flashing = mesh.flash != 0.f;
    const sf::Color flashColour(greyOf(mesh.flash), greyOf(mesh.flash), greyOf(mesh.flash), 255);
    const sf::Vector3f lightPosition = settings.lightPosition;
    const float worldLighting = settings.worldLighting;
    int teamSize = 1;

#pragma omp parallel num_threads(threads) if (threads > 1)
    {
        const int team = omp_get_num_threads();
        const int member = omp_get_thread_num();
        ThreadSlot& slot = slots_[member];
        size_t begin, end;
        chunkOf(n, team, member, begin, end);

        ScreenBounds bounds{FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX};
        std::uint64_t* staged = entriesScratch_.data() + begin;
        size_t kept = 0;
        for (size_t i = begin; i < end; ++i) {
            Triangle& t = triangles[i];
            // Transform and project the corners (serial: three iterations).
            sf::Vector3f world[3], viewSpace[3];
            for (int k = 0; k < 3; ++k) {
                const ModelVertex& m = t.modelVertices[k];
                world[k] = rotation.apply({m.x, m.y, m.z}) + meshPosition;
                viewSpace[k] = projector.rotation.apply(world[k] - cameraPosition);
                const sf::Vector2f s = projectViewPoint(viewSpace[k]);
                t.vertices[k].position = s;
                bounds.minX = std::min(bounds.minX, s.x);
                bounds.minY = std::min(bounds.minY, s.y);
                bounds.maxX = std::max(bounds.maxX, s.x);
                bounds.maxY = std::max(bounds.maxY, s.y);
            }
            const sf::Vector3f e1 = world[1] - world[0];
            const sf::Vector3f e2 = world[2] - world[0];
            t.centroid = (world[0] + world[1] + world[2]) / 3.f;
            const sf::Vector3f cross(e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x);
            const float inverseLength = 1.f / length3(cross);
            t.normal = {cross.x * inverseLength, cross.y * inverseLength, cross.z * inverseLength};

            const sf::Vector3f view = t.centroid - cameraPosition;
            if (cullBackFaces && !facesCamera(t.normal, view))
                continue;
            // The view-space centroid is the mean of the corners' (the transform is linear).
            if (!insideKeepBox(projectViewPoint((viewSpace[0] + viewSpace[1] + viewSpace[2]) / 3.f)))
                continue;
            t.depth = length3(view);
            staged[kept++] = (static_cast<std::uint64_t>(farFirstKey(t.depth)) << 32) | static_cast<std::uint32_t>(i);

            if (depthView) {
                for (int k = 0; k < 3; ++k) {
                    const float d = length3(viewSpace[k]);
                    t.vertices[k].color = GREYS[static_cast<long long>(d / DEPTH_VIEW_SPAN * 255.f) & 0xFF];
                }
            } else if (lit) {
                const sf::Color& colour = GREYS[ambientGrey(angleBetween(t.centroid - lightPosition, t.normal), worldLighting)];
                t.vertices[0].color = colour;
                t.vertices[1].color = colour;
                t.vertices[2].color = colour;
            }
            if (flashing) {
                t.vertices[0].color = flashColour;
                t.vertices[1].color = flashColour;
                t.vertices[2].color = flashColour;
            }
        }
        slot.kept = kept;
        slot.bounds = bounds;
#pragma omp barrier

        size_t offset = 0, total = 0;
        for (int other = 0; other < team; ++other) {
            if (other < member)
                offset += slots_[other].kept;
            total += slots_[other].kept;
        }
        std::copy(staged, staged + kept, entries_.data() + offset);
#pragma omp barrier

        // Stable least-significant-digit radix sort on the 32-bit depth key
        // (three passes of 11 bits; a pass whose digit is alike everywhere is skipped).
        std::uint64_t* source = entries_.data();
        std::uint64_t* target = entriesScratch_.data();
        size_t sortBegin, sortEnd;
        chunkOf(total, team, member, sortBegin, sortEnd);
        for (int shift = 32; shift < 64; shift += RADIX_BITS) {
            std::uint32_t* histogram = slot.histogram;
            std::fill(histogram, histogram + RADIX_SIZE, 0u);
            for (size_t j = sortBegin; j < sortEnd; ++j)
                ++histogram[(source[j] >> shift) & RADIX_MASK];
#pragma omp barrier
            size_t* position = slot.position;
            size_t base = 0;
            bool allAlike = false;
            for (size_t digit = 0; digit < RADIX_SIZE && !allAlike; ++digit) {
                size_t digitTotal = 0, before = 0;
                for (int other = 0; other < team; ++other) {
                    if (other < member)
                        before += slots_[other].histogram[digit];
                    digitTotal += slots_[other].histogram[digit];
                }
                allAlike = digitTotal == total;
                position[digit] = base + before;
                base += digitTotal;
            }
            if (!allAlike)
                for (size_t j = sortBegin; j < sortEnd; ++j)
                    target[position[(source[j] >> shift) & RADIX_MASK]++] = source[j];
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
            if (j + PREFETCH_AHEAD < sortEnd) {
                const char* ahead = reinterpret_cast<const char*>(
                    &triangles[static_cast<std::uint32_t>(source[j + PREFETCH_AHEAD])].vertices);
                __builtin_prefetch(ahead);
                __builtin_prefetch(ahead + sizeof(Triangle::vertices) - 1);
            }
            const Triangle& t = triangles[static_cast<std::uint32_t>(source[j])];
            out[3 * j] = t.vertices[0];
            out[3 * j + 1] = t.vertices[1];
            out[3 * j + 2] = t.vertices[2];
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
