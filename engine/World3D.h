#pragma once
// The 3D world behind the game: the current scene, its objects and meshes,
// the 3D player and camera, the camera path being played, the world light and
// the 3D boss. Released scene by scene by Engine::clearScene.
#include "engine/CameraPath.h"
#include "engine/Entity.h"
#include "engine/SceneFile.h"
#include "engine/Scenes.h"
#include "engine/WorldLight.h"

#include <memory>
#include <vector>

class BossParent;
class Level3Background;

class World3D {
public:
    std::vector<SceneObjectRecord> sceneObjects;
    std::vector<std::unique_ptr<Mesh>> meshes; // registered meshes (Engine::addMesh), in registration order
    std::vector<Entity*> entities;

    // ---- the scene ----
    int sceneId() const { return sceneId_; } // index into sceneNames, set by changeScene
    // A scene change: the world shows scene `id` at full light and without a
    // 3D boss; once the old scene's meshes are deleted, its textures are purged.
    void enterScene(int id);
    // A scene file is being read (its objects are not all there yet).
    bool loading() const { return sceneLoading_; }
    // A scene file was read since the last visible-list rebuild.
    bool justLoaded() const { return sceneLoaded_; }
    void beginLoading() { sceneLoading_ = true; }
    // The file is read: its camera path starts `startSeconds` in.
    void finishLoading(float startSeconds);
    // The visible-list rebuild has seen the load.
    void settleLoad() { sceneLoaded_ = false; }
    // The old scene's textures are still to be purged once its meshes go.
    bool purgeWhenReleased() const { return purgeAfterRelease_; }
    void notePurged() { purgeAfterRelease_ = false; }

    // ---- the 3D player, its camera and the space backdrop ----
    Player* player3D() const { return player_.get(); }
    Camera* camera() const { return camera_; }
    // Makes `player` the 3D player: its camera becomes the world's camera.
    void installPlayer(std::unique_ptr<Player> player);
    // Sees the world through `camera` (null: through none) until the next
    // installPlayer; the caller keeps it alive.
    void lookThrough(Camera* camera) { camera_ = camera; }
    // Each does nothing without a player or a camera.
    void placePlayer3D(const sf::Vector3f& position);
    void turnCamera(const sf::Vector3f& rotation);
    // The camera and the player it follows both at `position`, turned to `rotation`.
    void poseCamera(const sf::Vector3f& position, const sf::Vector3f& rotation);
    Mesh* spaceBackdrop() const { return spaceMesh_.get(); }
    void setSpaceBackdrop(std::unique_ptr<Mesh> backdrop) { spaceMesh_ = std::move(backdrop); }

    // ---- what the world shows besides its meshes ----
    // The boss's meshes, owned by whoever installed it (bosses/BossLvl1.h).
    BossParent* boss3D() const { return boss3D_; }
    void setBoss3D(BossParent* boss) { boss3D_ = boss; }
    void clearBoss3D() { boss3D_ = nullptr; }
    // The hangar desk's screen, showing the menu pages (null: none, or deleted).
    Mesh* menuScreen() const { return menuScreenMesh_; }
    void showMenuOn(Mesh* screen) { menuScreenMesh_ = screen; }
    // The last levels' background, owned by main (null detaches it).
    Level3Background* level3Background() const { return level3Background_; }
    void attachLevel3Background(Level3Background* background) { level3Background_ = background; }

    CameraPathState& cameraPath() { return cameraPath_; }
    const CameraPathState& cameraPath() const { return cameraPath_; }
    WorldLight& light() { return light_; }
    const WorldLight& light() const { return light_; }

private:
    int sceneId_ = scene::MAIN_MENU;
    Camera* camera_ = nullptr;
    std::unique_ptr<Player> player_; // owns the 3D player (also listed in entities)
    std::unique_ptr<Mesh> spaceMesh_; // the backdrop, attached to the camera
    Mesh* menuScreenMesh_ = nullptr;
    BossParent* boss3D_ = nullptr;
    Level3Background* level3Background_ = nullptr;

    bool sceneLoading_ = false;
    bool sceneLoaded_ = false;
    bool purgeAfterRelease_ = false;

    CameraPathState cameraPath_;
    WorldLight light_;
};
