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
unset DISPLAY
display_num=97
Xvfb :$display_num -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2> /dev/null || true' EXIT
export QUORVEL_TEST_DISPLAY=:$display_num

run_ctest() {
    local dir=$1; shift
    echo "== ctest: $dir $*"
    ctest --test-dir "$dir" --output-on-failure --no-tests=error -j"$jobs" "$@"
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

while IFS='=' read -r fuzzer corpus; do
    [ -n "$fuzzer" ] || continue
    echo "== fuzzing $fuzzer for ${fuzz_seconds}s"
    work=$(mktemp -d)
    cp -r "$corpus"/. "$work"/
    "build/asan/$(find build/asan -name "$fuzzer" -type f -printf '%P\n' | head -n 1)" \
        -max_total_time="$fuzz_seconds" -print_final_stats=1 "$work" 2>&1 | tail -n 12
    rm -rf "$work"
done < build/asan/fuzzers.txt

echo "== ThreadSanitizer build"
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVEL_SANITIZE=thread -DQUORVEL_BENCHMARKS=OFF
cmake --build build/tsan -j"$jobs"
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 run_ctest build/tsan -L threads

echo "== all test builds passed"
