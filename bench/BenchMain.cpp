#include "platform/Random.h"

#include <benchmark/benchmark.h>

static void Random15(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(random15());
}
BENCHMARK(Random15);
