#include "gameplay/WallLines.h"

#include "engine/Engine.h"
#include "engine/Math3D.h"
#include "engine/Mesh.h"
#include "engine/SceneFile.h"

#include <SFML/Graphics/Color.hpp>
#include <string>

namespace {

bool onScreen(sf::Vector2f p) { return p.x > 0.f && p.x <= 1920.f && p.y > 0.f && p.y <= 1080.f; }

} // namespace

std::vector<sf::Vector2f> wallPolyline(const std::vector<WallMarker>& objects, WallSide side)
{
    const float cornerY = side == WallSide::Bottom ? 1080.f : 0.f;
    size_t first = objects.size();
    size_t last = 0;
    for (size_t i = 0; i < objects.size(); ++i) {
        if (objects[i].isMarker && onScreen(objects[i].screen)) {
            if (first == objects.size())
                first = i;
            last = i;
        }
    }
    std::vector<sf::Vector2f> line;
    if (first == objects.size())
        return line;
    if (first > 0) {
        line.push_back({0.f, cornerY});
        line.push_back(objects[first - 1].screen);
    }
    for (size_t i = first; i <= last; ++i)
        if (objects[i].isMarker && onScreen(objects[i].screen))
            line.push_back(objects[i].screen);
    if (last + 1 < objects.size())
        line.push_back(objects[last + 1].screen);
    line.push_back({1920.f, cornerY});
    return line;
}

Polygon wallPolygon(const std::vector<sf::Vector2f>& polyline)
{
    Polygon polygon;
    polygon.reserve(polyline.size());
    for (sf::Vector2f p : polyline)
        polygon.emplace_back(p, sf::Color::Red);
    return polygon;
}

namespace {

std::vector<sf::Vector2f> projectMarkers(Engine& engine, MeshKind markerKind, WallSide side)
{
    if (!engine.world.camera)
        return {};
    const ScreenProjector projector(*engine.world.camera);
    std::vector<WallMarker> objects;
    objects.reserve(engine.world.sceneObjects.size());
    for (const SceneObjectRecord& record : engine.world.sceneObjects) {
        WallMarker marker;
        if (record.mesh) {
            marker.isMarker = record.mesh->is(markerKind);
            marker.screen = projector.project(record.mesh->position);
        } else if (!record.positions.empty()) {
            marker.screen = projector.project(record.positions.front());
        }
        objects.push_back(marker);
    }
    return wallPolyline(objects, side);
}

} // namespace

std::vector<sf::Vector2f> projectCollisionBot(Engine& engine)
{
    return projectMarkers(engine, MeshKind::CollisionBottom, WallSide::Bottom);
}

std::vector<sf::Vector2f> projectCollisionTop(Engine& engine)
{
    return projectMarkers(engine, MeshKind::CollisionTop, WallSide::Top);
}
