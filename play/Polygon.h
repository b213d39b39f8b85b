#pragma once
// Convex or concave polygons for the hit tests that rectangles cannot answer
// (walls, fences, shields, laser segments, boss areas). A polygon is closed:
// the edge after the last vertex leads back to the first.
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <algorithm>
#include <vector>

using Polygon = std::vector<sf::Vertex>;

// The same answer as sf::FloatRect::intersects (boxes of negative size
// included, touching edges do not overlap), inlined for the collision passes.
inline bool boxesOverlap(const sf::FloatRect& a, const sf::FloatRect& b)
{
    const float left = std::max(std::min(a.left, a.left + a.width), std::min(b.left, b.left + b.width));
    const float right = std::min(std::max(a.left, a.left + a.width), std::max(b.left, b.left + b.width));
    const float top = std::max(std::min(a.top, a.top + a.height), std::min(b.top, b.top + b.height));
    const float bottom = std::min(std::max(a.top, a.top + a.height), std::max(b.top, b.top + b.height));
    return left < right && top < bottom;
}

// The four corners of a rectangle, clockwise from the top-left, in red.
Polygon rectToPolygon(const sf::FloatRect& rect);
// Every edge as a red line.
void drawPolygon(const Polygon& polygon, sf::RenderTarget& target);
// Whether the segment s0 -> s1 crosses at least one edge (end points count; parallel edges never cross).
bool edgeCrossesPolygon(const Polygon& polygon, const sf::Vertex& s0, const sf::Vertex& s1);
// Even-odd point test.
bool pointInPolygon(const Polygon& polygon, sf::Vector2f point);
// Whether two polygons overlap: an edge of a crosses b, or one lies inside the other.
// An empty polygon on either side overlaps nothing.
bool polygonsIntersect(const Polygon& a, const Polygon& b);
// polygonsIntersect against the rectangle's four corners.
bool polygonIntersectsRect(const Polygon& polygon, const sf::FloatRect& rect);
