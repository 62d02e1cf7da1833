#!/bin/bash
# Installs every Debian package that the build, the tests and the demo need,
# and makes the Windows 98 and Windows 95 template prefixes of the Wine bench
# (build/wine, or build/win64/wine where 32-bit Wine cannot start). Quick when
# all is there already; safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake make python3
    gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
    gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine wine32 wine64
    googletest clang libclang-rt-14-dev
    xvfb xdotool imagemagick gcab icoutils
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
    need_update=1
fi

missing=()
for p in "${packages[@]}"; do
    arch=""
    [ "$p" = wine32 ] && arch=":i386"
    status=$(dpkg-query -W -f='${Status}' "$p$arch" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
    echo "setup: installing ${missing[*]:-(package lists only)}"
    "${sudo_cmd[@]}" apt-get update -qq
    [ ${#missing[@]} -eq 0 ] || DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" \
        apt-get install -y -qq "${missing[@]}" >/dev/null
fi
hash -r

source tests/bench/wine-env.sh
if [ "$DRIVEWRIGHT_WINEARCH" = win64 ]; then
    echo "setup: this machine does not run 32-bit x86 programs, so 32-bit Wine cannot start;" \
         "the Wine suites and the demo run the 64-bit build of the same sources"
fi
tests/bench/prefix.sh create "$DRIVEWRIGHT_WINE_TEMPLATE" win98
tests/bench/prefix.sh create "$DRIVEWRIGHT_WINE_TEMPLATE-win95" win95
echo "setup: ready"
