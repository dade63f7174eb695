// Resizing a finished picture (desktop icons are drawn once, large, and made in every
// size the desktop asks for from that one drawing).
#include "art_image.h"

#include <algorithm>
#include <cmath>

Image artResample(const Image& src, int w, int h) {
    if (w < 1 || h < 1 || src.width() < 1 || src.height() < 1) return Image();
    Image out(w, h);
    const double sx = double(src.width()) / w, sy = double(src.height()) / h;
    for (int y = 0; y < h; ++y) {
        const double y0 = y * sy, y1 = (y + 1) * sy;
        for (int x = 0; x < w; ++x) {
            const double x0 = x * sx, x1 = (x + 1) * sx;
            // Every source pixel the target pixel covers counts by the part covered;
            // colours count by their alpha, so clear pixels never darken an edge.
            double r = 0, g = 0, b = 0, a = 0, area = 0;
            for (int j = int(std::floor(y0)); j < int(std::ceil(y1)); ++j) {
                const double wy = std::min(y1, j + 1.0) - std::max(y0, double(j));
                for (int i = int(std::floor(x0)); i < int(std::ceil(x1)); ++i) {
                    const double part = (std::min(x1, i + 1.0) - std::max(x0, double(i))) * wy;
                    const Rgba c = src.get(i, j);
                    const double weight = part * c.a / 255.0;
                    r += c.r * weight;
                    g += c.g * weight;
                    b += c.b * weight;
                    a += weight;
                    area += part;
                }
            }
            if (a <= 0 || area <= 0) continue;
            auto byte = [](double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); };
            out.set(x, y, Rgba{byte(r / a), byte(g / a), byte(b / a), byte(255 * a / area)});
        }
    }
    return out;
}
