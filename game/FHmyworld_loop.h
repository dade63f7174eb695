// The world step's guard over the score, timer and coin counters.
//
// The counters that decide a play's result (Score, TIMER, GoldCoins, SilvCoins and the
// pending gold) change only inside the world step and at section start. At the end of
// every step, and whenever a section starts, the world seals them: it stores a checksum
// of their values mixed with a key chosen at start-up. The next step first checks the
// seal; a counter changed in between (by anything other than the world code, e.g. a
// memory editor or a stray write) breaks it, and the step answers kWorldTampered so that
// the controller quits the program.
#pragma once

#include <cstdint>

namespace FHLoop {

// fhWorldMainLoop's answer when the counters were changed outside play.
constexpr int kWorldTampered = -1;
// fhWorldMainLoop's answer when no map is loaded: the step is refused, nothing moves.
constexpr int kWorldNoMap = -2;

// Stores the seal of the current counter values. Code outside the world step that
// changes the counters on purpose (the clear screen's coin exchange) calls it afterwards.
void sealCounters();
// True when the counters still match their seal (or nothing has been sealed yet).
bool countersIntact();

}  // namespace FHLoop
