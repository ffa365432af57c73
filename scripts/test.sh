#!/usr/bin/env bash
# Sets up and builds the project, then runs every test headless.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/setup.sh" test
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-$(dirname "$here")/build}" --output-on-failure --timeout 600

# The same tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer:
# any finding fails the run. (The package check is about files, not memory; the
# crash trials, labelled "crash", have run once above.)
root="$(dirname "$here")"
asan_dir="${ASAN_BUILD_DIR:-$root/build-asan}"
cmake -S "$root" -B "$asan_dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
      -DSOVVENZIA_SANITIZE=ON -DSOVVENZIA_BUILD_BENCHMARKS=OFF
cmake --build "$asan_dir" --parallel "$(nproc)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
LSAN_OPTIONS="suppressions=$root/cmake/lsan-suppressions.txt:print_suppressions=0" \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$asan_dir" --output-on-failure --timeout 900 -E packaging_deb -LE crash

# Fuzzing of record decoding and list files, bounded in time.
fuzz_dir="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
cmake -S "$root" -B "$fuzz_dir" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DSOVVENZIA_FUZZ=ON -DSOVVENZIA_BUILD_TESTS=OFF -DSOVVENZIA_BUILD_BENCHMARKS=OFF
cmake --build "$fuzz_dir" --parallel "$(nproc)" --target fuzz_elenco
corpus="$(mktemp -d)"
"$fuzz_dir/fuzz/fuzz_elenco" -max_total_time=30 -max_len=20000 -len_control=20 "$corpus"
rm -rf "$corpus"
