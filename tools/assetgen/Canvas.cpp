#include "tools/assetgen/Canvas.h"

#include <SFML/Graphics/Image.hpp>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <stb/stb_perlin.h>
#include <stb/stb_truetype.h>

namespace assetgen {

Rgba rgb(int r, int g, int b, float a) { return Rgba{r / 255.f, g / 255.f, b / 255.f, a}; }

Rgba mix(const Rgba& x, const Rgba& y, float t)
{
    return Rgba{x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

Canvas::Canvas(int width, int height, Rgba fill) : w_(width), h_(height), px_(static_cast<size_t>(width) * height, fill) {}

void Canvas::clear(Rgba c) { std::fill(px_.begin(), px_.end(), c); }

void Canvas::blend(int x, int y, Rgba c, float coverage)
{
    if (x < 0 || y < 0 || x >= w_ || y >= h_)
        return;
    float a = std::clamp(c.a * coverage, 0.f, 1.f);
    if (a <= 0.f)
        return;
    Rgba& d = at(x, y);
    float outA = a + d.a * (1.f - a);
    if (outA <= 0.f) {
        d = Rgba{0, 0, 0, 0};
        return;
    }
    d.r = (c.r * a + d.r * d.a * (1.f - a)) / outA;
    d.g = (c.g * a + d.g * d.a * (1.f - a)) / outA;
    d.b = (c.b * a + d.b * d.a * (1.f - a)) / outA;
    d.a = outA;
}

void Canvas::add(int x, int y, Rgba c, float intensity)
{
    if (x < 0 || y < 0 || x >= w_ || y >= h_ || intensity <= 0.f)
        return;
    Rgba& d = at(x, y);
    // Light added over transparency: treat the pixel as black underneath.
    float r = d.r * d.a + c.r * intensity;
    float g = d.g * d.a + c.g * intensity;
    float b = d.b * d.a + c.b * intensity;
    float a = std::min(1.f, d.a + intensity * c.a);
    float m = std::max({r, g, b, 1e-6f});
    float alpha = std::max(a, std::min(1.f, m));
    d.r = std::min(1.f, r / alpha);
    d.g = std::min(1.f, g / alpha);
    d.b = std::min(1.f, b / alpha);
    d.a = alpha;
}

void Canvas::fillRect(float x, float y, float w, float h, Rgba c)
{
    int x0 = std::max(0, static_cast<int>(std::floor(x))), y0 = std::max(0, static_cast<int>(std::floor(y)));
    int x1 = std::min(w_, static_cast<int>(std::ceil(x + w))), y1 = std::min(h_, static_cast<int>(std::ceil(y + h)));
    for (int j = y0; j < y1; ++j)
        for (int i = x0; i < x1; ++i)
            blend(i, j, c);
}

void Canvas::verticalGradient(float x, float y, float w, float h, Rgba top, Rgba bottom)
{
    int y0 = std::max(0, static_cast<int>(y)), y1 = std::min(h_, static_cast<int>(y + h));
    for (int j = y0; j < y1; ++j)
        fillRect(x, static_cast<float>(j), w, 1.f, mix(top, bottom, h > 1 ? (j - y) / (h - 1) : 0.f));
}

void Canvas::fillEllipse(float cx, float cy, float rx, float ry, Rgba c, float angleDeg)
{
    float rad = angleDeg * 3.14159265f / 180.f, cs = std::cos(rad), sn = std::sin(rad);
    float ext = std::max(rx, ry) + 2.f;
    int x0 = std::max(0, static_cast<int>(cx - ext)), x1 = std::min(w_ - 1, static_cast<int>(cx + ext));
    int y0 = std::max(0, static_cast<int>(cy - ext)), y1 = std::min(h_ - 1, static_cast<int>(cy + ext));
    if (rx <= 0 || ry <= 0)
        return;
    for (int j = y0; j <= y1; ++j)
        for (int i = x0; i <= x1; ++i) {
            float dx = i + 0.5f - cx, dy = j + 0.5f - cy;
            float u = (dx * cs + dy * sn) / rx, v = (-dx * sn + dy * cs) / ry;
            float d = std::sqrt(u * u + v * v);
            float edge = (1.f - d) * std::min(rx, ry);
            float cov = std::clamp(edge + 0.5f, 0.f, 1.f);
            if (cov > 0.f)
                blend(i, j, c, cov);
        }
}

void Canvas::fillCircle(float cx, float cy, float r, Rgba c) { fillEllipse(cx, cy, r, r, c); }

void Canvas::ring(float cx, float cy, float r, float thickness, Rgba c)
{
    int x0 = std::max(0, static_cast<int>(cx - r - thickness - 2)), x1 = std::min(w_ - 1, static_cast<int>(cx + r + thickness + 2));
    int y0 = std::max(0, static_cast<int>(cy - r - thickness - 2)), y1 = std::min(h_ - 1, static_cast<int>(cy + r + thickness + 2));
    for (int j = y0; j <= y1; ++j)
        for (int i = x0; i <= x1; ++i) {
            float d = std::hypot(i + 0.5f - cx, j + 0.5f - cy);
            float cov = std::clamp(thickness / 2.f - std::fabs(d - r) + 0.5f, 0.f, 1.f);
            if (cov > 0.f)
                blend(i, j, c, cov);
        }
}

void Canvas::glow(float cx, float cy, float r, Rgba c, float intensity, float falloff)
{
    int x0 = std::max(0, static_cast<int>(cx - r)), x1 = std::min(w_ - 1, static_cast<int>(cx + r));
    int y0 = std::max(0, static_cast<int>(cy - r)), y1 = std::min(h_ - 1, static_cast<int>(cy + r));
    for (int j = y0; j <= y1; ++j)
        for (int i = x0; i <= x1; ++i) {
            float d = std::hypot(i + 0.5f - cx, j + 0.5f - cy) / r;
            if (d < 1.f)
                add(i, j, c, intensity * std::pow(1.f - d, falloff));
        }
}

void Canvas::fillPolygon(const std::vector<Pt>& pts, Rgba c)
{
    if (pts.size() < 3)
        return;
    float minX = pts[0].x, maxX = pts[0].x, minY = pts[0].y, maxY = pts[0].y;
    for (const Pt& p : pts) {
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    }
    int x0 = std::max(0, static_cast<int>(minX) - 1), x1 = std::min(w_ - 1, static_cast<int>(maxX) + 1);
    int y0 = std::max(0, static_cast<int>(minY) - 1), y1 = std::min(h_ - 1, static_cast<int>(maxY) + 1);
    auto inside = [&](float x, float y) {
        bool in = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++)
            if ((pts[i].y > y) != (pts[j].y > y) && x < (pts[j].x - pts[i].x) * (y - pts[i].y) / (pts[j].y - pts[i].y) + pts[i].x)
                in = !in;
        return in;
    };
    static const float OFF[4][2] = {{0.25f, 0.25f}, {0.75f, 0.25f}, {0.25f, 0.75f}, {0.75f, 0.75f}};
    for (int j = y0; j <= y1; ++j)
        for (int i = x0; i <= x1; ++i) {
            int hits = 0;
            for (const auto& o : OFF)
                hits += inside(i + o[0], j + o[1]);
            if (hits)
                blend(i, j, c, hits / 4.f);
        }
}

void Canvas::line(float x0, float y0, float x1, float y1, float width, Rgba c)
{
    float dx = x1 - x0, dy = y1 - y0, len = std::hypot(dx, dy);
    if (len < 1e-4f) {
        fillCircle(x0, y0, width / 2, c);
        return;
    }
    float nx = -dy / len * width / 2, ny = dx / len * width / 2;
    fillPolygon({{x0 + nx, y0 + ny}, {x1 + nx, y1 + ny}, {x1 - nx, y1 - ny}, {x0 - nx, y0 - ny}}, c);
}

void Canvas::sphere(float cx, float cy, float r, Rgba base, Rgba highlight)
{
    int x0 = std::max(0, static_cast<int>(cx - r - 1)), x1 = std::min(w_ - 1, static_cast<int>(cx + r + 1));
    int y0 = std::max(0, static_cast<int>(cy - r - 1)), y1 = std::min(h_ - 1, static_cast<int>(cy + r + 1));
    for (int j = y0; j <= y1; ++j)
        for (int i = x0; i <= x1; ++i) {
            float dx = (i + 0.5f - cx) / r, dy = (j + 0.5f - cy) / r;
            float d2 = dx * dx + dy * dy;
            float cov = std::clamp((1.f - std::sqrt(d2)) * r + 0.5f, 0.f, 1.f);
            if (cov <= 0.f)
                continue;
            float nz = std::sqrt(std::max(0.f, 1.f - d2));
            float lambert = std::clamp(-0.5f * dx - 0.6f * dy + 0.62f * nz, 0.f, 1.f);
            float shine = std::pow(lambert, 24.f);
            Rgba col = mix(Rgba{base.r * 0.15f, base.g * 0.15f, base.b * 0.15f, base.a}, base, lambert);
            col = mix(col, highlight, shine);
            blend(i, j, col, cov);
        }
}

void Canvas::starfield(int count, unsigned seed, float maxBrightness)
{
    unsigned s = seed * 2654435761u + 1u;
    auto next = [&s] {
        s = s * 1664525u + 1013904223u;
        return (s >> 8) / 16777216.f;
    };
    for (int k = 0; k < count; ++k) {
        float x = next() * w_, y = next() * h_;
        float b = (0.2f + 0.8f * next() * next()) * maxBrightness;
        float tint = next();
        Rgba c = tint < 0.2f ? rgb(180, 200, 255) : tint > 0.9f ? rgb(255, 220, 180) : rgb(255, 255, 255);
        if (b > 0.8f * maxBrightness)
            glow(x, y, 4.f, c, b, 2.f);
        add(static_cast<int>(x), static_cast<int>(y), c, b);
    }
}

void Canvas::noiseTint(float scale, float amount, int seed)
{
    for (int j = 0; j < h_; ++j)
        for (int i = 0; i < w_; ++i) {
            float n = stb_perlin_fbm_noise3(i * scale, j * scale, seed * 1.7f, 2.f, 0.5f, 4);
            Rgba& p = at(i, j);
            float f = std::max(0.f, 1.f + amount * n);
            p.r = std::min(1.f, p.r * f), p.g = std::min(1.f, p.g * f), p.b = std::min(1.f, p.b * f);
        }
}

namespace {
struct LoadedFont {
    std::vector<unsigned char> data;
    stbtt_fontinfo info{};
    bool ok = false;
};

LoadedFont* font(const std::string& path)
{
    static std::mutex m;
    static std::map<std::string, std::unique_ptr<LoadedFont>> fonts;
    std::lock_guard<std::mutex> lock(m);
    auto& slot = fonts[path];
    if (!slot) {
        slot = std::make_unique<LoadedFont>();
        std::ifstream in(path, std::ios::binary);
        slot->data.assign(std::istreambuf_iterator<char>(in), {});
        slot->ok = !slot->data.empty() && stbtt_InitFont(&slot->info, slot->data.data(), stbtt_GetFontOffsetForIndex(slot->data.data(), 0));
    }
    return slot->ok ? slot.get() : nullptr;
}

std::vector<int> decodeUtf8(const std::string& s)
{
    std::vector<int> out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        int cp = c, extra = 0;
        if (c >= 0xF0) cp = c & 0x07, extra = 3;
        else if (c >= 0xE0) cp = c & 0x0F, extra = 2;
        else if (c >= 0xC0) cp = c & 0x1F, extra = 1;
        ++i;
        for (int k = 0; k < extra && i < s.size(); ++k, ++i)
            cp = (cp << 6) | (s[i] & 0x3F);
        out.push_back(cp);
    }
    return out;
}
} // namespace

float Canvas::textWidth(const std::string& fontPath, const std::string& utf8, float pixelHeight)
{
    LoadedFont* f = font(fontPath);
    if (!f)
        return 0.f;
    float scale = stbtt_ScaleForPixelHeight(&f->info, pixelHeight);
    float x = 0;
    std::vector<int> cps = decodeUtf8(utf8);
    for (size_t i = 0; i < cps.size(); ++i) {
        int adv, lsb;
        stbtt_GetCodepointHMetrics(&f->info, cps[i], &adv, &lsb);
        x += adv * scale;
        if (i + 1 < cps.size())
            x += scale * stbtt_GetCodepointKernAdvance(&f->info, cps[i], cps[i + 1]);
    }
    return x;
}

bool Canvas::text(const std::string& fontPath, const std::string& utf8, float x, float y, float pixelHeight, Rgba c, bool centred)
{
    LoadedFont* f = font(fontPath);
    if (!f)
        return false;
    if (centred)
        x -= textWidth(fontPath, utf8, pixelHeight) / 2.f;
    float scale = stbtt_ScaleForPixelHeight(&f->info, pixelHeight);
    int ascent, descent, gap;
    stbtt_GetFontVMetrics(&f->info, &ascent, &descent, &gap);
    float baseline = y + ascent * scale;
    if (centred)
        baseline = y + (ascent + descent) * scale / 2.f; // y is the vertical centre
    std::vector<int> cps = decodeUtf8(utf8);
    for (size_t i = 0; i < cps.size(); ++i) {
        int w, h, xo, yo;
        unsigned char* bmp = stbtt_GetCodepointBitmap(&f->info, scale, scale, cps[i], &w, &h, &xo, &yo);
        for (int j = 0; j < h; ++j)
            for (int k = 0; k < w; ++k)
                if (bmp[j * w + k])
                    blend(static_cast<int>(x) + xo + k, static_cast<int>(baseline) + yo + j, c, bmp[j * w + k] / 255.f);
        stbtt_FreeBitmap(bmp, nullptr);
        int adv, lsb;
        stbtt_GetCodepointHMetrics(&f->info, cps[i], &adv, &lsb);
        x += adv * scale;
        if (i + 1 < cps.size())
            x += scale * stbtt_GetCodepointKernAdvance(&f->info, cps[i], cps[i + 1]);
    }
    return true;
}

void Canvas::edgeShapes(Rgba edge, float width)
{
    const std::vector<Rgba> before = px_;
    const int reach = static_cast<int>(std::ceil(width)) + 1;
    auto solid = [&](int i, int j) { return before[static_cast<size_t>(j) * w_ + i].a >= 0.5f; };
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            if (solid(x, y))
                continue;
            float nearest = static_cast<float>(reach) + 1.f;
            for (int j = std::max(0, y - reach); j <= std::min(h_ - 1, y + reach); ++j)
                for (int i = std::max(0, x - reach); i <= std::min(w_ - 1, x + reach); ++i)
                    if (solid(i, j))
                        nearest = std::min(nearest, std::hypot(static_cast<float>(i - x), static_cast<float>(j - y)));
            const float coverage = std::clamp(width + 1.f - nearest, 0.f, 1.f);
            if (coverage <= 0.f)
                continue;
            const Rgba light = at(x, y);
            at(x, y) = Rgba{edge.r, edge.g, edge.b, edge.a * coverage};
            blend(x, y, light);
        }
}

void Canvas::draw(const Canvas& other, int x, int y)
{
    for (int j = 0; j < other.h_; ++j)
        for (int i = 0; i < other.w_; ++i)
            blend(x + i, y + j, other.at(i, j));
}

bool Canvas::save(const std::string& path) const
{
    std::vector<std::uint8_t> bytes(px_.size() * 4);
    for (size_t i = 0; i < px_.size(); ++i) {
        const Rgba& p = px_[i];
        bytes[i * 4 + 0] = static_cast<std::uint8_t>(std::lround(std::clamp(p.r, 0.f, 1.f) * 255));
        bytes[i * 4 + 1] = static_cast<std::uint8_t>(std::lround(std::clamp(p.g, 0.f, 1.f) * 255));
        bytes[i * 4 + 2] = static_cast<std::uint8_t>(std::lround(std::clamp(p.b, 0.f, 1.f) * 255));
        bytes[i * 4 + 3] = static_cast<std::uint8_t>(std::lround(std::clamp(p.a, 0.f, 1.f) * 255));
    }
    sf::Image img;
    img.create(w_, h_, bytes.data());
    return img.saveToFile(path);
}

void saveOrThrow(const Canvas& c, const std::string& path)
{
    if (!c.save(path))
        throw std::runtime_error("cannot write " + path);
}

void outline(Canvas& c, float x, float y, float w, float h, Rgba edge, float width)
{
    c.line(x, y, x + w, y, width, edge);
    c.line(x + w, y, x + w, y + h, width, edge);
    c.line(x + w, y + h, x, y + h, width, edge);
    c.line(x, y + h, x, y, width, edge);
}

Canvas paintRow(int w, int h, int frames, const FramePainter& paint)
{
    Canvas sheet(w * frames, h);
    for (int i = 0; i < frames; ++i) {
        Canvas frame(w, h);
        paint(frame, i);
        sheet.draw(frame, i * w, 0);
    }
    return sheet;
}

namespace {
std::string firstExisting(std::initializer_list<const char*> paths)
{
    for (const char* p : paths)
        if (std::filesystem::exists(p))
            return p;
    return {};
}
}

std::string boldFontPath()
{
    return firstExisting({"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"});
}
std::string regularFontPath() { return firstExisting({"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"}); }
std::string monoFontPath()
{
    return firstExisting({"/usr/share/fonts/truetype/3270/3270-Regular.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf"});
}

} // namespace assetgen
