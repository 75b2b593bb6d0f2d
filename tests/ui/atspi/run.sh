#!/usr/bin/env bash
# What a screen reader hears from the calculator: starts a private X server,
# a D-Bus session and the accessibility bus, and runs check.py on the real
# program there. Exits 77 (a skip) only when no session bus can be started.
#   run.sh PROGRAM BESTIARY
set -euo pipefail
program=$1
bestiary=$2
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: scripts/deps.sh installs it"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "pyatspi is missing: scripts/deps.sh installs it"; exit 1; }
if ! dbus-run-session -- true >/dev/null 2>&1; then
    echo "SKIP: no D-Bus session bus can be started here, so no screen reader could listen either"
    exit 77
fi

scratch=$(mktemp -d)
xserver=""
cleanup() {
    [ -n "$xserver" ] && kill "$xserver" 2>/dev/null && wait "$xserver" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number when it is ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
xserver=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.05
done
[ -s "$scratch/display" ] || { echo "Xvfb did not start:"; cat "$scratch/xvfb.log"; exit 1; }

# A fresh user: the tester's own settings and bestiaries are never read.
mkdir -p "$scratch/home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
export DISPLAY=":$(head -n1 "$scratch/display")" HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime"
export XDG_CONFIG_HOME="$scratch/home/config" XDG_DATA_HOME="$scratch/home/data"
unset WAYLAND_DISPLAY
export ATSPI_LOG="$scratch/at-spi.log" PROGRAM_LOG="$scratch/program.log"

status=0
dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$ATSPI_LOG" 2>&1 &
    exec /usr/bin/python3 "$@"' check "$here/check.py" "$program" "$bestiary" || status=$?
if [ "$status" -ne 0 ]; then
    echo "--- the program said:"; cat "$PROGRAM_LOG" 2>/dev/null || true
fi
exit "$status"
