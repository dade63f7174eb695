// Frame-rate figures (see the header).
#include "fhpresent_figures.h"

#include <algorithm>

namespace FHPresent {

namespace {
double frameMs(const std::vector<double>& ends, size_t i) { return ends[i] - (i == 0 ? 0.0 : ends[i - 1]); }
} // namespace

Figures computeFigures(const std::vector<double>& ends, size_t window) {
    Figures f;
    f.frames = ends.size();
    if (ends.empty() || window == 0) return f;
    const size_t n = ends.size();
    const size_t w = std::min(window, n);
    if (ends[n - 1] > 0) f.meanFps = double(n) * 1000.0 / ends[n - 1];

    std::vector<double> frames(n);
    for (size_t i = 0; i < n; ++i) frames[i] = frameMs(ends, i);
    std::vector<double> sorted = frames;
    std::sort(sorted.begin(), sorted.end());
    f.medianFrameMs = sorted[n / 2];
    f.maxFrameMs = sorted[n - 1];

    // Windows side by side (step 0..w-1, w..2w-1, ...); a short tail joins the last one
    // only when there is no full window at all.
    std::vector<double> rates;
    bool first = true;
    for (size_t start = 0; start + w <= n; start += w) {
        const double begin = start == 0 ? 0.0 : ends[start - 1];
        const double span = ends[start + w - 1] - begin;
        if (span <= 0) continue; // below the clock's resolution: no rate to speak of
        const double fps = double(w) * 1000.0 / span;
        rates.push_back(fps);
        if (first || fps < f.worstFps) {
            f.worstFps = fps;
            f.worstStart = start;
            first = false;
        }
    }
    if (rates.empty()) return f;
    std::sort(rates.begin(), rates.end());
    f.medianFps = rates[rates.size() / 2];

    for (size_t i = f.worstStart; i < f.worstStart + w; ++i)
        if (i == f.worstStart || frames[i] > f.slowestMs) {
            f.slowestMs = frames[i];
            f.slowestFrame = i;
        }
    return f;
}

} // namespace FHPresent
