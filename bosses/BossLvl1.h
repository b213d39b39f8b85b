#pragma once
// The 3D half of the first boss: a tower over a green planet with two sliding
// doors, a door top and four rotating modules, each carrying a turret. The 2D
// boss drives it through the aim point, the door trigger, module flashes,
// flags and red textures, and reads the turret muzzles' screen points.
#include "engine/BossParent.h"
#include "engine/Math3D.h"
#include "engine/World3D.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class RendererResources;
class TextureCache;
struct FrameTiming;

class BossLvl1 : public BossParent {
public:
    static constexpr int MODULE_COUNT = 4;
    static constexpr int TOWER_FLASH = 4; // flash slot of the tower
    static constexpr float FLASH_TIME = 0.1f;

    // Builds every mesh (kept out of the world's registered meshes), with its
    // textures from `textures`. Without the renderer's resources (no display)
    // the meshes carry geometry only. It is seen through the world's camera.
    BossLvl1(TextureCache& textures, RendererResources& renderer, World3D& world);

    void update(float frameTime) override;
    // The defeat look: tower, doors and every module red.
    void setAllRed() override;
    // Module i red for good; its turret stops aiming. No such module: nothing.
    void setModuleRed(int i);
    // Module i turns to show its other side (turned) or back.
    void setModuleFlag(int i, bool turned);
    // Module i flashes white for 0.1 s. No such module: nothing.
    void flashModule(int i);
    // The tower flashes white for 0.1 s.
    void flashTower();
    // The screen points of turret i's two muzzles; none for an unknown turret.
    std::vector<sf::Vector2f> getTurretScreenPositions(int i);

    bool openDoors(float frameTime);
    void moveDoors(float frameTime);
    void animateModules(float frameTime);
    void aimTurrets();

    struct ModuleEntry {
        Mesh* mesh = nullptr;
        bool turned = false;
    };

    bool doorsTriggered = false;
    sf::Vector2f aimPoint;
    bool doorsOpen = false;
    // The parts, looked at here: `objects` owns them.
    Mesh* tower = nullptr;
    std::array<ModuleEntry, MODULE_COUNT> modules{};
    std::array<Mesh*, MODULE_COUNT> turrets{};
    Mesh* door2 = nullptr;
    Mesh* door1 = nullptr;
    Mesh* doorTop = nullptr;
    Mesh* planet = nullptr;
    std::array<bool, MODULE_COUNT> turretActive{};
    std::array<bool, MODULE_COUNT> moduleDestroyed{};
    std::array<float, MODULE_COUNT + 1> flashTimers{};
    std::array<bool, MODULE_COUNT + 1> flashOn{};
    sf::Vector2f screenPoint;
    // The door sequence: 0 opening, 1 open (waiting), 2 closing.
    int doorStep = 0;
    float doorWait = 1.f;

private:
    Mesh* load(const std::string& model, const std::string& texture, const sf::Vector3f& position);
    void paint(Mesh* mesh, const char* texturePath);
    Camera camera() const;

    TextureCache& textures_;
    RendererResources& renderer_;
    World3D& world_;
};

// The 3D boss the world shows, when it is the first boss's tower; else null.
BossLvl1* currentBossLvl1(const World3D& world);

// The 3D boss is shown through the world's boss3D(), which a scene change clears
// without freeing. These keep it owned: installing a new one frees the
// previous one, and a 3D boss the world no longer shows is freed by the next
// releaseDetachedBoss3D.
void installBoss3D(World3D& world, std::unique_ptr<BossParent> boss);
void releaseDetachedBoss3D(World3D& world);
// Frees the installed 3D boss and takes it out of the world.
void releaseBoss3D(World3D& world);
