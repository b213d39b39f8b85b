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

namespace {

void applyEndRule(Engine& engine)
{
    if (scene::loopsCameraPath(engine.world.sceneId))
        rearmCameraPathLoop(engine);
    else
        engine.world.cinematicFinished = true;
}

} // namespace

int advanceCameraPath(Engine& engine)
{
    std::vector<CameraFrame>& frames = engine.world.cameraFrames;
    engine.world.cameraFrameAccumulator += engine.timing.frameTime / CAMERA_FRAME_SECONDS;
    int whole = static_cast<int>(std::floor(engine.world.cameraFrameAccumulator));
    engine.world.cameraFrameAccumulator -= static_cast<float>(whole);

    if (input::isKeyPressed(sf::Keyboard::K))
        for (size_t i = 0; i < frames.size() && i < 4000; ++i)
            frames[i].pending = false;

    if (whole < 1)
        return -1;
    for (size_t i = 0; i < frames.size(); ++i) {
        if (!frames[i].pending)
            continue;
        engine.world.cameraFrame = static_cast<int>(i);
        const bool last = i + 1 == frames.size();
        if (whole == 1) {
            if (last)
                applyEndRule(engine);
            return static_cast<int>(i);
        }
        frames[i].pending = false;
        if (last)
            applyEndRule(engine);
        --whole;
    }
    if (scene::loopsCameraPath(engine.world.sceneId) && frames.size() > LOOP_START_FRAME)
        rearmCameraPathLoop(engine);
    return -1;
}

void rearmCameraPathLoop(Engine& engine)
{
    std::vector<CameraFrame>& frames = engine.world.cameraFrames;
    if (frames.size() <= LOOP_START_FRAME - 1)
        return;
    for (size_t i = LOOP_START_FRAME; i < frames.size(); ++i)
        frames[i].pending = true;
}

void playCameraPath(Engine& engine)
{
    if (scene::hasFixedCamera(engine.world.sceneId))
        return;
    const int index = advanceCameraPath(engine);
    if (index < 0)
        return;
    engine.world.posedFrame = index;
    if (scene::posesOnlyWhenLoaded(engine.world.sceneId) && engine.world.sceneLoading)
        return;
    const size_t i = static_cast<size_t>(index);
    for (SceneObjectRecord& object : engine.world.sceneObjects) {
        if (object.sceneId != engine.world.sceneId || !object.mesh)
            continue;
        if (i < object.positions.size())
            object.mesh->localPosition = object.positions[i];
        if (i < object.rotations.size())
            object.mesh->rotation = object.rotations[i];
    }
    if (i < engine.world.cameraFrames.size()) {
        CameraFrame& frame = engine.world.cameraFrames[i];
        engine.world.currentCameraFrame = index;
        if (engine.world.player3D)
            engine.world.player3D->position = frame.position;
        if (engine.world.camera)
            engine.world.camera->rotation = frame.rotation;
        frame.pending = false;
    }
}
