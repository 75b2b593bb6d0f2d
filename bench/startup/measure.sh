#!/usr/bin/env bash
# Measures the two first-frame programs as whole processes, side by side, in
# five rounds; the start-up target must hold in each of them:
#   wall time     hyperfine, 20 runs of each program a round, taken 4 at a
#                 time, the two programs alternating and their order swapped
#                 each time, so a burst of other work on the machine falls on
#                 both alike
#   instructions  valgrind's callgrind, total Ir of the whole process, one
#                 run of each program a round
#   peak memory   GNU time's maximum resident set size
# Usage: measure.sh BIN_DIR OUT_DIR. Writes raw results into OUT_DIR for
# bench/report.py; nothing is summarised here.
set -euo pipefail

bin=$1
out=$2
programs=(first_frame_calculator first_frame_bare_window)
rounds=5
parts_per_round=5
runs_per_part=4
memory_runs=9

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
mkdir -p "$out"

# Each program must start and end by itself, or every figure below is void.
for program in "${programs[@]}"; do
    timeout 30 "$bin/$program" 2>/dev/null || { echo "$program did not reach its first frame" >&2; exit 1; }
done

for round in $(seq "$rounds"); do
    for part in $(seq "$parts_per_round"); do
        order=("$bin/${programs[0]}" "$bin/${programs[1]}")
        [ $(((round + part) % 2)) -eq 0 ] && order=("${order[1]}" "${order[0]}")
        hyperfine --shell=none --style=none --warmup 1 --runs "$runs_per_part" \
            --export-json "$out/wall-$round-$part.json" "${order[@]}" >/dev/null 2>&1
    done
    for program in "${programs[@]}"; do
        valgrind --tool=callgrind --callgrind-out-file="$out/callgrind-$program-$round.out" \
            "$bin/$program" >/dev/null 2>&1
    done
done

for run in $(seq "$memory_runs"); do
    for program in "${programs[@]}"; do
        /usr/bin/time -f %M -o "$out/peak-kib-$program-$run.txt" "$bin/$program" >/dev/null 2>&1
    done
done
