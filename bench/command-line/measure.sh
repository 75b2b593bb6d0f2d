#!/usr/bin/env bash
# Measures a command-line answer beside the sqlite3 shell printing the same
# row from the same file, both whole processes on the sample bestiary, side
# by side:
#   wall time     hyperfine, in short rounds that alternate the two and their order
#   instructions  valgrind's callgrind, total Ir of the whole process
# Usage: measure.sh BIN_DIR OUT_DIR. Writes raw results into OUT_DIR for
# bench/report.py.
set -euo pipefail

bin=$1
out=$2
foe="Marsh Archer"
rounds=10
runs_per_round=20
instruction_runs=3
mkdir -p "$out"

answer=("$bin/vorn-foe" --foe "$foe" --category Superior --bestiary "$bin/Vorn.mdb")
# The shell reads no ~/.sqliterc (-init /dev/null) and opens the file as the
# calculator does, for reading only.
floor=(/usr/bin/sqlite3 -init /dev/null -readonly "$bin/Vorn.mdb"
       "SELECT * FROM Foes WHERE Name = '$foe' LIMIT 1")
# Each must answer, or every figure below is void.
"${answer[@]}" >/dev/null || { echo "vorn-foe did not answer" >&2; exit 1; }
[ -n "$("${floor[@]}" 2>/dev/null)" ] || { echo "the sqlite3 shell did not answer" >&2; exit 1; }

quoted() { printf '%q ' "$@"; }
for round in $(seq "$rounds"); do
    order=("$(quoted "${answer[@]}")" "$(quoted "${floor[@]}")")
    [ $((round % 2)) -eq 0 ] && order=("${order[1]}" "${order[0]}")
    hyperfine -N --style=none --warmup 3 --runs "$runs_per_round" \
        --export-json "$out/cli-wall-$round.json" "${order[@]}" >/dev/null 2>&1
done
for run in $(seq "$instruction_runs"); do
    valgrind --tool=callgrind --callgrind-out-file="$out/callgrind-cli-vorn-foe-$run.out" "${answer[@]}" >/dev/null 2>&1
    valgrind --tool=callgrind --callgrind-out-file="$out/callgrind-cli-sqlite3-$run.out" "${floor[@]}" \
        >/dev/null 2>&1
done
