# shellcheck shell=bash
# Sourced by scripts/setup.sh: apt's update and install made to work while the
# Debian archive is part-way through an update, when some of its lists and
# versions disagree for a while.
#
#   apt_as_root      the command that runs apt as root (e.g. sudo), or nothing
#   apt_options      more options for every apt command (-o ...)
#   apt_tries        how many times a failing update is run (4)
#   apt_pause        seconds between those runs (5)
#   apt_suite        the release's own suite (the code name in /etc/os-release)

[ -v apt_as_root ] || apt_as_root=()
[ -v apt_options ] || apt_options=()
apt_tries=${apt_tries:-4}
apt_pause=${apt_pause:-5}

apt_run() {
    "${apt_as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${apt_options[@]}" "$@"
}

# The lists apt could not fetch, one a line as "URL (reason)", from its
# messages on standard input.
apt_failed_lists() {
    sed -n 's/^[EW]: Failed to fetch \([^ ]*\) *\(.*\)$/\1 (\2)/p' | sed 's/ \[IP: [^]]*\])$/)/'
}

# apt-get update, run again after a pause while it fails. Lists that still
# fail then are named and left out: apt keeps the older copies it had, or
# none. A failure that is not about fetching lists (a broken source entry,
# an unsigned archive) fails with apt's own message.
apt_update() {
    local try=1 out failed
    while ! out=$(apt_run update -qq 2>&1); do
        failed=$(apt_failed_lists <<<"$out")
        if [ -z "$failed" ]; then
            printf '%s\n' "$out" >&2
            return 1
        fi
        if [ "$try" -ge "$apt_tries" ]; then
            echo "setup: going on with the package lists apt has; not fetched after $try tries:" \
                 "$(paste -sd ';' <<<"$failed" | sed 's/;/; /g')" >&2
            return 0
        fi
        echo "setup: apt-get update failed to fetch $(wc -l <<<"$failed") list(s);" \
             "trying again in $apt_pause s ($try of $apt_tries)" >&2
        sleep "$apt_pause"
        try=$((try + 1))
    done
    [ -z "$out" ] || printf '%s\n' "$out" >&2
}

# apt-get install -y of the arguments, quietly. Where apt cannot resolve them
# (while the archive updates, a library's amd64 build may be newer in the
# security suite than its i386 twin, and Multi-Arch: same wants one version),
# it is tried once more with the release's own suite ranked above its
# security and updates suites, so that every architecture comes from one
# suite.
apt_install() {
    local out
    if out=$(apt_run install -y -q "$@" 2>&1); then
        return 0
    fi
    if ! grep -q -e '^E: Unable to correct problems' -e 'unmet dependencies' <<<"$out"; then
        printf '%s\n' "$out" >&2
        return 1
    fi
    apt_install_one_suite "$@"
}

# The second try, in a subshell of its own so that its trap holds for it
# alone. The ranking is a preferences file made for this one command and
# given to apt in place of the machine's own (whose records it repeats after
# its own, so that they still count); nothing is written under /etc/apt.
apt_install_one_suite() (
    # shellcheck source=/dev/null
    suite=${apt_suite:-$(. /etc/os-release && echo "${VERSION_CODENAME:-}")}
    if [ -z "$suite" ]; then
        echo "setup: the release has no code name in /etc/os-release" >&2
        exit 1
    fi
    # Bash runs it also when a signal ends the shell (Ctrl+C, SIGTERM, SIGHUP).
    dir=""
    trap '[ -z "$dir" ] || rm -rf "$dir"' EXIT
    dir=$(mktemp -d "${TMPDIR:-/tmp}/apt-one-suite.XXXXXX") || exit 1
    prefs=$dir/preferences
    {
        echo "# For one apt-get install: every architecture from $suite."
        for other in "$suite-security" "$suite-updates"; do
            printf '%s\n' "Package: *" "Pin: release n=$other" "Pin-Priority: 90" ""
        done
        own=$(apt-config "${apt_options[@]}" shell f Dir::Etc::preferences/f)
        eval "$own"
        [ ! -f "${f:-}" ] || cat "$f"
    } >"$prefs"
    echo "setup: apt-get install cannot resolve the packages; trying once more with every" \
         "architecture from $suite, ranked above $suite-security and $suite-updates" >&2
    if ! out=$(apt_run -o Dir::Etc::preferences="$prefs" install -y -q "$@" 2>&1); then
        printf '%s\n' "$out" >&2
        exit 1
    fi
    echo "setup: installed with every architecture from $suite" >&2
)
