#!/usr/bin/env bash
# build.sh DIR [cmake options]: configures and builds into DIR.  The options
# are passed on every run (configuring again is cheap), so a changed option
# takes effect in a folder that was configured before.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="$1"; shift
cmake -S . -B "$dir" -G Ninja "$@"
cmake --build "$dir"
