#include "FrameReplay.h"

#include "GlCounters.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <thread>

namespace frame_phase {
const char* const NAMES[COUNT] = {"update", "world", "state"};
} // namespace frame_phase

namespace {

// ---- reading the driver's state at a draw call ----

using Matrix = std::array<float, 16>; // column-major, as GL keeps it

sf::Vector2f transformed(const Matrix& m, float x, float y)
{
    const float outX = m[0] * x + m[4] * y + m[12];
    const float outY = m[1] * x + m[5] * y + m[13];
    const float outW = m[3] * x + m[7] * y + m[15];
    return outW != 0.f ? sf::Vector2f(outX / outW, outY / outW) : sf::Vector2f(outX, outY);
}

Matrix multiplied(const Matrix& a, const Matrix& b)
{
    Matrix out{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                out[column * 4 + row] += a[k * 4 + row] * b[column * 4 + k];
    return out;
}

Matrix matrix(GLenum which)
{
    Matrix m{};
    glGetFloatv(which, m.data());
    return m;
}

GLint integer(GLenum which)
{
    GLint value = 0;
    glGetIntegerv(which, &value);
    return value;
}

sf::BlendMode::Factor factor(GLint gl)
{
    switch (gl) {
    case GL_ZERO: return sf::BlendMode::Zero;
    case GL_SRC_COLOR: return sf::BlendMode::SrcColor;
    case GL_ONE_MINUS_SRC_COLOR: return sf::BlendMode::OneMinusSrcColor;
    case GL_DST_COLOR: return sf::BlendMode::DstColor;
    case GL_ONE_MINUS_DST_COLOR: return sf::BlendMode::OneMinusDstColor;
    case GL_SRC_ALPHA: return sf::BlendMode::SrcAlpha;
    case GL_ONE_MINUS_SRC_ALPHA: return sf::BlendMode::OneMinusSrcAlpha;
    case GL_DST_ALPHA: return sf::BlendMode::DstAlpha;
    case GL_ONE_MINUS_DST_ALPHA: return sf::BlendMode::OneMinusDstAlpha;
    default: return sf::BlendMode::One;
    }
}

sf::BlendMode::Equation equation(GLint gl)
{
    switch (gl) {
    case GL_FUNC_SUBTRACT: return sf::BlendMode::Subtract;
    case GL_FUNC_REVERSE_SUBTRACT: return sf::BlendMode::ReverseSubtract;
    default: return sf::BlendMode::Add;
    }
}

sf::BlendMode currentBlending()
{
    if (!glIsEnabled(GL_BLEND))
        return sf::BlendNone;
    return sf::BlendMode(factor(integer(GL_BLEND_SRC_RGB)), factor(integer(GL_BLEND_DST_RGB)),
                         equation(integer(GL_BLEND_EQUATION_RGB)), factor(integer(GL_BLEND_SRC_ALPHA)),
                         factor(integer(GL_BLEND_DST_ALPHA)), equation(integer(GL_BLEND_EQUATION_ALPHA)));
}

// The vertex indices of the triangles a primitive of `count` vertices makes; empty for lines and points.
std::vector<int> triangleCorners(GLenum mode, int count)
{
    std::vector<int> corners;
    switch (mode) {
    case GL_TRIANGLES:
        for (int i = 0; i + 2 < count; i += 3)
            corners.insert(corners.end(), {i, i + 1, i + 2});
        break;
    case GL_TRIANGLE_STRIP:
        for (int i = 2; i < count; ++i)
            corners.insert(corners.end(), {i - 2, i - 1, i});
        break;
    case GL_TRIANGLE_FAN:
        for (int i = 2; i < count; ++i)
            corners.insert(corners.end(), {0, i - 1, i});
        break;
    case GL_QUADS:
        for (int i = 0; i + 3 < count; i += 4)
            corners.insert(corners.end(), {i, i + 1, i + 2, i, i + 2, i + 3});
        break;
    default: break;
    }
    return corners;
}

// A client array as the window library hands it: tightly packed when the stride is 0.
struct ClientArray {
    const unsigned char* data = nullptr;
    GLint stride = 0;
    const unsigned char* at(int i) const { return data + static_cast<long>(i) * stride; }
};

ClientArray clientArray(GLenum enabled, GLenum pointer, GLenum strideQuery, GLint packedSize)
{
    ClientArray array;
    if (!glIsEnabled(enabled))
        return array;
    GLvoid* data = nullptr;
    glGetPointerv(pointer, &data);
    array.data = static_cast<const unsigned char*>(data);
    array.stride = integer(strideQuery);
    if (array.stride == 0)
        array.stride = packedSize;
    return array;
}

// ---- the recording ----

struct Recording {
    bool active = false;
    std::thread::id thread;
    sf::Vector2u windowSize;
    int phase = frame_phase::UPDATE;
    RecordedFrame frame;
};
Recording& recording()
{
    static Recording r;
    return r;
}

using AttachmentQuery = void (*)(GLenum, GLenum, GLenum, GLint*);

sf::Vector2u boundTextureSize()
{
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    return {static_cast<unsigned>(std::max(width, 0)), static_cast<unsigned>(std::max(height, 0))};
}

// The size of a texture that is not bound (bound for the question, then the bound one again).
sf::Vector2u textureSize(unsigned name)
{
    const GLint bound = integer(GL_TEXTURE_BINDING_2D);
    glBindTexture(GL_TEXTURE_2D, name);
    const sf::Vector2u size = boundTextureSize();
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    return size;
}

// The far corner of the viewport: a render texture's size when its colour is no texture.
sf::Vector2u viewportCorner()
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    return {static_cast<unsigned>(std::max(viewport[0] + viewport[2], 0)),
            static_cast<unsigned>(std::max(viewport[1] + viewport[3], 0))};
}

size_t currentTarget(Recording& r)
{
    const void* context = glXGetCurrentContext();
    const int framebuffer = integer(GL_FRAMEBUFFER_BINDING_EXT);
    std::vector<RecordedTarget>& targets = r.frame.targets;
    for (size_t i = 0; i < targets.size(); ++i)
        if (targets[i].context == context && targets[i].framebuffer == framebuffer)
            return i;
    RecordedTarget target;
    target.context = context;
    target.framebuffer = framebuffer;
    target.samples = integer(GL_SAMPLES);
    if (framebuffer == 0) {
        target.width = r.windowSize.x;
        target.height = r.windowSize.y;
    } else {
        static const auto query = reinterpret_cast<AttachmentQuery>(realGlProc("glGetFramebufferAttachmentParameterivEXT"));
        GLint type = 0, name = 0;
        if (query) {
            query(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE_EXT, &type);
            if (type == GL_TEXTURE)
                query(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME_EXT, &name);
        }
        target.colourTexture = static_cast<unsigned>(name);
        const sf::Vector2u size = name ? textureSize(target.colourTexture) : viewportCorner();
        target.width = size.x;
        target.height = size.y;
    }
    targets.push_back(target);
    return targets.size() - 1;
}

// The texture bound for the draw, copied the first time it is seen (the copy
// is what the replay draws with; render textures drawn this frame need none).
void noteTexture(Recording& r, unsigned name)
{
    if (name == 0 || r.frame.textures.count(name))
        return;
    for (const RecordedTarget& target : r.frame.targets)
        if (target.colourTexture == name)
            return;
    RecordedTexture texture;
    const sf::Vector2u size = boundTextureSize();
    GLint filter = 0, wrap = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    texture.width = size.x;
    texture.height = size.y;
    texture.smooth = filter == GL_LINEAR;
    texture.repeated = wrap == GL_REPEAT;
    texture.pixels.resize(static_cast<size_t>(texture.width) * texture.height * 4);
    if (!texture.pixels.empty()) {
        const GLint alignment = integer(GL_PACK_ALIGNMENT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texture.pixels.data());
        glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    }
    r.frame.textures[name] = std::move(texture);
}

void recordDraw(unsigned mode, int first, int count)
{
    Recording& r = recording();
    if (!r.active || std::this_thread::get_id() != r.thread)
        return;
    const std::vector<int> corners = triangleCorners(mode, count);
    const ClientArray positions = clientArray(GL_VERTEX_ARRAY, GL_VERTEX_ARRAY_POINTER, GL_VERTEX_ARRAY_STRIDE, 8);
    if (corners.empty() || !positions.data || integer(GL_ARRAY_BUFFER_BINDING) != 0
        || integer(GL_VERTEX_ARRAY_TYPE) != GL_FLOAT || integer(GL_VERTEX_ARRAY_SIZE) != 2
        || integer(GL_ACTIVE_TEXTURE) != GL_TEXTURE0) {
        ++r.frame.skippedDraws;
        return;
    }
    const ClientArray colours = clientArray(GL_COLOR_ARRAY, GL_COLOR_ARRAY_POINTER, GL_COLOR_ARRAY_STRIDE, 4);
    const ClientArray texCoords =
        clientArray(GL_TEXTURE_COORD_ARRAY, GL_TEXTURE_COORD_ARRAY_POINTER, GL_TEXTURE_COORD_ARRAY_STRIDE, 8);

    RecordedDraw draw;
    draw.target = currentTarget(r);
    const RecordedTarget& target = r.frame.targets[draw.target];
    draw.texture = texCoords.data ? static_cast<unsigned>(integer(GL_TEXTURE_BINDING_2D)) : 0u;
    draw.program = static_cast<unsigned>(integer(GL_CURRENT_PROGRAM));
    draw.blending = currentBlending();
    draw.phase = r.phase;
    noteTexture(r, draw.texture);

    const Matrix toClip = multiplied(matrix(GL_PROJECTION_MATRIX), matrix(GL_MODELVIEW_MATRIX));
    const Matrix toTexture = matrix(GL_TEXTURE_MATRIX);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    draw.vertices.reserve(corners.size());
    for (int corner : corners) {
        const int i = first + corner;
        sf::Vertex vertex;
        float xy[2];
        std::copy_n(reinterpret_cast<const float*>(positions.at(i)), 2, xy);
        const sf::Vector2f ndc = transformed(toClip, xy[0], xy[1]);
        const float x = viewport[0] + (ndc.x + 1.f) * 0.5f * viewport[2];
        const float yUp = viewport[1] + (ndc.y + 1.f) * 0.5f * viewport[3];
        vertex.position = {x, static_cast<float>(target.height) - yUp};
        if (colours.data) {
            const unsigned char* c = colours.at(i);
            vertex.color = sf::Color(c[0], c[1], c[2], c[3]);
        }
        if (texCoords.data) {
            float st[2];
            std::copy_n(reinterpret_cast<const float*>(texCoords.at(i)), 2, st);
            vertex.texCoords = transformed(toTexture, st[0], st[1]);
        }
        draw.vertices.push_back(vertex);
    }
    draw.pixels = coveredPixels(draw.vertices, target.width, target.height);
    r.frame.draws.push_back(std::move(draw));
}

void recordClear(unsigned mask)
{
    Recording& r = recording();
    if (!r.active || std::this_thread::get_id() != r.thread || !(mask & GL_COLOR_BUFFER_BIT))
        return;
    ++r.frame.targets[currentTarget(r)].clears;
}

// ---- covered area ----

// The polygon's part on one side of an edge of the target (Sutherland-Hodgman).
template <class Inside, class Cross>
std::vector<sf::Vector2f> clipped(const std::vector<sf::Vector2f>& polygon, Inside inside, Cross cross)
{
    std::vector<sf::Vector2f> out;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const sf::Vector2f& a = polygon[i];
        const sf::Vector2f& b = polygon[(i + 1) % polygon.size()];
        if (inside(a))
            out.push_back(a);
        if (inside(a) != inside(b))
            out.push_back(cross(a, b));
    }
    return out;
}

sf::Vector2f atX(const sf::Vector2f& a, const sf::Vector2f& b, float x)
{
    const float t = (x - a.x) / (b.x - a.x);
    return {x, a.y + t * (b.y - a.y)};
}
sf::Vector2f atY(const sf::Vector2f& a, const sf::Vector2f& b, float y)
{
    const float t = (y - a.y) / (b.y - a.y);
    return {a.x + t * (b.x - a.x), y};
}

double triangleArea(std::vector<sf::Vector2f> polygon, float width, float height)
{
    polygon = clipped(polygon, [](const sf::Vector2f& p) { return p.x >= 0.f; },
                      [](const sf::Vector2f& a, const sf::Vector2f& b) { return atX(a, b, 0.f); });
    polygon = clipped(polygon, [width](const sf::Vector2f& p) { return p.x <= width; },
                      [width](const sf::Vector2f& a, const sf::Vector2f& b) { return atX(a, b, width); });
    polygon = clipped(polygon, [](const sf::Vector2f& p) { return p.y >= 0.f; },
                      [](const sf::Vector2f& a, const sf::Vector2f& b) { return atY(a, b, 0.f); });
    polygon = clipped(polygon, [height](const sf::Vector2f& p) { return p.y <= height; },
                      [height](const sf::Vector2f& a, const sf::Vector2f& b) { return atY(a, b, height); });
    double twice = 0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const sf::Vector2f& a = polygon[i];
        const sf::Vector2f& b = polygon[(i + 1) % polygon.size()];
        twice += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    }
    return std::abs(twice) * 0.5;
}

} // namespace

double coveredPixels(const std::vector<sf::Vertex>& triangles, unsigned width, unsigned height)
{
    double pixels = 0;
    for (size_t i = 0; i + 2 < triangles.size(); i += 3) {
        const std::vector<sf::Vector2f> corners = {triangles[i].position, triangles[i + 1].position,
                                                   triangles[i + 2].position};
        if (std::isfinite(corners[0].x + corners[0].y + corners[1].x + corners[1].y + corners[2].x + corners[2].y))
            pixels += triangleArea(corners, static_cast<float>(width), static_cast<float>(height));
    }
    return pixels;
}

namespace frame_recorder {

void start(sf::Vector2u windowSize)
{
    Recording& r = recording();
    r = Recording();
    r.active = true;
    r.thread = std::this_thread::get_id();
    r.windowSize = windowSize;
    watchGlCalls(recordDraw, recordClear);
}

void setPhase(int phase) { recording().phase = phase; }

RecordedFrame stop()
{
    watchGlCalls(nullptr, nullptr);
    Recording& r = recording();
    r.active = false;
    return std::move(r.frame);
}

} // namespace frame_recorder

// ---- the replay ----

FrameReplay::FrameReplay(sf::RenderWindow& window) : window_(window) {}

FrameReplay::Source FrameReplay::sourceFor(unsigned glTexture) const
{
    if (glTexture == 0)
        return {};
    for (size_t i = 0; i < targets_.size(); ++i)
        if (targets_[i].colourTexture == glTexture && renderTextures_[i])
            return {&renderTextures_[i]->getTexture(), true};
    const auto copy = copies_.find(glTexture);
    return copy != copies_.end() && copy->second ? Source{copy->second.get(), false} : Source{};
}

void FrameReplay::copyTextures(const RecordedFrame& frame)
{
    for (const auto& [name, source] : frame.textures) {
        std::unique_ptr<sf::Texture>& copy = copies_[name];
        if (!copy || copy->getSize() != sf::Vector2u(source.width, source.height)) {
            copy = std::make_unique<sf::Texture>();
            if (!copy->create(source.width, source.height)) {
                copy.reset();
                continue;
            }
        }
        if (!source.pixels.empty())
            copy->update(source.pixels.data());
        copy->setSmooth(source.smooth);
        copy->setRepeated(source.repeated);
    }
}

void FrameReplay::prepare(const RecordedFrame& frame)
{
    // Render textures are kept by size and samples from one frame to the next.
    std::vector<std::unique_ptr<sf::RenderTexture>> kept = std::move(renderTextures_);
    std::vector<RecordedTarget> keptTargets = std::move(targets_);
    targets_ = frame.targets;
    renderTextures_.clear();
    for (const RecordedTarget& target : targets_) {
        std::unique_ptr<sf::RenderTexture> made;
        for (size_t i = 0; i < kept.size(); ++i)
            if (kept[i] && keptTargets[i].width == target.width && keptTargets[i].height == target.height
                && keptTargets[i].samples == target.samples) {
                made = std::move(kept[i]);
                break;
            }
        if (target.framebuffer != 0 && !made) {
            made = std::make_unique<sf::RenderTexture>();
            sf::ContextSettings settings(0, 0, static_cast<unsigned>(std::max(target.samples, 0)), 1, 1);
            if (!made->create(target.width, target.height, settings))
                made.reset();
        }
        renderTextures_.push_back(target.framebuffer != 0 ? std::move(made) : nullptr);
    }

    copyTextures(frame);
    groups_.clear();
    for (const RecordedDraw& draw : frame.draws) {
        const Source source = sourceFor(draw.texture);
        const sf::Texture* texture = source.texture;
        auto group = std::find_if(groups_.begin(), groups_.end(), [&](const Group& g) {
            return g.target == draw.target && g.texture == texture && g.blending == draw.blending;
        });
        if (group == groups_.end())
            group = groups_.insert(groups_.end(), Group{draw.target, texture, draw.blending});
        // The driver's normalised coordinates, back to the pixels SFML takes (its
        // render textures hold their rows bottom up).
        const sf::Vector2f size = texture ? sf::Vector2f(texture->getSize()) : sf::Vector2f(1.f, 1.f);
        for (sf::Vertex vertex : draw.vertices) {
            vertex.texCoords = {vertex.texCoords.x * size.x,
                                (source.flipped ? 1.f - vertex.texCoords.y : vertex.texCoords.y) * size.y};
            group->triangles.append(vertex);
        }
    }
}

void FrameReplay::drawFrame()
{
    for (size_t t = 0; t < targets_.size(); ++t) {
        sf::RenderTexture* picture = renderTextures_[t].get();
        if (!picture)
            continue;
        picture->clear();
        for (const Group& group : groups_)
            if (group.target == t)
                picture->draw(group.triangles, sf::RenderStates(group.blending, sf::Transform(), group.texture, nullptr));
        picture->display();
    }
    window_.clear();
    for (const Group& group : groups_)
        if (group.target < targets_.size() && targets_[group.target].framebuffer == 0)
            window_.draw(group.triangles, sf::RenderStates(group.blending, sf::Transform(), group.texture, nullptr));
    window_.display();
}

size_t FrameReplay::drawCallsPerFrame() const { return groups_.size(); }
