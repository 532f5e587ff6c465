#!/bin/sh
# Builds the report library's libFuzzer harnesses with clang and runs each one for
# a bounded time over its corpus. Exits non-zero when a harness finds a crash, a
# sanitizer report or a broken property; the input is kept as crash_<harness>-*.
#
#   tests/report/fuzz/run.sh [build-dir]     (default: build-fuzz in the repository)
#   FUZZ_SECONDS=20 per harness, JOBS=2 build jobs
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
build=${1:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-20}

cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "${JOBS:-2}"

for harness in template expression ini richtext generate csv; do
  corpus=$harness
  [ "$harness" = generate ] && corpus=template
  work="$build/corpus_$harness"
  mkdir -p "$work"
  echo "fuzz_$harness: $seconds s"
  # libFuzzer reports every new input; keep that in a log and show its end only
  # when the harness fails.
  log="$build/fuzz_$harness.log"
  if ! ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz_$harness" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
    -print_final_stats=0 -artifact_prefix="$build/crash_$harness-" "$work" "$here/corpus_$corpus" \
    >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "fuzz_$harness failed; the input is kept as $build/crash_$harness-*" >&2
    exit 1
  fi
done
echo "fuzzing: no crash"
