#pragma once
// Camera paths: frames built from the camera records of a scene file, played
// at 60 frames per second by the engine step. The path poses the 3D player
// (whose camera is the engine camera) and the scene's objects, and its end
// is marked for the flow and the cut-scenes to see (scene 9 loops instead).
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

// The camera path the world plays: its frames, how far it got and whether it
// ended. A scene file adds to it; a scene release clears it.
class CameraPathState {
public:
    // Adds the frames of a scene file's camera record.
    void append(const SceneRecord& record) { appendCameraFrames(frames_, record); }
    // A scene that starts `seconds` in: the frames before are played already.
    void startAt(float seconds) { markFramesPlayed(frames_, seconds); }
    // Marks the first `count` frames played (all, when fewer).
    void skipFrames(std::size_t count);
    void clear() { frames_.clear(); }

    bool empty() const { return frames_.empty(); }
    std::size_t size() const { return frames_.size(); }
    const std::vector<CameraFrame>& frames() const { return frames_; }

    // The frame the path stands at: the last one posed or skipped to.
    int frame() const { return frame_; }
    // Stands the path at `index` without posing anything (what the planet's
    // glow and the head boss read).
    void standAt(int index) { frame_ = index; }
    // The last frame the engine step posed.
    int posedFrame() const { return posedFrame_; }

    // The path came to its end (a looping scene never does).
    bool ended() const { return ended_; }
    // The level flow moved on at this end: a path moves it on once.
    void acknowledgeEnd() { ended_ = false; }
    // A cut-scene starts: only an end from now on counts.
    void watchForEnd() { ended_ = false; }
    // Ends the path as its last frame would.
    void markEnded() { ended_ = true; }

    // Advances the path by one engine frame in scene `sceneId`: the index of
    // the frame to pose (the posed frame from now on), or -1. The K key skips
    // the first 4000 frames.
    int advance(float frameTime, int sceneId);
    // A looping path starts again at LOOP_START_FRAME.
    void rearmLoop();
    // Marks frame `index` played and posed; null when the path is shorter.
    const CameraFrame* pose(int index);

private:
    int nextFrame(float frameTime, int sceneId);
    void applyEndRule(int sceneId);

    std::vector<CameraFrame> frames_;
    float accumulator_ = 0.f;
    int posedFrame_ = 0;
    int frame_ = 0;
    bool ended_ = false;
};

// Per engine frame; does nothing in a scene with a fixed camera. True when a
// frame of the path came up (posed, or due while its scene still loads).
bool playCameraPath(Engine& engine);
