#pragma once
// The one game-wide context: texture cache, shared drawing resources, frame
// time, scene id, the menu's choices for the run, and the 3D engine's lists.
#include "app/Bindings.h"
#include "engine/CameraPath.h"
#include "engine/Entity.h"
#include "engine/RenderPipeline.h"
#include "engine/SceneFile.h"
#include "platform/Input.h"

#include <SFML/Graphics.hpp>
#include <array>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class BossParent;
class Level3Background;

enum Difficulty : int { DIFFICULTY_EASY = 19, DIFFICULTY_NORMAL = 20, DIFFICULTY_HARD = 21 };

// Who asked for a texture. Scene textures (meshes, scene files) are dropped by
// the purge once no live mesh uses them; those the preload loads for the next
// scene are kept until the next preload starts; shared ones (sprites, fonts'
// pictures, menus) are never dropped, since their users keep pointers.
enum class TextureUse { Shared, Scene, NextScene };

// The kinds of texture a mesh's drawing shader samples; a missing one is
// replaced by a 1 x 1 neutral texture of its kind.
enum class TextureSlot { Base, Normal, Roughness, Emissive, Noise, Count };

class Engine {
public:
    Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Start-up resources (3D player, space backdrop, crosshair, light buffers).
    void initResources();

    // Get-or-load a texture by path; null when the file does not load (tried again next call).
    // Safe to call from the scene preload worker and the main thread at once.
    sf::Texture* getTexture(const std::string& path, TextureUse use = TextureUse::Shared);
    // Drops cached scene textures that no live mesh uses (keeps names containing
    // "space" and those loaded for the next scene).
    void purgeUnusedTextures();
    // Forgets what the last preload did: the textures it loaded for the next
    // scene become ordinary scene textures, and scene files found missing
    // (absent maps of a model) are looked for again.
    void forgetLastPreload();
    // Number of cache entries (null ones included).
    size_t textureCacheSize();
    bool textureCacheHasEntry(const std::string& path);

    // ---- shared fields ----
    int sceneId = 15;
    float frameTime = 0.f;
    int difficulty = DIFFICULTY_NORMAL;
    bool cheatLives = false;
    bool cheatLaser = false;
    int startLevel = 0;
    int menuCursor = 0;
    int menuPage = 25;
    bool menuInputReleased = true;
    bool paused = false;
    bool cinematicFinished = false;
    float worldLighting = 3.5f;
    BossParent* boss3D = nullptr; // shown here, owned by whoever installed it (bosses/BossLvl1.h)
    sf::Vector3f lightPosition{1e8f, -75000.f, 25000.f};
    sf::RenderWindow* window = nullptr;
    Level3Background* level3Background = nullptr;
    Camera* camera = nullptr;
    Player* player3D = nullptr;
    std::vector<Entity*> entities;
    int cameraFrame = 0;
    timing::Clock frameClock;
    timing::Clock gameClock;
    MenuBindings menuBindings;

    // ---- drawing resources made by initResources ----
    sf::Texture* noiseTexture = nullptr;
    sf::Sprite crosshair;
    sf::Texture* spaceTexture = nullptr;
    sf::Texture* spaceStarTexture = nullptr;
    bool resourcesReady = false;

private:
    std::mutex textureMutex_;
    std::unordered_map<std::string, std::unique_ptr<sf::Texture>> textureCache_;

    // Per cache key: true while every request for it was a scene request.
    std::unordered_map<std::string, bool> purgeable_;
    std::unordered_set<std::string> preloaded_; // loaded for the next scene
    // Scene textures found missing since the last preload started: a model's
    // absent maps are asked for by every copy of it in a scene.
    std::unordered_set<std::string> missingSceneFiles_;
    // Records who asked for `path` (textureMutex_ held).
    void noteTextureUse(const std::string& path, TextureUse use);
    std::unordered_map<std::string, std::unique_ptr<sf::Shader>> shaderCache_;
    std::array<std::unique_ptr<sf::Texture>, static_cast<size_t>(TextureSlot::Count)> neutralTextures_;

public:
    // Every texture that a live mesh still uses (scene objects, registered meshes,
    // the 3D player's marker, boss objects); the purge keeps them.
    std::vector<const sf::Texture*> collectTexturesInUse() const;

    // ---- the 3D world ----
    // Registers a mesh for per-frame update and drawing (the engine owns it).
    void addMesh(Mesh* mesh);
    // Releases the current scene: registered meshes and this scene's objects are
    // marked for deletion (deleted at the next visible-list rebuild), the camera
    // path is freed.
    void clearScene();
    // Creates the 3D player with its marker mesh (needs a display).
    void createPlayer();
    // Makes `player` the 3D player: its camera becomes the engine camera.
    void installPlayer(std::unique_ptr<Player> player);
    // Free flight with Z, Q, S, D and the Space action key.
    void controlPlayer3D();
    // Draws the 3D scene into the window (main thread, after the engine step).
    void render3D();
    // Rebuilds the visible list (deleting released meshes and scene objects).
    void updateVisibleObjects();
    // The per-frame CPU pipeline over the visible list: batches in painter's order.
    void buildBatches();
    // A shader loaded and compiled once per path; null when shaders are
    // unavailable or the file does not compile.
    sf::Shader* sharedShader(const std::string& path);
    sf::Shader* drawingShader() { return sharedShader("Shader/drawingShader.frag"); }
    // The 1 x 1 texture drawn where a mesh has no texture of that kind.
    const sf::Texture& neutralTexture(TextureSlot slot);

    std::vector<SceneObjectRecord> sceneObjects;
    std::vector<Mesh*> meshes; // registered meshes, owned
    bool sceneLoading = false;
    bool sceneLoaded = false;
    // Set by a scene change: once the old scene's meshes are deleted, its
    // textures are purged.
    bool purgeAfterRelease = false;
    std::vector<CameraFrame> cameraFrames;
    int currentCameraFrame = -1; // index into cameraFrames, -1 when none
    float cameraFrameAccumulator = 0.f;
    int posedFrame = 0;
    bool depthView = false;
    std::vector<Mesh*> visibleObjects;  // not owned, rebuilt every frame
    std::vector<Mesh*> projectedMeshes; // the meshes projected in the last frame
    RenderPipeline pipeline;
    int pipelineThreads = 0; // 0: the OpenMP default team
    float visibleRebuildTimer = 0.f;
    int bossSceneId = 9;
    std::unique_ptr<Mesh> spaceMesh; // the backdrop, attached to the camera
    std::unique_ptr<Player> player;  // owns the 3D player (also listed in entities)
    float lightTickTimer = 0.f;
    bool lightTick = false;
    Mesh* menuScreenMesh = nullptr;
    sf::Font menuFont;
    // The glow pass draws into one light buffer from the other and swaps.
    std::array<std::unique_ptr<sf::RenderTexture>, 2> lightBuffers;
    int lightBufferFront = 0;
    // F1 to F6 each switch one contribution of the drawing shader off while held.
    static constexpr size_t DEBUG_VIEW_COUNT = 6;

private:
    std::array<bool, DEBUG_VIEW_COUNT> debugViewsOff_{}; // read once per frame
    void projectObject(Mesh& mesh, const FrameSettings& settings);
    void releaseGoneSceneMemory();
    void drawBatch(const Batch& batch);
    void setMaterialUniforms(const Batch& batch, sf::RenderStates& states);
    void setLightUniforms(const Batch& batch);
    void drawMovingLights();
    void drawMovingLight(const Mesh& mesh);
    void bindMap(sf::Shader& shader, const char* name, const sf::Texture* texture, TextureSlot slot);
};

// The singleton holders. engine() creates a bare Engine (no resources) on first
// use; the game's start-up creates it first and then calls initResources.
Engine& engine();
bool engineExists();
