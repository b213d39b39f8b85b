#include "tools/assetgen/Generator.h"
#include "tools/mix/SoundFormats.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <omp.h>

namespace assetgen {

std::string Context::path(const std::string& relative) const
{
    std::filesystem::path p = std::filesystem::path(root) / relative;
    std::filesystem::create_directories(p.parent_path());
    return p.string();
}

std::vector<std::pair<std::string, GeneratorFn>>& registry()
{
    static std::vector<std::pair<std::string, GeneratorFn>> r;
    return r;
}

Registration::Registration(const char* name, GeneratorFn fn) { registry().emplace_back(name, std::move(fn)); }

} // namespace assetgen

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR [generator-name ...]\n", argv[0]);
        return 2;
    }
    assetgen::Context ctx{argv[1]};
    std::filesystem::create_directories(ctx.root);
    auto& gens = assetgen::registry();
    std::sort(gens.begin(), gens.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<size_t> chosen;
    for (size_t i = 0; i < gens.size(); ++i) {
        bool wanted = argc == 2;
        for (int a = 2; a < argc; ++a)
            wanted = wanted || gens[i].first == argv[a];
        if (wanted)
            chosen.push_back(i);
    }
    int failures = 0;
    mix::registerSoundFormats();
#pragma omp parallel for schedule(dynamic) reduction(+ : failures)
    for (size_t k = 0; k < chosen.size(); ++k) {
        try {
            gens[chosen[k]].second(ctx);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "assetgen: %s failed: %s\n", gens[chosen[k]].first.c_str(), e.what());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
