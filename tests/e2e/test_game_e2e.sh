#!/usr/bin/env bash
# The real fernhollow in a fresh copy of the runtime tree, under the X server the test
# run provides, driven with xdotool: first start creates the configuration and the
# diary, shows the title, a new game reaches play and a lost section leaves a film;
# the diary report is written when the window is closed and on Escape from the title.
# Usage: test_game_e2e.sh <runtime dir>
set -u
RUNTIME=${1:?runtime dir}
HERE=$(cd "$(dirname "$0")" && pwd)
HELPER="python3 $HERE/x11_helper.py"
WORK=$(mktemp -d /tmp/fhe2e.XXXXXX)
GAME=$WORK/game
PID=
fail() {
  echo "FAIL: $*"
  # Keep what the game showed and logged for the report.
  [ -n "${WID:-}" ] && xwd -silent -id "$WID" >"${TMPDIR:-/tmp}/fhe2e-fail.xwd" 2>/dev/null
  [ -f "$WORK/out.log" ] && cp "$WORK/out.log" "${TMPDIR:-/tmp}/fhe2e-fail.log" && tail -30 "$WORK/out.log"
  [ -n "$PID" ] && kill "$PID" 2>/dev/null
  exit 1
}
cleanup() { [ -n "$PID" ] && kill "$PID" 2>/dev/null && wait "$PID" 2>/dev/null; rm -rf "$WORK"; }
trap cleanup EXIT
[ -n "${DISPLAY:-}" ] || fail "no X display"
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

# A fresh runtime tree without anything a previous run wrote.
mkdir -p "$GAME"
cp -r "$RUNTIME/fernhollow" "$RUNTIME/resourcesQSDL" "$RUNTIME/VRNresources" "$GAME/" || fail "copy runtime"

# wait_for and size_is
. "$HERE/e2e_common.sh"
alive() { kill -0 "$PID" 2>/dev/null; }
gone() { ! kill -0 "$PID" 2>/dev/null; }
in_log() { grep -q "$1" "$WORK/out.log"; }

# Key taps long enough for the game to see them in at least one step.
tap() { xdotool keydown "$1"; sleep 0.12; xdotool keyup "$1"; sleep 0.12; }

start_game() {
  # Started from another folder: the game must move to its own.
  (cd "$WORK" && exec stdbuf -oL "$GAME/fernhollow" >>"$WORK/out.log" 2>&1) &
  PID=$!
  wait_for 30 size_is "$GAME/vrnpr.pref" 1312 || fail "diary not created"
  WID=
  find_window() { WID=$(xdotool search --onlyvisible --name '^Fernhollow$' 2>/dev/null | head -1); [ -n "$WID" ]; }
  wait_for 20 find_window || fail "no window"
  xdotool windowfocus "$WID" 2>/dev/null
}

# ---- First start: files, title ------------------------------------------------------
start_game
size_is "$GAME/mysdlcfg.pref" 1024 || fail "mysdlcfg.pref is not 1024 bytes"
# Game defaults, big-endian: full screen 0, window size 5, skip 0, gamma 1.
head -c 16 "$GAME/mysdlcfg.pref" | od -An -tx1 | tr -d ' \n' | grep -q '^00000000000000050000000000000001$' ||
  fail "configuration defaults: $(head -c 16 "$GAME/mysdlcfg.pref" | od -An -tx1)"
shot_ok() { xwd -silent -id "$WID" >"$WORK/title.xwd" 2>/dev/null && $HELPER busy "$WORK/title.xwd" >/dev/null; }
wait_for 5 shot_ok || fail "title screenshot is blank"
in_log "Red size: " || fail "GL attributes not logged"

# ---- Escape on the title saves the report and quits ---------------------------------
# (If the demo has begun meanwhile, the first Escape only returns to the title, and the
# title stands only about a second before the demo starts again: the taps follow each
# other closely so that one lands on the title however slowly the game started.)
rm -f "$GAME/SecretDiary.text"
for attempt in $(seq 1 12); do
  tap Escape
  for poll in 1 2 3 4 5; do gone && break 2; sleep 0.1; done
done
wait_for 3 gone
gone || fail "Escape on the title did not quit"
[ -s "$GAME/SecretDiary.text" ] || fail "no SecretDiary.text after Escape on the title"

# The rest runs in a 320 x 240 window (configuration field 1, window size 2 = 100 %),
# which software GL draws quickly even on a busy machine.
printf '\x00\x00\x00\x02' | dd of="$GAME/mysdlcfg.pref" bs=1 seek=4 conv=notrunc status=none
start_game

# ---- Options: start with one gold coin ----------------------------------------------
# Each screen's picture is logged once per run when it is first shown; the test waits
# for those lines rather than for fixed times.
wait_for 30 in_log "( 150 )" || fail "the attract demo did not start"
tap Return                   # demo -> browser, cursor on the opening entry
wait_for 20 in_log "( 160 )" || fail "the browser did not open"
sleep 0.5
tap Left                     # entry 0, left: the option page
wait_for 20 in_log "( 161 )" || fail "the option page did not open"
sleep 2
tap Down; tap Down; tap Down # row 3: start coins
tap Right; tap Right         # 250 -> 400 -> 1
tap Up; tap Up; tap Up
sleep 5                      # the menu can be left once it has run 61 steps (slow machines too)
tap Return
sleep 1
tap Escape                   # back to the title; the next browser visit takes the coins

# ---- Holding A from the title into play ---------------------------------------------
# Title (61 steps), demo, browser (entry 0), the opening (A skips it after 60 steps),
# the chapter list on chapter 0, its section map and section 1.
xdotool keydown z
wait_for 90 in_log "( 9000 )" || { xdotool keyup z; fail "the section start was not reached"; }
xdotool keyup z
wait_for 20 in_log "wc2fh_lv1" || fail "section did not start"
alive || fail "game ended on section start"

# ---- Play: lose the only coin in the meadow's thorn pit ----------------------------
# Jumping right over the pillars, the small spring throws the hero across the pit; walking
# back left from there, he drops into it. Repeated until the lost section keeps its film.
# Every hold is long enough for a jump to reach its full height even when a busy machine
# runs the game at a fraction of its speed (a longer hold changes nothing at full speed),
# and each release lasts several steps; the walk back ends as soon as the film appears,
# so the test waits for what the game writes, not for a fixed time.
film_there() { ls "$GAME"/replayfilms/Last1-1.vrnrpmov >/dev/null 2>&1; }
end=$((SECONDS + 300))
while [ $SECONDS -le $end ] && ! film_there && alive; do
  xdotool keydown Right
  for _ in 1 2 3 4 5 6 7 8; do
    xdotool keydown x; sleep 1.2; xdotool keyup x; sleep 0.4
    film_there && break
  done
  sleep 4
  xdotool keyup Right
  xdotool keydown Left
  wait_for 25 film_there
  xdotool keyup Left
done
film_there || fail "no film in replayfilms/ after the lost section"
[ "$(stat -c %s "$GAME/replayfilms/Last1-1.vrnrpmov")" -gt 688 ] || fail "film has no input events"

# ---- Closing the window saves the diary report -------------------------------------
rm -f "$GAME/SecretDiary.text"
$HELPER close "$WID"
wait_for 10 gone || fail "game did not quit on window close"
size_is "$GAME/vrnpr.pref" 1312 || fail "diary size after close"
[ -s "$GAME/SecretDiary.text" ] || fail "no SecretDiary.text after closing the window"

echo "PASS"
