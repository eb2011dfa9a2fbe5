#!/usr/bin/env bash
# Pictures of every window of the program against the simulated detector, in
# English and Russian, with the light and a dark palette, for a look over
# before a release:
#   scripts/take-screenshots.sh [output folder]     (default build/screenshots)
# Runs on its own X server (xvfb-run) with openbox as the window manager;
# needs xdotool and ImageMagick's import. The program is taken from
# $KV521_ANALYZER or build/default/src/app/kv521-analyzer.
set -euo pipefail
cd "$(dirname "$0")/.."

out=$(realpath -m "${1:-build/screenshots}")
app=$(realpath "${KV521_ANALYZER:-build/default/src/app/kv521-analyzer}")

if [ "${KV521_SCREENSHOT_INNER:-}" != 1 ]; then
    export KV521_SCREENSHOT_INNER=1
    exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" "$out"
fi

mkdir -p "$out"
work=$(mktemp -d)
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1

# Style sheet colours reach the widgets' palettes, which is what the diagrams
# and the manual draw with.
cat >"$work/dark.qss" <<'QSS'
QWidget { color: #e0e0e0; background-color: #2b2b2b; selection-background-color: #3d6ea8; selection-color: #ffffff; }
QLineEdit, QTreeView, QTextBrowser, QComboBox, QSpinBox { background-color: #1e1e1e; }
QToolTip { color: #e0e0e0; background-color: #3a3a3a; }
QSplitter::handle { background-color: #555555; }
QPushButton { background-color: #3a3a3a; border: 1px solid #5a5a5a; padding: 3px 10px; }
QPushButton:checked, QPushButton:pressed { background-color: #3d6ea8; }
QMenuBar::item:selected, QMenu::item:selected { background-color: #3d6ea8; }
QTabBar::tab { background-color: #333333; padding: 4px; }
QTabBar::tab:selected { background-color: #3d6ea8; }
QHeaderView::section { background-color: #333333; color: #e0e0e0; border: 1px solid #444444; }
QSS

shot() { # name
    sleep "${2:-1.5}"
    import -window root "$out/$1.png"
    echo "$out/$1.png"
}

for lang in en_US ru_RU; do
    for theme in light dark; do
        cfg="$work/$lang-$theme"
        mkdir -p "$cfg/Lumatrix" "$cfg/data"
        printf '[%%General]\nLanguage=%s\n' "$lang" >"$cfg/Lumatrix/KV521 Analyzer.conf"
        args=(--simulate -style Fusion)
        [ "$theme" = dark ] && args+=(-stylesheet "$work/dark.qss")
        XDG_CONFIG_HOME="$cfg" XDG_DATA_HOME="$cfg/data" "$app" "${args[@]}" >"$work/app.log" 2>&1 &
        pid=$!
        win=$(xdotool search --sync --onlyvisible --name "KV521 Analyzer" | head -1)
        xdotool windowactivate --sync "$win" || true
        tag="$lang-$theme"
        # The mnemonics of the Oscilloscope button and the Help menu, whose last entry is About.
        if [ "$lang" = ru_RU ]; then
            keys=(alt+Cyrillic_el alt+Cyrillic_es Up)
        else
            keys=(alt+o alt+h Up)
        fi
        shot "main-$tag" 6

        # Keys of the program itself: the shortcuts and mnemonics it offers.
        xdotool key ctrl+comma
        shot "preferences-$tag"
        xdotool key Escape

        xdotool key ctrl+m
        shot "devicemenu-$tag" 2
        xdotool key Escape

        xdotool key "${keys[1]}"
        sleep 0.5
        xdotool key "${keys[2]}" Return
        shot "about-$tag"
        xdotool key Return

        xdotool key ctrl+s
        shot "savedata-$tag"
        xdotool key Escape

        # Last: the floating windows keep the keyboard once they are open.
        xdotool key "${keys[0]}"
        shot "oscilloscope-$tag" 3
        xdotool windowactivate --sync "$win" key F1
        shot "manual-$tag" 2

        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
done
