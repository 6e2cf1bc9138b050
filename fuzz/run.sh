#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang in build/fuzz and runs each for SECONDS (default 60).
#   fuzz/run.sh [SECONDS]
# The corpus grows in build/fuzz/corpus/<harness>, seeded from fuzz/seeds/<harness>; a crash,
# leak or timeout is written to build/fuzz/findings/ and makes the script exit non-zero.
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."
root=$(pwd)
build="$root/build/fuzz"
lock=/tmp/nimb-build.lock
harnesses=()
for source in "$root"/fuzz/fuzz_*.cpp; do
    name=$(basename "$source" .cpp)
    harnesses+=("$name")
done
jobs=$(nproc 2>/dev/null || echo 2)

# Builds share the machine with other builds; one at a time.
flock "$lock" env CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNIMB_BUILD_FUZZERS=ON -DNIMB_BUILD_TESTS=OFF -DNIMB_BUILD_EXAMPLES=OFF >/dev/null
flock "$lock" cmake --build "$build" -j "$jobs" --target "${harnesses[@]}"

mkdir -p "$build/findings"
status=0
for harness in "${harnesses[@]}"; do
    corpus="$build/corpus/$harness"
    mkdir -p "$corpus"
    args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1
          -artifact_prefix="$build/findings/$harness-")
    [ -f "fuzz/$harness.dict" ] && args+=(-dict="fuzz/$harness.dict")
    echo "== $harness: $seconds s"
    dirs=("$corpus")
    [ -d "fuzz/seeds/${harness#fuzz_}" ] && dirs+=("fuzz/seeds/${harness#fuzz_}")
    if ! QT_QPA_PLATFORM=offscreen "$build/fuzz/$harness" "${args[@]}" "${dirs[@]}"; then
        echo "!! $harness found a problem; see $build/findings/" >&2
        status=1
    fi
done
exit $status
