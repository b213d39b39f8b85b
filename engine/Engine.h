#pragma once
// The one game-wide context: texture cache, shared drawing resources, frame
// time, scene id, the menu's choices for the run, and the 3D engine's lists.
#include "app/Bindings.h"
#include "platform/Input.h"

#include <SFML/Graphics.hpp>
#include <array>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

class Camera;
class Player;
class Entity;
class BossParent;
class Level3Background;

enum Difficulty : int { DIFFICULTY_EASY = 19, DIFFICULTY_NORMAL = 20, DIFFICULTY_HARD = 21 };

class Engine {
public:
    Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Start-up resources (3D player, space backdrop, crosshair, post shaders, render textures).
    void initResources();

    // Get-or-load a texture by path; null when the file does not load (tried again next call).
    // Safe to call from the scene preload worker and the main thread at once.
    sf::Texture* getTexture(const std::string& path);
    // Drops cached textures that no loaded mesh uses (keeps names containing "space").
    void purgeUnusedTextures();
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
    BossParent* boss3D = nullptr;
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
    static constexpr int SHADER_SLOTS = 5;
    std::array<std::unique_ptr<sf::Shader>, SHADER_SLOTS> shaders; // slot 0 stays empty
    std::array<bool, SHADER_SLOTS> shaderLoaded{};
    std::unique_ptr<sf::Shader> noiseShader;
    bool noiseShaderLoaded = false;
    sf::Texture* noiseTexture = nullptr;
    std::array<std::unique_ptr<sf::RenderTexture>, 2> bigRenderTextures; // 5760 x 3240
    std::unique_ptr<sf::RenderTexture> screenRenderTexture;              // 1920 x 1080
    sf::Image blackImage;
    sf::Sprite crosshair;
    sf::Texture* spaceTexture = nullptr;
    sf::Texture* spaceStarTexture = nullptr;
    bool resourcesReady = false;

private:
    std::mutex textureMutex_;
    std::unordered_map<std::string, std::unique_ptr<sf::Texture>> textureCache_;

public:
    // Every texture that a live mesh still uses (scene objects, registered meshes,
    // the 3D player's marker, boss objects); the purge keeps them.
    std::vector<const sf::Texture*> collectTexturesInUse() const;
};

// The singleton holders. engine() creates a bare Engine (no resources) on first
// use; the game's start-up creates it first and then calls initResources.
Engine& engine();
bool engineExists();
