#!/bin/bash
# Wine prefixes for the tests: 32-bit (64-bit for the 64-bit bench build, as
# DRIVEWRIGHT_WINEARCH says), Windows 98 (or Windows 95), with D: a
# CD-ROM drive holding a disc (folder cdrom-d of the prefix) and E: a CD-ROM
# drive with no disc. One template a version is made by wineboot; the others
# are copies of it.
#
#   prefix.sh create DIR [win98|win95]   make DIR if it is not there yet
#   prefix.sh start DIR [win98|win95]    make it, then start its server and drives afresh
#   prefix.sh stop DIR                   stop the server of DIR (and only that one)
set -euo pipefail

export WINEDEBUG=-all WINEARCH=${DRIVEWRIGHT_WINEARCH:-win32}
here=$(cd "$(dirname "$0")" && pwd)
# Every wait on Wine is bounded, generously: through the emulator qemu-i386
# a Wine process starts three to four times slower than natively.
version=${3:-win98}
case $version in
    win98) template=${DRIVEWRIGHT_WINE_TEMPLATE:-$here/../../build/wine/template} ;;
    win95) template=${DRIVEWRIGHT_WINE_TEMPLATE:-$here/../../build/wine/template}-win95 ;;
    *) echo "unknown Windows version $version" >&2; exit 2 ;;
esac

# Wine's own Marlett (package fonts-wine).
marlett=/usr/share/wine/fonts/marlett.ttf

make_template() {
    local dir=$1
    [ -f "$dir/.ready" ] && return 0
    rm -rf "$dir"
    mkdir -p "$(dirname "$dir")"
    # No Mono or Gecko: nothing here needs them, and their installers would ask.
    if ! WINEPREFIX=$dir WINEDLLOVERRIDES="mscoree,mshtml=" timeout 600 wineboot -i >"$dir.log" 2>&1; then
        echo "prefix.sh: wineboot could not make $dir:" >&2
        tail -n 5 "$dir.log" >&2
        # Wine's 32-bit loader is an i386 program: a kernel without IA-32
        # emulation refuses it before Wine itself starts.
        if grep -q "Exec format error" "$dir.log"; then
            echo "prefix.sh: this machine does not run 32-bit x86 programs, which 32-bit Wine needs;" \
                 "scripts/setup.sh runs them through the emulator qemu-i386 where it can" >&2
        fi
        exit 1
    fi
    if [ "$WINEARCH" = win32 ]; then
        WINEPREFIX=$dir timeout 300 winecfg -v "$version" >/dev/null 2>&1
    else
        # winecfg offers no Windows 9x to a 64-bit prefix; the loader still
        # takes the version from the same value.
        WINEPREFIX=$dir timeout 300 wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$version" /f >/dev/null 2>&1
    fi
    # No polling for game controllers: the HID bus driver of each prefix would
    # look for them every millisecond, a few per cent of a core through the
    # emulator, with a dozen prefixes up at once during the tests.
    WINEPREFIX=$dir timeout 300 wine reg add 'HKLM\System\CurrentControlSet\Services\winebus' \
        /v 'Enable SDL' /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # Wine draws the caption buttons with the symbol font Marlett, as Windows
    # does. This Wine build does not load the fonts of its own data directory,
    # so without a copy among the prefix's fonts each close box shows the
    # letter "r" in place of the cross.
    cp "$marlett" "$dir/drive_c/windows/Fonts/"
    WINEPREFIX=$dir timeout 300 wine reg add 'HKLM\Software\Wine\Drives' /v d: /t REG_SZ /d cdrom /f >/dev/null 2>&1
    WINEPREFIX=$dir timeout 300 wine reg add 'HKLM\Software\Wine\Drives' /v e: /t REG_SZ /d cdrom /f >/dev/null 2>&1
    WINEPREFIX=$dir wineserver -k || true
    WINEPREFIX=$dir timeout 120 wineserver -w || true
    touch "$dir/.ready"
}

create() {
    local dir=$1
    [ -f "$dir/.ready" ] && return 0
    # Several test groups may ask for the template at once: one makes it.
    mkdir -p "$(dirname "$template")"
    (
        flock 9
        make_template "$template"
    ) 9>"$template.lock"
    [ "$dir" -ef "$template" ] && return 0
    rm -rf "$dir"
    cp -a "$template" "$dir.tmp"
    mv "$dir.tmp" "$dir"
}

start() {
    local dir=$1
    create "$dir"
    export WINEPREFIX=$dir
    wineserver -k 2>/dev/null || true
    timeout 120 wineserver -w 2>/dev/null || true
    mkdir -p "$dir/cdrom-d" "$dir/cdrom-e"
    ln -sfn "$dir/cdrom-d" "$dir/dosdevices/d:"
    # The drive manager registers a CD-ROM drive only while it has a folder;
    # once started, taking the folder away plays "no disc in the drive".
    ln -sfn "$dir/cdrom-e" "$dir/dosdevices/e:"
    wineserver -p >/dev/null 2>&1
    timeout 300 wine cmd /c exit >/dev/null 2>&1 </dev/null || true
    rm -f "$dir/dosdevices/e:"
}

stop() {
    local dir=$1
    [ -d "$dir" ] || return 0
    WINEPREFIX=$dir wineserver -k 2>/dev/null || true
    # The read-only view of the disc and the small disks that a scenario run left mounted.
    for point in "$dir/cdrom-d-ro" "$dir"/disk-?; do
        if mountpoint -q "$point" 2>/dev/null; then
            umount "$point" || true
        fi
    done
}

case ${1:-} in
    create|start|stop) [ $# -eq 2 ] || [ $# -eq 3 ] || { echo "usage: $0 $1 DIR [VERSION]" >&2; exit 2; }
                       "$1" "$(realpath -m "$2")" ;;
    *) echo "usage: $0 create|start|stop DIR" >&2; exit 2 ;;
esac
