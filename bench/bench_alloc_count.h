// Heap allocation counting for the benchmarks: every malloc, calloc and realloc made by a
// thread that has set tCounted is counted in gAllocs. Only the thread that runs the world
// counts: the mixer decodes music on the audio thread, and those allocations are not the
// world step's. Include in exactly one file of a benchmark program.
#pragma once

#include <atomic>
#include <cstddef>

static std::atomic<long> gAllocs{0};
static thread_local bool tCounted = false;
extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);
extern "C" void* malloc(size_t n) {
    if (tCounted) gAllocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(n);
}
extern "C" void* calloc(size_t a, size_t b) {
    if (tCounted) gAllocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(a, b);
}
extern "C" void* realloc(void* p, size_t n) {
    if (tCounted) gAllocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, n);
}
