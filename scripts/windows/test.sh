#!/usr/bin/env bash
# Tests the Windows build (build.sh) under Wine:
#   1. the calc and db test programs, cross-built;
#   2. the zip, unpacked into a fresh folder, answers byte for byte as the
#      Linux build does: random --foe questions in JSON, and --list at every
#      category, on the SQLite fixture and on the Access one (read through
#      the Windows reader), and on copies of both with a non-ASCII name;
#   3. the window starts under Xvfb, takes a foe and a tally typed with real
#      keys, and copies the stat block the Linux build prints for them; a
#      screenshot is left in build-windows/window.png.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/windows/environment.sh

version=$(sed -n 's/^project(VornFoe VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip=build-windows/vorn-foe-windows-$version.zip
[ -f "$zip" ] || { echo "No $zip: run scripts/windows/build.sh first." >&2; exit 1; }
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

work=$(mktemp -d)
manager="" xserver=""
trap 'kill $manager $xserver 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
# One server for every run below, instead of one each.
wineserver -k 2>/dev/null || true
wineserver -p >/dev/null 2>&1  # a daemon: it must not hold the script's output open
wineboot -i >/dev/null 2>&1
# Wine starts its debugger for a program that crashes, and the debugger
# waits; Windows ends such a helper at once (the calculator starts its
# helpers with the error mode that says so), and so must Wine for the tests
# of a crashing helper: its "debugger" here is a program that just ends.
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d false /f \
    >/dev/null 2>&1

echo "== The calc and db tests under Wine"
ctest --test-dir build-windows --output-on-failure || fail "the cross-built tests"

echo "== The unpacked zip against the Linux build"
cmake --preset default >/dev/null
cmake --build --preset default --target vorn-foe >/dev/null
linux=$PWD/build/bin/vorn-foe
unzip -q "$zip" -d "$work"
windows=$work/vorn-foe-$version/vorn-foe.exe
sqlite3 "$work/foes.sqlite" <tests/fixtures/foes.sql
cp tests/fixtures/access/foes.mdb "$work/foes.mdb"
cp "$work/foes.sqlite" "$work/Ölgrund ü.sqlite"
cp "$work/foes.mdb" "$work/Ölgrund ü.mdb"

# Both programs, the same question; Wine is given the file by its Windows name.
same_answer() {
    local bestiary=$1 what=$2
    shift 2
    local expected actual
    expected=$("$linux" --bestiary "$bestiary" "$@" 2>&1) || true
    actual=$(wine "$windows" --bestiary "$(winepath -w "$bestiary")" "$@" 2>&1) || true
    [ "$expected" = "$actual" ] || {
        fail "$what: vorn-foe $*"
        diff <(echo "$expected") <(echo "$actual") | head -10 >&2
    }
}

RANDOM=2024  # the same questions every run
stats=(Init Atk Dfn Dam Soak HP Res)
for bestiary in "$work/foes.sqlite" "$work/foes.mdb"; do
    mapfile -t names < <(for category in 0 1 2 3 4 5 6; do "$linux" --bestiary "$bestiary" --list --category $category; done | sort -u)
    names+=("[Generic]")
    for category in 0 1 2 3 4 5 6; do
        same_answer "$bestiary" "list" --list --category $category
    done
    for question in $(seq 30); do
        tallies=()
        for stat in "${stats[@]}"; do
            ((RANDOM % 3 == 0)) && tallies+=(--tally "$stat=$((RANDOM % 41 - 20))")
        done
        same_answer "$bestiary" "answer $question" --foe "${names[RANDOM % ${#names[@]}]}" \
            --category $((RANDOM % 7)) "${tallies[@]}" --format json
    done
    echo "$(basename "$bestiary"): 7 lists and 30 answers compared"
done
for bestiary in "$work/Ölgrund ü.sqlite" "$work/Ölgrund ü.mdb"; do
    same_answer "$bestiary" "a non-ASCII name" --list --category 3
done

echo "== The window under Wine"
# An X server on a display nobody uses, and a window manager (both ended
# with the script, as the Wine server is).
Xvfb -displayfd 3 -screen 0 1280x800x24 3>"$work/display" >/dev/null 2>&1 &
xserver=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
export DISPLAY=:$(cat "$work/display")
openbox >/dev/null 2>&1 &
manager=$!
(cd "$work" && exec wine "$windows" --bestiary "$(winepath -w "$work/foes.sqlite")") >/dev/null 2>&1 &
window=""
for _ in $(seq 60); do
    window=$(xdotool search --name "^Vorn Foe Calculator$" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 1
done
if [ -z "$window" ]; then
    fail "the window did not open"
else
    xdotool windowactivate --sync "$window"
    sleep 1
    # The Init tally has the keyboard; fifteen Tabs on, past the tallies, the
    # category and the seven statistics, is the foe box.
    xdotool type --delay 50 "3"
    xdotool key --delay 50 $(printf 'Tab %.0s' $(seq 15))
    xdotool type --delay 50 "Bandit Archer"
    xdotool key --delay 50 Return ctrl+shift+c
    sleep 2
    copied=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r') || copied=""
    expected=$("$linux" --bestiary "$work/foes.sqlite" --foe "Bandit Archer" --tally Init=3)
    [ "$copied" = "$expected" ] || {
        fail "the window's stat block"
        diff <(echo "$expected") <(echo "$copied") | head -10 >&2
    }
    import -window root build-windows/window.png
    echo "Screenshot: build-windows/window.png"
fi

if [ $failures -gt 0 ]; then
    echo "$failures Windows checks failed." >&2
    exit 1
fi
echo "Every Windows check passed."
