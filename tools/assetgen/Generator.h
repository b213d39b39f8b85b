#pragma once
// The asset generator: every binary asset of the game (textures, sprite
// sheets, sounds, music, meshes, fonts) is written here, deterministically,
// into the runnable tree given on the command line.
#include <functional>
#include <string>
#include <vector>

namespace assetgen {

struct Context {
    std::string root; // the runnable tree, e.g. build/game
    // root + "/" + relative path, with its folders created.
    std::string path(const std::string& relative) const;
};

using GeneratorFn = std::function<void(const Context&)>;

// Registers a generator at static-initialisation time (see REGISTER_ASSETS).
struct Registration {
    Registration(const char* name, GeneratorFn fn);
};
std::vector<std::pair<std::string, GeneratorFn>>& registry();

} // namespace assetgen

#define ASSETGEN_CAT2(a, b) a##b
#define ASSETGEN_CAT(a, b) ASSETGEN_CAT2(a, b)
// REGISTER_ASSETS(name) { ...write files with ctx.path(...)... }
#define REGISTER_ASSETS(name)                                                               \
    static void ASSETGEN_CAT(assetgen_fn_, name)(const assetgen::Context& ctx);             \
    static assetgen::Registration ASSETGEN_CAT(assetgen_reg_, name)(#name, ASSETGEN_CAT(assetgen_fn_, name)); \
    static void ASSETGEN_CAT(assetgen_fn_, name)([[maybe_unused]] const assetgen::Context& ctx)
