#!/usr/bin/env bash
# Builds the fuzz targets with clang-14 (CMake preset "fuzz", in build-fuzz/)
# and runs one of them on one core.
#
#   fuzz/run.sh TARGET [SECONDS] [libFuzzer options...]
#
# TARGET is number_text, make_foe or foe_database; SECONDS defaults to 600.
# New inputs go to build-fuzz/corpus/TARGET (the seeds in fuzz/corpus/TARGET
# are only read); an input that breaks a rule is written to
# build-fuzz/findings/TARGET/ and, once mended, belongs in
# fuzz/regressions/TARGET/, which the normal test suite replays.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 1 ]; then
    echo "usage: $0 number_text|make_foe|foe_database [SECONDS] [libFuzzer options...]" >&2
    exit 2
fi
target=$1
seconds=${2:-600}
shift $(($# < 2 ? $# : 2))

scripts/deps.sh fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${target}_fuzzer"

work=build-fuzz/corpus/$target
findings=build-fuzz/findings/$target
mkdir -p "$work" "$findings"
exec build-fuzz/bin/"${target}_fuzzer" "$work" "fuzz/corpus/$target" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$@"
