// Frame-rate figures of a run from the times its frames were presented.
#pragma once

#include <cstddef>
#include <vector>

namespace FHPresent {

// Figures over windows of `window` consecutive frames (60: one second of play at the
// game's pace). A window's rate is its frames divided by the wall time from the end of
// the frame before it to the end of its last frame, so sleeps between frames (a paced
// run) count as they do on screen.
struct Figures {
    size_t frames = 0;
    double meanFps = 0;      // all frames over the whole run
    double medianFps = 0;    // median window
    double worstFps = 0;     // slowest window
    size_t worstStart = 0;   // first frame (step) of the slowest window
    size_t slowestFrame = 0; // the longest single frame, inside the slowest window
    double slowestMs = 0;    // its duration
    double medianFrameMs = 0;
    double maxFrameMs = 0;
};

// `ends` holds the end time of every frame in milliseconds from the start of the run
// (the start itself is 0), in order. Fewer frames than one window give one window of
// all of them; no frames give zeroes.
Figures computeFigures(const std::vector<double>& ends, size_t window);

} // namespace FHPresent
