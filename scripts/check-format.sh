#!/usr/bin/env bash
# Fails when any C++ file differs from what the committed .clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format-14 >/dev/null || command -v clang-format >/dev/null || {
    echo "clang-format 14 is missing (Debian package clang-format-14)" >&2
    exit 1
}
cf=$(command -v clang-format-14 || command -v clang-format)
files=$(git ls-files '*.cpp' '*.h')
# shellcheck disable=SC2086
$cf --dry-run --Werror $files
