// Starting a scripted section the way the film tools all do: the script's clock, level
// and gold, a new game, no keys held, then the section itself.
#pragma once

#include <SDL.h>

#include "fhreplay_script.h"

namespace FHReplay {

// Clears `keys`, sets the clock, level and gold from the script and starts its section
// as a live play (not a playback). False, with a line naming `tool` on standard error,
// when the section does not start.
bool startScriptSection(const Script& script, Uint8* keys, size_t keyCount, const char* tool);

} // namespace FHReplay
