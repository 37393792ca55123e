#!/usr/bin/env bash
# Builds the project and runs mobr on the bundled sample figure. With a
# display the window opens (Settings > Drawing size... runs the dialog).
# Without one it runs the bundled demo scenario headless, prints what it did
# and leaves screenshots of the main window and of every dialog in out/.
# LANG=ja_JP.UTF-8 runs it in Japanese.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
  exec build/bin/mobr samples/sample.json "$@"
fi
mkdir -p out
build/bin/mobr samples/sample.json --system out/system --screenshot out/main-window.png
build/bin/mobr run samples/demo.json --out out/demo-transcript.json --screenshots out "$@"
# Attribute conversion of the sample figure against the bundled reference figure.
build/bin/mobr run samples/attribute-conversion.json --out out/attribute-conversion-transcript.json --screenshots out "$@"
# The main window with each menu open and the help window, in the locale's language.
build/bin/mobr-shots --figure samples/sample.json out
echo "screenshots: out/ (main-window.png, one per menu, the help window and one per dialog step)"
