#!/usr/bin/env bash
# Builds each fuzz target with clang (fuzz/run.sh, preset "fuzz") and runs it
# a few seconds from its seeds. The test suite replays the same inputs
# through g++ builds, which cannot tell whether the fuzzers still compile
# with clang, link with libFuzzer and start: this does, in about two minutes.
#
#   fuzz/check.sh [SECONDS]    (default 5 a target)
#
# Skips, saying so, where clang-14 is not installed; scripts/deps.sh fuzz
# installs it, and scripts/test.sh does that first.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}

if ! command -v clang++-14 >/dev/null; then
    echo "fuzz check SKIPPED: clang++-14 is not installed (scripts/deps.sh fuzz installs it)"
    exit 0
fi

logs=build-fuzz/check
mkdir -p "$logs"
for target in number_text make_foe foe_database; do
    log=$logs/$target.log
    if ! fuzz/run.sh "$target" "$seconds" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "fuzz check FAILED: $target (the whole log is $log)" >&2
        exit 1
    fi
    echo "fuzz check: $target $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs in ${seconds} s"
done
