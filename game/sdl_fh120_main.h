// The game program's start (main0) and its fixed-rate frame loop.
#pragma once

#include <cstdint>

// Steps per presented picture (the configuration's display-skip count, 1..5).
extern int32_t skips;

// Initialises SDL, the configuration, sound, input, the window and the controller, then
// runs the frame loop until the window is closed or the controller asks to quit.
// Returns 0; ends the process with status 1 when SDL video cannot start.
int main0(int argc, const char** argv);

namespace FHFrame {
// The step period in ms for slow-motion level 0..3: 16, 33, 50, 66.
int stepPeriod(int waitPlus);
// The sleep before the next turn: period - (now - lastTick), none when the turn was
// late (a wait that reads above 1000 ms unsigned).
uint32_t waitFor(uint32_t lastTick, uint32_t now, int period);
// The loop's own state (mainLoop's statics).
struct LoopState {
    bool dispFrameF = false;  // frame-rate overlay shown
    bool pauseF = false;      // game paused (only possible in play)
    int32_t waitPlusF = 0;    // slow-motion level 0..3
    int32_t L = 0;            // steps run while not paused
};
extern LoopState loop;
// The key tests of one SDL key-down event (pause, fast mode, inspection keys, slow
// mode; key code, scancode, and whether it is a key repeat, which toggles nothing), and
// the pause test of a controller button-down event (pad index, button).
void onKeyDown(int key, int scancode = 0, bool repeat = false);
void onJoyButton(int pad, int button);
}  // namespace FHFrame
