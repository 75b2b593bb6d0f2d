#!/usr/bin/env bash
# Builds a Release build in build-bench/ and measures the calculator against
# its floors: the keystroke, lookup and category figures (Google Benchmark,
# timed, then counted in instructions under callgrind), the scale figures,
# the start-up of the whole program, and a command-line answer. Ends with one
# table; the raw results stay in build-bench/bench-results/.
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
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVORN_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j2 --target vorn_bench first_frame_calculator first_frame_bare_window \
    vorn-foe vorn-foe-window command_line_floor
rm -rf "$results"
mkdir -p "$results"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

echo "Figures and floors (about two minutes)..."
"$build/bin/vorn_bench" --benchmark_filter='^(Keystroke|Lookup|Category)/' \
    --benchmark_repetitions=15 --benchmark_enable_random_interleaving=true --benchmark_min_time=0.1 \
    --benchmark_out="$results/pairs.json" --benchmark_out_format=json >"$results/pairs.txt" 2>"$results/pairs.log"

echo "Instructions of the same figures and floors under callgrind (about a minute)..."
valgrind --tool=callgrind --callgrind-out-file="$results/pairs-callgrind.out" \
    "$build/bin/vorn_bench" --benchmark_filter='^(Keystroke|Lookup|Category)/' --vorn_iterations=10 \
    >"$results/pairs-callgrind.txt" 2>"$results/pairs-callgrind.log"

echo "Scale (about a minute)..."
"$build/bin/vorn_bench" --benchmark_filter='^Scale/' \
    --benchmark_repetitions=5 --benchmark_min_time=0.2 \
    --benchmark_out="$results/scale.json" --benchmark_out_format=json >"$results/scale.txt" 2>"$results/scale.log"

echo "Start-up (about a minute)..."
bench/startup/measure.sh "$build/bin" "$results"

echo "A command-line answer (about half a minute)..."
bench/command-line/measure.sh "$build/bin" "$results"

echo
python3 bench/report.py "$results" | tee "$results/table.txt"
