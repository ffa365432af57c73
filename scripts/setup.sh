#!/usr/bin/env bash
# Installs the Debian packages that are missing, then configures and builds
# the project in build/. Idempotent; runs as root or through sudo.
#
# usage: setup.sh [run|test]
#   run (default): the packages to build and run (debian-packages-run.txt);
#                  builds the program only.
#   test:          those and the packages to test (debian-packages-test.txt);
#                  builds everything: program, tests and benchmarks.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
build_type="${BUILD_TYPE:-RelWithDebInfo}"
build_dir="${BUILD_DIR:-$root/build}"
mode="${1:-run}"

case "$mode" in
  run)
    "$here/install-packages.sh" --list run
    cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE="$build_type" \
      -DSOVVENZIA_BUILD_TESTS=OFF -DSOVVENZIA_BUILD_BENCHMARKS=OFF
    cmake --build "$build_dir" --parallel "$(nproc)" --target sovvenzia
    ;;
  test)
    "$here/install-packages.sh" --list run --list test
    cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE="$build_type" \
      -DSOVVENZIA_BUILD_TESTS=ON -DSOVVENZIA_BUILD_BENCHMARKS=ON
    cmake --build "$build_dir" --parallel "$(nproc)"
    ;;
  *)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
