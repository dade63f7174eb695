// Raster primitives for drawn pictures: filled shapes, thick lines, gradients, glows and
// texture noise. Coordinates are pixels (doubles, pixel centres at +0.5); everything is
// composited source-over unless it says otherwise.
#pragma once
#include "art_image.h"

#include <utility>
#include <vector>

namespace artdraw {

void fillRect(Image& img, double x, double y, double w, double h, Rgba c);
void frameRect(Image& img, double x, double y, double w, double h, Rgba c, int t = 1);
void roundRect(Image& img, double x, double y, double w, double h, double r, Rgba c);
void ellipse(Image& img, double cx, double cy, double rx, double ry, Rgba c);
void ring(Image& img, double cx, double cy, double r, double t, Rgba c);
void polygon(Image& img, const std::vector<std::pair<double, double>>& pts, Rgba c);
void line(Image& img, double x0, double y0, double x1, double y1, Rgba c, double width = 1);
// Vertical gradient through evenly spaced colour stops.
void vgrad(Image& img, double x, double y, double w, double h, const std::vector<Rgba>& stops);
void hgrad(Image& img, double x, double y, double w, double h, const std::vector<Rgba>& stops);
// Soft round light added to the picture (additive), strongest in the middle.
void glow(Image& img, double cx, double cy, double r, Rgba c);
// Radial gradient disc from inner colour to outer colour (source-over).
void radial(Image& img, double cx, double cy, double r, Rgba inner, Rgba outer);
// Random brightness jitter of amount (0..1) on opaque pixels of the area.
void noise(Image& img, double x, double y, double w, double h, double amount, uint32_t seed);
// Darkens the picture towards its edges.
void vignette(Image& img, double strength);
// Four-pointed sparkle.
void sparkle(Image& img, double cx, double cy, double r, Rgba c);
// Star with n points.
void star(Image& img, double cx, double cy, double r, double inner, int points, Rgba c, double rotDeg = -90);

} // namespace artdraw
