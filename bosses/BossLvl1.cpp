#include "bosses/BossLvl1.h"

#include "engine/FrameTiming.h"
#include "engine/ObjLoader.h"
#include "engine/RendererResources.h"
#include "engine/TextureCache.h"

#include <cmath>
#include <memory>

namespace {

const char* const TOWER_MODEL = "3D/BossLevel1/Tower/Tower";
const char* const TOWER_TEXTURE = "3D/BossLevel1/Tower/Tower_greenDiffuse.png";
const char* const TOWER_RED = "3D/BossLevel1/Tower/Tower_redDiffuse.png";
const char* const MODULE_MODEL = "3D/BossLevel1/Module/Module";
const char* const TURRET_MODEL = "3D/bossLevel1/Module/Turret";
const char* const MODULE_TEXTURE = "3D/BossLevel1/Module/Module_greenDiffuse.png";
const char* const MODULE_RED = "3D/BossLevel1/Module/Module_redDiffuse.png";

const sf::Vector3f TOWER_POSITION{0.f, -182987.25f, 368848.06f};
const sf::Vector3f DOOR_TOP_POSITION{0.f, -192487.25f, 368598.06f};
const sf::Vector3f PLANET_POSITION{0.f, -128214.125f, 368923.375f};
constexpr float MODULE_Y = -192101.25f;
constexpr float MODULE_Z = 368499.06f;
constexpr float TURRET_Z = 368399.06f;
constexpr float MODULE_X[BossLvl1::MODULE_COUNT] = {-9600.f, -5176.f, 5176.f, 9600.f};

// Where the doors slide to, and back.
const sf::Vector3f DOOR2_OPEN{-1000.f, -182687.25f, 368848.06f};
const sf::Vector3f DOOR1_OPEN{1000.f, -182687.25f, 368848.06f};
const sf::Vector3f DOORS_CLOSED{0.f, -182687.25f, 368848.06f};
constexpr float DOOR_STOP_SPEED = 40.f;
constexpr float OPENING_X_FACTOR = 1600.f;
constexpr float CLOSING_X_FACTOR = 2600.f;

constexpr float MODULE_TURN_SPEED = 90.f;
constexpr float TURRET_HIDDEN_DEPTH = -400000.f;

// The two muzzles of a turret, in the turret's frame, and its pivot height.
constexpr float MUZZLE_X[2] = {582.04f, -584.1024f};
constexpr float MUZZLE_Z = 1813.2561f;
constexpr float TURRET_PIVOT_Y = 1833.736f;

// The velocity that slides a door towards `target`: already scaled by the
// frame time, with x sped up by xFactor; zero within 5 units.
sf::Vector3f doorVelocity(const Mesh* door, const sf::Vector3f& target, float xFactor, float frameTime)
{
    if (!door)
        return {};
    const sf::Vector3f d = target - door->position();
    const float len = length3(d);
    if (!(len > 5.f))
        return {};
    const float t = frameTime;
    return {t * d.x / len * 100.f * xFactor, t * d.y / len * 100.f, t * d.z / len * 100.f};
}

void setVelocity(Mesh* door, const sf::Vector3f& v)
{
    if (door)
        door->moveAt(v);
}

float velocityX(const Mesh* door) { return door ? door->velocity().x : 0.f; }

// The one owner of the installed 3D boss; the world only shows it.
std::unique_ptr<BossParent> installedBoss;

} // namespace

BossLvl1::BossLvl1(TextureCache& textures, RendererResources& renderer, World3D& world)
    : textures_(textures), renderer_(renderer), world_(world)
{
    tower = load(TOWER_MODEL, TOWER_TEXTURE, TOWER_POSITION);
    if (tower)
        tower->turnTo({270.f, -180.f, 0.f});
    door2 = load("3D/BossLevel1/Tower/Door2", TOWER_TEXTURE, TOWER_POSITION);
    door1 = load("3D/BossLevel1/Tower/Door1", TOWER_TEXTURE, TOWER_POSITION);
    doorTop = load("3D/BossLevel1/Tower/DoorTop", TOWER_TEXTURE, TOWER_POSITION);
    if (doorTop)
        doorTop->placeAt(DOOR_TOP_POSITION);
    planet = load("3D/GreenPlanet/planet", "3D/GreenPlanet/planet.png", PLANET_POSITION);
    if (planet) {
        planet->turnTo({360.f, -180.f, 90.f});
        const sf::Vector3f o = planet->sortOffset();
        planet->setSortOffset({o.x, o.y, 750000.f});
    }
    for (int i = 0; i < MODULE_COUNT; ++i) {
        const bool turned = (i == 1 || i == 2);
        const sf::Vector3f rotation = turned ? sf::Vector3f(180.f, 0.f, 0.f) : sf::Vector3f();
        Mesh* turret = load(TURRET_MODEL, MODULE_TEXTURE, {MODULE_X[i], MODULE_Y, TURRET_Z});
        Mesh* module = load(MODULE_MODEL, MODULE_TEXTURE, {MODULE_X[i], MODULE_Y, MODULE_Z});
        if (turret) {
            turret->turnTo(rotation);
            if (renderer_.resourcesReady)
                turret->loadTextureMaps(textures_, MODULE_MODEL);
        }
        if (module) {
            module->turnTo(rotation);
            module->rename(std::to_string(i));
        }
        turrets[static_cast<size_t>(i)] = turret;
        modules[static_cast<size_t>(i)] = {module, turned};
    }
    if (renderer_.resourcesReady) {
        for (Mesh* door : {door2, door1, doorTop})
            if (door)
                door->loadTextureMaps(textures_, TOWER_MODEL);
        // Kept for the whole fight: no mesh shows them until a part is hit.
        textures_.getTexture(MODULE_RED);
        textures_.getTexture(TOWER_RED);
    }
}

Mesh* BossLvl1::load(const std::string& model, const std::string& texture, const sf::Vector3f& position)
{
    std::unique_ptr<Mesh> mesh =
        renderer_.resourcesReady
            ? loadObjMesh(textures_, renderer_, model, textures_.getTexture(texture, TextureUse::Scene), position,
                          false)
            : loadObjGeometry(model, position, false);
    Mesh* loaded = mesh.get();
    if (mesh)
        objects.push_back(std::move(mesh));
    return loaded;
}

void BossLvl1::paint(Mesh* mesh, const char* texturePath)
{
    if (!mesh || !renderer_.resourcesReady)
        return;
    if (sf::Texture* texture = textures_.getTexture(texturePath, TextureUse::Scene))
        mesh->setBaseTexture(texture, textures_.isOpaque(texture));
}

Camera BossLvl1::camera() const
{
    const Camera* camera = world_.camera();
    return camera ? *camera : Camera{};
}

void BossLvl1::update(float frameTime)
{
    animateModules(frameTime);
    aimTurrets();
    if (doorsTriggered)
        doorsOpen = openDoors(frameTime);
    const float t = frameTime;
    for (size_t s = 0; s < flashOn.size(); ++s) {
        if (!flashOn[s])
            continue;
        flashTimers[s] -= t;
        if (flashTimers[s] <= 0.f)
            flashOn[s] = false;
    }
    const float towerFlash = flashOn[TOWER_FLASH] ? flashTimers[TOWER_FLASH] / FLASH_TIME * 255.f : 0.f;
    for (Mesh* mesh : {tower, door2, door1, doorTop})
        if (mesh)
            mesh->setFlash(towerFlash);
}

void BossLvl1::animateModules(float frameTime)
{
    for (size_t i = 0; i < modules.size(); ++i) {
        Mesh* module = modules[i].mesh;
        if (!module)
            continue;
        const sf::Vector3f target(modules[i].turned ? 180.f : 0.f, module->rotation().y, module->rotation().z);
        module->setSpin(moveTowards3D(module->rotation(), target, MODULE_TURN_SPEED, frameTime));
        const sf::Vector3f r = module->rotation();
        const float c = std::cos((r.x - 45.f) * PI_F / 180.f);
        Mesh* turret = turrets[i];
        if (turret) {
            if (!moduleDestroyed[i] && c <= 0.f)
                turret->turnTo(r);
            else
                turret->turnTo({r.x, turret->rotation().y, r.z});
        }
        module->setFlash(flashOn[i] ? flashTimers[i] / FLASH_TIME * 200.f : 0.f);
        turretActive[i] = c < 0.f;
        if (turret) {
            const float hidden = turretActive[i] ? 0.f : TURRET_HIDDEN_DEPTH;
            turret->setSortOffset({turret->sortOffset().x, hidden, hidden});
        }
    }
}

void BossLvl1::aimTurrets()
{
    const Camera view = camera();
    for (size_t i = 0; i < turrets.size(); ++i) {
        Mesh* turret = turrets[i];
        if (!turret)
            continue;
        turret->setFlash(flashOn[i] ? flashTimers[i] / FLASH_TIME * 255.f : 0.f);
        if (!turretActive[i] || moduleDestroyed[i])
            continue;
        const sf::Vector2f s = projectToScreen(view, turret->position());
        const float a = std::atan2(aimPoint.y - s.y, aimPoint.x - s.x);
        const sf::Vector3f r = turret->rotation();
        turret->turnTo({r.x, 85.f - a * 180.f / PI_F, r.z});
    }
}

bool BossLvl1::openDoors(float frameTime)
{
    switch (doorStep) {
    case 0:
        moveDoors(frameTime);
        if (velocityX(door1) > DOOR_STOP_SPEED || velocityX(door2) < -DOOR_STOP_SPEED)
            return false;
        doorStep = 1;
        return true;
    case 1:
        if (doorWait > 0.f) {
            doorWait -= frameTime;
            return true;
        }
        doorStep = 2;
        return false;
    default:
        setVelocity(door2, doorVelocity(door2, DOORS_CLOSED, CLOSING_X_FACTOR, frameTime));
        setVelocity(door1, doorVelocity(door1, DOORS_CLOSED, CLOSING_X_FACTOR, frameTime));
        if (velocityX(door1) < -DOOR_STOP_SPEED && velocityX(door2) > DOOR_STOP_SPEED)
            return false;
        doorStep = 0;
        setVelocity(door1, {});
        setVelocity(door2, {});
        doorsTriggered = false;
        doorWait = 1.f;
        return false;
    }
}

void BossLvl1::moveDoors(float frameTime)
{
    setVelocity(door2, doorVelocity(door2, DOOR2_OPEN, OPENING_X_FACTOR, frameTime));
    setVelocity(door1, doorVelocity(door1, DOOR1_OPEN, OPENING_X_FACTOR, frameTime));
}

void BossLvl1::setAllRed()
{
    for (Mesh* mesh : {tower, door2, door1, doorTop})
        paint(mesh, TOWER_RED);
    for (int i = 0; i < MODULE_COUNT; ++i)
        setModuleRed(i);
}

void BossLvl1::setModuleRed(int i)
{
    if (i < 0 || i >= MODULE_COUNT || !modules[static_cast<size_t>(i)].mesh)
        return;
    paint(modules[static_cast<size_t>(i)].mesh, MODULE_RED);
    moduleDestroyed[static_cast<size_t>(i)] = true;
}

void BossLvl1::setModuleFlag(int i, bool turned)
{
    if (i >= 0 && i < MODULE_COUNT)
        modules[static_cast<size_t>(i)].turned = turned;
}

void BossLvl1::flashModule(int i)
{
    if (i < 0 || i >= MODULE_COUNT || !modules[static_cast<size_t>(i)].mesh)
        return;
    const size_t p = static_cast<size_t>(i);
    modules[p].mesh->setFlash(255.f);
    flashTimers[p] = FLASH_TIME;
    flashOn[p] = true;
}

void BossLvl1::flashTower()
{
    flashTimers[TOWER_FLASH] = FLASH_TIME;
    flashOn[TOWER_FLASH] = true;
}

std::vector<sf::Vector2f> BossLvl1::getTurretScreenPositions(int i)
{
    std::vector<sf::Vector2f> points;
    if (i < 0 || i >= MODULE_COUNT || !turrets[static_cast<size_t>(i)])
        return points;
    const Mesh& turret = *turrets[static_cast<size_t>(i)];
    const Camera view = camera();
    for (float muzzleX : MUZZLE_X) {
        const sf::Vector3f r = rotateEuler({muzzleX, 0.f, MUZZLE_Z}, turret.rotation());
        const sf::Vector3f& p = turret.position();
        const sf::Vector3f w(p.x + r.x, p.y - TURRET_PIVOT_Y + r.y, p.z + r.z);
        screenPoint = projectToScreen(view, w);
        points.push_back(screenPoint);
    }
    return points;
}

BossLvl1* currentBossLvl1(const World3D& world) { return dynamic_cast<BossLvl1*>(world.boss3D()); }

void installBoss3D(World3D& world, std::unique_ptr<BossParent> boss)
{
    releaseBoss3D(world);
    installedBoss = std::move(boss);
    world.setBoss3D(installedBoss.get());
}

void releaseDetachedBoss3D(World3D& world)
{
    if (installedBoss && world.boss3D() != installedBoss.get())
        installedBoss.reset();
}

void releaseBoss3D(World3D& world)
{
    if (world.boss3D() == installedBoss.get())
        world.clearBoss3D();
    installedBoss.reset();
}
