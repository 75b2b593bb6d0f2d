#!/usr/bin/env bash
# Cross-builds the calculator for 64-bit Windows on the libraries that
# toolchain.sh built, and makes build-windows/vorn-foe-windows-<version>.zip:
# one folder that runs where it is unpacked, with the program, its Access
# reader, the sample bestiary, Qt's Windows plugins and every DLL they load,
# found from their import tables. With makensis, an installer beside it.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/windows/environment.sh

cmake -S . -B build-windows -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/scripts/windows/mingw-w64.cmake" -DVORN_WINDOWS_PREFIX="$VORN_WINDOWS_PREFIX" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-windows -j "$(nproc)"

version=$(sed -n 's/^project(VornFoe VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
folder=build-windows/vorn-foe-$version
rm -rf "$folder"
cmake --install build-windows --prefix "$folder" --strip >/dev/null
# Qt looks for its plugins beside the program, too.
for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll; do
    install -D -m 644 "$VORN_WINDOWS_PREFIX/plugins/$plugin" "$folder/$plugin"
done

# Every DLL the folder's programs and plugins import, and those they import
# in turn, from the Windows libraries built here and MinGW's runtime; the
# system's own (KERNEL32, USER32, ...) are on every Windows already.
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
find_dll() {
    local dir
    for dir in "${windows_dll_dirs[@]}"; do
        if [ -f "$dir/$1" ]; then
            echo "$dir/$1"
            return
        fi
    done
}
pending=("$folder"/*.exe "$folder"/*/*.dll)
declare -A seen
while [ ${#pending[@]} -gt 0 ]; do
    file=${pending[0]}
    pending=("${pending[@]:1}")
    while read -r dll; do
        key=${dll,,}
        [ -n "${seen[$key]:-}" ] && continue
        seen[$key]=1
        found=$(find_dll "$dll")
        [ -n "$found" ] || continue
        install -m 644 "$found" "$folder/"
        pending+=("$folder/$dll")
    done < <(imports "$file")
done

zip=build-windows/vorn-foe-windows-$version.zip
rm -f "$zip"
(cd build-windows && zip -qr "$(basename "$zip")" "vorn-foe-$version")
echo "Made $zip ($(du -h "$zip" | cut -f1))"

if command -v makensis >/dev/null; then
    makensis -V2 -DVERSION="$version" -DFOLDER="$PWD/$folder" \
        -DOUTFILE="$PWD/build-windows/vorn-foe-windows-$version-setup.exe" scripts/windows/installer.nsi
    echo "Made build-windows/vorn-foe-windows-$version-setup.exe"
fi
