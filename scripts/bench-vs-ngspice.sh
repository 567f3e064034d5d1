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

# Wall time of one whole process, in microseconds.
timeProcess() {
    local start end
    start="$EPOCHREALTIME"
    "$@" >/dev/null 2>&1
    end="$EPOCHREALTIME"
    echo $(((${end/./} - ${start/./})))
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
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

cliTime="$(median <"$work/cli.times")"
spiceTime="$(median <"$work/spice.times")"
gridSpiceTime="$(median <"$work/grid.times")"
echo "runs: $runs alternating; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "calculation, $solves solves: trellon-cli ${cliTime} us, ngspice -b ${spiceTime} us," \
    "ratio $(awk -v a="$spiceTime" -v b="$cliTime" 'BEGIN { printf "%.2f", a / b }')"

gridSpicePerPoint="$(awk -v t="$gridSpiceTime" -v n="$gridPoints" 'BEGIN { printf "%.1f", t * 1000 / n }')"
echo "ngspice -b, $gridPoints points: ${gridSpiceTime} us, ${gridSpicePerPoint} ns per point"
for threads in 1 2; do
    perPoint="$("$bench" --benchmark_filter="BM_GridSolve/$threads/" --benchmark_repetitions=5 \
        --benchmark_report_aggregates_only=true --benchmark_format=json 2>/dev/null |
        awk '/"name": .*_median"/ { found = 1 } found && /"per_point"/ { gsub(/[^0-9.e+-]/, "", $2); print $2 * 1e9; exit }')"
    echo "grid solve, $threads thread(s): $(printf '%.1f' "$perPoint") ns per point," \
        "ratio $(awk -v a="$gridSpicePerPoint" -v b="$perPoint" 'BEGIN { printf "%.2f", a / b }')"
done
