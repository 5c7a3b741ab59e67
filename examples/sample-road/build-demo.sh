#!/usr/bin/env bash
# Builds the sample road project verb by verb, as `dalvex-cli demo <dir>` does in one go:
#   examples/sample-road/build-demo.sh [<dir>]      (default: ./demo; DALVEX_CLI overrides the
#                                                    program, default build/src/cli/dalvex-cli)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cli="${DALVEX_CLI:-$here/../../build/src/cli/dalvex-cli}"
out="${1:-demo}"
mkdir -p "$out"
p="$out/demo.dvx"

"$cli" --yes new "$p"
# The chain break first: the station texts of every other file are read with it.
"$cli" import-table "$p" 断链 "$here/chain-breaks.txt" --clear
"$cli" import-table "$p" 路槽 "$here/trough.txt" --clear
"$cli" import-table "$p" 土石含量 "$here/contents.txt" --clear
"$cli" import-table "$p" 构造物 "$here/structures.txt" --clear
"$cli" import-table "$p" 取土坑 "$here/borrow-pits.txt" --clear
"$cli" import-table "$p" 弃土坑 "$here/waste-pits.txt" --clear
"$cli" import-table "$p" 竖曲线 "$here/vertical-curve.txt" --clear
"$cli" import-earthwork "$p" "$here/sample-road.tf" \
    --station-col 1 --height-col 2 --cut-col 3 --fill-col 4 --start-line 2
"$cli" --yes preprocess "$p"
