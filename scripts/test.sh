#!/usr/bin/env bash
# Builds the project and runs every test (headless). Usage: scripts/test.sh [--sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh "$@"
dir=build
[ "${1:-}" = "--sanitize" ] && dir=build-asan
export QT_QPA_PLATFORM=offscreen
# Leak checks stay off: Qt's and fontconfig's process-lifetime caches are not
# freed at exit; memory errors still fail the run.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" --timeout 300
