#pragma once
// The level 2 corridor's measures, shared by its wall models and its scene.
// Each wall layer is one long mesh per side that rides along with the camera:
// every layer repeats its pattern within WALL_SHIFT, so when the camera has
// gone one WALL_SHIFT further the walls jump forward by exactly that much and
// the picture is unchanged. All walls therefore stay in view from the scene's
// first frame to its last and share one position, which keeps their painter's
// order (far layer first) for the whole level.
namespace assetgen::corridor {

constexpr float WORLD_PER_MODEL = 800.f; // the mesh loader's scale

// How far the walls jump, in model units (a multiple of every layer's period).
constexpr float WALL_SHIFT = 80.f;

// One layer of wall: its models above and below the play area, its distance
// from the camera (world units), the length of its repeating pattern and the
// span it covers around its position (model units), wide enough to fill the
// screen wherever the camera is within one WALL_SHIFT ahead of the position.
struct WallLayer {
    const char* top;
    const char* bottom;
    float depth;
    float period;
    float from, to;
};

constexpr WallLayer NEAR_LAYER{"wall1", "wall2", 8000.f, 20.f, -20.f, 100.f};
constexpr WallLayer SECOND_LAYER{"wall1_2", "wall2_2", 16000.f, 40.f, -40.f, 120.f};
constexpr WallLayer SKYLINE_LAYER{"wall1_3", "wall2_3", 32000.f, 80.f, -80.f, 160.f};
constexpr WallLayer BACK_LAYER{"wall1_4", "wall2_4", 64000.f, 40.f, -160.f, 240.f};
constexpr WallLayer WALL_LAYERS[] = {NEAR_LAYER, SECOND_LAYER, SKYLINE_LAYER, BACK_LAYER};

// The near walls' band: from EDGE (the ledge facing the play area) to OUTER,
// model units from the corridor's axis; the ledge's lip is LIP_DEPTH deep
// (away from the camera) and LIP_HALF_HEIGHT high on each side of EDGE.
constexpr float NEAR_EDGE = 5.5f;
constexpr float NEAR_OUTER = 10.f;
constexpr float LIP_DEPTH = 1.2f;
constexpr float LIP_HALF_HEIGHT = 0.15f;

// Where the collision markers run: along the middle of the lip's top face.
constexpr float MARKER_HEIGHT = (NEAR_EDGE - LIP_HALF_HEIGHT) * WORLD_PER_MODEL;
constexpr float MARKER_DEPTH = NEAR_LAYER.depth + LIP_DEPTH / 2 * WORLD_PER_MODEL;
// Distance between two markers along the corridor (world units).
constexpr float MARKER_SPACING = 4000.f;

} // namespace assetgen::corridor
