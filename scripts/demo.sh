#!/usr/bin/env bash
# Builds the project and runs mobr on the bundled sample figure. With a
# display the window opens (Settings > Drawing size... runs the dialog).
# Without one it runs the bundled demo scenario headless, prints what it did
# and leaves screenshots of the main window and of every dialog in out/.
# Under a Japanese locale (LANG=ja_JP.UTF-8) the dialogs are in Japanese and
# the screenshots go to out/ja/, so that both languages' runs can stand side
# by side.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
  exec build/bin/mobr samples/sample.json "$@"
fi
# The language as Qt reads it: LC_ALL, then LC_MESSAGES, then LANG.
language="${LC_ALL:-${LC_MESSAGES:-${LANG:-}}}"
out=out
case "$language" in ja*) out=out/ja ;; esac
mkdir -p "$out"
build/bin/mobr samples/sample.json --system "$out/system" --screenshot "$out/main-window.png"
build/bin/mobr run samples/demo.json --out "$out/demo-transcript.json" --screenshots "$out" "$@"
# Attribute conversion of the sample figure against the bundled reference figure.
build/bin/mobr run samples/attribute-conversion.json --out "$out/attribute-conversion-transcript.json" \
  --screenshots "$out" "$@"
echo "screenshots: $out/ (main-window.png and one per dialog step)"
