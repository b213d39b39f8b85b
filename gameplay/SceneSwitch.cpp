#include "gameplay/SceneSwitch.h"

#include "engine/SceneChange.h"

void switchScene(int sceneId) { changeScene(sceneId, 0.f); }
