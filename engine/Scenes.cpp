#include "engine/Scenes.h"

#include "engine/Mesh.h"
#include "engine/SceneChange.h"

#include <array>
#include <iterator>
#include <string_view>

namespace scene {
namespace {

// A row written as its scene's file and rules, then only what differs from a plain scene.
struct Row {
    SceneInfo info;
    constexpr Row(const char* file, std::uint32_t rules) : info()
    {
        info.file = file;
        info.rules = rules;
    }
    constexpr Row& backdrop(Backdrop b) { info.backdrop = b; return *this; }
    constexpr Row& glow(PlanetGlow g) { info.planetGlow = g; return *this; }
    constexpr Row& light(Place p) { info.lightPosition = p; return *this; }
    template <std::size_t N>
    constexpr Row& walls(const WallSection (&sections)[N], WallLinesWindow lines)
    {
        info.walls = sections;
        info.wallCount = N;
        info.wallLines = lines;
        return *this;
    }
    constexpr Row& bossHead(const char* object) { info.bossHeadObject = object; return *this; }
    constexpr Row& entry(const EntryPose& pose) { info.entryPose = &pose; return *this; }
    constexpr Row& prepares(int id) { info.preparedInstead = id; return *this; }
    constexpr Row& preloads(const char* file, int alsoId)
    {
        info.preloadFileInstead = file;
        info.preloadAlso = alsoId;
        return *this;
    }
    constexpr Row& editor(int sequence) { info.editorSequence = sequence; return *this; }
};

using namespace rule;

// The corridor's wall sections: how far behind the others each sorts.
constexpr WallSection CORRIDOR_WALLS[] = {
    {"3D/LVL2/wall/wall1", 100000.f},       {"3D/LVL2/wall/wall2", 100000.f},
    {"3D/LVL2/wall/wall1_2", 20000000.f},   {"3D/LVL2/wall/wall2_2", 20000000.f},
    {"3D/LVL2/wall/wall1_3", 300000000.f},  {"3D/LVL2/wall/wall2_3", 300000000.f},
    {"3D/LVL2/wall/wall1_4", 4000000000.f}, {"3D/LVL2/wall/wall2_4", 4000000000.f},
};
// The corridor's wall lines stop the ships in level 2's sequences, once the camera has come in.
constexpr WallLinesWindow CORRIDOR_WALL_LINES{4, 6, 60};

// The tower: the camera looks down on it from above the first level's path.
constexpr EntryPose TOWER_ENTRY{{70.f, 0.f, 0.f}, {0.f, -203338.8125f, 358765.f}};

constexpr std::uint32_t FLOW_WAITS = FLOW_WAITS_FOR_CAMERA_PATH;
constexpr std::uint32_t UNCULLED = DRAWS_OFF_SCREEN_OBJECTS | DRAWS_OFF_SCREEN_MESHES;

constexpr SceneInfo ROWS[] = {
    /* HANGAR */ Row("hangar", FIXED_CAMERA).info,
    /* INTRO */
    Row("1", DRAWS_PLAYER_ON_TOP | HIDES_LIGHT_GLOW | HIDES_SHIPS | FLOW_WAITS).glow(PlanetGlow::FollowsPath).info,
    /* OPEN_SPACE */ Row("2", HIDES_LIGHT_GLOW | TURNS_SHIPS_TO_2D).glow(PlanetGlow::Grows).editor(0).info,
    /* ASTEROIDS */ Row("3", HIDES_LIGHT_GLOW | FLOW_WAITS | LEFT_WHEN_PATH_ENDS).editor(1).info,
    /* DIVE */ Row("4", HIDES_LIGHT_GLOW | HIDES_SHIPS | FLOW_WAITS | RUNS_NO_SEQUENCE).info,
    /* GAS_GIANT */
    Row("5", FIXED_LIGHT | POSES_ONLY_WHEN_LOADED | UNCULLED | HIDES_LIGHT_GLOW | SHIPS_FLY_BACK_IN)
        .light({-500000.f, 0.f, -5000000000.f})
        .editor(2)
        .info,
    /* APPROACH */ Row("6", UNCULLED | HIDES_LIGHT_GLOW | FLOW_WAITS | LEFT_WHEN_PATH_ENDS).editor(3).info,
    /* TOWER: built by its boss; its boss's models and the corridor after it are prepared on the way in */
    Row("7", FIXED_CAMERA | DROPS_SCENE_OBJECTS | KEEPS_TEXTURES_ON_PURGE | HIDES_LIGHT_GLOW
                 | EVERY_FADE_END_MOVES_FLOW | KEPT_BY_FLOW)
        .entry(TOWER_ENTRY)
        .preloads("Scene/boss.txt", CORRIDOR)
        .info,
    /* CORRIDOR */
    Row("8", SHIPS_START_ON_THE_LEFT | OPAQUE_FADE_END_MOVES_FLOW | FLOW_WAITS | KEPT_BY_FLOW)
        .walls(CORRIDOR_WALLS, CORRIDOR_WALL_LINES)
        .editor(4)
        .info,
    /* ARENA: the final boss; the game ends with the credits */
    Row("9", LOOPS_CAMERA_PATH | UNCULLED | DRAWS_BACK_FACES | KEPT_BY_FLOW)
        .backdrop(Backdrop::BossSpaceShader)
        .light({150000.f, 250000.f, 1500000.f})
        .bossHead("4head")
        .prepares(CREDITS)
        .editor(8)
        .info,
    /* ICE_PLANET */ Row("10", 0).info,
    /* LEVEL3_START */ Row("11", 0).backdrop(Backdrop::Level3Tunnel).editor(5).info,
    /* LEVEL3_MIDDLE */ Row("12", NEXT_TUNNEL_PICTURE).backdrop(Backdrop::Level3Tunnel).editor(6).info,
    /* LEVEL3_END */
    Row("13", NEXT_TUNNEL_PICTURE | OPAQUE_FADE_END_MOVES_FLOW | KEPT_BY_FLOW)
        .backdrop(Backdrop::Level3Tunnel)
        .editor(7)
        .info,
    /* CREDITS */ Row("credits", DRAWS_OFF_SCREEN_MESHES | DRAWS_BACK_FACES).info,
    /* MAIN_MENU */ Row("MAIN_MENU", FIXED_CAMERA | DROPS_SCENE_OBJECTS | MENU).info,
    /* MOON */ Row("moon", KEPT_BY_FLOW).info,
};
static_assert(std::size(ROWS) == COUNT, "one row per scene id");

// Ids outside the table: plain before it, kept by the flow after it (as the moon).
constexpr SceneInfo BEFORE_THE_TABLE = Row(nullptr, 0).info;
constexpr SceneInfo AFTER_THE_TABLE = Row(nullptr, KEPT_BY_FLOW).info;

constexpr std::array<const char*, COUNT> fileNames()
{
    std::array<const char*, COUNT> names{};
    for (int id = 0; id < COUNT; ++id)
        names[static_cast<std::size_t>(id)] = ROWS[id].file;
    return names;
}

} // namespace

const SceneInfo& sceneInfo(int id)
{
    if (id < 0)
        return BEFORE_THE_TABLE;
    if (id >= COUNT)
        return AFTER_THE_TABLE;
    return ROWS[id];
}

int preparedAfter(int id)
{
    const int instead = sceneInfo(id).preparedInstead;
    int next = instead >= 0 ? instead : id + 1;
    while (drawsShaderBackground(next))
        ++next;
    return next;
}

const WallSection* wallSectionOf(int id, const std::string& model)
{
    const SceneInfo& info = sceneInfo(id);
    for (std::size_t i = 0; i < info.wallCount; ++i)
        if (model == info.walls[i].model)
            return &info.walls[i];
    return nullptr;
}

bool showsWallLines(int id, int sequence, int cameraFrame)
{
    const WallLinesWindow& lines = sceneInfo(id).wallLines;
    return sequence >= lines.firstSequence && sequence <= lines.lastSequence && hasCorridorWalls(id)
        && cameraFrame > lines.afterCameraFrame;
}

int sceneOfEditorSequence(int sequence)
{
    for (int id = 0; id < COUNT; ++id)
        if (sequence >= 0 && ROWS[id].editorSequence == sequence)
            return id;
    return -1;
}

} // namespace scene

const std::array<const char*, SCENE_COUNT> sceneNames = scene::fileNames();

namespace {

// What a mesh is in every scene, by its model's name: a part of it, the whole of it or its end.
enum class NameMatch { Part, Whole, Ending };
struct KindByName {
    const char* name;
    NameMatch match;
    MeshKind kind;
};
const KindByName MESH_KINDS_EVERYWHERE[] = {
    {"Map", NameMatch::Part, MeshKind::ScrollingMap},
    {"wall", NameMatch::Part, MeshKind::Wall},
    {"collisionTop", NameMatch::Part, MeshKind::CollisionTop},
    {"collisionBot", NameMatch::Part, MeshKind::CollisionBottom},
    {"space", NameMatch::Part, MeshKind::Space},
    {"spacestar", NameMatch::Part, MeshKind::SpaceStar},
    {"3D/space", NameMatch::Whole, MeshKind::Backdrop},
    {"player", NameMatch::Part, MeshKind::Player},
    {"GreenPlanet", NameMatch::Part, MeshKind::GreenPlanet},
    // The final boss's head, wherever its model is placed ("3D/Murzel/4head").
    {"4head", NameMatch::Whole, MeshKind::FinalBossHead},
    {"/4head", NameMatch::Ending, MeshKind::FinalBossHead},
};

bool matches(std::string_view name, const KindByName& rule)
{
    const std::string_view part = rule.name;
    switch (rule.match) {
    case NameMatch::Whole: return name == part;
    case NameMatch::Ending:
        return name.size() >= part.size() && name.compare(name.size() - part.size(), part.size(), part) == 0;
    case NameMatch::Part: break;
    }
    return name.find(part) != std::string::npos;
}

} // namespace

MeshKinds meshKindsOf(const std::string& name)
{
    MeshKinds kinds;
    for (const KindByName& rule : MESH_KINDS_EVERYWHERE)
        if (matches(name, rule))
            kinds.add(rule.kind);
    return kinds;
}
