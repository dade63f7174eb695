#!/usr/bin/env bash
# Golden films of tests/films: records each script into a film and plays it back with
# the film harness.
#
#   golden_films.sh bench  <build dir>   prints the harness's figures for every film
#   golden_films.sh expect <build dir>   rewrites each script's .expect file from the
#                                        recording (after an intended change of play)
set -euo pipefail
mode=${1:-}
build=${2:-}
if [[ -z "$mode" || -z "$build" ]]; then
  echo "usage: $0 bench|expect <build dir>" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
films="$here/../../tests/films"
tool="$build/toolbin/fhreplay"
runtime="$build/bin"
work=$(mktemp -d /tmp/fhgoldenXXXXXX)
trap 'rm -rf "$work"' EXIT

for script in "$films"/*.script; do
  name=$(basename "$script" .script)
  "$tool" --record "$runtime" "$script" "$work/$name.vrnrpmov" >"$work/$name.rec" 2>/dev/null
  steps=$(awk '$1 == "steps" {print $2}' "$work/$name.rec")
  "$tool" --steps "$steps" "$runtime" "$work/$name.vrnrpmov" >"$work/$name.play" 2>/dev/null
  case "$mode" in
    bench)
      echo "== $name"
      grep -E '^(steps|end|steps_per_second|median_ms|p99_ms|allocs_per_step|peak_rss_kb|hash) ' "$work/$name.play"
      ;;
    expect)
      {
        echo "# End state of $name.script, written by tools/fhreplay/golden_films.sh expect."
        grep -E '^(steps|end|score|player|hash) ' "$work/$name.play"
      } >"$films/$name.expect"
      echo "wrote $name.expect"
      ;;
    *)
      echo "unknown mode $mode" >&2
      exit 2
      ;;
  esac
done
