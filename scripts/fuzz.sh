#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) and runs each on its seed corpus.
#   scripts/fuzz.sh HOURS          the hours shared evenly among the targets
#   scripts/fuzz.sh --seconds N    N seconds per target (CI)
# New inputs that add coverage go to build-fuzz/corpus/<target>, findings to
# build-fuzz/findings/<target>-crash-…; the run fails on the first finding. The last lines
# say how many inputs each target ran.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(fuzz_earthwork_file fuzz_table_text fuzz_station_text fuzz_xlsx_template
    fuzz_ravel_files fuzz_land_xml)
if [ "${1:-}" = "--seconds" ]; then
    seconds="${2:?seconds per target}"
else
    hours="${1:?usage: scripts/fuzz.sh HOURS | --seconds N}"
    seconds=$(python3 -c "print(max(1, int(float('$hours') * 3600 / ${#targets[@]})))")
fi

scripts/setup.sh
build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 -DDALVEX_FUZZ=ON -DDALVEX_BUILD_GUI=OFF \
    -DDALVEX_BUILD_TESTS=OFF -DDALVEX_BUILD_BENCH=OFF >/dev/null
ninja -C "$build" -j2 "${targets[@]}"

mkdir -p /tmp/dalvex-runtime && chmod 700 /tmp/dalvex-runtime
export XDG_RUNTIME_DIR=/tmp/dalvex-runtime QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
summary=()
for t in "${targets[@]}"; do
    work="$build/corpus/$t"
    mkdir -p "$work" "$build/findings"
    log="$build/$t.log"
    echo "== $t: $seconds s"
    if ! "$build/fuzz/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$t-" \
        "$work" "fuzz/corpus/$t" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "$t: finding, see $build/findings/" >&2
        exit 1
    fi
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
    summary+=("$t: $runs inputs in $seconds s, no finding")
done
printf '%s\n' "${summary[@]}"
