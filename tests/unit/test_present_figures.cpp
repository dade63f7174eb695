// The frame-rate figures of the presented-frame tool: one-second windows, the slowest of
// them and where it starts, the slowest frame inside it, paced runs and short runs.
#include <gtest/gtest.h>

#include <vector>

#include "fhpresent_figures.h"

using FHPresent::computeFigures;

namespace {

// Frame end times from per-frame durations.
std::vector<double> endsOf(const std::vector<double>& durations) {
    std::vector<double> ends;
    double t = 0;
    for (double d : durations) ends.push_back(t += d);
    return ends;
}

TEST(PresentFigures, SteadyFramesGiveTheirRateEverywhere) {
    const auto f = computeFigures(endsOf(std::vector<double>(600, 10.0)), 60);
    EXPECT_EQ(f.frames, 600u);
    EXPECT_NEAR(f.meanFps, 100.0, 1e-9);
    EXPECT_NEAR(f.medianFps, 100.0, 1e-9);
    EXPECT_NEAR(f.worstFps, 100.0, 1e-9);
    EXPECT_EQ(f.worstStart, 0u) << "ties keep the first window";
    EXPECT_NEAR(f.medianFrameMs, 10.0, 1e-9);
    EXPECT_NEAR(f.maxFrameMs, 10.0, 1e-9);
}

TEST(PresentFigures, TheSlowSecondIsFoundWithItsSlowestFrame) {
    std::vector<double> d(600, 10.0);
    for (size_t i = 240; i < 300; ++i) d[i] = 20.0;  // the fifth second is slow
    d[271] = 50.0;                                   // and one frame in it slower still
    d[10] = 40.0;                                    // a single hiccup elsewhere
    const auto f = computeFigures(endsOf(d), 60);
    EXPECT_EQ(f.worstStart, 240u);
    EXPECT_NEAR(f.worstFps, 60 * 1000.0 / (59 * 20.0 + 50.0), 1e-9);
    EXPECT_EQ(f.slowestFrame, 271u) << "the slowest frame of the worst second, not of the run";
    EXPECT_NEAR(f.slowestMs, 50.0, 1e-9);
    EXPECT_NEAR(f.maxFrameMs, 50.0, 1e-9);
    EXPECT_NEAR(f.medianFps, 100.0, 1e-9);
    // The hiccup's second is slower than the others but faster than the slow second.
    EXPECT_GT(f.worstFps, 40.0);
    EXPECT_LT(f.worstFps, 60.0);
}

TEST(PresentFigures, PacedRunsCountTheWaitsAndShortRunsMakeOneWindow) {
    // Frames of 2 ms each followed by a wait to 1/60 s: the windows show 60 a second.
    const auto paced = computeFigures(endsOf(std::vector<double>(180, 1000.0 / 60)), 60);
    EXPECT_NEAR(paced.medianFps, 60.0, 1e-6);
    EXPECT_NEAR(paced.worstFps, 60.0, 1e-6);

    const auto shortRun = computeFigures(endsOf({10, 20, 30}), 60);
    EXPECT_EQ(shortRun.frames, 3u);
    EXPECT_NEAR(shortRun.worstFps, 3 * 1000.0 / 60, 1e-9);
    EXPECT_EQ(shortRun.slowestFrame, 2u);

    const auto none = computeFigures({}, 60);
    EXPECT_EQ(none.frames, 0u);
    EXPECT_EQ(none.worstFps, 0.0);

    // A tail shorter than a window is not a second of its own.
    std::vector<double> d(130, 10.0);
    d[125] = 500.0;
    const auto tail = computeFigures(endsOf(d), 60);
    EXPECT_NEAR(tail.worstFps, 100.0, 1e-9);
    EXPECT_NEAR(tail.maxFrameMs, 500.0, 1e-9);
}

}  // namespace
