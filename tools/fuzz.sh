#!/usr/bin/env bash
# Runs every fuzz target built in build-fuzz (cmake --preset fuzz && cmake --build --preset fuzz)
# for the given seconds each (default 60), each on a copy of its seed corpus, so the checked-in
# corpus never changes. Prints each target's executions and coverage; exits non-zero when any
# target crashes, and keeps the crash inputs in the temporary folder it names.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
targets=(build-fuzz/fuzz/*_fuzz)
if [ ! -x "${targets[0]}" ]; then
    echo "no fuzz targets in build-fuzz/fuzz: build them with the fuzz preset first" >&2
    exit 2
fi

# Qt's font look-up leaks on purpose; the sanitizer suite ignores the same.
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

work="$(mktemp -d "${TMPDIR:-/tmp}/korvel-fuzz.XXXXXX")"
failed=()
printf '%-28s %12s %8s %8s  %s\n' target executions cov ft result
for target in "${targets[@]}"; do
    name="$(basename "$target")"
    corpus="$work/$name/corpus"
    mkdir -p "$corpus"
    cp -r "fuzz/corpus/$name/." "$corpus/" 2>/dev/null || true
    log="$work/$name/log"
    result=ok
    if ! "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/$name/" \
        "$corpus" >"$log" 2>&1; then
        result="CRASH (see $log)"
        failed+=("$name")
    fi
    stats="$(grep -E '^#[0-9]+.* cov: ' "$log" | tail -n 1 || true)"
    executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
    cov="$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$stats")"
    ft="$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$stats")"
    printf '%-28s %12s %8s %8s  %s\n' "$name" "${executions:-?}" "${cov:-?}" "${ft:-?}" "$result"
done

if [ "${#failed[@]}" -gt 0 ]; then
    echo "crashed: ${failed[*]}; inputs and logs in $work" >&2
    exit 1
fi
rm -rf "$work"
