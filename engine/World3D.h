#pragma once
// The 3D world behind the game: the current scene, its objects and meshes,
// the 3D player and camera, the camera path being played, the world light and
// the 3D boss. Released scene by scene by Engine::clearScene.
#include "engine/CameraPath.h"
#include "engine/Entity.h"
#include "engine/SceneFile.h"
#include "engine/Scenes.h"

#include <SFML/System/Vector3.hpp>
#include <memory>
#include <vector>

class BossParent;
class Level3Background;

struct World3D {
    int sceneId = scene::MAIN_MENU; // index into sceneNames, set by changeScene
    std::vector<SceneObjectRecord> sceneObjects;
    std::vector<std::unique_ptr<Mesh>> meshes; // registered meshes (Engine::addMesh), in registration order
    std::vector<Entity*> entities;
    Camera* camera = nullptr;
    Player* player3D = nullptr;
    std::unique_ptr<Player> player;  // owns the 3D player (also listed in entities)
    std::unique_ptr<Mesh> spaceMesh; // the backdrop, attached to the camera
    Mesh* menuScreenMesh = nullptr;  // the hangar desk's screen, showing the menu pages
    BossParent* boss3D = nullptr; // shown here, owned by whoever installed it (bosses/BossLvl1.h)
    Level3Background* level3Background = nullptr; // owned by main

    bool sceneLoading = false;
    bool sceneLoaded = false;
    // Set by a scene change: once the old scene's meshes are deleted, its
    // textures are purged.
    bool purgeAfterRelease = false;

    // The camera path.
    std::vector<CameraFrame> cameraFrames;
    int currentCameraFrame = -1; // index into cameraFrames, -1 when none
    float cameraFrameAccumulator = 0.f;
    int posedFrame = 0;
    int cameraFrame = 0;
    bool cinematicFinished = false;

    // The light.
    float worldLighting = 3.5f;
    sf::Vector3f lightPosition{1e8f, -75000.f, 25000.f};
    float lightTickTimer = 0.f;
    bool lightTick = false;
};
