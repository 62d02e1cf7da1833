#!/bin/bash
# scripts/apt-robust.sh with the real apt-get against a local archive caught
# part-way through an update: a release suite "rel" and its "rel-security",
# whose i386 list is bigger than its Release file says, so that apt reports
# "File has unexpected size". The machine's packages carry libq 1.0 on both
# architectures in rel and libq 1.1 in rel-security; the machine last updated
# before i386 was added, so it keeps rel-security's amd64 list but gets no
# i386 one: libq libq:i386 (Multi-Arch: same) then resolves only from rel.
# apt runs on a configuration of its own under a temporary folder (lists,
# status, preferences, sources), installs simulated. The archive is served
# over HTTP on the loopback: apt's http method is the one that checks an
# index's size as it arrives.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
command -v apt-ftparchive >/dev/null ||
    { echo "apt-ftparchive is missing (apt-utils): run scripts/setup.sh"; exit 1; }

T=$(mktemp -d)
server=""
cleanup() {
    [ -z "$server" ] || kill "$server" 2>/dev/null || true
    rm -rf "$T"
}
trap cleanup EXIT
failures=0
check() { # check WHAT COMMAND...
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}

# --- The archive -------------------------------------------------------------
stanza() { # package version architecture [depends]
    printf '%s\n' "Package: $1" "Version: $2" "Architecture: $3" "Multi-Arch: same" \
        ${4:+"Depends: $4"} "Maintainer: Test <test@example.org>" \
        "Filename: pool/$1_$2_$3.deb" "Size: 100" "Description: test package" ""
}
for suite in rel rel-security; do
    version=1.0
    [ "$suite" = rel ] || version=1.1
    for arch in amd64 i386; do
        mkdir -p "$T/archive/dists/$suite/main/binary-$arch"
        {
            stanza libq "$version" "$arch"
            stanza app 1.0 "$arch" "libq (>= 1.1)"
        } >"$T/archive/dists/$suite/main/binary-$arch/Packages"
    done
    apt-ftparchive -o APT::FTPArchive::Release::Suite="$suite" \
        -o APT::FTPArchive::Release::Codename="$suite" \
        -o APT::FTPArchive::Release::Architectures="amd64 i386" \
        -o APT::FTPArchive::Release::Components=main \
        release "$T/archive/dists/$suite" >"$T/Release"
    mv "$T/Release" "$T/archive/dists/$suite/Release"
done
stanza libq 1.1 i386 >>"$T/archive/dists/rel-security/main/binary-i386/Packages"

python3 - "$T/archive" >"$T/port" 2>/dev/null <<'PY' &
import functools, http.server, sys
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1])
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
print(server.server_address[1], flush=True)
server.serve_forever()
PY
server=$!
for _ in $(seq 50); do [ -s "$T/port" ] && break; sleep 0.1; done
port=$(cat "$T/port")

# --- apt's sandbox -----------------------------------------------------------
mkdir -p "$T"/{apt.conf.d,sources.list.d,preferences.d,lists/partial,state,cache,tmp}
: >"$T/status"
printf 'deb [trusted=yes] http://127.0.0.1:%s %s main\n' "$port" rel "$port" rel-security \
    >"$T/sources.list"
# Read before any -o: none of the machine's apt.conf.d (its hooks) applies.
printf '%s\n' 'Dir::Etc::main "/dev/null";' "Dir::Etc::parts \"$T/apt.conf.d\";" >"$T/apt.conf"
export APT_CONFIG=$T/apt.conf TMPDIR=$T/tmp
unset http_proxy HTTP_PROXY
sandbox=(
    -o Dir::Etc::sourcelist="$T/sources.list" -o Dir::Etc::sourceparts="$T/sources.list.d"
    -o Dir::Etc::preferences="$T/preferences" -o Dir::Etc::preferencesparts="$T/preferences.d"
    -o Dir::State="$T/state" -o Dir::State::Lists="$T/lists" -o Dir::State::status="$T/status"
    -o Dir::Cache="$T/cache" -o Debug::NoLocking=1 -o Acquire::http::Proxy=DIRECT
    -o APT::Sandbox::User="$(id -un)" -o APT::Architecture=amd64 -o APT::Architectures::=amd64
)
apt_as_root=()
apt_suite=rel
apt_tries=3
apt_pause=0
# shellcheck source=scripts/apt-robust.sh
source "$repo/scripts/apt-robust.sh"

# The update made while the machine had amd64 alone.
apt_options=("${sandbox[@]}")
apt_update

# --- The update --------------------------------------------------------------
apt_options=("${sandbox[@]}" -o APT::Architectures::=i386)
status=0
out=$(apt_update 2>&1) || status=$?
printf '%s\n' "$out"
check "the update goes on without the list that failed" [ "$status" -eq 0 ]
check "the update is tried $apt_tries times" \
    [ "$(grep -c 'trying again' <<<"$out")" -eq $((apt_tries - 1)) ]
check "the failed list is named in one line, with apt's reason" grep -q \
    "not fetched after 3 tries: http://127.0.0.1:$port/dists/rel-security/main/binary-i386/Packages (File has unexpected size ([0-9]* != [0-9]*). Mirror sync in progress?)$" \
    <<<"$out"
check "the other lists are there" [ -n "$(find "$T/lists" -name '*rel_main_binary-i386_Packages')" ]

# --- The install -------------------------------------------------------------
plain_install_fails() { ! apt_run install -s -qq libq libq:i386 >/dev/null 2>&1; }
check "the plain install cannot resolve libq libq:i386" plain_install_fails
status=0
out=$(apt_install -s libq libq:i386 2>&1) || status=$?
printf '%s\n' "$out"
check "the install resolves with every architecture from rel" [ "$status" -eq 0 ]
check "and says so" grep -q 'trying once more with every architecture from rel' <<<"$out"

nothing_left() {
    [ ! -e "$T/preferences" ] && [ -z "$(find "$T/preferences.d" "$T/tmp" -mindepth 1)" ]
}
check "nothing of the ranking is left after success" nothing_left

# --- Real failures -----------------------------------------------------------
failed_with() { [ "$status" -ne 0 ] && grep -q "$1" <<<"$out"; }
status=0
out=$(apt_install -s no-such-package 2>&1) || status=$?
printf '%s\n' "$out"
check "a package that does not exist fails with apt's message" \
    failed_with "^E: Unable to locate package no-such-package"

# app needs libq 1.1, which rel-security has for amd64 alone.
status=0
out=$(apt_install -s app libq:i386 2>&1) || status=$?
printf '%s\n' "$out"
check "what cannot resolve from one suite either fails with apt's message" \
    failed_with "^E: Unable to correct problems"
check "nothing of the ranking is left after failure" nothing_left

# Ctrl+C as apt starts with the ranking: the terminal's SIGINT to the
# foreground process group, sent here by the command that starts apt.
printf '%s\n' '#!/bin/bash' \
    'case "$*" in *Dir::Etc::preferences=*/apt-one-suite.*)' \
    "    ls $T/tmp/apt-one-suite.*/preferences >$T/seen; kill -INT 0 ;;" \
    'esac' 'exec "$@"' >"$T/interrupting"
chmod +x "$T/interrupting"
set -m
( apt_as_root=("$T/interrupting"); apt_install -s libq libq:i386 ) 2>/dev/null &
set +m
status=0
wait $! || status=$?
check "Ctrl+C stops the install" [ "$status" -eq 130 ]
check "the ranking was there while apt ran" [ -s "$T/seen" ]
check "nothing of the ranking is left after Ctrl+C" nothing_left

# --- A broken source entry: no second try ------------------------------------
echo "deb [trusted=yes]" >>"$T/sources.list"
status=0
out=$(apt_update 2>&1) || status=$?
printf '%s\n' "$out"
check "an update that fails for another reason fails with apt's message" failed_with "^E: Malformed entry"
check "and is not tried again" [ "$(grep -c 'trying again' <<<"$out")" -eq 0 ]

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
