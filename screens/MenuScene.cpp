#include "screens/MenuScene.h"

#include "engine/Engine.h"
#include "engine/ObjLoader.h"
#include "engine/SceneChange.h"
#include "engine/Services.h"
#include "platform/AssetPath.h"
#include "platform/GamePad.h"
#include "screens/HighScoresState.h"
#include "screens/MenuNavigation.h"
#include "screens/MenuScreen.h"

#include <cmath>

const std::array<HangarMeshInfo, 16> HANGAR_MESHES = {{
    {"Props/Ceiling/CeilProps", 40000.f},
    {"Menu/Board_menu/Desk/Desk", 0.f},
    {"Props/Floor/FloorProps", 12.f},
    {"Door/Gate", 100000.f},
    {"Menu/Main_menu/Robot/MainRobot", 50000.f},
    {"Menu/Main_menu/Screen/MainScreen", 10.f},
    {"P1P2", 10.f},
    {"Menu/Board_menu/Screen1/P1Screen", 10.f},
    {"Menu/Board_menu/Screen/P2Screen", 10.f},
    {"Props/Wall/WallProps", 15.f},
    {"Zone1/Zone1", 500000.f},
    {"Zone2/Ceiling/Zone2Ceil", 500000.f},
    {"Zone2/Floor/Zone2Floor", 500000.f},
    {"Zone2/Wall/Zone2Walls", 50.f},
    {"Menu/Board_menu/Desk_Props/DeskProps", 0.f},
    {"Door/trapdoor", 5000.f},
}};

const std::array<const char*, 2> SCREEN_DISPLAYERS = {"P1ScreenDisplayer/P1ScreenDisplay",
                                                      "P2ScreenDisplayer/P2ScreenDisplay"};

namespace {
const sf::Vector3f HANGAR_POSITION(7000.f, 0.f, 0.f);
const sf::Vector3f HANGAR_ROTATION(0.f, -90.f, 0.f);

float length(const sf::Vector3f& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

// The model's own "_Base.png", else the hangar's shared colour sheet; null
// (drawn untextured) when neither loads.
sf::Texture* hangarTexture(TextureCache& textures, const std::string& basePath)
{
    if (sf::Texture* texture = textures.getOptionalTexture(basePath, TextureUse::Scene))
        return texture;
    return textures.getTexture("3D/Hangar/HangarColor.png", TextureUse::Scene);
}

// A hangar model, registered with the engine; null when its file is missing.
Mesh* loadHangarMesh(Engine& e, const std::string& name, sf::Texture* texture, float depthOffsetX)
{
    Mesh* mesh = e.addMesh(loadObjMesh(e.textures, e.renderer, "3D/Hangar/" + name, texture, HANGAR_POSITION, false));
    if (mesh) {
        mesh->turnTo(HANGAR_ROTATION);
        const sf::Vector3f o = mesh->sortOffset();
        mesh->setSortOffset({depthOffsetX, o.y, o.z});
    }
    return mesh;
}
} // namespace

MenuCameraStep menuCameraGlide(const sf::Vector3f& position, const sf::Vector3f& rotation, float frameTime)
{
    const sf::Vector3f d = menu_camera::POSITION - position;
    const sf::Vector3f step = length(d) > 5.f ? d * frameTime : sf::Vector3f();
    const sf::Vector3f r = menu_camera::ROTATION - rotation;
    const float turn = length(r);
    const sf::Vector3f rotationStep = turn > 2.f ? r / turn * (frameTime * menu_camera::ROTATION_SPEED) : sf::Vector3f();
    return {position + step, rotation + rotationStep, step.x <= 3.f && step.y <= 3.f && step.z <= 3.f};
}

void fillMenuBindings(MenuBindings& bindings)
{
    using namespace binding_axis;
    using namespace binding_direction;
    bindings.clear();
    bindings[menu_action::UP] = {pad::DPAD_UP, sf::Keyboard::Z, LEFT_Y, POSITIVE};
    bindings[menu_action::DOWN] = {pad::DPAD_DOWN, sf::Keyboard::S, LEFT_Y, NEGATIVE};
    bindings[menu_action::PREVIOUS_PAGE] = {pad::DPAD_LEFT, sf::Keyboard::Q, LEFT_X, NEGATIVE};
    bindings[menu_action::NEXT_PAGE] = {pad::DPAD_RIGHT, sf::Keyboard::D, LEFT_X, POSITIVE};
    bindings[menu_action::VALIDATE] = {pad::A, sf::Keyboard::E, NONE, EITHER};
    bindings[menu_action::BACK] = {pad::B, sf::Keyboard::B, NONE, EITHER};
}

void installMenuScene() { installMenuSceneSteps({buildMenuScene, updateMenuScene, hangarPreload}); }

void buildMenuScene(Engine& e)
{
    e.clearScene();
    e.world.poseCamera(menu_camera::POSITION, menu_camera::ROTATION);

    for (const HangarMeshInfo& info : HANGAR_MESHES)
        loadHangarMesh(e, info.name, hangarTexture(e.textures, "3D/Hangar/" + std::string(info.name) + "_Base.png"),
                       info.depthOffsetX);
    sf::Texture* screenTexture = hangarTexture(e.textures, "3D/Hangar/_Base.png");
    e.world.showMenuOn(loadHangarMesh(e, SCREEN_DISPLAYERS[0], screenTexture, 0.f));
    loadHangarMesh(e, SCREEN_DISPLAYERS[1], screenTexture, 0.f);

    e.renderer.menuFont.loadFromFile(resolveAssetPath("3D/font/Cyberfall.otf"));
    fillMenuBindings(e.menu.menuBindings);
    redrawMenuPage(); // a new visit: its pictures may have changed meanwhile
}

PreloadJob hangarPreload()
{
    PreloadJob job;
    job.sceneTextures = {"3D/Hangar/HangarColor.png", "3D/Hangar/_Base.png"};
    for (const HangarMeshInfo& info : HANGAR_MESHES) {
        job.sceneTextures.push_back("3D/Hangar/" + std::string(info.name) + "_Base.png");
        job.models.push_back("3D/Hangar/" + std::string(info.name));
    }
    for (const char* name : SCREEN_DISPLAYERS)
        job.models.push_back("3D/Hangar/" + std::string(name));
    // The menu's pictures and the high-score board drawn when it opens.
    job.sharedTextures = {"2D/Menu/logoOrbyndel.png", HighScoresState::BACKGROUND, "3D/Menu/backGround.png",
                          "3D/Menu/Game.png"};
    return job;
}

void moveMenuCamera(Engine& e)
{
    if (!e.world.player3D() || !e.world.camera())
        return;
    const MenuCameraStep step =
        menuCameraGlide(e.world.player3D()->position, e.world.camera()->rotation, e.timing.frameTime);
    e.world.poseCamera(step.position, step.rotation);
    if (step.settled)
        e.renderer.depthView = false;
}

void updateMenuScene(Engine& e)
{
    if (!e.menu.menuInputReleased)
        return;
    moveMenuCamera(e);
    updateMenuScreen(menuServicesOf(servicesOf(e)), e.world.menuScreen());
}
