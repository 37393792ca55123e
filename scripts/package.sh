#!/usr/bin/env bash
# Makes the Debian package of mobr: build-release/packages/mobr_<version>_amd64.deb
# from an optimised build, or from the build folder given (scripts/package.sh build).
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/scripts/install-deps.sh" --package
dir=${1:-}
if [ -z "$dir" ]; then
  scripts/build.sh --release
  dir=build-release
fi
[ -f "$dir/CPackConfig.cmake" ] || { echo "package: $dir is not a configured build folder" >&2; exit 2; }
(cd "$dir" && cpack -G DEB)
ls "$dir"/packages/*.deb
