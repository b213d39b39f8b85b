// The 3D renderer: visible list, per-frame pipeline, painter's-order drawing
// with the drawing shader's uniforms, and the glow pass of the lights.
#include "engine/BossParent.h"
#include "engine/Engine.h"
#include "engine/Scenes.h"
#include "platform/AssetPath.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <cmath>
#include <malloc.h>
#include <string>

namespace {

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

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

} // namespace

void Engine::updateVisibleObjects()
{
    if (renderer.visibleRebuildTimer > 0.f) {
        renderer.visibleRebuildTimer -= timing.frameTime;
        world.sceneLoaded = false;
        return;
    }
    renderer.visibleRebuildTimer = 0.f;
    renderer.visibleObjects.clear();
    if (world.spaceMesh)
        renderer.visibleObjects.push_back(world.spaceMesh.get());
    const Camera view = world.camera ? *world.camera : Camera{};
    const ScreenProjector projector(view);

    const bool dropAllSceneObjects = scene::dropsSceneObjects(world.sceneId);
    bool released = false;
    for (size_t i = 0; i < world.sceneObjects.size();) {
        SceneObjectRecord& record = world.sceneObjects[i];
        if ((record.removePending && world.sceneLoaded && !world.sceneLoading) || dropAllSceneObjects || !record.mesh) {
            world.sceneObjects.erase(world.sceneObjects.begin() + static_cast<long>(i));
            released = true;
            continue;
        }
        Mesh& mesh = *record.mesh;
        // The sort offsets drift with play, not while paused.
        if (!run.paused && contains(mesh.name, "Map"))
            mesh.depthOffset.x += 10000.f;
        else if (!run.paused && contains(mesh.name, "wall"))
            mesh.depthOffset.x += 20000.f;
        if (scene::drawsOffScreenObjects(world.sceneId) || insideKeepBox(projector.project(mesh.position)))
            renderer.visibleObjects.push_back(&mesh);
        ++i;
    }

    size_t kept = 0;
    for (Mesh* mesh : world.meshes) {
        if (mesh->markedForDeletion) {
            if (mesh == world.menuScreenMesh)
                world.menuScreenMesh = nullptr;
            deleteObject3D(mesh);
            released = true;
            continue;
        }
        world.meshes[kept++] = mesh;
        if (scene::drawsOffScreenMeshes(world.sceneId) || insideKeepBox(projector.project(mesh->position)))
            renderer.visibleObjects.push_back(mesh);
    }
    world.meshes.resize(kept);

    if (world.boss3D)
        for (Mesh* mesh : world.boss3D->objects)
            if (mesh)
                renderer.visibleObjects.push_back(mesh);
    world.sceneLoaded = false;
    if (released && world.purgeAfterRelease && !world.sceneLoading)
        releaseGoneSceneMemory();
}

// The previous scene's meshes are gone: the textures only they used go too,
// and the heap gives the freed memory back.
void Engine::releaseGoneSceneMemory()
{
    world.purgeAfterRelease = false;
    purgeUnusedTextures();
    malloc_trim(0);
}

void Engine::projectObject(Mesh& mesh, const FrameSettings& settings)
{
    if (contains(mesh.name, "collisionTop") || contains(mesh.name, "collisionBot"))
        return;
    renderer.pipeline.projectMesh(mesh, settings);
    renderer.projectedMeshes.push_back(&mesh);
}

void Engine::buildBatches()
{
    renderer.projectedMeshes.clear();
    renderer.pipeline.beginFrame();
    updateVisibleObjects();
    FrameSettings settings;
    settings.camera = world.camera ? *world.camera : Camera{};
    settings.frameTime = timing.frameTime;
    settings.paused = run.paused;
    settings.lightPosition = world.lightPosition;
    settings.worldLighting = world.worldLighting;
    settings.depthView = renderer.depthView;
    settings.sceneId = world.sceneId;
    settings.threads = renderer.pipelineThreads;
    for (Mesh* mesh : renderer.visibleObjects)
        projectObject(*mesh, settings);
    renderer.pipeline.sortBatches();
}

void Engine::render3D()
{
    if (!renderer.window)
        return;
    sf::RenderTexture* lightBuffer = renderer.lightBuffers[renderer.lightBufferFront].get();
    if (lightBuffer)
        lightBuffer->clear(sf::Color::Black);
    buildBatches();
    for (size_t i = 0; i < DEBUG_VIEW_COUNT; ++i)
        debugViewsOff_[i] = input::isKeyPressed(DEBUG_VIEWS[i].key);

    const std::vector<Batch*>& batches = renderer.pipeline.batches();
    for (const Batch* batch : batches)
        drawBatch(*batch);

    drawMovingLights();
    lightBuffer = renderer.lightBuffers[renderer.lightBufferFront].get();
    if (lightBuffer) {
        lightBuffer->display();
        renderer.window->draw(sf::Sprite(lightBuffer->getTexture()), sf::RenderStates(sf::BlendAdd));
    }

    if (scene::drawsPlayerOnTop(world.sceneId)) {
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
    if (!renderer.window || !batch.mesh)
        return;
    sf::RenderStates states;
    states.texture = batch.texture;
    const bool backdrop = batch.name == "3D/space";
    if (!backdrop && batch.mesh && !batch.vertices.empty()) {
        setLightUniforms(batch);
        setMaterialUniforms(batch, states);
    }
    if (world.sceneId == renderer.bossSceneId && backdrop) {
        sf::Shader* bossSpace = renderer.sharedShader("Shader/shaderBossSpace.frag");
        sf::RectangleShape rectangle(sf::Vector2f(1920.f, 1080.f));
        rectangle.setTexture(renderer.spaceTexture);
        sf::RenderStates spaceStates;
        if (bossSpace) {
            bossSpace->setUniform("backgroundTexture", sf::Shader::CurrentTexture);
            bossSpace->setUniform("time", timing.gameClock.getElapsedTime().asSeconds());
            bossSpace->setUniform("worldLighting", world.worldLighting);
            spaceStates.shader = bossSpace;
        }
        renderer.window->draw(rectangle, spaceStates);
        return;
    }
    if (!batch.vertices.empty())
        renderer.window->draw(batch.vertices.data(), batch.vertices.size(), sf::Triangles, states);
}

void Engine::bindMap(sf::Shader& shader, const char* name, const sf::Texture* texture, TextureSlot slot)
{
    shader.setUniform(name, texture ? *texture : textures.neutralTexture(slot));
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
    shader->setUniform("normalPos", sf::Glsl::Vec3(normal));
    bindMap(*shader, "roughnessMap", mesh.roughnessMap, TextureSlot::Roughness);
    bindMap(*shader, "emissiveMap", mesh.emissiveMap, TextureSlot::Emissive);
    bindMap(*shader, "texture", mesh.baseTexture, TextureSlot::Base);
    bindMap(*shader, "noiseMap", mesh.noiseMap, TextureSlot::Noise);
    shader->setUniform("isEmissive", batch.notEmissive ? 0.f : 1.f);
    shader->setUniform("gameTime", timing.gameClock.getElapsedTime().asSeconds());
    shader->setUniform("hasDisp", mesh.hasDisplacement);
    const sf::Vector2u size = mesh.baseTexture ? mesh.baseTexture->getSize() : sf::Vector2u(1, 1);
    shader->setUniform("textureSize", sf::Glsl::Vec2(static_cast<float>(size.x), static_cast<float>(size.y)));
    for (size_t i = 0; i < DEBUG_VIEW_COUNT; ++i)
        shader->setUniform(DEBUG_VIEWS[i].uniform, debugViewsOff_[i] ? 0.f : 1.f);
    states.shader = shader;
}

void Engine::setLightUniforms(const Batch& batch)
{
    sf::Shader* shader = batch.shader;
    if (!shader)
        return;
    const Mesh& mesh = *batch.mesh;
    shader->setUniform(LIGHT_UNIFORMS[0], sf::Glsl::Vec3(normalised(mesh.position - world.lightPosition)));
    // The shader is shared by every mesh: directions this mesh does not send are zero.
    for (size_t i = 1; i < 8; ++i) {
        const sf::Vector3f direction =
            i < mesh.lights.size() ? normalised(mesh.position - mesh.lights[i].position) : sf::Vector3f();
        shader->setUniform(LIGHT_UNIFORMS[i], sf::Glsl::Vec3(direction));
    }
}

void Engine::drawMovingLights()
{
    for (const SceneObjectRecord& record : world.sceneObjects) {
        const Mesh* mesh = record.mesh.get();
        if (mesh && (mesh->hasTag("light") || mesh->lightData.intensity > 0.f) && !mesh->hasTag("noTavlo"))
            drawMovingLight(*mesh);
    }
    for (const Mesh* mesh : world.meshes)
        for (const std::string& tag : mesh->tags)
            if (tag == "light")
                drawMovingLight(*mesh);
    if (world.boss3D)
        for (const Mesh* mesh : world.boss3D->objects)
            if (mesh)
                for (const std::string& tag : mesh->tags)
                    if (tag == "light")
                        drawMovingLight(*mesh);
}

// Each glow is laid over the buffer's current picture: the shader reads the
// front buffer and writes the back one, which then becomes the front.
// "u_position" is in window pixels (y downward). The buffer is a render
// texture, so in the shader the window pixel of a fragment is
// (gl_TexCoord[0].x * 1920, (1 - gl_TexCoord[0].y) * 1080).
void Engine::drawMovingLight(const Mesh& mesh)
{
    sf::Shader* shader = renderer.sharedShader("Shader/MovingLightShader.frag");
    sf::RenderTexture* front = renderer.lightBuffers[renderer.lightBufferFront].get();
    sf::RenderTexture* back = renderer.lightBuffers[1 - renderer.lightBufferFront].get();
    if (!shader || !front || !back || !world.camera)
        return;
    const sf::Vector2f screen = projectToScreen(*world.camera, mesh.position);
    const float dist = distance3(world.camera->position, mesh.position);
    const LightData& light = mesh.lightData;
    const float denominator = dist / 3.f + light.range;
    const float range = denominator > 0.f ? light.range * 0.5f / 40.f * light.range / denominator : 0.f;
    shader->setUniform("u_position", screen);
    shader->setUniform("u_intensity", light.intensity * 1.65f);
    shader->setUniform("u_clampValue", 1.0f);
    shader->setUniform("u_range", range);
    shader->setUniform("u_color", sf::Glsl::Vec3(light.colour.r, light.colour.g, light.colour.b));
    shader->setUniform("texture", sf::Shader::CurrentTexture);
    front->display();
    back->clear(sf::Color::Black);
    back->draw(sf::Sprite(front->getTexture()), sf::RenderStates(shader));
    renderer.lightBufferFront = 1 - renderer.lightBufferFront;
}
