#!/usr/bin/env bash
# Start-up time and peak memory of numensight side by side with a minimal Qt
# program, the instructions each start runs, its CPU use while idle, and the
# wait notice's duration in a real play. Needs an X display with a window
# manager: make bench runs it under scripts/with-xvfb.sh.
#   scripts/bench.sh [BUILD_DIR]      (RUNS=N sets the starts per program, default 21;
#                                      CALLGRIND_RUNS=N the counted starts, default 5)
# Other processes competing for the CPU stretch start-up times by tens of
# milliseconds; the CPU time up to the map is the figure they barely touch,
# and the instruction count (valgrind's callgrind) one they do not touch at all.
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
runs=${RUNS:-21}
counted_runs=${CALLGRIND_RUNS:-5}
[ "$runs" -ge 11 ] || { echo "bench: RUNS must be at least 11" >&2; exit 1; }
[ "$counted_runs" -ge 1 ] || { echo "bench: CALLGRIND_RUNS must be at least 1" >&2; exit 1; }
command -v valgrind >/dev/null || { echo "bench: valgrind is missing; make bench installs it" >&2; exit 1; }
idle_seconds=10
watch=$build/tools/bench/bench_startwatch
minimal=$build/tools/bench/bench_minimal
game=$build/numensight
for program in "$watch" "$minimal" "$game" "$build/tools/bench/bench_waitnotice"; do
    [ -x "$program" ] || { echo "bench: $program is missing; build first" >&2; exit 1; }
done
[ -n "${DISPLAY:-}" ] || { echo "bench: no DISPLAY; run it under scripts/with-xvfb.sh" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Each start gets fresh runtime and config folders: no lock left by the
# previous start, no update reminder, nothing read from the user's desktop.
start() {
    local dir
    dir=$(mktemp -d "$scratch/start.XXXXXX")
    mkdir -m 700 "$dir/runtime" "$dir/config"
    XDG_RUNTIME_DIR=$dir/runtime XDG_CONFIG_HOME=$dir/config "$watch" "$@"
}

# One start under callgrind, from exec until the main window is mapped and the
# program has gone quiet, ended with SIGTERM; prints the instructions it ran
# (the program's own threads, all of them).
count() {
    local dir
    dir=$(mktemp -d "$scratch/count.XXXXXX")
    mkdir -m 700 "$dir/runtime" "$dir/config"
    XDG_RUNTIME_DIR=$dir/runtime XDG_CONFIG_HOME=$dir/config \
        "$watch" --settle 0 --quiet 1000 --timeout 180 --grace 60 \
        valgrind --tool=callgrind --callgrind-out-file="$dir/callgrind.out" "$@" \
        >/dev/null 2>"$dir/valgrind.log"
    sed -n 's/^totals: *//p' "$dir/callgrind.out" 2>/dev/null | grep . ||
        { echo "bench: no callgrind count for $*" >&2; cat "$dir/valgrind.log" >&2; exit 1; }
}

field() { sed -n "s/.*\b$1=\([0-9.]*\).*/\1/p"; }

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "Load average before the run: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) CPUs"
echo "Start-up: $runs starts of each program, alternating, after one unmeasured start of each"
start --settle 300 "$minimal" >/dev/null
start --settle 300 "$game" >/dev/null
: >"$scratch/minimal" && : >"$scratch/game"
for i in $(seq 1 "$runs"); do
    for which in minimal game; do
        program=$minimal
        [ "$which" = game ] && program=$game
        line=$(start --settle 500 "$program")
        echo "$line" >>"$scratch/$which"
        printf '  %2d %-10s %s\n' "$i" "$which" "$line"
    done
done

map_minimal=$(field map_ms <"$scratch/minimal" | median)
map_game=$(field map_ms <"$scratch/game" | median)
cpu_minimal=$(field cpu_ms <"$scratch/minimal" | median)
cpu_game=$(field cpu_ms <"$scratch/game" | median)
hwm_minimal=$(field hwm_kb <"$scratch/minimal" | median)
hwm_game=$(field hwm_kb <"$scratch/game" | median)

echo "Instructions: $counted_runs starts of each program under callgrind, alternating"
: >"$scratch/minimal.count" && : >"$scratch/game.count"
for i in $(seq 1 "$counted_runs"); do
    for which in minimal game; do
        program=$minimal
        [ "$which" = game ] && program=$game
        instructions=$(count "$program")
        echo "$instructions" >>"$scratch/$which.count"
        printf '  %2d %-10s instructions=%s\n' "$i" "$which" "$instructions"
    done
done
ir_minimal=$(median <"$scratch/minimal.count")
ir_game=$(median <"$scratch/game.count")

echo "Idle: numensight's CPU time over $idle_seconds s with the main window open"
idle=$(start --settle 1000 --idle "$idle_seconds" "$game" | field idle_cpu_pct)

echo "Wait notice: five Number Test plays with the real pause (offscreen)"
mkdir -m 700 "$scratch/runtime"
notices=$(XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=offscreen \
    "$build/tools/bench/bench_waitnotice" 5 | field notice_ms)
notice=$(echo "$notices" | median)

echo
printf '%-34s %12s %12s %7s\n' "median of $runs starts" minimal numensight ratio
printf '%-34s %12.1f %12.1f %7s\n' "exec to main window mapped (ms)" "$map_minimal" "$map_game" \
    "$(ratio "$map_game" "$map_minimal")"
printf '%-34s %12.1f %12.1f %7s\n' "CPU time up to the map (ms)" "$cpu_minimal" "$cpu_game" \
    "$(ratio "$cpu_game" "$cpu_minimal")"
printf '%-34s %12.1f %12.1f %7s\n' "peak resident memory (MiB)" \
    "$(awk -v k="$hwm_minimal" 'BEGIN { print k / 1024 }')" \
    "$(awk -v k="$hwm_game" 'BEGIN { print k / 1024 }')" "$(ratio "$hwm_game" "$hwm_minimal")"
millions() { awk -v n="$1" 'BEGIN { printf "%.2f", n / 1e6 }'; }
spread() { sort -g "$1" | sed -n '1p;$p' | awk '{ printf "%s%.2f", (NR > 1 ? "-" : ""), $1 / 1e6 }'; }
printf '%-34s %12s %12s %7s\n' "median of $counted_runs counted starts" minimal numensight ratio
printf '%-34s %12s %12s %7s\n' "instructions to idle (millions)" "$(millions "$ir_minimal")" \
    "$(millions "$ir_game")" "$(ratio "$ir_game" "$ir_minimal")"
printf 'instructions, lowest-highest (millions): minimal %s, numensight %s\n' \
    "$(spread "$scratch/minimal.count")" "$(spread "$scratch/game.count")"
printf 'idle CPU over %s s: %s %% of one core\n' "$idle_seconds" "$idle"
printf 'wait notice: median %s ms (plays: %s ms)\n' "$notice" "$(paste -sd, <<<"$notices" | sed 's/,/ ms, /g')"
