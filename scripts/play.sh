#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine and starts the game on the
# demo media.  Arguments go to the game (for example --windowed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
scripts/install-demo.sh build
exec build/tapo "$@"
