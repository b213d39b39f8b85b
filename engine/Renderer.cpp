// The 3D renderer: visible list, per-frame pipeline, painter's-order drawing
// with the drawing shader's uniforms, and the glow pass of the lights.
#include "engine/BossParent.h"
#include "engine/Engine.h"
#include "platform/AssetPath.h"

#include <cmath>
#include <cstring>
#include <type_traits>
#include <malloc.h>
#include <string>

namespace {

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

bool keepsEverything(int sceneId, bool registered)
{
    return sceneId == 5 || sceneId == 6 || sceneId == 9 || (registered && sceneId == 14);
}

const char* const LIGHT_UNIFORMS[8] = {"lightPos[0]", "lightPos[1]", "lightPos[2]", "lightPos[3]",
                                       "lightPos[4]", "lightPos[5]", "lightPos[6]", "lightPos[7]"};

// The debug views: a held F-key switches one contribution of the drawing shader off.
struct DebugView {
    const char* uniform;
    sf::Keyboard::Key key;
};
const DebugView DEBUG_VIEWS[Engine::DEBUG_VIEW_COUNT] = {{"onlyRough", sf::Keyboard::F1},      {"onlyLight", sf::Keyboard::F2},
                                 {"onlyNormal", sf::Keyboard::F3},     {"onlyColor", sf::Keyboard::F4},
                                 {"onlySpeLightImp", sf::Keyboard::F5}, {"onlyEmiss", sf::Keyboard::F6}};

// Glows add up (the buffer's channels saturate at full brightness).
const sf::BlendMode GLOW_BLENDING(sf::BlendMode::One, sf::BlendMode::One, sf::BlendMode::Add);

} // namespace

void Engine::updateVisibleObjects()
{
    if (visibleRebuildTimer > 0.f) {
        visibleRebuildTimer -= frameTime;
        sceneLoaded = false;
        return;
    }
    visibleRebuildTimer = 0.f;
    visibleObjects.clear();
    if (spaceMesh)
        visibleObjects.push_back(spaceMesh.get());
    const Camera view = camera ? *camera : Camera{};
    const ScreenProjector projector(view);

    const bool dropAllSceneObjects = sceneId == 7 || sceneId == 15;
    bool released = false;
    for (size_t i = 0; i < sceneObjects.size();) {
        SceneObjectRecord& record = sceneObjects[i];
        if ((record.removePending && sceneLoaded && !sceneLoading) || dropAllSceneObjects || !record.mesh) {
            sceneObjects.erase(sceneObjects.begin() + static_cast<long>(i));
            released = true;
            continue;
        }
        Mesh& mesh = *record.mesh;
        // The sort offsets drift with play, not while paused.
        if (!paused && contains(mesh.name, "Map"))
            mesh.depthOffset.x += 10000.f;
        else if (!paused && contains(mesh.name, "wall"))
            mesh.depthOffset.x += 20000.f;
        if (keepsEverything(sceneId, false) || insideKeepBox(projector.project(mesh.position)))
            visibleObjects.push_back(&mesh);
        ++i;
    }

    size_t kept = 0;
    for (Mesh* mesh : meshes) {
        if (mesh->markedForDeletion) {
            if (mesh == menuScreenMesh)
                menuScreenMesh = nullptr;
            deleteObject3D(mesh);
            released = true;
            continue;
        }
        meshes[kept++] = mesh;
        if (keepsEverything(sceneId, true) || insideKeepBox(projector.project(mesh->position)))
            visibleObjects.push_back(mesh);
    }
    meshes.resize(kept);

    if (boss3D)
        for (Mesh* mesh : boss3D->objects)
            if (mesh)
                visibleObjects.push_back(mesh);
    sceneLoaded = false;
    if (released && purgeAfterRelease && !sceneLoading)
        releaseGoneSceneMemory();
}

// The previous scene's meshes are gone: the textures only they used go too,
// and the heap gives the freed memory back.
void Engine::releaseGoneSceneMemory()
{
    purgeAfterRelease = false;
    purgeUnusedTextures();
    malloc_trim(0);
}

void Engine::projectObject(Mesh& mesh, const FrameSettings& settings)
{
    if (contains(mesh.name, "collisionTop") || contains(mesh.name, "collisionBot"))
        return;
    pipeline.projectMesh(mesh, settings);
    projectedMeshes.push_back(&mesh);
}

void Engine::buildBatches()
{
    projectedMeshes.clear();
    pipeline.beginFrame();
    updateVisibleObjects();
    FrameSettings settings;
    settings.camera = camera ? *camera : Camera{};
    settings.frameTime = frameTime;
    settings.paused = paused;
    settings.lightPosition = lightPosition;
    settings.worldLighting = worldLighting;
    settings.depthView = depthView;
    settings.sceneId = sceneId;
    settings.threads = pipelineThreads;
    for (Mesh* mesh : visibleObjects)
        projectObject(*mesh, settings);
    pipeline.sortBatches();
}

void Engine::render3D()
{
    if (!window)
        return;
    buildBatches();
    for (size_t i = 0; i < DEBUG_VIEW_COUNT; ++i)
        debugViewsOff_[i] = input::isKeyPressed(DEBUG_VIEWS[i].key);
    drawnAtSeconds_ = gameClock.getElapsedTime().asSeconds();

    const std::vector<Batch*>& batches = pipeline.batches();
    for (const Batch* batch : batches)
        drawBatch(*batch);

    if (drawMovingLights()) { // else the buffer is black: adding it changes nothing
        lightBuffer->display();
        window->draw(sf::Sprite(lightBuffer->getTexture()), sf::RenderStates(sf::BlendAdd));
    }

    if (sceneId == 1) {
        const Batch* lastPlayer = nullptr;
        for (const Batch* batch : batches)
            if (contains(batch->name, "player"))
                lastPlayer = batch;
        if (lastPlayer)
            drawBatch(*lastPlayer);
    }
}

void Engine::drawBatch(const Batch& batch)
{
    if (!window || !batch.mesh)
        return;
    sf::RenderStates states;
    states.texture = batch.texture;
    const bool backdrop = batch.name == "3D/space";
    if (!backdrop && batch.mesh && !batch.vertices.empty()) {
        setLightUniforms(batch);
        setMaterialUniforms(batch, states);
    }
    if (sceneId == bossSceneId && backdrop) {
        sf::Shader* bossSpace = sharedShader("Shader/shaderBossSpace.frag");
        sf::RectangleShape rectangle(sf::Vector2f(1920.f, 1080.f));
        rectangle.setTexture(spaceTexture);
        sf::RenderStates spaceStates;
        if (bossSpace) {
            bossSpace->setUniform("backgroundTexture", sf::Shader::CurrentTexture);
            bossSpace->setUniform("time", gameClock.getElapsedTime().asSeconds());
            bossSpace->setUniform("worldLighting", worldLighting);
            spaceStates.shader = bossSpace;
        }
        window->draw(rectangle, spaceStates);
        return;
    }
    if (!batch.vertices.empty())
        window->draw(batch.vertices.data(), batch.vertices.size(), sf::Triangles, states);
}

namespace {
// What tells two values of a uniform apart: its bytes, or a texture's address.
template <class Value>
std::array<unsigned char, 16> uniformBytes(const Value& value)
{
    static_assert(sizeof(Value) <= 16 && std::is_trivially_copyable<Value>::value, "a small plain value");
    std::array<unsigned char, 16> bytes{};
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}
std::array<unsigned char, 16> uniformBytes(const sf::Texture& texture) { return uniformBytes(&texture); }
} // namespace

template <class Value>
void Engine::setUniformOnChange(sf::Shader& shader, const char* name, const Value& value)
{
    const std::array<unsigned char, 16> bytes = uniformBytes(value);
    const auto [slot, added] = uniformValues_.try_emplace({&shader, name}, bytes);
    if (!added && slot->second == bytes)
        return;
    slot->second = bytes;
    shader.setUniform(name, value);
}

void Engine::bindMap(sf::Shader& shader, const char* name, const sf::Texture* texture, TextureSlot slot)
{
    setUniformOnChange(shader, name, texture ? *texture : neutralTexture(slot));
}

void Engine::setMaterialUniforms(const Batch& batch, sf::RenderStates& states)
{
    sf::Shader* shader = batch.shader;
    const Mesh& mesh = *batch.mesh;
    if (!shader)
        return;
    bindMap(*shader, "normalMap", mesh.normalMap, TextureSlot::Normal);
    // The first triangle's normal of this frame (zero when it is degenerate).
    sf::Vector3f normal = mesh.triangles.empty() ? sf::Vector3f() : faceNormal(mesh, 0);
    if (!std::isfinite(normal.x) || !std::isfinite(normal.y) || !std::isfinite(normal.z))
        normal = {};
    setUniformOnChange(*shader, "normalPos", sf::Glsl::Vec3(normal));
    bindMap(*shader, "roughnessMap", mesh.roughnessMap, TextureSlot::Roughness);
    bindMap(*shader, "emissiveMap", mesh.emissiveMap, TextureSlot::Emissive);
    bindMap(*shader, "texture", mesh.baseTexture, TextureSlot::Base);
    bindMap(*shader, "noiseMap", mesh.noiseMap, TextureSlot::Noise);
    setUniformOnChange(*shader, "isEmissive", batch.notEmissive ? 0.f : 1.f);
    setUniformOnChange(*shader, "gameTime", drawnAtSeconds_);
    setUniformOnChange(*shader, "hasDisp", mesh.hasDisplacement);
    const sf::Vector2u size = mesh.baseTexture ? mesh.baseTexture->getSize() : sf::Vector2u(1, 1);
    setUniformOnChange(*shader, "textureSize", sf::Glsl::Vec2(static_cast<float>(size.x), static_cast<float>(size.y)));
    for (size_t i = 0; i < DEBUG_VIEW_COUNT; ++i)
        setUniformOnChange(*shader, DEBUG_VIEWS[i].uniform, debugViewsOff_[i] ? 0.f : 1.f);
    states.shader = shader;
}

void Engine::setLightUniforms(const Batch& batch)
{
    sf::Shader* shader = batch.shader;
    if (!shader)
        return;
    const Mesh& mesh = *batch.mesh;
    setUniformOnChange(*shader, LIGHT_UNIFORMS[0], sf::Glsl::Vec3(normalised(mesh.position - lightPosition)));
    // The shader is shared by every mesh: directions this mesh does not send are zero.
    for (size_t i = 1; i < 8; ++i) {
        const sf::Vector3f direction =
            i < mesh.lights.size() ? normalised(mesh.position - mesh.lights[i].position) : sf::Vector3f();
        setUniformOnChange(*shader, LIGHT_UNIFORMS[i], sf::Glsl::Vec3(direction));
    }
}

bool Engine::drawMovingLights()
{
    bool bufferReady = false;
    for (const SceneObjectRecord& record : sceneObjects) {
        const Mesh* mesh = record.mesh.get();
        if (mesh && (mesh->hasTag("light") || mesh->lightData.intensity > 0.f) && !mesh->hasTag("noTavlo"))
            drawMovingLight(*mesh, bufferReady);
    }
    for (const Mesh* mesh : meshes)
        for (const std::string& tag : mesh->tags)
            if (tag == "light")
                drawMovingLight(*mesh, bufferReady);
    if (boss3D)
        for (const Mesh* mesh : boss3D->objects)
            if (mesh)
                for (const std::string& tag : mesh->tags)
                    if (tag == "light")
                        drawMovingLight(*mesh, bufferReady);
    return bufferReady;
}

// Each glow is added onto the light buffer (cleared before the frame's first
// one), as a window-sized quad through the glow shader. "u_position" is in
// window pixels (y downward); in the buffer a fragment's window pixel is its
// gl_FragCoord.
void Engine::drawMovingLight(const Mesh& mesh, bool& bufferReady)
{
    sf::Shader* shader = sharedShader("Shader/MovingLightShader.frag");
    if (!shader || !camera)
        return;
    if (!bufferReady) {
        if (!lightBuffer) {
            lightBuffer = std::make_unique<sf::RenderTexture>();
            lightBuffer->create(1920, 1080, sf::ContextSettings(0, 0, 0, 1, 1));
        }
        lightBuffer->clear(sf::Color::Black);
        bufferReady = true;
    }
    const sf::Vector2f screen = projectToScreen(*camera, mesh.position);
    const float dist = distance3(camera->position, mesh.position);
    const LightData& light = mesh.lightData;
    const float denominator = dist / 3.f + light.range;
    const float range = denominator > 0.f ? light.range * 0.5f / 40.f * light.range / denominator : 0.f;
    setUniformOnChange(*shader, "u_position", screen);
    setUniformOnChange(*shader, "u_intensity", light.intensity * 1.65f);
    setUniformOnChange(*shader, "u_clampValue", 1.0f);
    setUniformOnChange(*shader, "u_range", range);
    setUniformOnChange(*shader, "u_color", sf::Glsl::Vec3(light.colour.r, light.colour.g, light.colour.b));
    static const sf::Vertex WINDOW_QUAD[4] = {sf::Vertex({0.f, 0.f}), sf::Vertex({1920.f, 0.f}),
                                              sf::Vertex({0.f, 1080.f}), sf::Vertex({1920.f, 1080.f})};
    lightBuffer->draw(WINDOW_QUAD, 4, sf::TriangleStrip, sf::RenderStates(GLOW_BLENDING, sf::Transform(), nullptr, shader));
}
