#include "play/Polygon.h"

#include <array>

namespace {

// The tests run over plain vertex ranges so that a rectangle needs no allocation.
struct VertexRange {
    const sf::Vertex* data;
    size_t size;
};

VertexRange range(const Polygon& p) { return {p.data(), p.size()}; }

bool segmentsCross(sf::Vector2f s0, sf::Vector2f s1, sf::Vector2f e0, sf::Vector2f e1)
{
    const float d = (s1.x - s0.x) * (e1.y - e0.y) - (s1.y - s0.y) * (e1.x - e0.x);
    if (d == 0.f)
        return false; // parallel or collinear
    const float ua = ((e1.x - e0.x) * (s0.y - e0.y) - (e1.y - e0.y) * (s0.x - e0.x)) / d;
    const float ub = ((s1.x - s0.x) * (s0.y - e0.y) - (s1.y - s0.y) * (s0.x - e0.x)) / d;
    return ua >= 0.f && ua <= 1.f && ub >= 0.f && ub <= 1.f;
}

bool edgeCrosses(VertexRange poly, sf::Vector2f s0, sf::Vector2f s1)
{
    for (size_t i = 0; i < poly.size; ++i) {
        const size_t j = i + 1 == poly.size ? 0 : i + 1;
        if (segmentsCross(s0, s1, poly.data[i].position, poly.data[j].position))
            return true;
    }
    return false;
}

bool inside(VertexRange poly, sf::Vector2f p)
{
    bool in = false;
    for (size_t i = 0; i < poly.size; ++i) {
        const size_t j = i + 1 == poly.size ? 0 : i + 1;
        const sf::Vector2f vi = poly.data[i].position;
        const sf::Vector2f vj = poly.data[j].position;
        if ((vi.y < p.y && p.y < vj.y) || (vj.y < p.y && p.y < vi.y)) {
            const float x = (vj.x - vi.x) * (p.y - vi.y) / (vj.y - vi.y) + vi.x;
            if (x > p.x)
                in = !in;
        }
    }
    return in;
}

bool intersect(VertexRange a, VertexRange b)
{
    if (a.size == 0 || b.size == 0)
        return false;
    for (size_t i = 0; i < a.size; ++i) {
        const size_t j = i + 1 == a.size ? 0 : i + 1;
        if (edgeCrosses(b, a.data[i].position, a.data[j].position))
            return true;
    }
    return inside(a, b.data[0].position) || inside(b, a.data[0].position);
}

std::array<sf::Vertex, 4> corners(const sf::FloatRect& r)
{
    return {sf::Vertex({r.left, r.top}, sf::Color::Red), sf::Vertex({r.left + r.width, r.top}, sf::Color::Red),
            sf::Vertex({r.left + r.width, r.top + r.height}, sf::Color::Red),
            sf::Vertex({r.left, r.top + r.height}, sf::Color::Red)};
}

} // namespace

Polygon rectToPolygon(const sf::FloatRect& rect)
{
    const auto c = corners(rect);
    return Polygon(c.begin(), c.end());
}

void drawPolygon(const Polygon& polygon, sf::RenderTarget& target)
{
    for (size_t i = 0; i < polygon.size(); ++i) {
        const size_t j = i + 1 == polygon.size() ? 0 : i + 1;
        const sf::Vertex line[2] = {sf::Vertex(polygon[i].position, sf::Color::Red),
                                    sf::Vertex(polygon[j].position, sf::Color::Red)};
        target.draw(line, 2, sf::Lines);
    }
}

bool edgeCrossesPolygon(const Polygon& polygon, const sf::Vertex& s0, const sf::Vertex& s1)
{
    return edgeCrosses(range(polygon), s0.position, s1.position);
}

bool pointInPolygon(const Polygon& polygon, sf::Vector2f point) { return inside(range(polygon), point); }

bool polygonsIntersect(const Polygon& a, const Polygon& b) { return intersect(range(a), range(b)); }

bool polygonIntersectsRect(const Polygon& polygon, const sf::FloatRect& rect)
{
    const auto c = corners(rect);
    return intersect(range(polygon), {c.data(), c.size()});
}
