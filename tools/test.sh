#!/usr/bin/env bash
# Builds and runs every test three times: a Release build with warnings as
# errors, a clang build with AddressSanitizer and UndefinedBehaviorSanitizer
# (which also runs each fuzzer for a bounded time), and a ThreadSanitizer
# build for the tests labelled "threads".
set -euo pipefail
cd "$(dirname "$0")/.."

[ "${QUORVEL_SKIP_SETUP:-0}" = 1 ] || bash tools/setup.sh

jobs=$(nproc)
fuzz_seconds=${QUORVEL_FUZZ_SECONDS:-60}

# Tests that need a display get a virtual one through QUORVEL_TEST_DISPLAY;
# every other test runs with no display at all.
# Each ctest run gets a fresh server on a display number it picks itself, so
# a server left by another run (or one that died) never gets in the way.
unset DISPLAY
xvfb_pid=""
stop_display() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2> /dev/null || true
        wait "$xvfb_pid" 2> /dev/null || true
        xvfb_pid=""
    fi
}
start_display() {
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$number_file" > /dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$number_file" ] && break
        kill -0 "$xvfb_pid" 2> /dev/null || break
        sleep 0.1
    done
    if [ ! -s "$number_file" ]; then
        echo "Xvfb did not start" >&2
        exit 1
    fi
    export QUORVEL_TEST_DISPLAY=":$(head -n 1 "$number_file")"
    rm -f "$number_file"
}
trap stop_display EXIT

run_ctest() {
    local dir=$1; shift
    echo "== ctest: $dir $*"
    start_display
    local status=0
    ctest --test-dir "$dir" --output-on-failure --no-tests=error -j"$jobs" "$@" || status=$?
    stop_display
    return $status
}

echo "== Formatting"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

echo "== Release build"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_WARNINGS_AS_ERRORS=ON
cmake --build build/release -j"$jobs"
run_ctest build/release

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build (clang)"
CC=clang CXX=clang++ cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVEL_SANITIZE=address,undefined -DQUORVEL_FUZZERS=ON -DQUORVEL_BENCHMARKS=OFF
cmake --build build/asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest build/asan

# Every fuzzer takes the markup dictionary, and inputs long enough for a state block
# of 256 KB with the calls around it: nesting deep enough to exhaust a stack needs
# blocks that large, and the markup in its overlong spellings is found by no byte
# mutation in the time a run has. The length limit holds from the start: grown step
# by step, it stays near the seeds' length for the whole of a short run.
fuzz_dictionary=tests/support/markup.dict
fuzz_max_len=$((256 * 1024 + 4096))

while IFS='=' read -r fuzzer corpus; do
    [ -n "$fuzzer" ] || continue
    echo "== fuzzing $fuzzer for ${fuzz_seconds}s"
    work=$(mktemp -d)
    IFS=':' read -r -a folders <<< "$corpus"
    for folder in "${folders[@]}"; do
        cp -r "$folder"/. "$work"/
    done
    # A fixed seed makes the run repeatable; an input that takes more than ten
    # seconds counts as a hang and fails the run.
    DISPLAY=none "build/asan/$(find build/asan -name "$fuzzer" -type f -printf '%P\n' | head -n 1)" \
        -seed=1 -timeout=10 -max_total_time="$fuzz_seconds" -dict="$fuzz_dictionary" -max_len="$fuzz_max_len" -len_control=0 \
        -print_final_stats=1 "$work" < /dev/null 2>&1 | tail -n 12
    rm -rf "$work"
done < build/asan/fuzzers.txt

echo "== ThreadSanitizer build"
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVEL_SANITIZE=thread -DQUORVEL_BENCHMARKS=OFF
cmake --build build/tsan -j"$jobs"
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 run_ctest build/tsan -L threads

echo "== all test builds passed"
