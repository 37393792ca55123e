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
# The same drawing as DXF: opened, its DASHED line type changed in System
# attributes, saved as DXF, and read back by an independent reader (ezdxf).
build/bin/mobr run samples/demo-dxf.json --out "$out"/demo-dxf-transcript.json --screenshots "$out"
/usr/bin/python3 -c 'import json, sys; json.dump(json.load(open(sys.argv[1]))["exports"]["after"], open(sys.argv[2], "w"))' \
  "$out"/demo-dxf-transcript.json "$out"/demo-dxf-after.json
build/bin/mobr import "$out"/demo-dxf-after.json "$out"/demo-dxf-after.dxf
/usr/bin/python3 -c 'import ezdxf, sys; d = ezdxf.readfile(sys.argv[1]); a = d.audit(); lt = d.linetypes.get("DASHED"); print("ezdxf:", sys.argv[1], len(d.modelspace()), "entities,", len(a.errors), "audit errors, DASHED", [t.value for t in lt.pattern_tags.tags if t.code == 49])' \
  "$out"/demo-dxf-after.dxf
# A folder of DXF drawings brought to the bundled standard in one run, without
# a dialog: each drawing takes the reference drawing's line types, widths and
# colours and is written as DXF into the converted folder.
rm -rf "$out"/dxf-folder "$out"/converted && mkdir -p "$out"/dxf-folder "$out"/converted
cp samples/sample.dxf samples/floor-plan.dxf "$out"/dxf-folder/
build/bin/mobr convert --reference samples/conversion/reference.fig --definition samples/conversion/standard.fac \
  --out "$out"/converted "$out"/dxf-folder/*.dxf
# The main window with each menu open and the help window, in the locale's language.
build/bin/mobr-shots --figure samples/sample.json "$out"
