#include "engine/CameraPath.h"

#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/Scenes.h"
#include "engine/SceneFile.h"

#include <algorithm>
#include <cmath>

void appendCameraFrames(std::vector<CameraFrame>& frames, const SceneRecord& record)
{
    for (size_t k = 0; k + 1 < record.positions.size() && k + 1 < record.rotations.size(); ++k)
        frames.push_back({record.positions[k], record.rotations[k + 1], true});
}

void markFramesPlayed(std::vector<CameraFrame>& frames, float startSeconds)
{
    const double wanted = std::trunc(static_cast<double>(startSeconds) * 60.0);
    const size_t count = wanted > 0.0 ? static_cast<size_t>(std::min<double>(wanted, frames.size())) : 0;
    for (size_t i = 0; i < count; ++i)
        frames[i].pending = false;
}

void CameraPathState::skipFrames(std::size_t count)
{
    for (size_t i = 0; i < count && i < frames_.size(); ++i)
        frames_[i].pending = false;
}

void CameraPathState::applyEndRule(int sceneId)
{
    if (scene::loopsCameraPath(sceneId))
        rearmLoop();
    else
        ended_ = true;
}

int CameraPathState::advance(float frameTime, int sceneId)
{
    const int index = nextFrame(frameTime, sceneId);
    if (index >= 0)
        posedFrame_ = index;
    return index;
}

int CameraPathState::nextFrame(float frameTime, int sceneId)
{
    std::vector<CameraFrame>& frames = frames_;
    accumulator_ += frameTime / CAMERA_FRAME_SECONDS;
    int whole = static_cast<int>(std::floor(accumulator_));
    accumulator_ -= static_cast<float>(whole);

    if (input::isKeyPressed(sf::Keyboard::K))
        for (size_t i = 0; i < frames.size() && i < 4000; ++i)
            frames[i].pending = false;

    if (whole < 1)
        return -1;
    for (size_t i = 0; i < frames.size(); ++i) {
        if (!frames[i].pending)
            continue;
        frame_ = static_cast<int>(i);
        const bool last = i + 1 == frames.size();
        if (whole == 1) {
            if (last)
                applyEndRule(sceneId);
            return static_cast<int>(i);
        }
        frames[i].pending = false;
        if (last)
            applyEndRule(sceneId);
        --whole;
    }
    if (scene::loopsCameraPath(sceneId) && frames.size() > LOOP_START_FRAME)
        rearmLoop();
    return -1;
}

void CameraPathState::rearmLoop()
{
    if (frames_.size() <= LOOP_START_FRAME - 1)
        return;
    for (size_t i = LOOP_START_FRAME; i < frames_.size(); ++i)
        frames_[i].pending = true;
}

const CameraFrame* CameraPathState::pose(int index)
{
    const size_t i = static_cast<size_t>(index);
    if (index < 0 || i >= frames_.size())
        return nullptr;
    frames_[i].pending = false;
    return &frames_[i];
}

bool playCameraPath(Engine& engine)
{
    World3D& world = engine.world;
    if (scene::hasFixedCamera(world.sceneId()))
        return false;
    CameraPathState& path = world.cameraPath();
    const int index = path.advance(engine.timing.frameTime, world.sceneId());
    if (index < 0)
        return false;
    if (scene::posesOnlyWhenLoaded(world.sceneId()) && world.loading())
        return true;
    const size_t i = static_cast<size_t>(index);
    for (SceneObjectRecord& object : world.sceneObjects) {
        if (object.sceneId != world.sceneId() || !object.mesh)
            continue;
        if (i < object.positions.size())
            object.mesh->moveLocalTo(object.positions[i]);
        if (i < object.rotations.size())
            object.mesh->turnTo(object.rotations[i]);
    }
    if (const CameraFrame* frame = path.pose(index)) {
        world.placePlayer3D(frame->position);
        world.turnCamera(frame->rotation);
    }
    return true;
}
