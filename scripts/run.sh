#!/usr/bin/env bash
# Installs what is missing, builds the calculator and starts it on the
# sample bestiary that the build lays beside it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2 --target vorn-foe
exec build/bin/vorn-foe
