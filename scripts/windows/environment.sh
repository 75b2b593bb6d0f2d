# What the Windows build and its tests share (sourced): where toolchain.sh
# put the Windows libraries, where their DLLs and MinGW's lie, and a Wine of
# their own to run the programs in.
VORN_WINDOWS_CACHE=${VORN_WINDOWS_CACHE:-$HOME/.cache/vorn-foe/windows}
export VORN_WINDOWS_PREFIX=$VORN_WINDOWS_CACHE/prefix
if [ ! -f "$VORN_WINDOWS_PREFIX/stamp" ]; then
    echo "No Windows toolchain in $VORN_WINDOWS_PREFIX: run scripts/windows/toolchain.sh first." >&2
    exit 1
fi

windows_dll_dirs=(
    "$VORN_WINDOWS_PREFIX/bin"
    "$VORN_WINDOWS_PREFIX/lib"
    "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")"
    /usr/x86_64-w64-mingw32/lib
)
WINEPATH=$(IFS=';'; echo "${windows_dll_dirs[*]}")
export WINEPATH
export WINEPREFIX=$VORN_WINDOWS_CACHE/wine
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no offer to install .NET or Gecko
export PKG_CONFIG_LIBDIR=$VORN_WINDOWS_PREFIX/lib/pkgconfig
