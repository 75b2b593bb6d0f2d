#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# twice: as built for use (build/), then with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/), where any report fails its test.
# The builds and their sanitizer options are the presets in CMakePresets.json.
# Then the fuzz targets are built with clang and run a few seconds each
# (fuzz/check.sh), so that a change clang cannot compile is seen at once.
# Last, where scripts/windows/toolchain.sh has built the Windows libraries,
# the Windows build is made and tested under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh fuzz
for preset in default asan; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
fuzz/check.sh

windows_toolchain=${VORN_WINDOWS_CACHE:-$HOME/.cache/vorn-foe/windows}/prefix
if [ -f "$windows_toolchain/stamp" ]; then
    scripts/windows/build.sh
    scripts/windows/test.sh
else
    echo "Skipped the Windows build and its tests: no Windows toolchain in $windows_toolchain" \
        "(scripts/windows/toolchain.sh builds one)."
fi
