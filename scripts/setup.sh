#!/bin/bash
# Installs every Debian package that the build, the tests and the demo need,
# makes 32-bit Wine start where the kernel runs no 32-bit x86 programs (through
# the user-mode emulator qemu-i386), and makes the Windows 98 and Windows 95
# template prefixes of the Wine bench (build/wine, or build/win64/wine where
# 32-bit Wine cannot start). Quick when all is there already; safe to run again.
#
#   DRIVEWRIGHT_EMULATE=1 scripts/setup.sh   runs 32-bit Wine through the
#       emulator even where the kernel runs 32-bit programs itself (to try the
#       emulated road on such a machine);
#   DRIVEWRIGHT_EMULATE=0 scripts/setup.sh   undoes that: takes the emulator's
#       registration away (and unmounts binfmt_misc when nothing else is
#       registered there), so 32-bit programs run natively again, or, where the
#       kernel cannot run them, the 64-bit build carries the suites.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake make python3
    gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
    gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine wine32 wine64 fonts-wine
    googletest clang libclang-rt-14-dev
    xvfb xdotool imagemagick gcab icoutils locales apt-utils
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
as_root() { "${sudo_cmd[@]}" "$@"; }
# apt's update and install, made to work while the archive is part-way
# through an update.
apt_as_root=("${sudo_cmd[@]}")
source scripts/apt-robust.sh

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
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
    apt_update
    [ ${#missing[@]} -eq 0 ] || apt_install "${missing[@]}"
fi
hash -r

# The Japanese world runs Wine with LANG=ja_JP.UTF-8, which gives code page
# 932 only when the host has that locale: otherwise Wine stays on 1252.
if ! locale -a 2>/dev/null | grep -qx 'ja_JP.utf8'; then
    echo "setup: generating the locale ja_JP.UTF-8"
    grep -qx 'ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
        echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
fi

# --- 32-bit Wine through the emulator -----------------------------------------
# Wine's 32-bit loader is an i386 program. Where the kernel refuses those,
# qemu-i386 of QEMU 10 or newer runs it (QEMU 7.2 does not carry Wine), once it
# is registered with the kernel's binfmt_misc for i386 ELF programs, with the
# magic and mask of QEMU's own binfmt configuration and the flags OPF. The
# registration lasts until the machine restarts and applies to every i386
# program on it.
binfmt=/proc/sys/fs/binfmt_misc
entry=$binfmt/qemu-i386
i386_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
i386_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
backports_source=/etc/apt/sources.list.d/drivewright-backports.sources
backports_pin=/etc/apt/preferences.d/drivewright-backports

# The qemu-i386 of QEMU 10 or newer that is installed, or nothing.
good_qemu() {
    local q major
    for q in /usr/bin/qemu-i386 /usr/bin/qemu-i386-static; do
        [ -x "$q" ] || continue
        major=$("$q" --version 2>/dev/null | sed -n '1s/^qemu-i386 version \([0-9]*\)\..*/\1/p')
        if [ -n "$major" ] && [ "$major" -ge 10 ]; then
            echo "$q"
            return 0
        fi
    done
    return 0
}

# The newest version 10 or newer of qemu-user that the given suites offer.
qemu_user_version() {
    local arch version suite best=""
    arch=$(dpkg --print-architecture)
    while IFS='|' read -r _ version where; do
        version=${version// /}
        read -r _ suite rest <<<"$where"
        suite=${suite%%/*}
        case " $* " in *" $suite "*) ;; *) continue ;; esac
        case " $rest " in *" $arch Packages "*) ;; *) continue ;; esac
        dpkg --compare-versions "${version#*:}" ge 10 || continue
        if [ -z "$best" ] || dpkg --compare-versions "$version" gt "$best"; then best=$version; fi
    done < <(apt-cache madison qemu-user 2>/dev/null)
    echo "$best"
}

# The backports suite of this release, with the URI and Signed-By of the
# machine's own entry for the release (deb822 .sources or one-line .list).
# Prints nothing when the machine has a backports entry of its own; fails
# when the release has no entry.
backports_entry() {
    python3 - "$1" "$backports_source" <<'PY'
import glob, re, sys
codename, ours = sys.argv[1:]

def deb822(path):
    stanza, last = {}, None
    for line in open(path, encoding="utf-8", errors="replace").read().splitlines() + [""]:
        if line.startswith("#"):
            continue
        if not line.strip():
            if stanza:
                if (stanza.get("enabled", "yes").lower() != "no"
                        and "deb" in stanza.get("types", "").split()):
                    yield (stanza.get("uris", "").split(), stanza.get("suites", "").split(),
                           stanza.get("signed-by"))
            stanza, last = {}, None
        elif line[0] in " \t" and last:
            stanza[last] += "\n" + line
        else:
            name, _, value = line.partition(":")
            last = name.strip().lower()
            stanza[last] = value.strip()

def one_line(path):
    for line in open(path, encoding="utf-8", errors="replace"):
        m = re.match(r"\s*deb\s+(?:\[([^\]]*)\]\s+)?(\S+)\s+(\S+)", line)
        if m:
            signed = re.search(r"signed-by=(\S+)", m.group(1) or "")
            yield [m.group(2)], [m.group(3)], signed and signed.group(1)

entries = []
for path in ["/etc/apt/sources.list"] + sorted(glob.glob("/etc/apt/sources.list.d/*")):
    if path == ours:
        continue
    if path.endswith(".sources"):
        entries += deb822(path)
    elif path.endswith(".list") or path == "/etc/apt/sources.list":
        try:
            entries += one_line(path)
        except FileNotFoundError:
            pass
release = [e for e in entries if codename in e[1]]
if not release:
    sys.exit(1)
uris, _, signed_by = release[0]
if any(codename + "-backports" in suites and set(uris) & set(u) for u, suites, _ in entries):
    sys.exit(0)
print("# Debian's backports suite, for QEMU 10 (qemu-i386 runs 32-bit Wine);")
print("# written by Drivewright's scripts/setup.sh from the entry for " + codename + ".")
print("Types: deb")
print("URIs: " + " ".join(uris))
print("Suites: " + codename + "-backports")
print("Components: main")
if signed_by:
    print("Signed-By:" + ("" if signed_by.startswith("\n") else " ") + signed_by)
PY
}

install_qemu() {
    local codename version
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$codename" ] || { echo "the release has no code name in /etc/os-release"; return 1; }
    apt_update || { echo "apt-get update failed"; return 1; }
    version=$(qemu_user_version "$codename" "$codename-updates" "$codename-security")
    if [ -z "$version" ]; then
        local entry_text
        entry_text=$(backports_entry "$codename") ||
            { echo "no apt source for $codename to take the backports suite from"; return 1; }
        local pin="release n=$codename-backports" only="" others=()
        if [ -n "$entry_text" ]; then
            echo "$entry_text" | as_root tee "$backports_source" >/dev/null || return 1
            # Nothing but qemu-user comes from the suite written here.
            only="only " others=("" "Package: *" "Pin: $pin" "Pin-Priority: -1")
        fi
        printf '%s\n' "# Written by Drivewright's scripts/setup.sh: ${only}qemu-user from backports." \
            "Package: qemu-user" "Pin: $pin" "Pin-Priority: 500" "${others[@]}" |
            as_root tee "$backports_pin" >/dev/null || return 1
        apt_update || { echo "apt-get update failed"; return 1; }
        version=$(qemu_user_version "$codename-backports")
    fi
    [ -n "$version" ] ||
        { echo "neither $codename nor $codename-backports has qemu-user 10 or newer"; return 1; }
    echo "setup: installing qemu-user $version" >&2
    # Without its recommended qemu-user-binfmt, which would register every
    # architecture QEMU knows.
    apt_install --no-install-recommends "qemu-user=$version" ||
        { echo "qemu-user $version did not install"; return 1; }
    hash -r
}

# Registers qemu-i386 (QEMU 10 or newer, installed if need be) for i386
# programs; says why not and fails where it cannot.
set_up_emulator() {
    local qemu flags
    if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null; then
        echo "neither root nor sudo"
        return 1
    fi
    qemu=$(good_qemu)
    if [ -z "$qemu" ]; then
        install_qemu || return 1
        qemu=$(good_qemu)
        [ -n "$qemu" ] || { echo "qemu-user installed no qemu-i386 of QEMU 10 or newer"; return 1; }
    fi
    if [ ! -e "$binfmt/register" ]; then
        as_root mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null && [ -e "$binfmt/register" ] ||
            { echo "the kernel offers no binfmt_misc"; return 1; }
    fi
    if [ -e "$entry" ]; then
        flags=$(sed -n 's/^flags: //p' "$entry")
        if grep -qx enabled "$entry" && grep -qx "interpreter $qemu" "$entry" &&
                [[ $flags == *O* && $flags == *P* && $flags == *F* ]]; then
            return 0
        fi
        echo -1 | as_root tee "$entry" >/dev/null || return 1
    fi
    echo ":qemu-i386:M::$i386_magic:$i386_mask:$qemu:OPF" | as_root tee "$binfmt/register" >/dev/null ||
        { echo "binfmt_misc refused the registration of $qemu"; return 1; }
}

drop_emulator() {
    if [ -e "$entry" ]; then
        echo -1 | as_root tee "$entry" >/dev/null
    fi
    # binfmt_misc left mounted with nothing registered: unmounted, as it was.
    if [ -e "$binfmt/register" ] && [ -z "$(ls "$binfmt" | grep -vx -e register -e status)" ]; then
        as_root umount "$binfmt" || true
    fi
}

case ${DRIVEWRIGHT_EMULATE:-} in
    0) drop_emulator ;;
    *)
        # A qemu-i386 registered already runs every i386 program: it has to be
        # one that carries Wine.
        if [ "${DRIVEWRIGHT_EMULATE:-}" = 1 ] || [ -e "$entry" ] || ! tests/bench/runs-32bit; then
            if ! why=$(set_up_emulator); then
                echo "setup: 32-bit Wine cannot run through the emulator qemu-i386 here: $why"
            elif ! tests/bench/runs-32bit; then
                echo "setup: 32-bit Wine does not start through $(good_qemu) either;" \
                     "its registration is taken away again"
                drop_emulator
            fi
        fi
        ;;
esac

source tests/bench/wine-env.sh
if [ "$DRIVEWRIGHT_WINEARCH" = win64 ]; then
    echo "setup: this machine does not run 32-bit x86 programs, so 32-bit Wine cannot start;" \
         "the Wine suites and the demo run the 64-bit bench build of the same sources (build/win64)"
elif [ -e "$entry" ] && grep -qx enabled "$entry"; then
    echo "setup: 32-bit Wine runs through the emulator $(sed -n 's/^interpreter //p' "$entry");" \
         "the Wine suites and the demo run the shipped 32-bit image"
else
    echo "setup: this machine runs 32-bit x86 programs natively;" \
         "the Wine suites and the demo run the shipped 32-bit image"
fi
tests/bench/prefix.sh create "$DRIVEWRIGHT_WINE_TEMPLATE" win98
tests/bench/prefix.sh create "$DRIVEWRIGHT_WINE_TEMPLATE-win95" win95
echo "setup: ready"
