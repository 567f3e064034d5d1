#!/usr/bin/env bash
# Times trellon-cli against ngspice on the same circuit, as whole processes:
#  1. the complete calculation of the 8-crystal CW Chebyshev 1.5 dB design against one ngspice
#     AC analysis of the exported deck's elements at as many points as the calculation solves;
#  2. the grid solve's time per point (trellon_bench, 1 and 2 threads) against ngspice's
#     whole-process time for one AC analysis of 16,020 points, divided by 16,020.
# Runs alternate between the two programs; medians are printed. On a shared machine the load
# of other work slows both sides: compare ratios from one run, and repeat.
# Usage: scripts/bench-vs-ngspice.sh [build directory] [runs]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
runs="${2:-40}"
cli="$build/cli/trellon-cli"
bench="$build/bench/trellon_bench"
design=(--topology 7 --response 8)
# One solve at Fo, then the peak scan, the lower-edge search and the band trace of this design:
# 1 + 4193 evaluations, counted along the walk.
solves=4194
gridPoints=16020

for program in "$cli" "$bench" ngspice; do
    if ! command -v "$program" >/dev/null; then
        echo "missing: $program (build the trellon-cli and trellon_bench targets)" >&2
        exit 2
    fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$cli" "${design[@]}" --spice "$work/exported.cir" >/dev/null

# The exported deck's title and element lines, with one AC analysis of `points` points from Fo,
# 1 Hz apart, printing the load level in dB as the calculation works it out.
writeDeck() {
    local points="$1" deck="$2"
    local fo load
    fo="$(grep -m1 -o 'ac lin [0-9]* [0-9.eE+]*' "$work/exported.cir" | awk '{print $4}')"
    load="$(grep -m1 -o 'print vdb([a-z0-9]*)' "$work/exported.cir" | cut -d' ' -f2)"
    {
        head -n 1 "$work/exported.cir"
        grep -E '^[VRCL][0-9]+ ' "$work/exported.cir"
        echo ".options noopac"
        echo ".ac lin $points $fo $(awk -v f="$fo" -v n="$points" 'BEGIN { printf "%.0f", f + n - 1 }')"
        echo ".print ac $load"
        echo ".end"
    } >"$deck"
}
writeDeck "$solves" "$work/calculation.cir"
writeDeck "$gridPoints" "$work/grid.cir"

# Wall time of one whole process, then (a second run, under perf where it is installed) its
# processor time, in microseconds. The processor time stays meaningful while other work loads
# the machine; perf's own start is kept out of the wall time.
timeProcess() {
    local start end cpu=0
    start="$EPOCHREALTIME"
    "$@" >/dev/null 2>&1
    end="$EPOCHREALTIME"
    if command -v perf >/dev/null; then
        perf stat -x, -e task-clock -o "$work/stat" -- "$@" >/dev/null 2>&1
        cpu="$(awk -F, '/task-clock/ { printf "%.0f", $1 * 1000 }' "$work/stat")"
    fi
    echo "$((${end/./} - ${start/./})) $cpu"
}

# Median of column $1.
median() {
    awk -v c="$1" '{ print $c }' | sort -n |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'
}

: >"$work/cli.times"
: >"$work/spice.times"
: >"$work/grid.times"
for ((run = 0; run < runs; ++run)); do
    if ((run % 2 == 0)); then
        timeProcess "$cli" "${design[@]}" >>"$work/cli.times"
        timeProcess ngspice -b "$work/calculation.cir" >>"$work/spice.times"
    else
        timeProcess ngspice -b "$work/calculation.cir" >>"$work/spice.times"
        timeProcess "$cli" "${design[@]}" >>"$work/cli.times"
    fi
    if ((run % 4 == 0)); then
        timeProcess ngspice -b "$work/grid.cir" >>"$work/grid.times"
    fi
done

echo "runs: $runs alternating; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
for column in 1 2; do
    kind=$([[ $column == 1 ]] && echo "wall" || echo "processor")
    cliTime="$(median $column <"$work/cli.times")"
    spiceTime="$(median $column <"$work/spice.times")"
    echo "calculation, $solves solves, $kind time: trellon-cli ${cliTime} us," \
        "ngspice -b ${spiceTime} us, ratio $(ratio "$spiceTime" "$cliTime")"
done

gridSpiceWall="$(median 1 <"$work/grid.times")"
gridSpiceCpu="$(median 2 <"$work/grid.times")"
perPoint() { awk -v t="$1" -v n="$gridPoints" 'BEGIN { printf "%.1f", t * 1000 / n }'; }
echo "ngspice -b, $gridPoints points: wall $(perPoint "$gridSpiceWall") ns per point," \
    "processor $(perPoint "$gridSpiceCpu") ns per point"
# The grid solve's medians from trellon_bench: wall time per point, and processor time per point
# (of the calling thread, so meaningful on one thread only).
for threads in 1 2; do
    read -r wall cpu < <("$bench" --benchmark_filter="BM_GridSolve/$threads/" \
        --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_format=json 2>/dev/null |
        awk '/"name": .*_median"/ { found = 1 }
             found && /"real_time"/ { gsub(/[^0-9.e+-]/, "", $2); real = $2 }
             found && /"cpu_time"/ { gsub(/[^0-9.e+-]/, "", $2); cpu = $2 }
             found && /"per_point"/ { gsub(/[^0-9.e+-]/, "", $2); print $2 * 1e9, $2 * 1e9 * cpu / real; exit }')
    echo "grid solve, $threads thread(s): wall $(printf '%.1f' "$wall") ns per point, ratio" \
        "$(ratio "$(perPoint "$gridSpiceWall")" "$wall")$([[ $threads == 1 ]] &&
            echo "; processor $(printf '%.1f' "$cpu") ns per point, ratio $(ratio "$(perPoint "$gridSpiceCpu")" "$cpu")")"
done
