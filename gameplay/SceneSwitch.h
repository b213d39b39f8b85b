#pragma once
// Switches the 3D scene behind play (scene id, from start time 0).
void switchScene(int sceneId);
