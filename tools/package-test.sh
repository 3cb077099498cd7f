#!/usr/bin/env bash
# Tries the Debian package as a new user would meet it, on this machine (as root, or with sudo):
# lintian finds no error in it; it installs with its dependencies; the command of its menu entry
# starts Korvel under Xvfb with its window, the Help button opens the guide in a PDF viewer; then
# it is removed and nothing of it is left. Usage: tools/package-test.sh build/korvel_*.deb
# Needs the packages lintian, xvfb, xauth and xdotool.
set -euo pipefail
deb=$(realpath "$1")
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

echo "lintian $deb"
lintian --fail-on error --tag-display-limit 0 "$deb"

# With its recommendations: the Help button needs xdg-open and a PDF viewer.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --install-recommends "$deb" >/dev/null
installed_files=$(dpkg-query -L korvel)

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# What the desktop's menu runs.
command=$(sed -n 's/^Exec=//p' /usr/share/applications/korvel.desktop)
[ "$(command -v "$command")" = /usr/bin/korvel ] || { echo "the menu entry runs '$command'" >&2; exit 1; }

xvfb-run -a -s "-screen 0 800x500x24 -noreset" bash -c '
    set -u
    "$0" &
    program=$!
    # The first visible window whose title matches, within ten seconds.
    wait_for_window() {
        local found=""
        for attempt in $(seq 100); do
            found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$found" ] && break
            sleep 0.1
        done
        echo "$found"
    }
    window=$(wait_for_window "^\*?Korvel$") # "*" while the window shows values not sent yet
    [ -n "$window" ] || { echo "no window titled Korvel" >&2; kill $program; exit 1; }
    echo "the window is up: $(xdotool getwindowname "$window")"
    # No window manager: the focus is given by hand.
    xdotool windowfocus --sync "$window"
    xdotool key alt+h
    viewer=$(wait_for_window "korvel\.pdf")
    [ -n "$viewer" ] || { echo "Help opened no viewer of korvel.pdf" >&2; kill $program; exit 1; }
    echo "Help opened: $(xdotool getwindowname "$viewer")"
    # As the desktop ends it at logout: the close sequence saves the settings. The viewer ends
    # with the X server.
    kill -TERM $program
    wait $program
' "$command"
[ -f "$XDG_DATA_HOME/korvel/korvel.rds" ] || { echo "no settings in $XDG_DATA_HOME/korvel" >&2; exit 1; }
echo "settings saved in $XDG_DATA_HOME/korvel/korvel.rds"

$sudo dpkg -r korvel >/dev/null
left=0
while IFS= read -r path; do
    if [ -f "$path" ] || [ -L "$path" ]; then
        echo "left behind: $path" >&2
        left=1
    fi
done <<<"$installed_files"
for folder in /usr/lib/korvel /usr/share/korvel /usr/share/doc/korvel; do
    [ ! -e "$folder" ] || { echo "left behind: $folder" >&2; left=1; }
done
$sudo dpkg -P korvel >/dev/null # its maintainer scripts too, so the machine is as it was
[ "$left" -eq 0 ] || exit 1
echo "removed: nothing of the package is left under /usr"
