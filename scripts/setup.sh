#!/usr/bin/env bash
# Installs the Debian packages listed in debian-packages.txt that are missing,
# then configures and builds the project in build/. Idempotent; runs as root
# or through sudo.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
build_type="${BUILD_TYPE:-RelWithDebInfo}"
build_dir="${BUILD_DIR:-$root/build}"

mapfile -t wanted < <(grep -v -E '^\s*(#|$)' "$here/debian-packages.txt")
"$here/install-packages.sh" "${wanted[@]}"

cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE="$build_type"
cmake --build "$build_dir" --parallel "$(nproc)"
