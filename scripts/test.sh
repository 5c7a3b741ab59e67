#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh "$@"
build="${DALVEX_BUILD_DIR:-build}"
mkdir -p /tmp/dalvex-runtime && chmod 700 /tmp/dalvex-runtime
ctest --test-dir "$build" -j2 --output-on-failure --timeout 300
