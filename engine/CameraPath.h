#pragma once
// Camera paths: frames built from the camera records of a scene file, played
// at 60 frames per second by the engine step. The path poses the 3D player
// (whose camera is the engine camera) and the scene's objects, and its end
// sets Engine::cinematicFinished (scene 9 loops instead).
#include <SFML/System/Vector3.hpp>
#include <cstddef>
#include <vector>

class Engine;
struct SceneRecord;

struct CameraFrame {
    sf::Vector3f position; // position key k
    sf::Vector3f rotation; // rotation key k + 1 (degrees, camera-converted)
    bool pending = true;   // until played or skipped
};

constexpr float CAMERA_FRAME_SECONDS = 0.016666668f;
constexpr std::size_t LOOP_START_FRAME = 181;

// n position keys and m rotation keys give min(n, m) - 1 frames.
void appendCameraFrames(std::vector<CameraFrame>& frames, const SceneRecord& record);
// Marks the first trunc(startSeconds x 60) frames played (all, when fewer).
void markFramesPlayed(std::vector<CameraFrame>& frames, float startSeconds);

// The index of the frame to pose this engine frame, or -1.
int advanceCameraPath(Engine& engine);
void rearmCameraPathLoop(Engine& engine);
// Per engine frame; does nothing in a scene with a fixed camera.
void playCameraPath(Engine& engine);
