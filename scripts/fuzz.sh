#!/usr/bin/env bash
# fuzz.sh [SECONDS] [TARGET...]: builds the fuzz targets with clang into
# build-fuzz/, makes their first inputs from the demo media pack (build/demo,
# made by the ordinary build) beside the regression inputs, and runs each
# target for SECONDS (600 unless given), as many at once as there are cores;
# all targets unless some are named.  An input that fails is kept in
# build-fuzz/findings/<target>/ and its name printed; the script then ends
# with 1.  FUZZ_SEED=N makes the runs repeat the same inputs (the test
# suite's short run uses it, so that its result does not depend on luck).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=600
if [[ $# -gt 0 && $1 =~ ^[0-9]+$ ]]; then seconds=$1; shift; fi
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(ini listinput animation_script talk_files areas bmp blit wav avi play_script)

[ -d build/demo ] || scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Only the fuzz targets: the game, its tools and its tests are not built here.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAPO_FUZZ=ON -DTAPO_TESTS=OFF > /dev/null
cmake --build build-fuzz --target fuzzers
tests/fuzz/make_seeds.sh build/demo build-fuzz/seeds

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
failed=()
# One target's run; its report is printed in one piece when it ends.
fuzz_one() {
  local t=$1 max_len options corpus findings log before status=0 report
  case $t in
    bmp | wav | avi) max_len=65536 ;;
    blit) max_len=64 ;;
    *) max_len=4096 ;;
  esac
  options=()
  [ -f "tests/fuzz/$t.dict" ] && options=(-dict="tests/fuzz/$t.dict")
  [ -n "${FUZZ_SEED:-}" ] && options+=(-seed="$FUZZ_SEED")
  corpus=build-fuzz/corpus/$t findings=build-fuzz/findings/$t log=build-fuzz/logs/$t.log
  mkdir -p "$corpus" "$findings" build-fuzz/logs
  before=$(ls "$findings" | wc -l)
  # Standard output closed: the readers' own messages would drown the log.
  "build-fuzz/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -max_len="$max_len" \
    -rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=10 -close_fd_mask=1 -print_final_stats=1 \
    -artifact_prefix="$findings/" "${options[@]}" "$corpus" "build-fuzz/seeds/$t" "tests/fuzz/regressions/$t" \
    > "$log" 2>&1 || status=1
  report="fuzz $t: ${seconds}s (log: $log)"$'\n'
  report+=$(grep -E '^#[0-9]+ +DONE|^stat::number_of_executed_units|^stat::average_exec_per_sec|^stat::peak_rss_mb' "$log" |
    awk '!seen[$0]++' | tr '\n' ' ' | sed 's/^/  /' || true)
  if [ "$(ls "$findings" | wc -l)" -ne "$before" ]; then
    report+=$'\n'$(grep -E '^SUMMARY|runtime error|check failed' "$log" | head -3 | sed 's/^/  /' || true)
    report+=$'\n'$(ls -t "$findings" | head -n $(($(ls "$findings" | wc -l) - before)) | sed "s|^|  new: $findings/|")
  fi
  echo "$report"
  return $status
}

# As many targets at once as there are cores.
pids=()
for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n || true; done
  fuzz_one "$t" &
  pids+=($!)
done
for i in "${!pids[@]}"; do wait "${pids[$i]}" || failed+=("${targets[$i]}"); done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failures in ${failed[*]} (inputs in build-fuzz/findings/)"
  exit 1
fi
