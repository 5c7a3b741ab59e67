#!/usr/bin/env bash
# Renders the desktop program's windows to PNG files under a virtual X server, with the CJK
# fonts of the system, for a person to look at. Usage: screenshot.sh [build folder] [out folder]
set -euo pipefail
build="${1:-build}"
out="${2:-/tmp/dalvex-screenshots}"
mkdir -p "$out"
cmake --build "$build" --target gui_screenshots dalvex-cli
# The sample road, preprocessed, for the diagram's picture.
sample="$out/sample"
rm -rf "$sample"
"$build/src/cli/dalvex-cli" demo "$sample" --from "$(dirname "$0")/../../examples/sample-road" >/dev/null
xvfb-run -a -s "-screen 0 1400x900x24" \
    env QT_QPA_PLATFORM=xcb DALVEX_SCREENSHOT_DIR="$out" \
    DALVEX_SCREENSHOT_PROJECT="$sample/demo.dvx" \
    "$build/tests/gui/gui_screenshots"
ls -l "$out"
