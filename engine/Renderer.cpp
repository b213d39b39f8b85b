// The 3D renderer: visible list, per-frame pipeline, painter's-order drawing
// with the drawing shader's uniforms, and the glow pass of the lights.
#include "engine/BossParent.h"
#include "engine/Engine.h"
#include "engine/GlowReach.h"
#include "engine/Scenes.h"
#include "engine/ShaderUniforms.h"
#include "platform/AssetPath.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <algorithm>
#include <cmath>
#include <limits>
#include <malloc.h>
#include <string>

namespace {

using namespace shader_uniforms;
static_assert(shader_uniforms::DEBUG_VIEW_COUNT == Engine::DEBUG_VIEW_COUNT);

const TextureSlot MAP_SLOTS[MAP_COUNT] = {TextureSlot::Normal, TextureSlot::Roughness, TextureSlot::Emissive,
                                          TextureSlot::Base, TextureSlot::Noise};

// The debug views: a held F-key switches one contribution of the drawing
// shader off (in the order of the "only..." uniforms).
const sf::Keyboard::Key DEBUG_VIEW_KEYS[DEBUG_VIEW_COUNT] = {
    sf::Keyboard::F1, sf::Keyboard::F2, sf::Keyboard::F3, sf::Keyboard::F4, sf::Keyboard::F5, sf::Keyboard::F6};

GlStateCache::Program* registered(GlStateCache& state, const sf::Shader* shader, const char* const* names,
                                  size_t count, size_t samplers)
{
    return shader ? state.program(*shader, names, count, samplers) : nullptr;
}

// Glows add up (the window's channels saturate at full brightness).
const sf::BlendMode GLOW_BLENDING(sf::BlendMode::One, sf::BlendMode::One, sf::BlendMode::Add);

bool isBackdrop(const Batch& batch) { return batch.kinds.has(MeshKind::Backdrop); }

// An opaque batch replaces what lies behind it: blending it would give the same
// pixels for more of the rasteriser's work.
sf::BlendMode blendingOf(const Batch& batch) { return batch.opaque ? sf::BlendNone : sf::BlendAlpha; }

// Light direction i (1 to 7) sent to the drawing shader: zero for a light the mesh does not have.
sf::Vector3f lightDirection(const Mesh& mesh, size_t i)
{
    const std::vector<LightReference>& lights = mesh.lightsReaching();
    return i < lights.size() ? normalised(mesh.position() - lights[i].position) : sf::Vector3f();
}

// Of the light directions 1 to 7 a mesh sends, how many are set (a unit
// vector, not zero): all the drawing shader takes from them ("nearbyLights",
// or its own count of "lightPos"). NaN when a direction is not a number.
float nearbyLights(const Mesh& mesh)
{
    float count = 0.f;
    for (size_t i = 1; i < LIGHT_COUNT; ++i) {
        const float length = length3(lightDirection(mesh, i));
        if (!std::isfinite(length))
            return std::numeric_limits<float>::quiet_NaN();
        count += length < 0.5f ? 0.f : 1.f;
    }
    return count;
}

// Whether batch b, drawn right after batch a, looks the same drawn in a's
// call: both go through the drawing shader with the same textures and the
// same uniforms as the shader reads them. Of the light directions it reads
// only how many are set. A batch without triangles draws nothing and joins
// any run (the backdrop aside: the boss scene draws it otherwise).
bool drawnAlike(const Batch& a, const Batch& b)
{
    if (isBackdrop(a) || isBackdrop(b) || !a.mesh || !b.mesh || !a.shader || a.vertices.empty())
        return false;
    if (b.vertices.empty())
        return true;
    const Mesh& m = *a.mesh;
    const Mesh& n = *b.mesh;
    if (b.shader != a.shader || b.texture != a.texture || b.notEmissive != a.notEmissive || b.opaque != a.opaque
        || n.maps().baseTexture != m.maps().baseTexture || n.maps().normalMap != m.maps().normalMap
        || n.maps().roughnessMap != m.maps().roughnessMap || n.maps().emissiveMap != m.maps().emissiveMap
        || n.maps().noiseMap != m.maps().noiseMap || n.hasDisplacement != m.hasDisplacement)
        return false;
    return nearbyLights(m) == nearbyLights(n); // never alike when not a number
}

} // namespace

void Engine::updateVisibleObjects()
{
    if (renderer.visibleRebuildTimer > 0.f) {
        renderer.visibleRebuildTimer -= timing.frameTime;
        world.settleLoad();
        return;
    }
    renderer.visibleRebuildTimer = 0.f;
    renderer.visibleObjects.clear();
    if (world.spaceBackdrop())
        renderer.visibleObjects.push_back(world.spaceBackdrop());
    const Camera view = world.camera() ? *world.camera() : Camera{};
    const ScreenProjector projector(view);

    const bool dropAllSceneObjects = scene::dropsSceneObjects(world.sceneId());
    bool released = false;
    for (size_t i = 0; i < world.sceneObjects.size();) {
        SceneObjectRecord& record = world.sceneObjects[i];
        if ((record.removePending && world.justLoaded() && !world.loading()) || dropAllSceneObjects || !record.mesh) {
            world.sceneObjects.erase(world.sceneObjects.begin() + static_cast<long>(i));
            released = true;
            continue;
        }
        Mesh& mesh = *record.mesh;
        // The sort offsets drift with play, not while paused.
        if (!run.paused && mesh.is(MeshKind::ScrollingMap))
            mesh.driftBack(10000.f);
        else if (!run.paused && mesh.is(MeshKind::Wall))
            mesh.driftBack(20000.f);
        if (scene::drawsOffScreenObjects(world.sceneId()) || insideKeepBox(projector.project(mesh.position())))
            renderer.visibleObjects.push_back(&mesh);
        ++i;
    }

    size_t kept = 0;
    for (std::unique_ptr<Mesh>& mesh : world.meshes) {
        if (mesh->isMarkedForDeletion()) {
            if (mesh.get() == world.menuScreen())
                world.showMenuOn(nullptr);
            mesh.reset();
            released = true;
            continue;
        }
        Mesh* live = mesh.get();
        world.meshes[kept++] = std::move(mesh);
        if (scene::drawsOffScreenMeshes(world.sceneId()) || insideKeepBox(projector.project(live->position())))
            renderer.visibleObjects.push_back(live);
    }
    world.meshes.resize(kept);

    if (world.boss3D())
        for (const std::unique_ptr<Mesh>& mesh : world.boss3D()->objects)
            if (mesh)
                renderer.visibleObjects.push_back(mesh.get());
    world.settleLoad();
    if (released && world.purgeWhenReleased() && !world.loading())
        releaseGoneSceneMemory();
}

// The previous scene's meshes are gone: the textures only they used go too,
// and the heap gives the freed memory back.
void Engine::releaseGoneSceneMemory()
{
    world.notePurged();
    purgeUnusedTextures();
    malloc_trim(0);
}

void Engine::buildBatches()
{
    renderer.projectedMeshes.clear(); // the visible-list rebuild may delete some
    renderer.pipeline.beginFrame();
    updateVisibleObjects();
    FrameSettings settings;
    settings.camera = world.camera() ? *world.camera() : Camera{};
    settings.frameTime = timing.frameTime;
    settings.paused = run.paused;
    settings.lightPosition = world.light().position();
    settings.worldLighting = world.light().brightness();
    settings.depthView = renderer.depthView;
    settings.sceneId = world.sceneId();
    settings.threads = renderer.pipelineThreads;
    // The wall markers are invisible: the rest is projected, all together.
    for (Mesh* mesh : renderer.visibleObjects)
        if (!mesh->is(MeshKind::CollisionTop) && !mesh->is(MeshKind::CollisionBottom))
            renderer.projectedMeshes.push_back(mesh);
    renderer.pipeline.projectMeshes(renderer.projectedMeshes.data(), renderer.projectedMeshes.size(), settings);
    renderer.pipeline.sortBatches();
}

void Engine::render3D()
{
    if (!renderer.window)
        return;
    buildBatches();
    anyDebugViewHeld_ = false;
    for (size_t i = 0; i < DEBUG_VIEW_COUNT; ++i) {
        debugViewsOff_[i] = input::isKeyPressed(DEBUG_VIEW_KEYS[i]);
        anyDebugViewHeld_ = anyDebugViewHeld_ || debugViewsOff_[i];
    }
    drawnAtSeconds_ = timing.gameClock.getElapsedTime().asSeconds();
    if (renderer.covered || !glState_.beginPass(*renderer.window))
        return;

    const std::vector<Batch*>& batches = renderer.pipeline.batches();
    for (size_t first = 0; first < batches.size();) {
        size_t last = first + 1;
        while (last < batches.size() && drawnAlike(*batches[first], *batches[last])
               && batches[last - 1]->vertices.runsInto(batches[last]->vertices))
            ++last;
        if (last - first == 1)
            drawBatch(*batches[first]);
        else
            drawBatchRun(batches, first, last);
        first = last;
    }

    drawMovingLights();

    if (scene::drawsPlayerOnTop(world.sceneId())) {
        const Batch* lastPlayer = nullptr;
        for (const Batch* batch : batches)
            if (batch->kinds.has(MeshKind::Player))
                lastPlayer = batch;
        if (lastPlayer)
            drawBatch(*lastPlayer);
    }
    glState_.endPass();
}

// The run's vertices lie one after the other in the pipeline's buffer.
void Engine::drawBatchRun(const std::vector<Batch*>& batches, size_t first, size_t last)
{
    size_t count = 0;
    for (size_t i = first; i < last; ++i)
        count += batches[i]->vertices.size();
    const Batch& lead = *batches[first];
    sf::RenderStates states;
    states.texture = lead.texture;
    states.blendMode = blendingOf(lead);
    useDrawingShader(lead);
    glState_.readyForDraw();
    renderer.window->draw(lead.vertices.data(), count, sf::Triangles, states);
    ++renderer.drawCalls;
}

void Engine::drawBatch(const Batch& batch)
{
    if (!renderer.window || !batch.mesh)
        return;
    const bool backdrop = isBackdrop(batch);
    if (backdrop && scene::drawsBossBackdrop(world.sceneId())) {
        drawBackdropShader();
        return;
    }
    if (batch.vertices.empty())
        return;
    if (backdrop)
        glState_.use(nullptr);
    else
        useDrawingShader(batch);
    sf::RenderStates states;
    states.texture = batch.texture;
    states.blendMode = blendingOf(batch);
    glState_.readyForDraw();
    renderer.window->draw(batch.vertices.data(), batch.vertices.size(), sf::Triangles, states);
    ++renderer.drawCalls;
}

// The arena's backdrop: the space picture through its own shader, over the whole window.
void Engine::drawBackdropShader()
{
    GlStateCache::Program* program =
        registered(glState_, renderer.backdropShader(), BACKDROP, BACKDROP_COUNT, 0);
    glState_.use(program);
    glState_.setInt(BACKDROP_PICTURE, 0);
    glState_.setFloat(BACKDROP_TIME, timing.gameClock.getElapsedTime().asSeconds());
    glState_.setFloat(BACKDROP_LIGHTING, world.light().brightness());
    glState_.readyForDraw();
    sf::RectangleShape rectangle(sf::Vector2f(1920.f, 1080.f));
    rectangle.setTexture(renderer.spaceTexture);
    // The shader's every pixel is opaque: blending would give the same pixels for more work.
    renderer.window->draw(rectangle, sf::RenderStates(sf::BlendNone));
    ++renderer.drawCalls;
}

bool Engine::useDrawingShader(const Batch& batch)
{
    sf::Shader* shader = batch.shader;
    if (shader && shader == renderer.drawingShader() && renderer.playShaders && !anyDebugViewHeld_)
        if (sf::Shader* variant = playShaders_.forMesh(*batch.mesh, batch.notEmissive, renderer))
            shader = variant;
    GlStateCache::Program* program = registered(glState_, shader, DRAWING, DRAWING_COUNT, MAP_COUNT);
    glState_.use(program);
    if (!program)
        return false;
    setLightUniforms(batch);
    setMaterialUniforms(batch);
    return true;
}

void Engine::setMaterialUniforms(const Batch& batch)
{
    const MeshMaps& meshMaps = batch.mesh->maps();
    const sf::Texture* const maps[MAP_COUNT] = {meshMaps.normalMap, meshMaps.roughnessMap, meshMaps.emissiveMap,
                                                meshMaps.baseTexture, meshMaps.noiseMap};
    for (size_t i = 0; i < MAP_COUNT; ++i) {
        if (i == BASE_MAP && maps[i] && maps[i] == batch.texture)
            glState_.setDrawnTexture(i); // the texture drawn with is that one: no second binding
        else
            glState_.setTexture(i, maps[i] ? *maps[i] : textures.neutralTexture(MAP_SLOTS[i]));
    }
    glState_.setFloat(IS_EMISSIVE, batch.notEmissive ? 0.f : 1.f);
    glState_.setFloat(GAME_TIME, drawnAtSeconds_);
    glState_.setBool(HAS_DISP, batch.mesh->hasDisplacement);
    for (size_t i = 0; i < DEBUG_VIEW_COUNT; ++i)
        glState_.setFloat(FIRST_DEBUG_VIEW + i, debugViewsOff_[i] ? 0.f : 1.f);
}

void Engine::setLightUniforms(const Batch& batch)
{
    const Mesh& mesh = *batch.mesh;
    glState_.setVec3(FIRST_LIGHT, sf::Glsl::Vec3(normalised(mesh.position() - world.light().position())));
    // The shader is shared by every mesh: directions this mesh does not send are zero.
    for (size_t i = 1; i < LIGHT_COUNT; ++i)
        glState_.setVec3(FIRST_LIGHT + i, sf::Glsl::Vec3(lightDirection(mesh, i)));
    glState_.setFloat(NEARBY_LIGHTS, nearbyLights(mesh));
}

void Engine::drawMovingLights()
{
    for (const SceneObjectRecord& record : world.sceneObjects) {
        const Mesh* mesh = record.mesh.get();
        if (mesh && (mesh->is(MeshKind::Light) || mesh->lightData.intensity > 0.f) && !mesh->is(MeshKind::NoGlow))
            drawMovingLight(*mesh);
    }
    for (const std::unique_ptr<Mesh>& mesh : world.meshes)
        if (mesh->is(MeshKind::Light))
            drawMovingLight(*mesh);
    if (world.boss3D())
        for (const std::unique_ptr<Mesh>& mesh : world.boss3D()->objects)
            if (mesh && mesh->is(MeshKind::Light))
                drawMovingLight(*mesh);
}

// Each glow is added onto the window over the pixels it can brighten, as a
// quad through the glow shader. "u_position" is in window pixels (y downward).
// Added one by one, the glows saturate as they would added up first.
void Engine::drawMovingLight(const Mesh& mesh)
{
    GlStateCache::Program* glow = registered(glState_, renderer.glowShader(), GLOW, GLOW_COUNT, 0);
    if (!glow || !world.camera())
        return;
    const sf::Vector2f screen = projectToScreen(*world.camera(), mesh.position());
    const float dist = distance3(world.camera()->position, mesh.position());
    const LightData& light = mesh.lightData;
    const float denominator = dist / 3.f + light.range;
    const float range = denominator > 0.f ? light.range * 0.5f / 40.f * light.range / denominator : 0.f;
    const float intensity = light.intensity * 1.65f;
    const sf::IntRect reach = glowReach(screen, intensity, range, light.colour);
    if (reach.width <= 0 || reach.height <= 0)
        return;
    glState_.use(glow);
    glState_.setVec2(GLOW_POSITION, screen);
    glState_.setFloat(GLOW_INTENSITY, intensity);
    glState_.setFloat(GLOW_CLAMP, 1.0f);
    glState_.setFloat(GLOW_RANGE, range);
    glState_.setVec3(GLOW_COLOUR, sf::Glsl::Vec3(light.colour.r, light.colour.g, light.colour.b));
    glState_.readyForDraw();
    const float left = static_cast<float>(reach.left), top = static_cast<float>(reach.top);
    const float right = left + static_cast<float>(reach.width), bottom = top + static_cast<float>(reach.height);
    const sf::Vertex quad[4] = {sf::Vertex({left, top}), sf::Vertex({right, top}), sf::Vertex({left, bottom}),
                                sf::Vertex({right, bottom})};
    renderer.window->draw(quad, 4, sf::TriangleStrip, sf::RenderStates(GLOW_BLENDING, sf::Transform(), nullptr, nullptr));
    ++renderer.drawCalls;
}
