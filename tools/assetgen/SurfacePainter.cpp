#include "tools/assetgen/SurfacePainter.h"

#include <algorithm>
#include <cmath>
#include <stb/stb_perlin.h>

namespace assetgen {

float fbm3(float x, float y, float z, int octaves)
{
    float sum = 0, amplitude = 0.5f, frequency = 1;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * stb_perlin_noise3(x * frequency, y * frequency, z * frequency, 0, 0, 0);
        amplitude *= 0.5f;
        frequency *= 2.f;
    }
    return sum * 1.6f;
}

float tileFbm(float u, float v, int baseFrequency, int octaves, int seed)
{
    float sum = 0, amplitude = 0.5f;
    int frequency = baseFrequency;
    for (int o = 0; o < octaves && frequency <= 256; ++o) {
        sum += amplitude * stb_perlin_noise3(u * frequency, v * frequency, seed * 3.17f, frequency, frequency, 0);
        amplitude *= 0.5f;
        frequency *= 2;
    }
    return sum * 1.6f;
}

float hash01(int x, int y, int seed)
{
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u + static_cast<unsigned>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xffffff) / 16777215.f;
}

float tileCells(float u, float v, int n, int seed)
{
    float x = u * n, y = v * n;
    int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
    float best = 1e9f, second = 1e9f;
    for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i) {
            int gx = cx + i, gy = cy + j;
            int wx = ((gx % n) + n) % n, wy = ((gy % n) + n) % n;
            float px = gx + 0.15f + 0.7f * hash01(wx, wy, seed), py = gy + 0.15f + 0.7f * hash01(wy, wx, seed + 1);
            float d = std::hypot(px - x, py - y);
            if (d < best) {
                second = best;
                best = d;
            } else if (d < second) {
                second = d;
            }
        }
    return std::clamp((second - best) * 1.4f, 0.f, 1.f);
}

float HeightField::at(int x, int y) const
{
    x = ((x % width) + width) % width;
    y = std::clamp(y, 0, height - 1);
    return values[static_cast<size_t>(y) * width + x];
}

void paint(Canvas& canvas, const std::function<Rgba(float, float)>& colourAt)
{
    const int w = canvas.width(), h = canvas.height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            canvas.at(x, y) = colourAt((x + 0.5f) / w, 1.f - (y + 0.5f) / h);
}

HeightField sampleHeight(int width, int height, const std::function<float(float, float)>& heightAt)
{
    HeightField f{width, height, std::vector<float>(static_cast<size_t>(width) * height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            f.values[static_cast<size_t>(y) * width + x] = heightAt((x + 0.5f) / width, 1.f - (y + 0.5f) / height);
    return f;
}

bool saveNormalMap(const HeightField& field, float strength, const std::string& path)
{
    Canvas c(field.width, field.height);
    for (int y = 0; y < field.height; ++y)
        for (int x = 0; x < field.width; ++x) {
            float dx = (field.at(x + 1, y) - field.at(x - 1, y)) * strength;
            float dy = (field.at(x, y - 1) - field.at(x, y + 1)) * strength;
            float len = std::sqrt(dx * dx + dy * dy + 1.f);
            c.at(x, y) = Rgba{(-dx / len) * 0.5f + 0.5f, (-dy / len) * 0.5f + 0.5f, (1.f / len) * 0.5f + 0.5f, 1.f};
        }
    return c.save(path);
}

bool saveGrey(int width, int height, const std::function<float(float, float)>& valueAt, const std::string& path)
{
    Canvas c(width, height);
    paint(c, [&](float u, float v) {
        float g = std::clamp(valueAt(u, v), 0.f, 1.f);
        return Rgba{g, g, g, 1.f};
    });
    return c.save(path);
}

void spherePoint(float u, float v, float& x, float& y, float& z)
{
    const float pi = 3.14159265f;
    float lon = u * 2 * pi, lat = (v - 0.5f) * pi;
    x = std::cos(lat) * std::cos(lon);
    y = std::cos(lat) * std::sin(lon);
    z = std::sin(lat);
}

} // namespace assetgen
