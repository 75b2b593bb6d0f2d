#!/usr/bin/env bash
# Builds what the calculator needs on Windows, from Debian's own source
# packages, with Debian's MinGW-w64: Qt's qtbase, ICU, SQLite and SQLiteCpp,
# mdbtools' libmdb, and GoogleTest for the cross-built tests. Everything is
# installed into a cache outside the repository,
#     ${VORN_WINDOWS_CACHE:-~/.cache/vorn-foe/windows}/prefix,
# stamped with the source versions and this script's own hash; a run whose
# stamp matches does nothing. A cold build takes about an hour on two cores,
# most of it Qt's (35 min) and ICU's (15 min).
#
# Usage: scripts/windows/toolchain.sh [component...]
#   With components (qt icu sqlite sqlitecpp mdbtools googletest), builds
#   only those that are not built yet, and writes no stamp.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${VORN_WINDOWS_CACHE:-$HOME/.cache/vorn-foe/windows}
prefix=$cache/prefix
sources=$cache/src
work=$cache/build
jobs=${JOBS:-$(nproc)}
triple=x86_64-w64-mingw32
toolchain_file=$here/mingw-w64.cmake
export VORN_WINDOWS_PREFIX=$prefix

# mdbtools' bookworm source is missing from the archive's pool this machine
# reaches, and so is the .dsc of trixie's, the next release of the same
# library; its two tarballs are there, checked here against the hashes that
# trixie's source index gives.
mdbtools_version=1.0.1-0.1
mdbtools_pool=http://deb.debian.org/debian/pool/main/m/mdbtools
mdbtools_files=(
    "mdbtools_1.0.1.orig.tar.gz 750cbf793bf5b7e296fdc359124393a0aef89ee663b7741ba4b1ca2ce30b3b37"
    "mdbtools_1.0.1-0.1.debian.tar.xz c6c93642c8527adb45f8f8fa6fb6df96e895cdfafbc134cb5fa9c0f690314e2f"
)

"$here/../deps.sh" windows

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

source_version() {
    apt-cache showsrc --only-source "$1" | sed -n 's/^Version: //p' | head -1
}

ensure_deb_src() {
    [ -n "$(source_version qt6-base)" ] && return
    echo "Adding Debian's source packages to apt's sources"
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
        $sudo tee /etc/apt/sources.list.d/vorn-foe-deb-src.sources >/dev/null
    $sudo apt-get update -qq
}

versions() {
    for package in qt6-base icu sqlite3 sqlitecpp googletest; do
        echo "$package $(source_version "$package")"
    done
    echo "mdbtools $mdbtools_version"
    echo "script $(cat "$0" "$toolchain_file" "$here"/patches/* | sha256sum | cut -d' ' -f1)"
}

# The unpacked source of a Debian source package, fetched once.
unpacked() {
    local package=$1 version
    version=${2:-$(source_version "$package")}
    version=${version#*:}
    local folder=$sources/$package-${version%-*}
    [ -d "$folder" ] || (cd "$sources" && ${3:-apt-get source -qq} "$package=$version" >/dev/null)
    echo "$folder"
}

# mdbtools' own: checked against the hashes above, then unpacked as
# dpkg-source would (the Debian part over the upstream source, its patches
# applied), and its build system generated, as Debian's build does.
fetch_mdbtools() {
    local folder=mdbtools-1.0.1 entry file sum
    for entry in "${mdbtools_files[@]}"; do
        read -r file sum <<<"$entry"
        curl -sSf -o "$file" "$mdbtools_pool/$file"
        echo "$sum  $file" | sha256sum -c --quiet
    done
    tar xzf "mdbtools_1.0.1.orig.tar.gz"
    tar xJf "mdbtools_$mdbtools_version.debian.tar.xz" -C "$folder"
    if [ -f "$folder/debian/patches/series" ]; then
        while read -r patch; do
            patch -d "$folder" -p1 -s <"$folder/debian/patches/$patch"
        done < <(grep -v '^#' "$folder/debian/patches/series")
    fi
    (cd "$folder" && autoreconf -fi >/dev/null 2>&1)
}

done_marker() { echo "$prefix/.built-$1"; }

build_qt() {
    local source
    source=$(unpacked qt6-base)
    cmake -S "$source" -B "$work/qt" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_icu=OFF \
        -DFEATURE_tabletevent=OFF \
        -DINPUT_opengl=dynamic
    cmake --build "$work/qt" -j "$jobs"
    cmake --install "$work/qt"
}

build_icu() {
    local source
    source=$(unpacked icu)/source
    local options=(--disable-tests --disable-samples --disable-extras --disable-icuio --disable-layoutex)
    # ICU's cross build uses the tools of a build for this machine.
    mkdir -p "$work/icu-host" "$work/icu"
    (cd "$work/icu-host" && "$source/configure" "${options[@]}" >/dev/null && make -j "$jobs" >/dev/null)
    (cd "$work/icu" &&
        "$source/configure" --host=$triple CC=$triple-gcc-posix CXX=$triple-g++-posix \
            --with-cross-build="$work/icu-host" --prefix="$prefix" \
            "${options[@]}" --disable-tools >/dev/null &&
        make -j "$jobs" >/dev/null && make install >/dev/null)
}

build_sqlite() {
    local source
    source=$(unpacked sqlite3)
    # The amalgamation is made on this machine, then compiled for Windows
    # with the options Debian compiles it with.
    mkdir -p "$work/sqlite"
    (cd "$work/sqlite" && "$source/configure" >/dev/null && make sqlite3.c >/dev/null)
    local flags
    flags=$(sed -n '/^export CFLAGS += /,/[^\\]$/p' "$source/debian/rules" | grep -o -- '-DSQLITE_[A-Z0-9_]*\(=[0-9]*\)\?')
    # shellcheck disable=SC2086
    $triple-gcc-posix -O2 -shared $flags -o "$work/sqlite/libsqlite3-0.dll" "$work/sqlite/sqlite3.c" \
        -Wl,--out-implib,"$work/sqlite/libsqlite3.dll.a"
    install -D -m 644 "$work/sqlite/sqlite3.h" "$work/sqlite/sqlite3ext.h" -t "$prefix/include"
    install -D -m 644 "$work/sqlite/libsqlite3.dll.a" -t "$prefix/lib"
    install -D -m 755 "$work/sqlite/libsqlite3-0.dll" -t "$prefix/bin"
}

build_sqlitecpp() {
    local source
    source=$(unpacked sqlitecpp)
    cmake -S "$source" -B "$work/sqlitecpp" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DSQLITECPP_INTERNAL_SQLITE=OFF -DSQLITECPP_RUN_CPPLINT=OFF -DSQLITECPP_RUN_CPPCHECK=OFF \
        -DSQLITECPP_BUILD_TESTS=OFF -DSQLITECPP_BUILD_EXAMPLES=OFF -DBUILD_SHARED_LIBS=OFF
    cmake --build "$work/sqlitecpp" -j "$jobs"
    cmake --install "$work/sqlitecpp"
}

build_googletest() {
    local source
    source=$(unpacked googletest)
    cmake -S "$source" -B "$work/googletest" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DBUILD_SHARED_LIBS=OFF -Dgtest_disable_pthreads=OFF
    cmake --build "$work/googletest" -j "$jobs"
    cmake --install "$work/googletest"
}

build_mdbtools() {
    local source
    source=$(unpacked mdbtools $mdbtools_version fetch_mdbtools)
    # libmdb alone, without GLib (the library brings its own small stand-in)
    # and without iconv, which MinGW lacks: it converts text with the C
    # runtime instead, which our patch makes convert to UTF-8 as the Linux
    # build does. Built in a copy of the source, which its build expects.
    rm -rf "$work/mdbtools"
    cp -a "$source" "$work/mdbtools"
    patch -d "$work/mdbtools" -p1 -s <"$here/patches/mdbtools-utf8-names.patch"
    (cd "$work/mdbtools" &&
        ./configure --host=$triple CC=$triple-gcc-posix --prefix="$prefix" --disable-glib --disable-iconv \
            --disable-man --disable-static >/dev/null &&
        # The header names the POSIX locale type, which the Windows C
        # runtime calls _locale_t (what the Windows code of libmdb uses).
        sed -i 's/^typedef locale_t mdb_locale_t;/typedef _locale_t mdb_locale_t;/' include/mdbtools.h &&
        # Its configure renames _spawnv for the command-line tools, which
        # clashes with MinGW's own declarations; the library needs none.
        make -C src/libmdb -j "$jobs" CFLAGS="-O2 -Wall" >/dev/null && make -C src/libmdb install >/dev/null &&
        make -C include install >/dev/null && make install-pkgconfigDATA >/dev/null)
}

all=(qt icu sqlite sqlitecpp mdbtools googletest)
wanted=("$@")
[ ${#wanted[@]} -gt 0 ] || wanted=("${all[@]}")

ensure_deb_src
if [ -f "$prefix/stamp" ]; then
    if [ "$(versions)" = "$(cat "$prefix/stamp")" ]; then
        echo "The Windows toolchain in $prefix is up to date."
        exit 0
    fi
    echo "The Windows toolchain is stale: building it again."
    rm -rf "$prefix" "$work"
fi
mkdir -p "$sources" "$work" "$prefix"
started=$SECONDS
for component in "${wanted[@]}"; do
    [ -f "$(done_marker "$component")" ] && continue
    echo "Building $component for Windows"
    "build_$component"
    touch "$(done_marker "$component")"
done
if [ $# -eq 0 ]; then
    versions >"$prefix/stamp"
    echo "The Windows toolchain is in $prefix ($(((SECONDS - started) / 60)) min)."
fi
