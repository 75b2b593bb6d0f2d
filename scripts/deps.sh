#!/usr/bin/env bash
# Installs the Debian 12 packages the calculator needs to build and test,
# asking apt-get only for those that are missing; among them the MinGW-w64
# cross compiler, with which the test suite checks the Windows-only sources,
# the sqlite3 shell, with which it runs the README's CSV commands,
# poppler's tools, with which it reads back the PDFs the calculator writes,
# help2man, which writes the manual page, dpkg-dev, with which CPack makes
# the Debian package, and lintian, which checks it,
# and an X server, a session bus, the accessibility bus, pyatspi and
# xdotool, with which it listens to the window as a screen reader does.
# With "fuzz" it also installs clang and libFuzzer, which only fuzz/run.sh
# needs; with "windows", what the Windows build (scripts/windows/) needs
# besides MinGW-w64: ninja, Tcl (SQLite's source makes its one-file form with
# it), curl and the autotools (mdbtools' source), Wine and NSIS.
set -euo pipefail

packages=(
    cmake g++ pkg-config
    qt6-base-dev fonts-liberation2 fonts-gotico-antiqua
    libsqlitecpp-dev libsqlite3-dev sqlite3
    mdbtools-dev libicu-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    desktop-file-utils appstream poppler-utils help2man lintian dpkg-dev
    g++-mingw-w64-x86-64
    xvfb xdotool dbus-daemon at-spi2-core python3-pyatspi
)
case "${1:-}" in
    fuzz) packages+=(clang-14 libclang-rt-14-dev) ;;
    windows) packages+=(ninja-build tcl curl autoconf automake libtool autopoint bison flex
                        wine wine64 nsis zip unzip xclip openbox imagemagick) ;;
esac

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
