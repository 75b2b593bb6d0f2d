#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# twice: as built for use (build/), then with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/), where any report fails its test.
# The builds and their sanitizer options are the presets in CMakePresets.json.
# Last, the fuzz targets are built with clang and run a few seconds each
# (fuzz/check.sh), so that a change clang cannot compile is seen at once.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh fuzz
for preset in default asan; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
fuzz/check.sh
