#!/usr/bin/env bash
# window.sh [BUILD_DIR]: the windowed benchmark.  Runs `tapo-bench --window`
# under xvfb-run in a virtual X display of 1024 x 768 without a GPU, with a
# window manager: the benchmark's own figures in a real window, then the real
# game's (game_*) on the demo media.  Installs Xvfb, xauth and the window
# manager when they are missing.
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build}"

missing=()
command -v xvfb-run >/dev/null || missing+=(xvfb)
command -v xauth >/dev/null || missing+=(xauth)
command -v matchbox-window-manager >/dev/null || missing+=(matchbox-window-manager)
if ((${#missing[@]})); then
  sudo=""; [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
  matchbox-window-manager -use_titlebar no 2>/dev/null &
  sleep 0.5
  "$1/tools/bench/tapo-bench" --window --game "$1/tapo" --demo "$1/demo"
  status=$?
  kill %1 2>/dev/null
  exit $status' bench "$build"
