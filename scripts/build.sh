#!/usr/bin/env bash
# Configures and builds the project. Usage: scripts/build.sh [--sanitize] [--release]
# The build folder is build/ (build-asan/ with --sanitize, build-release/ with --release).
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/scripts/install-deps.sh"

type=Debug
dir=build
extra=()
for arg in "$@"; do
  case "$arg" in
    --sanitize) dir=build-asan; extra+=(-DMOBR_SANITIZE=ON -DMOBR_BUILD_BENCH=OFF) ;;
    --release) dir=build-release; type=Release ;;
    *) echo "unknown option $arg" >&2; exit 2 ;;
  esac
done
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE="$type" "${extra[@]}"
fi
cmake --build "$dir" -j"$(nproc)"
