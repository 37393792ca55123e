#!/usr/bin/env bash
# Builds the project and runs the drawing size dialog of the settings module
# in the minimal host on the bundled sample. Without a display it runs
# offscreen, plays the sample's script, prints what it read back and saves a
# screenshot in out/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
build/bin/mobr-minihost samples/drawing-size.json --out out "$@"
echo "screenshot: out/drawing-size.png"
