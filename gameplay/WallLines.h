#pragma once
// The wall lines of the corridor level: polylines across the screen along
// the 3D scene's collision markers, closed by the screen's corners.
#include "play/Polygon.h"

#include <SFML/System/Vector2.hpp>
#include <vector>

struct World3D;

// One scene object as the wall builder sees it: whether its mesh is a marker
// of the wall being built, and where it lands on screen.
struct WallMarker {
    bool isMarker = false;
    sf::Vector2f screen;
};

enum class WallSide { Bottom, Top };

// The polyline along the visible markers (0 < x <= 1920, 0 < y <= 1080), from
// the screen's left corner of that side to its right corner, with the object
// just before the first visible marker and the one just after the last. Empty
// when no marker is visible.
std::vector<sf::Vector2f> wallPolyline(const std::vector<WallMarker>& objects, WallSide side);
// The polyline as a red polygon.
Polygon wallPolygon(const std::vector<sf::Vector2f>& polyline);

// The screen polylines of the scene's "collisionBot" and "collisionTop" markers.
std::vector<sf::Vector2f> projectCollisionBot(const World3D& world);
std::vector<sf::Vector2f> projectCollisionTop(const World3D& world);
