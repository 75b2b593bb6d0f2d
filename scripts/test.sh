#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# twice: as built for use (build/), then with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/), where any report fails its test.
# The builds and their sanitizer options are the presets in CMakePresets.json.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
for preset in default asan; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
