#!/usr/bin/env bash
# Sets up and builds the project, then starts the program.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/setup.sh"
exec "${BUILD_DIR:-$(dirname "$here")/build}/src/sovvenzia"
