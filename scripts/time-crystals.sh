#!/usr/bin/env bash
# Times trellon-cli on the real-crystal work of the 8-crystal CW Chebyshev 1.5 dB design, as
# whole processes on 2 threads, and prints the median wall time of each:
#  1. choosing 8 crystals from a batch of 100 (Fs spread over 600 Hz, Lm, Rm, C0 a few %);
#  2. a Monte-Carlo of 1000 samples over 801 points.
# The plain calculation is timed too, since both include it. On a shared machine the load of
# other work slows every run: the load average is printed before and after.
# Usage: scripts/time-crystals.sh [build directory] [runs]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
runs="${2:-5}"
cli="$build/cli/trellon-cli"
design=(--topology 7 --response 8 --threads 2)

if ! command -v "$cli" >/dev/null; then
    echo "missing: $cli (build the trellon-cli target)" >&2
    exit 2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A fixed batch around the start-up crystal (8863.682 kHz, 17.15 mH, 5.7 ohm, 3.3 pF).
LC_ALL=C awk 'BEGIN {
    print "name,fs_khz,lm_mh,rm_ohm,c0_pf"
    for (i = 1; i <= 100; i++) {
        printf "B%03d,%.3f,%.3f,%.2f,%.3f\n", i, 8863.682 + ((i * 37) % 101 - 50) * 0.006,
               17.15 * (1 + ((i * 13) % 11 - 5) * 0.004), 5.7 * (1 + ((i * 7) % 9 - 4) * 0.02),
               3.3 * (1 + ((i * 5) % 7 - 3) * 0.01)
    }
}' >"$work/batch-100.csv"

# Median wall time in seconds of `runs` runs of the command.
median() {
    local times=()
    for ((k = 0; k < runs; k++)); do
        local start end
        start="$(date +%s%N)"
        "$@" >/dev/null
        end="$(date +%s%N)"
        times+=("$(((end - start) / 1000000))")
    done
    printf '%s\n' "${times[@]}" | sort -n | awk -v n="$runs" \
        '{ t[NR] = $1 } END { printf "%.3f s (of", t[int((n + 1) / 2)] / 1000;
                              for (i = 1; i <= n; i++) printf " %.3f", t[i] / 1000; print ")" }'
}

echo "load before: $(uptime)"
echo "calculation alone:            $(median "$cli" "${design[@]}")"
echo "choose 8 of 100:              $(median "$cli" "${design[@]}" --choose-from "$work/batch-100.csv")"
echo "Monte-Carlo 1000 x 801:       $(median "$cli" "${design[@]}" --monte-carlo 1000 \
    --sigma-fs 20 --sigma-lm 1 --sigma-rm 5 --sigma-c0 2 --cap-tolerance 2 --stray 1)"
echo "load after:  $(uptime)"
