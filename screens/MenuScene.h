#pragma once
// The 3D hangar the main menu is shown in: the camera glides to a desk whose
// screen mesh shows the menu pages.
#include "engine/SceneChange.h"
#include "platform/Bindings.h"

#include <SFML/System/Vector3.hpp>
#include <array>
#include <string>

struct HangarMeshInfo {
    const char* name;   // below "3D/Hangar/"
    float depthOffsetX; // pushes the mesh back or forth in the painter's order
};
extern const std::array<HangarMeshInfo, 16> HANGAR_MESHES;
// The two desk screens; the first shows the menu.
extern const std::array<const char*, 2> SCREEN_DISPLAYERS;

namespace menu_camera {
const sf::Vector3f POSITION(-19000.f, -4000.f, 3300.f);
const sf::Vector3f ROTATION(0.f, -90.f, -12.f);
constexpr float ROTATION_SPEED = 4.25f; // degrees per second
} // namespace menu_camera

// One frame of the camera's glide to the menu view: the position covers the
// fraction frameTime of what remains (until within 5 units), the rotation turns
// at a fixed speed (until within 2 degrees).
struct MenuCameraStep {
    sf::Vector3f position;
    sf::Vector3f rotation;
    bool settled; // every component of the position step is at most 3
};
MenuCameraStep menuCameraGlide(const sf::Vector3f& position, const sf::Vector3f& rotation, float frameTime);

// The menu's six actions (cursor up and down, validate, back, page turns).
void fillMenuBindings(MenuBindings& bindings);

// Hands the engine the hangar's build and update steps (before entering the hangar menu).
void installMenuScene();
// Builds the hangar scene (called when the hangar menu is entered).
void buildMenuScene(Engine& engine);
// What the hangar and the menu's first frame load, for the preload worker.
PreloadJob hangarPreload();
// One frame of the menu scene: the glide and the menu screen, once the key that
// ended the logos is released.
void updateMenuScene(Engine& engine);
void moveMenuCamera(Engine& engine);
