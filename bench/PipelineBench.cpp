// The 3D renderer's per-frame CPU pipeline (transform, lighting, back-face
// cull, depth sort, batch building) on meshes of 1k to 1M triangles, with one
// thread and with the whole team. Goals: 15 million triangles per second per
// core, at least 1.7x on 2 threads against 1, no allocation per frame.
#include "engine/RenderPipeline.h"
#include "engine/Scenes.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <new>

// Every allocation of the program is counted, so a frame can show it makes none.
namespace {
std::atomic<long long> allocations{0};
}

void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
// GCC sees free() in a replaced operator delete as a mismatch with new; here it is the pair.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

// Small triangles scattered in front of the camera, facing every way (about
// half of them are back faces).
std::unique_ptr<Mesh> scatteredMesh(int count)
{
    std::vector<Triangle> triangles(static_cast<size_t>(count));
    unsigned seed = 2024;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<float>(seed >> 8) / static_cast<float>(1u << 24);
    };
    for (Triangle& t : triangles) {
        const sf::Vector3f centre(next() * 4000.f - 2000.f, next() * 2400.f - 1200.f, 1000.f + next() * 9000.f);
        for (ModelVertex& v : t.modelVertices)
            v = {centre.x + next() * 60.f - 30.f, centre.y + next() * 60.f - 30.f, centre.z + next() * 60.f - 30.f,
                 next(), next()};
    }
    return std::make_unique<Mesh>(std::move(triangles), sf::Vector3f(), "bench", false);
}

void PipelineFrame(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    // threads:0 sizes the team as the game does, from the cores this process may use.
    const int threads = teamSize(state.range(1) > 0 ? static_cast<int>(state.range(1)) : usableCores(),
                                 static_cast<size_t>(count), 4096);
    auto mesh = scatteredMesh(count);
    mesh->rotation = {3.f, 5.f, 0.f};
    FrameSettings settings;
    settings.sceneId = scene::INTRO;
    settings.threads = static_cast<int>(state.range(1));
    settings.frameTime = 1.f / 60.f;
    settings.lightPosition = {-500000.f, 5e9f, 368848.f};
    RenderPipeline pipeline;
    size_t kept = 0;
    // Two frames to reach the steady state (buffers grown, team started).
    for (int warmUp = 0; warmUp < 2; ++warmUp) {
        pipeline.beginFrame();
        pipeline.projectMesh(*mesh, settings);
        pipeline.sortBatches();
    }
    const long long allocationsBefore = allocations.load();
    for (auto _ : state) {
        pipeline.beginFrame();
        kept = pipeline.projectMesh(*mesh, settings).vertices.size() / 3;
        pipeline.sortBatches();
        benchmark::ClobberMemory();
    }
    const double frameAllocations =
        static_cast<double>(allocations.load() - allocationsBefore) / static_cast<double>(state.iterations());
    const double triangles = static_cast<double>(count) * static_cast<double>(state.iterations());
    state.counters["triangles/s"] = benchmark::Counter(triangles, benchmark::Counter::kIsRate);
    state.counters["triangles/s/thread"] = benchmark::Counter(triangles / threads, benchmark::Counter::kIsRate);
    state.counters["threads"] = threads;
    state.counters["keptFaces"] = static_cast<double>(kept);
    state.counters["allocations/frame"] = frameAllocations;
}

} // namespace

BENCHMARK(PipelineFrame)
    ->ArgsProduct({{1000, 10000, 100000, 1000000}, {1, 2, 0}})
    ->ArgNames({"triangles", "threads"})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
