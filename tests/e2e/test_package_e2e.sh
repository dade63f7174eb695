#!/usr/bin/env bash
# The packages `make package` builds, made here into a scratch folder with CPack:
#  - the .deb installs the programs under /usr with their data, desktop entries, icons
#    and documents, and depends on the Debian runtime libraries, never on -dev packages;
#  - the .tar.gz, unpacked anywhere, runs from its own folder (another working
#    directory) and, since that folder is writable, keeps its saves in the unpacked data
#    folder, touching no per-user folder.
# Usage: test_package_e2e.sh <runtime dir of the build>
set -u
RUNTIME=${1:?runtime dir}
BUILD=$(cd "$RUNTIME/.." && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d /tmp/fhpackage.XXXXXX)
. "$HERE/e2e_common.sh"
install_test_setup
command -v cpack >/dev/null || fail "cpack is missing"
[ -f "$BUILD/CPackConfig.cmake" ] || fail "no CPack configuration in $BUILD"

(cd "$BUILD" && cpack -B "$WORK/out" >"$WORK/cpack.log" 2>&1) || fail "cpack failed"
DEB=$(ls "$WORK"/out/*.deb 2>/dev/null | head -1)
TGZ=$(ls "$WORK"/out/*.tar.gz 2>/dev/null | head -1)
[ -n "$DEB" ] || fail "no .deb made"
[ -n "$TGZ" ] || fail "no .tar.gz made"

# ---- the .deb ------------------------------------------------------------------------------
if command -v dpkg-deb >/dev/null; then
  [ "$(dpkg-deb -f "$DEB" Package)" = fernhollow ] || fail "package name"
  depends=$(dpkg-deb -f "$DEB" Depends)
  echo "Depends: $depends"
  for lib in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-mixer-2.0-0 libgl1; do
    grep -q "\b$lib\b" <<<"$depends" || fail "the .deb does not depend on $lib"
  done
  grep -q -- '-dev\b' <<<"$depends" && fail "the .deb depends on a development package: $depends"
  dpkg-deb -c "$DEB" | awk '{print $6}' >"$WORK/deb.files"
  for f in ./usr/bin/fernhollow ./usr/bin/configurator ./usr/share/fernhollow/resourcesQSDL/fontpic.mrsrc \
      ./usr/share/applications/org.fernhollow.Fernhollow.desktop \
      ./usr/share/icons/hicolor/48x48/apps/org.fernhollow.Fernhollow.png \
      ./usr/share/metainfo/org.fernhollow.Fernhollow.metainfo.xml ./usr/share/doc/fernhollow/LICENSE-unifont.txt; do
    grep -qx "$f" "$WORK/deb.files" || fail "the .deb lacks $f"
  done
else
  echo "NOTE: dpkg-deb missing; the .deb was made but not inspected"
fi

# ---- the tarball, unpacked and run ---------------------------------------------------------
[ -n "${DISPLAY:-}" ] || fail "no X display"
mkdir -p "$WORK/unpacked" "$WORK/elsewhere" "$WORK/xdg"
tar -xzf "$TGZ" -C "$WORK/unpacked" || fail "the tarball does not unpack"
TOP=$(ls -d "$WORK"/unpacked/*/ | head -1)
DATA=${TOP}share/fernhollow
[ -x "${TOP}bin/fernhollow" ] || fail "no bin/fernhollow in the tarball"
RUN_AS=()
RUN_ENV=(HOME="$WORK/home" XDG_DATA_HOME="$WORK/xdg")
[ -n "${XAUTHORITY:-}" ] && RUN_ENV+=(XAUTHORITY="$XAUTHORITY")
start_program "$WORK/game.log" "$WORK/elsewhere" "${TOP}bin/fernhollow"
wait_for 30 size_is "$DATA/vrnpr.pref" 1312 || fail "no diary in the unpacked data folder"
wait_for 20 find_window Fernhollow || fail "no game window"
grep -qx "Save folder: ${DATA}" "$WORK/game.log" || fail "save folder not logged as the unpacked data folder"
quit_game_with_escape || fail "Escape on the title did not quit"
wait "$RUN_PID"; RUN_PID=
[ -s "$DATA/SecretDiary.text" ] || fail "no report in the unpacked data folder"
size_is "$DATA/mysdlcfg.pref" 1024 || fail "no configuration in the unpacked data folder"
[ -z "$(ls -A "$WORK/xdg")" ] || fail "a writable unpacked copy wrote to the per-user folder"
[ -z "$(ls -A "$WORK/elsewhere")" ] || fail "files written to the working directory"
echo "packages: all checks passed ($(basename "$DEB"), $(basename "$TGZ"))"
