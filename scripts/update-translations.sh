#!/usr/bin/env bash
# Brings the dialogs' translation sources up to date with the layouts and the
# dialog library's own texts: new texts arrive unfinished, texts no longer
# used are dropped, finished translations stay. Fill the new ones (Qt
# Linguist, or by hand in the .ts file); the build compiles them with lrelease.
# test_layout_texts fails until every text has its translation.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
for ts in resources/ZQRCTMPL/translations/dialogs_*.ts; do
  "$lupdate" -silent -no-obsolete -locations none \
    resources/ZQRCTMPL/layouts/*.ui siblings/mobrdlg/ZqPropertySheet.h siblings/mobrdlg/ZqPropertySheet.cpp -ts "$ts"
done
