#!/usr/bin/env bash
# Sets up, builds and runs the program's main job on the bundled sample road: builds the
# project from the text files in examples/sample-road (import, checks, preprocessing),
# allocates it with the default sequence and finishes it, lists the steps, and opens the
# desktop program on it when a display is available.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
cli=build/src/cli/dalvex-cli
out=build/sample
rm -rf "$out"

"$cli" demo "$out" --from examples/sample-road
"$cli" --yes auto "$out/demo.dvx"
"$cli" steps "$out/demo.dvx"
"$cli" info "$out/demo.dvx"
"$cli" diagram "$out/demo.dvx" "$out/diagram.png"
"$cli" report earthwork "$out/demo.dvx" "$out/土方计算表.xlsx"
"$cli" report haul "$out/demo.dvx" "$out/土方运量统计表.xlsx"
echo
echo "Sample project: $out/demo.dvx"
echo "Allocation diagram: $out/diagram.png; tables: $out/土方计算表.xlsx, $out/土方运量统计表.xlsx"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    build/src/app/dalvex "$out/demo.dvx"
fi
