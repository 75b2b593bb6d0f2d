#!/usr/bin/env bash
# Builds a Release build in build-bench/ and measures the calculator against
# its floors and against itself on smaller bestiaries: the keystroke, lookup,
# open, category and foe-box measures (Google Benchmark, timed, then counted
# in instructions under callgrind), the scale figures, the start-up of the
# calculator, a command-line answer beside the sqlite3 shell printing the
# same row, and the peak memory of opening 100,000 foes. Ends with one
# table; the raw results stay in
# build-bench/bench-results/, the bestiaries it made in build-bench/bench-bestiaries/.
# Takes a few minutes; run it on a machine that is otherwise quiet if you can.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
missing=()
for tool in hyperfine valgrind time python3; do
    dpkg-query -W -f='${Status}' "$tool" 2>/dev/null | grep -q "install ok installed" || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build=build-bench
results=$build/bench-results
bestiaries=$build/bench-bestiaries
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVORN_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j2 --target vorn_bench first_frame_calculator first_frame_bare_window \
    vorn-foe
rm -rf "$results" "$bestiaries"
mkdir -p "$results" "$bestiaries"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
bench=("$build/bin/vorn_bench" --vorn_bestiaries="$bestiaries")
measures='^(Keystroke|Lookup|Open|Category|Foe box)/'

echo "Load before: $(cut -d' ' -f1-3 /proc/loadavg)" | tee "$results/load.txt"

echo "Figures and floors, interleaved (about two minutes, the bestiaries made first)..."
"${bench[@]}" --benchmark_filter="$measures" \
    --benchmark_repetitions=15 --benchmark_enable_random_interleaving=true --benchmark_min_time=0.1 \
    --benchmark_out="$results/measures.json" --benchmark_out_format=json >"$results/measures.txt" 2>"$results/measures.log"

# Counts the instructions of the timed loops alone (see timeIterations), a
# fixed number of iterations each. Usage: count_instructions NAME FILTER ITERATIONS
count_instructions() {
    valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$results/$1-callgrind.out" \
        "${bench[@]}" --benchmark_filter="$2" --vorn_iterations="$3" \
        --benchmark_out="$results/$1-callgrind.json" --benchmark_out_format=json \
        >"$results/$1-callgrind.txt" 2>"$results/$1-callgrind.log"
}
echo "Instructions of the same measures under callgrind (about two minutes)..."
count_instructions actions '^(Keystroke|Lookup|Category|Foe box)/' 10
count_instructions opens '^Open/' 1  # each reads 100,000 foes

echo "Scale (about half a minute)..."
"${bench[@]}" --benchmark_filter='^Scale/' \
    --benchmark_repetitions=5 --benchmark_min_time=0.2 \
    --benchmark_out="$results/scale.json" --benchmark_out_format=json >"$results/scale.txt" 2>"$results/scale.log"

echo "Start-up, five rounds (about a minute)..."
bench/startup/measure.sh "$build/bin" "$results"

echo "A command-line answer (about half a minute)..."
bench/command-line/measure.sh "$build/bin" "$results"

echo "Peak memory of opening 100,000 foes (a few seconds)..."
bench/bestiary-memory/measure.sh "$build/bin" "$results" "$bestiaries/foes100000.sqlite"

echo "Load after: $(cut -d' ' -f1-3 /proc/loadavg)" | tee -a "$results/load.txt"
echo
python3 bench/report.py "$results" | tee "$results/table.txt"
