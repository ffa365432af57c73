#!/usr/bin/env bash
# Sets up and builds the project, then runs every test headless.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/setup.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-$(dirname "$here")/build}" --output-on-failure --timeout 600
