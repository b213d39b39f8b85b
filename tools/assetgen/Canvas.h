#pragma once
// A small software painter for generated art: float RGBA pixels with
// alpha-blended and additive shapes, gradients, noise and TrueType text.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace assetgen {

struct Rgba {
    float r = 0, g = 0, b = 0, a = 1;
};
Rgba rgb(int r, int g, int b, float a = 1.f);
Rgba mix(const Rgba& x, const Rgba& y, float t);

// A small deterministic generator so every run paints the same pictures.
struct Lcg {
    std::uint32_t state;
    float next()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 16777216.f;
    }
};

struct Pt {
    float x, y;
};

class Canvas {
public:
    Canvas(int width, int height, Rgba fill = {0, 0, 0, 0});

    int width() const { return w_; }
    int height() const { return h_; }
    Rgba& at(int x, int y) { return px_[static_cast<size_t>(y) * w_ + x]; }
    const Rgba& at(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }

    void clear(Rgba c);
    // Alpha-blends c over the pixel with coverage 0..1.
    void blend(int x, int y, Rgba c, float coverage = 1.f);
    // Adds light (colour x intensity), keeping alpha at least the added amount.
    void add(int x, int y, Rgba c, float intensity);

    void fillRect(float x, float y, float w, float h, Rgba c);
    void verticalGradient(float x, float y, float w, float h, Rgba top, Rgba bottom);
    void fillCircle(float cx, float cy, float r, Rgba c);
    void fillEllipse(float cx, float cy, float rx, float ry, Rgba c, float angleDeg = 0.f);
    void ring(float cx, float cy, float r, float thickness, Rgba c);
    // Additive radial glow: intensity falls from 1 at the centre to 0 at r.
    void glow(float cx, float cy, float r, Rgba c, float intensity = 1.f, float falloff = 2.f);
    void fillPolygon(const std::vector<Pt>& pts, Rgba c);
    void line(float x0, float y0, float x1, float y1, float width, Rgba c);
    // Shaded sphere lit from the upper left.
    void sphere(float cx, float cy, float r, Rgba base, Rgba highlight);
    // Scatters n small stars with a fixed seed.
    void starfield(int count, unsigned seed, float maxBrightness = 1.f);
    // Multiplies colour by 1 + amount * perlin noise.
    void noiseTint(float scale, float amount, int seed);
    // Rings everything painted so far (alpha at least one half) with an edge `width`
    // pixels wide, laid under whatever faint light already lies there.
    void edgeShapes(Rgba edge, float width);

    // Draws UTF-8 text with a TrueType font; returns false if the font is missing.
    bool text(const std::string& fontPath, const std::string& utf8, float x, float y, float pixelHeight, Rgba c,
              bool centred = false);
    // Width in pixels that text() would take.
    float textWidth(const std::string& fontPath, const std::string& utf8, float pixelHeight);

    // Copies another canvas in (alpha blended) at (x, y).
    void draw(const Canvas& other, int x, int y);
    // Writes a PNG (8-bit RGBA).
    bool save(const std::string& path) const;

private:
    int w_, h_;
    std::vector<Rgba> px_;
};

// Writes the canvas as a PNG; throws std::runtime_error naming the path when it cannot.
void saveOrThrow(const Canvas& c, const std::string& path);

// The four edges of a w x h rectangle at (x, y), as lines of the given width.
void outline(Canvas& c, float x, float y, float w, float h, Rgba edge, float width);

using FramePainter = std::function<void(Canvas& frame, int index)>;

// A sheet of `frames` frames of w x h in one row; each frame is painted on its own canvas.
Canvas paintRow(int w, int h, int frames, const FramePainter& paint);

// The font files the generator draws text with (from the system's font packages).
std::string boldFontPath();
std::string regularFontPath();
std::string monoFontPath();

} // namespace assetgen
