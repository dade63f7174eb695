#!/usr/bin/env bash
# Start-up figures of the real game: time from process start to the first presented
# picture (the title) and peak resident memory, over several runs in a fresh copy of
# the runtime tree. Run it under an X server, for example:
#   xvfb-run -a -s "-screen 0 1280x1024x24" bench/game_startup.sh build/bin 5
# The first presented picture is timed by a small preloaded library that notes the
# first SDL_GL_SwapWindow; the window is then closed as a window manager would.
set -eu
RUNTIME=${1:?runtime dir}
RUNS=${2:-5}
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d /tmp/fhstartup.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

cat >"$WORK/firstswap.c" <<'C'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <time.h>
static double t0;
static double now(void) { struct timespec ts; clock_gettime(CLOCK_MONOTONIC, &ts); return ts.tv_sec + ts.tv_nsec * 1e-9; }
__attribute__((constructor)) static void start(void) { t0 = now(); }
void SDL_GL_SwapWindow(void* w) {
    static void (*real)(void*) = 0;
    static int n = 0;
    if (!real) real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    real(w);
    if (n++ == 0) fprintf(stderr, "FIRST_PRESENT_MS %.1f\n", (now() - t0) * 1000);
}
C
cc -shared -fPIC -O2 -o "$WORK/firstswap.so" "$WORK/firstswap.c" -ldl
cp -r "$RUNTIME/fernhollow" "$RUNTIME/resourcesQSDL" "$RUNTIME/VRNresources" "$WORK/"
cd "$WORK"
for i in $(seq "$RUNS"); do
  LD_PRELOAD="$WORK/firstswap.so" /usr/bin/time -v ./fernhollow >/dev/null 2>"run$i.err" &
  pid=$!
  for _ in $(seq 100); do grep -q FIRST_PRESENT_MS "run$i.err" && break; sleep 0.1; done
  sleep 0.5
  wid=$(xdotool search --onlyvisible --name '^Fernhollow$' | head -1)
  [ -n "$wid" ] && python3 "$HERE/../tests/e2e/x11_helper.py" close "$wid"
  wait "$pid" || true
  ms=$(awk '/FIRST_PRESENT_MS/ {print $2}' "run$i.err")
  kb=$(awk -F: '/Maximum resident/ {gsub(/ /, "", $2); print $2}' "run$i.err")
  echo "run $i: first title frame ${ms} ms, peak RSS $((kb / 1024)) MB"
done
