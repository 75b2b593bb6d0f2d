#!/usr/bin/env bash
# Measures the peak memory of opening a large bestiary: the program's own
# command-line answer (`vorn-foe --foe NAME --bestiary FILE`: the file read
# and its names sorted, one foe looked up and printed) on the bench's
# 100,000-foe SQLite file, against the same answer on the sample, as GNU
# time's maximum resident set size of the whole process, the two runs
# alternating.
# Usage: measure.sh BIN_DIR OUT_DIR LARGE_BESTIARY. Writes raw results into
# OUT_DIR for bench/report.py.
set -euo pipefail

bin=$1
out=$2
large=$3
runs=9
mkdir -p "$out"

on_large=("$bin/vorn-foe" --foe "Foe 00001" --bestiary "$large")
on_sample=("$bin/vorn-foe" --foe "Marsh Archer" --bestiary "$bin/Vorn.mdb")
# Each must answer, or its peak is not that of reading the whole file.
"${on_large[@]}" >/dev/null || { echo "vorn-foe did not answer on $large" >&2; exit 1; }
"${on_sample[@]}" >/dev/null || { echo "vorn-foe did not answer on the sample" >&2; exit 1; }

for run in $(seq "$runs"); do
    /usr/bin/time -f %M -o "$out/open-peak-kib-large-$run.txt" "${on_large[@]}" >/dev/null
    /usr/bin/time -f %M -o "$out/open-peak-kib-sample-$run.txt" "${on_sample[@]}" >/dev/null
done
