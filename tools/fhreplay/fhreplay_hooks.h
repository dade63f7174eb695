// Process-wide hooks of the film harness: a heap allocation counter and a virtual
// calendar clock.
//
// The counter replaces the global operator new/delete and (outside sanitizer builds,
// whose allocator must stay in charge) malloc, calloc and realloc, so that every heap
// allocation made during a world step is seen.
//
// The clock replaces time(): it reads a fixed start plus the steps played so far at 60
// steps a second. A live section takes its random seed and its film stamp from the
// clock, so a script recorded twice gives the same film, and the elapsed seconds of a
// film follow its steps, not the machine's speed.
#pragma once

#include <cstdint>

namespace FHReplay {

// Counts the calling thread's allocations from now on (the thread that runs the world;
// other threads, such as the audio thread, are never counted).
void countThisThread();
// Heap allocations counted since the program started.
int64_t allocationCount();
// True when malloc itself is counted (not only operator new).
bool mallocCounted();
// While on, every counted allocation prints its call stack on standard error.
void traceAllocations(bool on);

void setClock(int64_t start); // clock := start, step count := 0
void clockStep();             // one step of 1/60 s
int64_t clockNow();

// Peak resident set size of the process, in kilobytes.
long peakRssKb();

} // namespace FHReplay
