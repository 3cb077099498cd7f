#!/usr/bin/env bash
# What Korvel costs left running, and how fast it starts, measured under Xvfb:
#  - CPU over 60 s from /proc/<pid>/stat, idle with every timer running, and with the dynamic PS
#    preview scrolling (mode 3); targets under 0.1 % and under 0.3 % of a core;
#  - start-up to the shown window and resident memory, side by side with a bare Qt window of
#    the same size with the same seven tabs (build/bench/bare_window); targets within 1.3x and
#    within 1.2x.
# Needs the build and the packages xvfb, xauth, x11-utils and xdotool.
# Environment: SECONDS_MEASURED (60), STARTS (21), PROGRAM (build/app/korvel: a copy elsewhere
# keeps its figures while the build changes, or compares two versions).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" != --inside ]]; then
    exec xvfb-run -a -s "-screen 0 800x500x24 -noreset" "$0" --inside
fi

program=${PROGRAM:-build/app/korvel}
measured=${SECONDS_MEASURED:-60}
starts=${STARTS:-21}
ticks_per_second=$(getconf CLK_TCK)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run" KXIO_IMAGE="$work/encoder.img"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME/app" && chmod 700 "$XDG_RUNTIME_DIR"
settings="$XDG_DATA_HOME/app/korvel.rds"

# A station whose preview scrolls: dynamic PS on, mode 3, a long text, no delay between loops.
scrolling() {
    printf '[DPS1]\nEnabled=1\nMode=3\nDelay=0\nText="Listen to Korvel radio all day long"\n' >"$settings"
}
idle() { rm -f "$settings"; }

# The preview is drawn only while its page is shown: click the "Dynamic PS" tab.
show_preview_page() {
    xdotool search --onlyvisible --name "^\*?Korvel" mousemove --window %1 90 12 click 1
}

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; } # user + system so far

measure_cpu() { # label, set-up
    "$2"
    "$program" >/dev/null 2>&1 &
    local pid=$!
    sleep 3
    show_preview_page
    sleep 1
    local before after
    before=$(cpu_ticks "$pid")
    sleep "$measured"
    after=$(cpu_ticks "$pid")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v t=$((after - before)) -v hz="$ticks_per_second" -v s="$measured" -v label="$1" \
        'BEGIN { printf "%s: %.0f ms of CPU in %d s = %.3f %% of a core\n", label, 1000*t/hz, s, 100*t/hz/s }'
}

# Milliseconds from the start of the process to the map of its window (started_ms), and its
# resident KiB a second later (resident_kb). The maps come from the X server as it makes them
# (MAPS), each taken with the time it came. Their windows' names are looked up only once the maps
# have paused: a process started for that during the program's start-up would take the CPU from
# the program being measured.
start_once() { # program, window title
    local begin pid line i
    local -a windows=() times=()
    begin=${EPOCHREALTIME/./}
    "$1" >/dev/null 2>"$work/start.log" &
    pid=$!
    started_ms=
    while [ -z "$started_ms" ]; do
        if ! read -r -t 20 -u "${MAPS[0]}" line; then
            echo "$1 showed no window in 20 s" >&2
            cat "$work/start.log" >&2
            kill "$pid" 2>/dev/null
            exit 1
        fi
        while true; do
            times+=("${EPOCHREALTIME/./}")
            windows+=("${line#window }")
            read -r -t 0.3 -u "${MAPS[0]}" line || break
        done
        for i in "${!windows[@]}"; do
            if xprop -id "${windows[i]}" WM_NAME 2>/dev/null | grep -q "= \"$2"; then
                started_ms=$(((times[i] - begin) / 1000))
                break
            fi
        done
        windows=() times=()
    done
    sleep 1
    resident_kb=$(awk '/VmRSS/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

# The two programs start in turns, so that a busy moment of the machine falls on both alike.
measure_starts() {
    local -a korvel=() bare=()
    local korvel_kb bare_kb
    coproc MAPS { stdbuf -oL xev -root -event substructure 2>/dev/null | grep --line-buffered -A1 MapNotify | grep --line-buffered -o 'window 0x[0-9a-f]*'; }
    sleep 0.5
    for _ in $(seq "$starts"); do
        start_once "$program" Korvel
        korvel+=("$started_ms")
        korvel_kb=$resident_kb
        start_once build/bench/bare_window Bare
        bare+=("$started_ms")
        bare_kb=$resident_kb
    done
    report_start Korvel "$korvel_kb" "${korvel[@]}"
    report_start "Bare window" "$bare_kb" "${bare[@]}"
}

report_start() { # label, resident KiB, times
    local label=$1 kb=$2
    shift 2
    printf '%s\n' "$@" | sort -n | awk -v label="$label" -v kb="$kb" '
        { t[NR] = $1 }
        END { printf "%s: start-up median %d ms, fastest %d ms over %d starts; resident %.1f MiB\n",
                     label, t[int((NR + 1) / 2)], t[1], NR, kb / 1024 }'
}

measure_cpu "idle, every timer running" idle
measure_cpu "preview scrolling in mode 3" scrolling
idle
measure_starts
