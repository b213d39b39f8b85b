#pragma once
// What the 3D renderer draws with and keeps between frames: the window, the
// visible list and the per-frame pipeline, the shaders and
// the textures and sprites made at start-up.
#include "engine/RenderPipeline.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class RendererResources {
public:
    // A shader loaded and compiled once per path (and `defines`: lines put
    // after the file's first); null when shaders are unavailable or it does not compile.
    sf::Shader* sharedShader(const std::string& path, const std::string& defines = "");
    static const std::string DRAWING_SHADER; // the meshes' shader, by path
    // The renderer's own shaders, found without building their paths every frame.
    sf::Shader* drawingShader();
    sf::Shader* glowShader();
    sf::Shader* backdropShader();

    sf::RenderWindow* window = nullptr;
    std::vector<Mesh*> visibleObjects;  // not owned, rebuilt every frame
    std::vector<Mesh*> projectedMeshes; // the meshes projected in the last frame
    RenderPipeline pipeline;
    int pipelineThreads = 0; // the most members projecting a frame (0: the cores this process may use)
    float visibleRebuildTimer = 0.f;
    bool depthView = false;
    // Play draws the meshes with the drawing shader's variants (false: always
    // the whole shader, as while a debug view is held).
    bool playShaders = true;
    // The screen drawn over this frame hides every pixel of it: the frame is
    // projected as ever, but nothing of it is drawn.
    bool covered = false;
    long drawCalls = 0; // the 3D frame's draw calls so far (tests and benchmarks)

    // Made by Engine::initResources.
    bool resourcesReady = false;
    sf::Texture* noiseTexture = nullptr;
    sf::Sprite crosshair;
    sf::Texture* spaceTexture = nullptr;
    sf::Texture* spaceStarTexture = nullptr;
    sf::Font menuFont;

private:
    std::unordered_map<std::string, std::unique_ptr<sf::Shader>> shaderCache_;
    sf::Shader* drawingShader_ = nullptr; // looked up once, asked for with every mesh drawn
    bool drawingShaderLooked_ = false;
};
