#include "tools/assetgen/HullPainter.h"

#include "tools/assetgen/SurfacePainter.h"

#include <cmath>

namespace assetgen {

Canvas paintHull(int width, int height, const HullStyle& s)
{
    Canvas c(width, height, s.base);
    const float cell = static_cast<float>(width) / s.panels;
    const int rows = static_cast<int>(height / cell) + 1;
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < s.panels; ++i) {
            float shade = 0.85f + 0.3f * hash01(i, j, s.seed);
            Rgba tone{s.base.r * shade, s.base.g * shade, s.base.b * shade, 1};
            c.fillRect(i * cell + 2, j * cell + 2, cell - 4, cell - 4, tone);
            // Split some panels in two.
            if (hash01(i, j, s.seed + 1) > 0.6f)
                c.line(i * cell, j * cell + cell / 2, (i + 1) * cell, j * cell + cell / 2, 2.f, s.seam);
            for (int k = 0; k < 4; ++k) {
                float rx = i * cell + (k % 2 ? cell - 6 : 6), ry = j * cell + (k / 2 ? cell - 6 : 6);
                c.fillCircle(rx, ry, 1.6f, mix(s.seam, Rgba{1, 1, 1, 1}, 0.25f));
            }
        }
    for (int i = 0; i <= s.panels; ++i)
        c.line(i * cell, 0, i * cell, static_cast<float>(height), 3.f, s.seam);
    for (int j = 0; j <= rows; ++j)
        c.line(0, j * cell, static_cast<float>(width), j * cell, 3.f, s.seam);
    c.noiseTint(0.02f, s.grime, s.seed);
    return c;
}

Canvas paintWindows(int width, int height, Rgba light, float density, int seed)
{
    Canvas c(width, height, Rgba{0, 0, 0, 1});
    const int cols = width / 12, rows = height / 16;
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < cols; ++i)
            if (hash01(i, j, seed) < density) {
                float k = 0.5f + 0.5f * hash01(j, i, seed + 3);
                c.fillRect(i * 12.f + 3, j * 16.f + 4, 6, 8, Rgba{light.r * k, light.g * k, light.b * k, 1});
            }
    return c;
}

void hazardStripes(Canvas& c, float x, float y, float w, float h, Rgba a, Rgba b, float stripe)
{
    for (int py = static_cast<int>(y); py < static_cast<int>(y + h); ++py)
        for (int px = static_cast<int>(x); px < static_cast<int>(x + w); ++px) {
            bool odd = static_cast<int>(std::floor((px + py) / stripe)) % 2 != 0;
            c.blend(px, py, odd ? a : b);
        }
}

} // namespace assetgen
