#!/usr/bin/env bash
# take-screenshots.sh [BUILD_DIR]: plays the game by script on the demo media
# of BUILD_DIR (default build) in a throw-away settings and data folder, and
# writes the software centre's screenshots into packaging/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath "${1:-build}")"
out="$PWD/packaging/screenshots"
box=$(mktemp -d)
trap 'rm -rf "$box"' EXIT
mkdir -p "$box/config/tapo" "$box/work" "$box/data" "$out"
cp "$build/demo/data"/* "$box/data/"
printf '[Tapo MAT]\r\nHD=%s\r\nHD2=%s\r\nHD_SHORT=%s/\r\n' "$build/demo/media" "$box/work" "$box/data" \
  > "$box/config/tapo/TAPO.INI"

play() {  # play NAME SCRIPT: runs SCRIPT, which ends with a shot of NAME.png
  XDG_CONFIG_HOME="$box/config" HOME="$box" "$build/tapo" --play - > "$box/$1.trace" <<< "$2
shot $out/$1.png
close"
  if grep -E ' (script-error|missing|damaged) ' "$box/$1.trace"; then
    echo "take-screenshots.sh: $1 did not play cleanly" >&2
    exit 1
  fi
}

# Two children sign in (a name, then a coin for the level); Eva plays on.
greeted='click 1 1
wait-until anim-end HD:\CUNICI\GESTOREV.DAT'
play players "$greeted
click-control cunik 2
wait-until anim-end HD:\CUNICI\PMP.DAT
type Ben
click-control level_plocha 0
wait 1000
click-control cunik 0
wait-until anim-end HD:\CUNICI\PRP.DAT
type Eva
click-control level_plocha 1
wait 1000"
meadow="$greeted
click-control cunik 0
wait-until anim-end HD:\CUNICI\PRP.DAT"
play games "$meadow
click-control cmd_hry
wait-until show frm_hry
wait 1500"
play shop "$meadow
click-control klika
wait-until anim-end HD_SHORT:\TAPO.DAT"
ls -l "$out"
