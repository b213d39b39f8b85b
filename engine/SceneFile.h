#pragma once
// Scene files ("Scene/" + name + ".txt": camera, mesh and light records) and
// the world-object table ("Scene/WORLD_OBJECT.txt": object name -> model and
// base texture).
#include "engine/FileStamp.h"
#include "engine/Mesh.h"

#include <SFML/Graphics/Color.hpp>
#include <istream>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class Engine;

struct WorldObjectEntry {
    std::string modelPath;   // OBJ/MTL path without extension
    std::string texturePath; // base texture file
};

// Name -> entry; operator[] gives an empty entry for an unknown name.
class WorldObjectTable : public std::unordered_map<std::string, WorldObjectEntry> {
public:
    static constexpr const char* FILE = "Scene/WORLD_OBJECT.txt";
    // Reads FILE; a missing file gives an empty table (said once on the error stream).
    WorldObjectTable();
    explicit WorldObjectTable(std::istream& in);

private:
    void read(std::istream& in);
};

// One mesh or light object of a loaded scene; owns its mesh.
struct SceneObjectRecord {
    std::string name;
    int sceneId = 0;
    std::unique_ptr<Mesh> mesh;
    std::vector<sf::Vector3f> positions;
    std::vector<sf::Vector3f> rotations; // degrees, converted
    bool removePending = false;
    // Key playback driven by the engine step while `playing`.
    bool playing = false;
    bool forward = true;
    bool looping = false;
    size_t keyIndex = 0;
};

enum class SceneRecordKind { Camera, Mesh, Light };

// A record of a scene file as read, rotations already converted for its kind.
struct SceneRecord {
    SceneRecordKind kind = SceneRecordKind::Mesh;
    std::string name = "name";
    std::vector<sf::Vector3f> positions;
    std::vector<sf::Vector3f> rotations;
    float intensity = 0.f;
    float range = 0.f;
    sf::Color colour = sf::Color::White;
};

// Every camera, mesh and light record of a scene file, in file order. Unknown
// kinds and keys are skipped; a key whose values are not all numbers is
// dropped and the offending word is read as the next key; so is a rotation
// whose degrees overflow a float; a record cut short by the end of the file
// ends there. A byte-order mark at the start is skipped.
std::vector<SceneRecord> readSceneRecords(std::istream& in);

// "Rock.001" -> "Rock": the name up to its last '.'.
std::string objectNameOf(const std::string& recordName);

// A scene file's records as read, with the file's stamp then.
struct SceneFileRead {
    bool opened = false;
    FileStamp stamp;
    std::vector<SceneRecord> records;
};
SceneFileRead readSceneFile(const std::string& path);
// A scene file read ahead of its load (by the preload worker): the next
// loadSceneFile of that path takes its records instead of reading the file
// again, unless the file has changed since. What is not taken is forgotten
// when the next preload starts.
void keepSceneFileReadAhead(const std::string& path, SceneFileRead read);
void forgetSceneFilesReadAhead();

// Loads a scene file into the engine's scene objects and camera path, marks
// the first startSeconds x 60 frames played, then purges unused textures. A
// scene file that does not open leaves the scene empty and is reported once.
void loadSceneFile(Engine& engine, const std::string& path, int sceneId, float startSeconds);
