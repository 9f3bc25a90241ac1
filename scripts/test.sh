#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and runs the whole test suite twice: in
# the normal build, and in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer, where any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd build && ctest --output-on-failure -j "$jobs")

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# The sanitized build takes the plain build's demo pack and spoken sentences
# (its own generator, slower under the sanitizers, is run by the tests).
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTAPO_SANITIZE=ON \
  -DTAPO_DEMO_FROM="$PWD/build/demo" -DTAPO_SPEECH_CACHE="$PWD/build/speech-cache"
(cd build-asan && ctest --output-on-failure -j "$jobs")

# A short run of every fuzz target where clang is there (scripts/fuzz.sh runs
# them longer).
if command -v clang++ >/dev/null 2>&1; then FUZZ_SEED=1 scripts/fuzz.sh 5; fi
