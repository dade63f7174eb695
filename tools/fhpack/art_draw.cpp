#include "art_draw.h"

#include <algorithm>
#include <cmath>

namespace artdraw {
namespace {
Rgba withAlpha(Rgba c, double k) { return Rgba{c.r, c.g, c.b, uint8_t(std::clamp(c.a * k, 0.0, 255.0))}; }

Rgba gradAt(const std::vector<Rgba>& stops, double t) {
    if (stops.empty()) return Rgba{};
    if (stops.size() == 1) return stops[0];
    t = std::clamp(t, 0.0, 1.0) * double(stops.size() - 1);
    size_t i = std::min(size_t(t), stops.size() - 2);
    return artMix(stops[i], stops[i + 1], t - double(i));
}
} // namespace

void fillRect(Image& img, double x, double y, double w, double h, Rgba c) {
    int x0 = int(std::lround(x)), y0 = int(std::lround(y)), x1 = int(std::lround(x + w)), y1 = int(std::lround(y + h));
    for (int j = y0; j < y1; ++j)
        for (int i = x0; i < x1; ++i) img.blend(i, j, c);
}

void frameRect(Image& img, double x, double y, double w, double h, Rgba c, int t) {
    fillRect(img, x, y, w, t, c);
    fillRect(img, x, y + h - t, w, t, c);
    fillRect(img, x, y + t, t, h - 2 * t, c);
    fillRect(img, x + w - t, y + t, t, h - 2 * t, c);
}

void roundRect(Image& img, double x, double y, double w, double h, double r, Rgba c) {
    for (int j = int(std::floor(y)); j < int(std::ceil(y + h)); ++j)
        for (int i = int(std::floor(x)); i < int(std::ceil(x + w)); ++i) {
            double px = i + 0.5, py = j + 0.5;
            double dx = std::max({x + r - px, 0.0, px - (x + w - r)});
            double dy = std::max({y + r - py, 0.0, py - (y + h - r)});
            if (dx * dx + dy * dy <= r * r) img.blend(i, j, c);
        }
}

void ellipse(Image& img, double cx, double cy, double rx, double ry, Rgba c) {
    if (rx <= 0 || ry <= 0) return;
    for (int j = int(std::floor(cy - ry)); j <= int(std::ceil(cy + ry)); ++j)
        for (int i = int(std::floor(cx - rx)); i <= int(std::ceil(cx + rx)); ++i) {
            double dx = (i + 0.5 - cx) / rx, dy = (j + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) img.blend(i, j, c);
        }
}

void ring(Image& img, double cx, double cy, double r, double t, Rgba c) {
    for (int j = int(std::floor(cy - r)); j <= int(std::ceil(cy + r)); ++j)
        for (int i = int(std::floor(cx - r)); i <= int(std::ceil(cx + r)); ++i) {
            double d = std::hypot(i + 0.5 - cx, j + 0.5 - cy);
            if (d <= r && d >= r - t) img.blend(i, j, c);
        }
}

void polygon(Image& img, const std::vector<std::pair<double, double>>& pts, Rgba c) {
    if (pts.size() < 3) return;
    double ymin = pts[0].second, ymax = ymin;
    for (auto& p : pts) ymin = std::min(ymin, p.second), ymax = std::max(ymax, p.second);
    for (int j = int(std::floor(ymin)); j <= int(std::ceil(ymax)); ++j) {
        double py = j + 0.5;
        std::vector<double> xs;
        for (size_t k = 0; k < pts.size(); ++k) {
            auto a = pts[k], b = pts[(k + 1) % pts.size()];
            if ((a.second <= py && b.second > py) || (b.second <= py && a.second > py))
                xs.push_back(a.first + (py - a.second) / (b.second - a.second) * (b.first - a.first));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t k = 0; k + 1 < xs.size(); k += 2)
            for (int i = int(std::ceil(xs[k] - 0.5)); i <= int(std::floor(xs[k + 1] - 0.5)); ++i) img.blend(i, j, c);
    }
}

void line(Image& img, double x0, double y0, double x1, double y1, Rgba c, double width) {
    double len = std::hypot(x1 - x0, y1 - y0);
    if (width <= 1.01) {
        int n = std::max(1, int(std::ceil(len)));
        int lastX = -99999, lastY = -99999;
        for (int k = 0; k <= n; ++k) {
            double t = double(k) / n;
            int x = int(std::floor(x0 + (x1 - x0) * t)), y = int(std::floor(y0 + (y1 - y0) * t));
            if (x == lastX && y == lastY) continue;
            img.blend(x, y, c);
            lastX = x, lastY = y;
        }
        return;
    }
    // A thick line is a capsule: every pixel within width/2 of the segment.
    double r = width / 2;
    int ix0 = int(std::floor(std::min(x0, x1) - r)), ix1 = int(std::ceil(std::max(x0, x1) + r));
    int iy0 = int(std::floor(std::min(y0, y1) - r)), iy1 = int(std::ceil(std::max(y0, y1) + r));
    for (int j = iy0; j <= iy1; ++j)
        for (int i = ix0; i <= ix1; ++i) {
            double px = i + 0.5, py = j + 0.5;
            double t = len > 0 ? ((px - x0) * (x1 - x0) + (py - y0) * (y1 - y0)) / (len * len) : 0;
            t = std::clamp(t, 0.0, 1.0);
            double d = std::hypot(px - (x0 + t * (x1 - x0)), py - (y0 + t * (y1 - y0)));
            if (d <= r) img.blend(i, j, c);
        }
}

void vgrad(Image& img, double x, double y, double w, double h, const std::vector<Rgba>& stops) {
    for (int j = int(y); j < int(y + h); ++j) {
        Rgba c = gradAt(stops, h > 1 ? (j - y) / (h - 1) : 0);
        for (int i = int(x); i < int(x + w); ++i) img.blend(i, j, c);
    }
}

void hgrad(Image& img, double x, double y, double w, double h, const std::vector<Rgba>& stops) {
    for (int i = int(x); i < int(x + w); ++i) {
        Rgba c = gradAt(stops, w > 1 ? (i - x) / (w - 1) : 0);
        for (int j = int(y); j < int(y + h); ++j) img.blend(i, j, c);
    }
}

void glow(Image& img, double cx, double cy, double r, Rgba c) {
    for (int j = int(std::floor(cy - r)); j <= int(std::ceil(cy + r)); ++j)
        for (int i = int(std::floor(cx - r)); i <= int(std::ceil(cx + r)); ++i) {
            double d = std::hypot(i + 0.5 - cx, j + 0.5 - cy) / r;
            if (d >= 1) continue;
            double k = (1 - d) * (1 - d);
            img.add(i, j, withAlpha(c, k));
        }
}

void radial(Image& img, double cx, double cy, double r, Rgba inner, Rgba outer) {
    for (int j = int(std::floor(cy - r)); j <= int(std::ceil(cy + r)); ++j)
        for (int i = int(std::floor(cx - r)); i <= int(std::ceil(cx + r)); ++i) {
            double d = std::hypot(i + 0.5 - cx, j + 0.5 - cy) / r;
            if (d <= 1) img.blend(i, j, artMix(inner, outer, d));
        }
}

void noise(Image& img, double x, double y, double w, double h, double amount, uint32_t seed) {
    ArtRng rng(seed);
    for (int j = int(y); j < int(y + h); ++j)
        for (int i = int(x); i < int(x + w); ++i) {
            Rgba p = img.get(i, j);
            double f = 1 + (rng.unit() * 2 - 1) * amount;
            if (p.a == 0) continue;
            img.set(i, j, artShade(p, f));
        }
}

void vignette(Image& img, double strength) {
    double cx = img.width() / 2.0, cy = img.height() / 2.0;
    for (int j = 0; j < img.height(); ++j)
        for (int i = 0; i < img.width(); ++i) {
            double dx = (i + 0.5 - cx) / cx, dy = (j + 0.5 - cy) / cy;
            double d = std::min(1.0, std::sqrt(dx * dx + dy * dy) / 1.4142);
            Rgba p = img.get(i, j);
            img.set(i, j, artShade(p, 1 - strength * d * d));
        }
}

void sparkle(Image& img, double cx, double cy, double r, Rgba c) {
    for (int j = int(std::floor(cy - r)); j <= int(std::ceil(cy + r)); ++j)
        for (int i = int(std::floor(cx - r)); i <= int(std::ceil(cx + r)); ++i) {
            double dx = std::fabs(i + 0.5 - cx), dy = std::fabs(j + 0.5 - cy);
            // Concave diamond: |x|^0.5 + |y|^0.5 <= r^0.5
            if (std::sqrt(dx) + std::sqrt(dy) <= std::sqrt(r)) img.blend(i, j, c);
        }
}

void star(Image& img, double cx, double cy, double r, double inner, int points, Rgba c, double rotDeg) {
    std::vector<std::pair<double, double>> pts;
    for (int k = 0; k < points * 2; ++k) {
        double a = (rotDeg + k * 180.0 / points) * M_PI / 180;
        double rr = (k & 1) ? inner : r;
        pts.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
    }
    polygon(img, pts, c);
}

} // namespace artdraw
