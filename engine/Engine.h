#pragma once
// The one game-wide context, in named parts: the run's settings, the menu's
// state, the frame time, the texture cache, the 3D world and the renderer's
// resources. Each part has its own header; a test resets a part in one line
// (`engine().run = RunSettings{}`).
#include "engine/DrawingShaderVariants.h"
#include "engine/FrameTiming.h"
#include "engine/GlStateCache.h"
#include "engine/MenuContext.h"
#include "engine/RendererResources.h"
#include "engine/RunSettings.h"
#include "engine/TextureCache.h"
#include "engine/World3D.h"

#include <array>
#include <memory>
#include <vector>

class Engine {
public:
    Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    TextureCache textures;
    RunSettings run;
    MenuContext menu;
    FrameTiming timing;
    World3D world;
    RendererResources renderer;

    // Start-up resources (3D player, space backdrop, crosshair, light buffers).
    void initResources();

    // Drops cached scene textures that no live mesh uses (keeps names containing "space").
    void purgeUnusedTextures();
    // Every texture that a live mesh still uses (scene objects, registered meshes,
    // the 3D player's marker, boss objects); the purge keeps them.
    std::vector<const sf::Texture*> collectTexturesInUse() const;

    // ---- the 3D world ----
    // Registers a mesh for per-frame update and drawing: world.meshes takes it
    // over. Returns it to look at (it lives until a visible-list rebuild finds it
    // marked for deletion); null in, nothing registered, null out.
    Mesh* addMesh(std::unique_ptr<Mesh> mesh);
    // Releases the current scene: registered meshes and this scene's objects are
    // marked for deletion (deleted at the next visible-list rebuild), the camera
    // path is freed.
    void clearScene();
    // Creates the 3D player with its marker mesh (needs a display).
    void createPlayer();
    // Free flight with Z, Q, S, D and the Space action key.
    void controlPlayer3D();

    // ---- the 3D renderer (engine/Renderer.cpp) ----
    // Draws the 3D scene into the window (main thread, after the engine step).
    void render3D();
    // Rebuilds the visible list (deleting released meshes and scene objects).
    void updateVisibleObjects();
    // The per-frame CPU pipeline over the visible list: batches in painter's order.
    void buildBatches();
    // F1 to F6 each switch one contribution of the drawing shader off while held.
    static constexpr size_t DEBUG_VIEW_COUNT = 6;

private:
    std::array<bool, DEBUG_VIEW_COUNT> debugViewsOff_{}; // read once per frame
    bool anyDebugViewHeld_ = false;
    float drawnAtSeconds_ = 0.f;                         // the game clock, read once per frame
    // The program, textures and uniform values GL holds for the renderer's shaders.
    GlStateCache glState_;
    DrawingShaderVariants playShaders_;
    void releaseGoneSceneMemory();
    void drawBatch(const Batch& batch);
    // Draws batches [first, last), all drawn alike, in one call.
    void drawBatchRun(const std::vector<Batch*>& batches, size_t first, size_t last);
    // Puts the batch's shader in use with its material and light uniforms; false
    // when it has none (drawn by the fixed pipeline).
    bool useDrawingShader(const Batch& batch);
    void setMaterialUniforms(const Batch& batch);
    void setLightUniforms(const Batch& batch);
    void drawBackdropShader();
    // Adds every light's glow onto the window.
    void drawMovingLights();
    void drawMovingLight(const Mesh& mesh);
};

// The singleton holders. engine() creates a bare Engine (no resources) on first
// use; the game's start-up creates it first and then calls initResources.
Engine& engine();
bool engineExists();
