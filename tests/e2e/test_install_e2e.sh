#!/usr/bin/env bash
# The installed game, as a player on a shared machine gets it: `cmake --install` into a
# temporary prefix (placed where the build never was, so the programs must find their
# data relative to themselves), desktop entries, icons, AppStream metadata and documents
# in place and valid; then, with the whole prefix read-only and as an unprivileged user
# (root writes anywhere, so root drops to `nobody`), started by the desktop entry's
# command from another working directory with XDG_DATA_HOME set:
#  - the configuration, the diary and the report land in $XDG_DATA_HOME/fernhollow and
#    nothing under the prefix or in the working directory changes;
#  - the installed settings program saves into the same folder, and the game's next
#    start opens its window at the saved scale.
# Usage: test_install_e2e.sh <runtime dir of the build>
set -u
RUNTIME=${1:?runtime dir}
BUILD=$(cd "$RUNTIME/.." && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d /tmp/fhinstall.XXXXXX)
PREFIX=$WORK/moved/games/prefix
. "$HERE/e2e_common.sh"
install_test_setup
[ -n "${DISPLAY:-}" ] || fail "no X display"
command -v xdotool >/dev/null || fail "xdotool is missing"

# ---- install and what it puts where -------------------------------------------------
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || fail "cmake --install failed"
for f in bin/fernhollow bin/configurator \
    share/fernhollow/resourcesQSDL/fontpic.mrsrc share/fernhollow/resourcesQSDL/mediachunk.mrsrc \
    share/fernhollow/resourcesQSDL/menutext.dttx share/fernhollow/resourcesQSDL/menuback.png \
    share/applications/org.fernhollow.Fernhollow.desktop share/applications/org.fernhollow.Configurator.desktop \
    share/metainfo/org.fernhollow.Fernhollow.metainfo.xml \
    share/doc/fernhollow/README.md share/doc/fernhollow/LICENSE share/doc/fernhollow/LICENSE-unifont.txt; do
  [ -s "$PREFIX/$f" ] || fail "not installed: $f"
done
ls "$PREFIX"/share/fernhollow/VRNresources/mus/*.ogg >/dev/null 2>&1 || fail "no music installed"
for icon in org.fernhollow.Fernhollow org.fernhollow.Configurator; do
  for s in 48 128 256; do
    p=$PREFIX/share/icons/hicolor/${s}x${s}/apps/$icon.png
    [ -f "$p" ] || fail "no $s px icon $icon"
    [ "$(png_size "$p")" = "${s}x${s}" ] || fail "$p is $(png_size "$p")"
  done
  grep -qx "Icon=$icon" "$PREFIX/share/applications/$icon.desktop" || fail "$icon.desktop names another icon"
done
# Nothing a run of the build tree writes is installed.
leftovers=$(find "$PREFIX" \( -name '*.pref' -o -name 'SecretDiary.text' -o -name replayfilms -o -name '*.tmp~' \))
[ -z "$leftovers" ] || fail "save files installed: $leftovers"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$PREFIX"/share/applications/*.desktop || fail "desktop entries do not validate"
else
  echo "NOTE: desktop-file-validate missing; desktop entries not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$PREFIX/share/metainfo/org.fernhollow.Fernhollow.metainfo.xml" >"$WORK/appstream.log" 2>&1 ||
    fail "AppStream metadata does not validate"
else
  echo "NOTE: appstreamcli missing; AppStream metadata not validated"
fi

# ---- a read-only install, a player without rights to it --------------------------------
chmod -R a-w "$PREFIX"
chmod a+rx "$WORK" "$WORK/moved" "$WORK/moved/games"
snapshot "$PREFIX" >"$WORK/prefix.before"
XDG=$WORK/xdg
ELSEWHERE=$WORK/elsewhere          # the working directory: nobody may write there
mkdir -p "$XDG" "$ELSEWHERE"
chmod 555 "$ELSEWHERE"
RUN_AS=()
RUN_ENV=(HOME=/nonexistent XDG_DATA_HOME="$XDG")
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || fail "setpriv is missing (util-linux)"
  RUN_AS=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
  chown nobody:nogroup "$XDG"
  # The X server the tests run in may want its cookie: give nobody its own copy.
  if [ -n "${XAUTHORITY:-}" ] && [ -f "$XAUTHORITY" ]; then
    xauth -q -f "$XAUTHORITY" nextract - "$DISPLAY" | xauth -q -f "$WORK/xauth" nmerge - || fail "no X cookie for nobody"
    chown nobody:nogroup "$WORK/xauth"
    RUN_ENV+=(XAUTHORITY="$WORK/xauth")
  fi
elif [ -n "${XAUTHORITY:-}" ]; then
  RUN_ENV+=(XAUTHORITY="$XAUTHORITY")
fi
# The desktop entry's command, found on the PATH as a desktop would find it.
RUN_PATH="$PREFIX/bin:/usr/bin:/bin"
GAME_CMD=$(sed -n 's/^Exec=//p' "$PREFIX/share/applications/org.fernhollow.Fernhollow.desktop")
CFG_CMD=$(sed -n 's/^Exec=//p' "$PREFIX/share/applications/org.fernhollow.Configurator.desktop")
SAVES=$XDG/fernhollow

# ---- first start: configuration, diary, report ------------------------------------------
start_program "$WORK/game1.log" "$ELSEWHERE" $GAME_CMD
wait_for 30 size_is "$SAVES/vrnpr.pref" 1312 || fail "no diary in $SAVES"
size_is "$SAVES/mysdlcfg.pref" 1024 || fail "no configuration in $SAVES"
wait_for 20 find_window Fernhollow || fail "no game window"
grep -qx "Data folder: $PREFIX/share/fernhollow" "$WORK/game1.log" || fail "data folder not logged as the installed one"
grep -qx "Save folder: $SAVES" "$WORK/game1.log" || fail "save folder not logged"
quit_game_with_escape || fail "Escape on the title did not quit"
wait "$RUN_PID"; RUN_PID=
[ -s "$SAVES/SecretDiary.text" ] || fail "no report in $SAVES"
if [ "$(id -u)" -eq 0 ]; then
  [ "$(stat -c %U "$SAVES/vrnpr.pref")" = nobody ] || fail "the game did not run as nobody"
fi

# ---- the settings program saves beside the game's files -----------------------------
start_program "$WORK/cfg.log" "$ELSEWHERE" $CFG_CMD
wait_for 30 find_window Configurator || fail "no settings window"
grep -qx "Save folder: $SAVES" "$WORK/cfg.log" || fail "the settings program chose another save folder"
# The ring turns a few frames per key; the next key waits until the picture has changed
# and then holds still.
shot() { xwd -silent -id "$WID" >"$1" 2>/dev/null; }
settled_after() {  # settled_after BEFORE.xwd: the picture differs from it and is still
  shot "$WORK/a.xwd" && ! cmp -s "$WORK/a.xwd" "$1" || return 1
  sleep 0.1
  shot "$WORK/b.xwd" && cmp -s "$WORK/a.xwd" "$WORK/b.xwd"
}
turn() {
  for k in "$@"; do
    running || fail "the settings program ended early"
    shot "$WORK/before.xwd" || fail "no screenshot of the settings program"
    xdotool key --window "$WID" "$k"
    wait_for 10 settled_after "$WORK/before.xwd" || fail "the ring did not turn on $k"
  done
}
keys() { running || fail "the settings program ended early"; xdotool key --window "$WID" "$@"; }
wait_for 10 shot "$WORK/start.xwd" || fail "no screenshot of the settings program"
turn Left Left Left                # item 3, Window Size
turn Down Down Down                # the cursor moves to 150 %
keys space
turn Right Right Right Right       # item 31, the exit item
turn Down Down
keys space                         # save and quit
wait_for 15 ended || fail "save and quit did not quit"
wait "$RUN_PID"; RUN_PID=
[ "$(od -An -tx1 -j4 -N4 "$SAVES/mysdlcfg.pref" | tr -d ' \n')" = 00000003 ] ||
  fail "window size 150 % not saved: $(od -An -tx1 -N16 "$SAVES/mysdlcfg.pref")"
[ -s "$SAVES/exportSetting.pref" ] || fail "no text export in $SAVES"

# ---- the game reads it --------------------------------------------------------------------
start_program "$WORK/game2.log" "$ELSEWHERE" $GAME_CMD
wait_for 30 find_window Fernhollow || fail "no game window on the second start"
geom=$(xdotool getwindowgeometry "$WID" | sed -n 's/.*Geometry: *//p')
[ "$geom" = 480x360 ] || fail "game window is $geom, expected 480x360 from the saved setting"
python3 "$HERE/x11_helper.py" close "$WID" || fail "could not close the game window"
wait_for 15 ended || fail "closing the window did not quit"
wait "$RUN_PID"; RUN_PID=

# ---- nothing written anywhere else --------------------------------------------------------
snapshot "$PREFIX" >"$WORK/prefix.after"
diff "$WORK/prefix.before" "$WORK/prefix.after" >"$WORK/prefix.diff" || fail "the prefix changed: $(head -5 "$WORK/prefix.diff")"
[ -z "$(ls -A "$ELSEWHERE")" ] || fail "files written to the working directory: $(ls -A "$ELSEWHERE")"
echo "installed game: all checks passed (saves in $SAVES)"
