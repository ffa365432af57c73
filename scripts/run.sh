#!/usr/bin/env bash
# Sets up and builds the program, then starts it; arguments go to the program
# (for instance a list to open: scripts/run.sh elenco.svz).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/setup.sh" run
exec "${BUILD_DIR:-$(dirname "$here")/build}/src/sovvenzia" "$@"
