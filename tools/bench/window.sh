#!/usr/bin/env bash
# window.sh [BUILD_DIR]: the windowed benchmark.  Starts a virtual X display
# of 1024 x 768 (Xvfb, no GPU) with a window manager, then runs
# `tapo-bench --window` there: the benchmark's own figures in a real window,
# then the real game's (game_*) in full screen on the demo media.
# Installs Xvfb and the window manager when they are missing.
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build}"

missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v matchbox-window-manager >/dev/null || missing+=(matchbox-window-manager)
if ((${#missing[@]})); then
  sudo=""; [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
xvfb=$!
trap 'kill $wm $xvfb 2>/dev/null; rm -f "$fdfile"' EXIT
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$fdfile")"
matchbox-window-manager -use_titlebar no 2>/dev/null &
wm=$!
sleep 0.5
"$build/tools/bench/tapo-bench" --window --game "$build/tapo" --demo "$build/demo"
