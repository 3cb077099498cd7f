#!/usr/bin/env bash
# A long unattended run of the real program under Xvfb with the stand-in library connected: all
# four timers running and accelerated (KORVEL_TIMER_SPEEDUP), both text sources changing every
# second the way playout software writes them, clock time on, the dynamic PS preview scrolling.
# Every minute it prints the program's resident memory, open handles (/proc/<pid>/fd), threads
# and CPU; at the end it fails when the handles grew or the memory grew by more than
# ALLOWED_GROWTH_KB after the first WARM_UP_MINUTES.
# Needs the build and the packages xvfb, xauth and xdotool.
# Environment: RUN_SECONDS (3600), SPEEDUP (20), WARM_UP_MINUTES (5), ALLOWED_GROWTH_KB (1024),
# PROGRAM (build/app/korvel: a copy elsewhere keeps running while the build changes).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" != --inside ]]; then
    exec xvfb-run -a -s "-screen 0 800x500x24 -noreset" "$0" --inside
fi

run_seconds=${RUN_SECONDS:-3600}
speedup=${SPEEDUP:-20}
warm_up=${WARM_UP_MINUTES:-5}
allowed_growth=${ALLOWED_GROWTH_KB:-1024}
program=${PROGRAM:-build/app/korvel}
data_folder=$(basename "$(dirname "$(realpath "$program")")") # named after the program's folder
ticks_per_second=$(getconf CLK_TCK)
pid=""
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME="$work" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run" KXIO_IMAGE="$work/encoder.img"
export KORVEL_TIMER_SPEEDUP="$speedup"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME/$data_folder" "$work/playout" && chmod 700 "$XDG_RUNTIME_DIR"

# Connected to COM1 of the stand-in, clock time started, the preview scrolling, both sources
# read from files and sent on every change, the radiotext rotating every (accelerated) minute.
cat >"$XDG_DATA_HOME/$data_folder/korvel.rds" <<EOF
[Config]
Hardware=1
Port=2
Bidirectional=1
CTState=Start
[DPS1]
Enabled=1
Mode=3
Delay=0
FromFile=1
SendOnChange=1
ReadFrom=1
SourceFile=$work/playout/dps.txt
[Radiotext]
Enabled=1
AutoSendNext=1
SendNextAfter=1
FromFile=1
SendOnChange=1
SourceFile=$work/playout/rt.txt
Text1="Korvel long run"
Text2="Second message"
EOF

# The next title, written as playout programs do: one replaces the file, the other rewrites it.
write_titles() { # number
    printf 'Artist %d - Title number %d\r\n' "$1" "$1" >"$work/playout/dps.new"
    mv "$work/playout/dps.new" "$work/playout/dps.txt"
    printf 'Now playing: song %d of the long run\r\nNext: song %d\r\n' "$1" $(($1 + 1)) >"$work/playout/rt.txt"
}

sample() { # prints: resident KiB, handles, threads, CPU ms
    local rss threads ticks
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
    threads=$(awk '/^Threads:/ { print $2 }' "/proc/$pid/status")
    ticks=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
    echo "$rss $(find "/proc/$pid/fd" -mindepth 1 -maxdepth 1 | wc -l) $threads $((ticks * 1000 / ticks_per_second))"
}

write_titles 0
"$program" >"$work/korvel.log" 2>&1 &
pid=$!
sleep 3
xdotool search --onlyvisible --name "^\*?Korvel" mousemove --window %1 90 12 click 1 # the preview's page

printf '%7s %12s %8s %8s %10s\n' minute resident_KiB handles threads cpu_ms
declare -a rss_at fds_at
for ((second = 1; second <= run_seconds; ++second)); do
    sleep 1
    write_titles "$second"
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "the program ended after $second s" >&2
        cat "$work/korvel.log" >&2
        exit 1
    fi
    if ((second % 60 == 0 || second == run_seconds)); then
        read -r rss fds threads cpu < <(sample)
        minute=$(((second + 59) / 60))
        rss_at[minute]=$rss
        fds_at[minute]=$fds
        printf '%7d %12d %8d %8d %10d\n' "$minute" "$rss" "$fds" "$threads" "$cpu"
    fi
done

kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=""
last=${#rss_at[@]}
first=$((warm_up < last ? warm_up : 1))
growth=$((rss_at[last] - rss_at[first]))
echo "resident memory from minute $first to $last: ${rss_at[first]} -> ${rss_at[last]} KiB (${growth} KiB)"
echo "handles from minute 1 to $last: ${fds_at[1]} -> ${fds_at[last]}"
echo "exit status after SIGTERM: $status"
grep -q "Artist" "$XDG_DATA_HOME/$data_folder/korvel.rds" || { echo "the titles never reached the program" >&2; exit 1; }
if ((growth > allowed_growth || fds_at[last] > fds_at[1] || status != 0)); then
    echo "FAILED" >&2
    exit 1
fi
echo "OK"
