#!/usr/bin/env bash
# Takes a screenshot of each page of the running program under Xvfb, for the README:
# <folder>/page-<n>.png, the folder docs unless given. Needs the build (cmake --build --preset
# default) and the packages xvfb, xauth, xdotool and imagemagick. The program runs with a
# temporary home, so no settings of yours are read or written. To see a dark desktop theme, run
# it with QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark (packages qt6-gtk-platformtheme and
# gnome-themes-extra).
set -euo pipefail
cd "$(dirname "$0")/.."
program=build/app/korvel
folder=$(realpath "${1:-docs}")
mkdir -p "$folder"
[ -x "$program" ] || { echo "build the program first: $program is missing" >&2; exit 1; }
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export FOLDER="$folder" HOME="$home" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run" KXIO_IMAGE="$home/encoder.img"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# The page accelerators, in the order of the tabs.
pages=(p d e y c w f)
xvfb-run -a -s "-screen 0 800x500x24" bash -c '
    "$0" >/dev/null 2>&1 &
    for attempt in $(seq 50); do
        window=$(xdotool search --onlyvisible --name "Korvel" 2>/dev/null | head -1) && [ -n "$window" ] && break
        sleep 0.1
    done
    sleep 1
    xdotool mousemove 300 150 click 1 # no window manager: the pointer gives the focus
    n=1
    for key in "$@"; do
        xdotool key "alt+$key"
        sleep 0.5
        import -window "$window" "$FOLDER/page-$n.png"
        n=$((n + 1))
    done
    kill %1
' "$program" "${pages[@]}"
ls "$folder"/page-*.png
