// Allocation counting and the virtual clock of the film harness (see the header).
#include "fhreplay_hooks.h"

#include <execinfo.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define FHREPLAY_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FHREPLAY_SANITIZED 1
#endif
#endif

namespace {
std::atomic<int64_t> gAllocs{0};
// Only the thread that runs the world is counted: the sound mixer decodes music on its
// own audio thread, whose allocations are not the world step's.
thread_local bool tCounted = false;
int64_t gClockStart = 1767225600; // as FHReplay::kDefaultClock
int64_t gClockSteps = 0;
bool gTrace = false;
bool gInTrace = false;

// Prints where an allocation was made (backtrace_symbols_fd does not allocate).
void traceAllocation() {
    if (!gTrace || gInTrace || !tCounted) return;
    gInTrace = true;
    void* frames[24];
    const int n = backtrace(frames, 24);
    static const char kHead[] = "---- heap allocation in a step:\n";
    if (write(2, kHead, sizeof kHead - 1) < 0) {
    }
    backtrace_symbols_fd(frames, n, 2);
    gInTrace = false;
}
} // namespace

#ifndef FHREPLAY_SANITIZED
// malloc and friends go to glibc's own entry points after counting.
extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);
extern "C" void* malloc(size_t n) {
    if (tCounted) gAllocs.fetch_add(1, std::memory_order_relaxed);
    traceAllocation();
    return __libc_malloc(n);
}
extern "C" void* calloc(size_t a, size_t b) {
    if (tCounted) gAllocs.fetch_add(1, std::memory_order_relaxed);
    traceAllocation();
    return __libc_calloc(a, b);
}
extern "C" void* realloc(void* p, size_t n) {
    if (tCounted) gAllocs.fetch_add(1, std::memory_order_relaxed);
    traceAllocation();
    return __libc_realloc(p, n);
}
// operator new below calls malloc, which counts it.
#define FHREPLAY_COUNT_NEW(n) ((void)0)
#else
#define FHREPLAY_COUNT_NEW(n)                                                                                \
    ((tCounted ? (void)gAllocs.fetch_add(1, std::memory_order_relaxed) : (void)0), traceAllocation())
#endif

void* operator new(size_t n) {
    FHREPLAY_COUNT_NEW(n);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t n) {
    FHREPLAY_COUNT_NEW(n);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new(size_t n, const std::nothrow_t&) noexcept {
    FHREPLAY_COUNT_NEW(n);
    return std::malloc(n ? n : 1);
}
void* operator new[](size_t n, const std::nothrow_t&) noexcept {
    FHREPLAY_COUNT_NEW(n);
    return std::malloc(n ? n : 1);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
    std::free(p);
}

// The game reads the calendar only through time().
extern "C" time_t time(time_t* out) noexcept {
    const time_t t = static_cast<time_t>(FHReplay::clockNow());
    if (out) *out = t;
    return t;
}

namespace FHReplay {

void countThisThread() {
    tCounted = true;
}

int64_t allocationCount() {
    return gAllocs.load(std::memory_order_relaxed);
}

bool mallocCounted() {
#ifndef FHREPLAY_SANITIZED
    return true;
#else
    return false;
#endif
}

void traceAllocations(bool on) {
    if (on && !gTrace) {
        // The first backtrace loads the unwinder (which allocates): do it outside a step.
        void* warm[2];
        backtrace(warm, 2);
    }
    gTrace = on;
}

void setClock(int64_t start) {
    gClockStart = start;
    gClockSteps = 0;
}
void clockStep() {
    ++gClockSteps;
}
int64_t clockNow() {
    return gClockStart + gClockSteps / 60;
}

long peakRssKb() {
    struct rusage ru;
    if (getrusage(RUSAGE_SELF, &ru) != 0) return -1;
    return ru.ru_maxrss;
}

} // namespace FHReplay
