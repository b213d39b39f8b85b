#pragma once
// The uniforms the renderer sets on each shader it drives through the GL state
// cache, by its numbering. The cache passes over a name the shader does not
// read without a word (a variant may leave some out), so the tests check that
// each is declared and read in the shader's file.
#include <cstddef>

namespace shader_uniforms {

// The meshes' drawing shader; the maps first (they are the samplers).
enum Drawing : std::size_t {
    NORMAL_MAP, ROUGHNESS_MAP, EMISSIVE_MAP, BASE_MAP, NOISE_MAP, MAP_COUNT,
    IS_EMISSIVE = MAP_COUNT, GAME_TIME, HAS_DISP, NEARBY_LIGHTS,
    FIRST_DEBUG_VIEW, DEBUG_VIEW_COUNT = 6, FIRST_LIGHT = FIRST_DEBUG_VIEW + DEBUG_VIEW_COUNT, LIGHT_COUNT = 8,
    DRAWING_COUNT = FIRST_LIGHT + LIGHT_COUNT
};
inline constexpr const char* DRAWING[DRAWING_COUNT] = {
    "normalMap",   "roughnessMap", "emissiveMap", "texture",     "noiseMap",    "isEmissive",      "gameTime",
    "hasDisp",     "nearbyLights", "onlyRough",   "onlyLight",   "onlyNormal",  "onlyColor",       "onlySpeLightImp",
    "onlyEmiss",   "lightPos[0]",  "lightPos[1]", "lightPos[2]", "lightPos[3]", "lightPos[4]",     "lightPos[5]",
    "lightPos[6]", "lightPos[7]"};

// The last arena's backdrop; its picture is the drawn texture (unit 0).
enum Backdrop : std::size_t { BACKDROP_PICTURE, BACKDROP_TIME, BACKDROP_LIGHTING, BACKDROP_COUNT };
inline constexpr const char* BACKDROP[BACKDROP_COUNT] = {"backgroundTexture", "time", "worldLighting"};

// A light's glow.
enum Glow : std::size_t { GLOW_POSITION, GLOW_INTENSITY, GLOW_CLAMP, GLOW_RANGE, GLOW_COLOUR, GLOW_COUNT };
inline constexpr const char* GLOW[GLOW_COUNT] = {"u_position", "u_intensity", "u_clampValue", "u_range", "u_color"};

// Level 3's tunnel; the pictures it reads first.
enum Tunnel : std::size_t {
    PLATES, MASK, CLOUDS, TIME, RESOLUTION, SPEED, UN_ZOOM, ACTUAL_INDEX, NEXT_INDEX, IS_SWITCHING, TRANS_TIME,
    TUNNEL_COUNT
};
inline constexpr const char* TUNNEL[TUNNEL_COUNT] = {
    "backgroundTexture", "maskTexture", "fractTexture", "time", "resolution", "speed", "unZoom", "actualIndex",
    "nextIndex", "isSwitching", "transTime"};

} // namespace shader_uniforms
