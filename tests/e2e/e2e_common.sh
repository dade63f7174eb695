# Helpers of the end-to-end tests (sourced): waiting for states, and for the install and
# package tests a program run as a player would run it, with the checks of where its
# files went.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
RUN_PID=

# install_test_setup: for the install and package tests, which keep every log in WORK:
# fail() shows the logs, and the scratch folder goes at the end (made writable first,
# since a test may have made parts of it read-only).
install_test_setup() {
  fail() {
    echo "FAIL: $*"
    for f in "$WORK"/*.log; do [ -f "$f" ] && { echo "--- $f"; tail -20 "$f"; }; done
    exit 1
  }
  cleanup() {
    [ -n "${RUN_PID:-}" ] && kill "$RUN_PID" 2>/dev/null && wait "$RUN_PID" 2>/dev/null
    chmod -R u+w "$WORK" 2>/dev/null
    rm -rf "$WORK"
  }
  trap cleanup EXIT
}

# wait_for SECONDS COMMAND...: polls the command every 0.1 s until it succeeds.
wait_for() {
  local end=$((SECONDS + $1)); shift
  while [ $SECONDS -le $end ]; do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
size_is() { [ -f "$1" ] && [ "$(stat -c %s "$1")" -eq "$2" ]; }
running() { [ -n "$RUN_PID" ] && kill -0 "$RUN_PID" 2>/dev/null; }
ended() { ! running; }

# PNG width x height from the IHDR chunk.
png_size() { python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8]==b"\x89PNG\r\n\x1a\n" else "not-png")' "$1"; }

# Every path under a folder with its size and modification time, to see whether a run
# changed anything there.
snapshot() { find "$1" -printf '%P %s %T@ %m\n' | sort; }

# start_program LOG CWD COMMAND...: starts a program in the background from another
# working directory; RUN_PID is its process. RUN_AS (an array) may put a user change
# in front; RUN_ENV (an array of NAME=VALUE) is its environment besides DISPLAY.
start_program() {
  local log=$1 cwd=$2; shift 2
  (cd "$cwd" && exec env -i PATH="${RUN_PATH:-/usr/bin:/bin}" DISPLAY="$DISPLAY" \
      SDL_AUDIODRIVER="$SDL_AUDIODRIVER" "${RUN_ENV[@]}" "${RUN_AS[@]}" stdbuf -oL "$@") >"$log" 2>&1 &
  RUN_PID=$!
}

# find_window TITLE: WID of the visible window with exactly this title.
find_window() { WID=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1); [ -n "$WID" ]; }

# Key taps long enough for the game to see them in at least one step.
tap() { xdotool keydown "$1"; sleep 0.12; xdotool keyup "$1"; sleep 0.12; }

# quit_game_with_escape: Escape on the title saves the diary and quits (a first Escape
# may only leave the demo, and the title stands about a second before the demo starts
# again, so the taps follow each other closely).
quit_game_with_escape() {
  xdotool windowfocus "$WID" 2>/dev/null
  for _ in $(seq 1 12); do
    tap Escape
    for _ in 1 2 3 4 5; do ended && break 2; sleep 0.1; done
  done
  wait_for 3 ended
}
