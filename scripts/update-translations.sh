#!/usr/bin/env bash
# Brings translations/analyzer_ru_RU.ts up to date with every text in the
# sources and forms; translate the new entries with Qt Linguist afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
"$lupdate" -no-obsolete -locations relative src forms -ts translations/analyzer_ru_RU.ts
