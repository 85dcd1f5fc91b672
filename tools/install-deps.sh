#!/usr/bin/env bash
# Installs the Debian packages that a make target needs:
#   tools/install-deps.sh [run|test|bench|screenshot|dist|windows-tests|fairness]
# "test" (the default) is everything: the MinGW-w64 cross compilers, Wine,
# Xvfb, CMake, GoogleTest's source, the native g++ and gnuplot, Python 3 and
# the locales whose code pages the tests start the program under.
# Run as root; anyone else is told what to install. Only Debian packages,
# only through apt.
set -euo pipefail
target=${1:-test}

# Stand-ins for the machine, so that tests can drive each decision:
#   RAVLO_KERNEL_RUNS_32BIT=yes|no  instead of asking the kernel
#   RAVLO_STATE_DIR                 where a failed 32-bit Wine is remembered
#   RAVLO_APT_PAUSE                 seconds between tries of apt-get update
#   RAVLO_LOCK_WAIT                 seconds to wait, in all, for another apt or dpkg
state_dir=${RAVLO_STATE_DIR:-/var/lib/ravlo-setup}
failed_marker="$state_dir/wine32-failed"
pause=${RAVLO_APT_PAUSE:-5}
lock_wait=${RAVLO_LOCK_WAIT:-300}

# Both builds' compilers: where 32-bit Wine cannot run (or cannot be
# installed), the tests run a 64-bit build of the same sources under wine64
# (tools/runnable-build.sh).
build=(cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686
       g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64)
wine=(wine wine64 fonts-wine)
display=(xvfb)            # a virtual display, where none is set
picture=(imagemagick)     # turns the dialog's bitmap into a PNG
# python3 writes the release zip, with a Unicode name that Windows reads right.
dist=(python3)
# g++, gnuplot-nox (its pngcairo terminal) and DejaVu make the native fairness report.
fairness=(cmake make g++ gnuplot-nox fonts-dejavu-core)
# Wine takes its ANSI code page from the Unix locale: 1251 and 65001 (the
# UTF-8 option of Windows 11) besides C.UTF-8's 1252; localedef is in locales.
locales=()

packages=()
case $target in
    run)        packages=("${build[@]}" "${wine[@]}")
                [ -n "${DISPLAY:-}" ] || packages+=("${display[@]}" "${picture[@]}") ;;
    screenshot) packages=("${build[@]}" "${wine[@]}" "${display[@]}" "${picture[@]}") ;;
    bench)      packages=("${build[@]}" "${wine[@]}" "${display[@]}" googletest) ;;
    dist|windows-tests) packages=("${build[@]}" "${dist[@]}"); [ "$target" = dist ] || packages+=(googletest) ;;
    fairness)   packages=("${fairness[@]}") ;;
    test)       packages=("${build[@]}" "${wine[@]}" "${display[@]}" "${picture[@]}" googletest
                          "${dist[@]}" "${fairness[@]}" locales)
                locales=(ru_RU hi_IN) ;;
    *) echo "install-deps: unknown target '$target' (run, test, bench, screenshot, dist, windows-tests or fairness)" >&2
       exit 2 ;;
esac
wants_wine=0
case " ${packages[*]} " in *" wine "*) wants_wine=1 ;; esac

# No "command | grep -q" here: grep stops reading at the first match, and under
# pipefail the command it leaves writing into a closed pipe fails the test.
installed() { [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]; }
have_locale() { grep -qix "$1.utf-\?8" <<<"$(locale -a 2>/dev/null)"; }

# Kept until the script ends, however it ends (Ctrl+C included).
probe_dir= log=
trap 'rm -rf ${probe_dir:+"$probe_dir"} ${log:+"$log"}' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Whether this kernel runs 32-bit x86 programs: it runs a 96-byte ELF for
# i386, written here, that does nothing but exit with 42 (Linux's exit call
# through int 0x80). Where IA-32 emulation is off, exec fails ("Exec format
# error"), and Wine's 32-bit loader could never start either. The program is
# written to the first folder where a shell script may run (/tmp may be
# mounted noexec). Answers 2 where no folder lets a program run at all.
kernel_runs_32bit() {
    case ${RAVLO_KERNEL_RUNS_32BIT:-} in yes) return 0 ;; no) return 1 ;; unknown) return 2 ;; esac
    local dir folder rc
    for folder in "${TMPDIR:-/tmp}" /var/tmp /dev/shm "$(dirname "$0")"; do
        dir=$(mktemp -d "$folder/ravlo-probe.XXXXXX" 2>/dev/null) || continue
        probe_dir=$dir
        printf '#!/bin/sh\nexit 42\n' >"$dir/probe.sh"
        chmod +x "$dir/probe.sh"
        rc=0; "$dir/probe.sh" 2>/dev/null || rc=$?
        if [ "$rc" != 42 ]; then rm -rf "$dir"; probe_dir=; continue; fi
        # ELF header (52 bytes), one loadable segment (32 bytes) at 0x08048000,
        # then: mov eax, 1; mov ebx, 42; int 0x80.
        printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0' >"$dir/probe"
        printf '\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\140\0\0\0\140\0\0\0\5\0\0\0\0\20\0\0' >>"$dir/probe"
        printf '\270\1\0\0\0\273\52\0\0\0\315\200' >>"$dir/probe"
        chmod +x "$dir/probe"
        rc=0; "$dir/probe" 2>/dev/null || rc=$?
        rm -rf "$dir"; probe_dir=
        [ "$rc" = 42 ]
        return
    done
    return 2
}

# What is missing: packages, locales, and 32-bit Wine where it can run (and
# never at the cost of the rest). False when nothing is.
kernel=
find_missing() {
    local p l
    missing=() missing_locales=() no32=0 want_wine32=0
    for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
    for l in "${locales[@]}"; do have_locale "$l" || missing_locales+=("$l"); done
    if [ "$wants_wine" = 1 ] && ! installed wine32:i386; then
        [ -n "$kernel" ] || { kernel=0; kernel_runs_32bit || kernel=$?; }
        if [ "$kernel" != 0 ]; then
            no32=$kernel
        elif [ -z "$(find "$failed_marker" -mmin -1440 2>/dev/null)" ]; then
            # A 32-bit Wine that would not install is tried again a day later,
            # not at every make.
            want_wine32=1
        fi
    fi
    [ "${#missing[@]}" != 0 ] || [ "${#missing_locales[@]}" != 0 ] || [ "$want_wine32" = 1 ]
}
find_missing || exit 0

# Where nothing can be installed (not root, or no installer lock), says why
# and what to install by hand, and stops; only 32-bit Wine missing is no failure.
cannot_install() {
    [ -z "$1" ] || echo "$1" >&2
    if [ "${#missing[@]}" = 0 ] && [ "${#missing_locales[@]}" = 0 ]; then
        # Only 32-bit Wine is missing: the 64-bit build stands in for it.
        echo "32-bit Wine is not installed, so the tests run the 64-bit build; as root: dpkg --add-architecture i386 && apt-get update; apt-get install wine32:i386" >&2
        exit 0
    fi
    echo "Missing packages: ${missing[*]}${missing_locales[*]:+ (and the locales ${missing_locales[*]})}" >&2
    [ "${#missing[@]}" = 0 ] || echo "As root run: apt-get update; apt-get install -y ${missing[*]}" >&2
    for l in "${missing_locales[@]}"; do echo "and: localedef -i $l -f UTF-8 $l.UTF-8" >&2; done
    exit 1
}
[ "$(id -u)" = 0 ] || cannot_install ""

# One installer at a time (two make targets at once, another terminal): the
# second waits for the first, an hour at most, then finds its packages installed.
lock="$state_dir/installer.lock"
words=$(mkdir -p "$state_dir" 2>&1 && touch "$lock" 2>&1) && exec 8<>"$lock" ||
    cannot_install "Cannot make $lock, the lock that lets one installer run at a time: ${words:-not writable}. Nothing was installed."
if ! flock -n 8; then
    read -r holder <&8 || true
    echo "Waiting for another tools/install-deps.sh${holder:+ (process $holder)} to finish, an hour at most ..."
    flock -w 3600 8 || { echo "Another tools/install-deps.sh has been installing for an hour: giving up." >&2; exit 1; }
    find_missing || exit 0   # the other may have installed it all
fi
printf '%-12s\n' "$$" >"$lock"

export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)

# apt-get with its output in $log (a carriage return starts a line). Waits
# for another apt or dpkg (unattended upgrades at first boot) to let go of its
# lock, $lock_wait seconds at most for the whole run, never a negative
# time-out (which apt takes as for ever): dpkg's lock through apt's own
# time-out, the lists and download locks (which apt does not wait for) by
# trying again here. Says once what it waits for, in apt's words, which name
# the process.
deadline=$((SECONDS + lock_wait)) told_waiting=0
left() { echo $((deadline > SECONDS ? deadline - SECONDS : 0)); }
apt_get() {
    local rc
    while :; do
        rc=0
        # (8>&-: a service that a package starts must not inherit the installer lock.)
        apt-get -q -o DPkg::Lock::Timeout="$(left)" "$@" 8>&- 2>&1 |
            awk -v out="$log" -v told="$told_waiting" -v wait="$(left)" '
                { gsub(/\r/, "\n"); print >out }
                !told && /Could not get lock/ {
                    sub(/^.*Could not get lock/, "Could not get lock"); sub(/\.\.\..*$/, "")
                    print "Waiting up to " wait " s for another package manager: " $0; fflush(); told = 1
                }' || rc=$?
        ! grep -q 'Could not get lock' "$log" || told_waiting=1
        if [ "$rc" = 0 ] || ! lock_held || [ "$(left)" = 0 ]; then return "$rc"; fi
        sleep "$(($(left) < pause ? $(left) : pause))"
    done
}
# A lock held after the last try: apt's error lines, not a wait's progress line.
lock_held() { grep -q '^E: \(Could not get lock\|Unable to acquire the dpkg\)' "$log"; }
# The lock and its holder, in apt's words, once the wait is over: after a
# wait of its own apt names the holder only in its progress line.
say_lock_held() {
    local words
    words=$(grep -o 'Could not get lock .*' "$log" | tail -n 1 | sed 's/\.\.\..*$//')
    [ -n "$words" ] || words=$(grep -o 'Unable to acquire the dpkg.*' "$log" | tail -n 1)
    echo "Gave up after waiting $lock_wait s in all for another package manager: $words. Run this again once that process has finished." >&2
}

# A mirror mid-sync, or one source briefly gone, fails the update while the
# lists from before are still there and usually enough: what decides is
# whether the packages install. Fails only on a lock held past the wait.
apt_update() {
    local try
    update_failed=0
    for try in 1 2 3; do
        apt_get update && return 0
        if lock_held; then say_lock_held; return 1; fi
        [ "$try" = 3 ] || sleep "$pause"
    done
    grep '^E:' "$log" >&2 || cat "$log" >&2
    echo "apt-get update failed three times: going on with the package lists apt already has."
    update_failed=1
}

# Installs the given packages in one transaction; on failure shows apt's
# own words, which name what could not be installed or the lock still held.
apt_install() {
    apt_get install -y --no-install-recommends "$@" && return 0
    if lock_held; then say_lock_held; return 1; fi
    grep -v '^Waiting for cache lock' "$log" >&2
    return 1
}

if [ "${#missing[@]}" != 0 ]; then
    apt_update || exit 1
    if ! apt_install "${missing[@]}"; then
        lock_held || echo "Could not install: ${missing[*]}. A package mirror may be mid-sync: run this again later, or install them by hand." >&2
        exit 1
    fi
    echo "Installed: ${missing[*]}"
fi
for l in "${missing_locales[@]}"; do
    localedef -i "$l" -f UTF-8 "$l.UTF-8"
    echo "Generated the locale $l.UTF-8"
done

if [ "$no32" = 1 ]; then
    echo "This kernel runs no 32-bit programs, so 32-bit Wine cannot start here: no i386 packages; the tests will build and run the 64-bit build under wine64."
elif [ "$no32" = 2 ]; then
    echo "Could not find out whether this kernel runs 32-bit programs (no temporary folder, nor tools/, lets a program run): no i386 packages; the tests will build and run the 64-bit build under wine64."
fi
[ "$want_wine32" = 1 ] || exit 0

# 32-bit Wine, in a transaction of its own: the i386 packages come from
# other indexes than the rest, and a failure here must not keep out the rest.
added_arch=0
grep -qx i386 <<<"$(dpkg --print-foreign-architectures)" || { dpkg --add-architecture i386; added_arch=1; }
if apt_update && apt_install wine32:i386; then
    rm -f "$failed_marker"
    echo "Installed: wine32:i386"
    exit 0
fi
# Remembered for a day only when it lasts: the lists are fresh and apt still
# cannot install it. A held lock, a failed update or a download that broke
# off is tried again at the next make.
lasting=0 when="It is tried again at the next make."
if [ "$update_failed" = 0 ] && ! lock_held && ! grep -q '^E: \(Failed to fetch\|Unable to fetch\)' "$log"; then
    lasting=1 when="It is tried again a day later, or at the next make after: rm $failed_marker"
fi
echo "Warning: 32-bit Wine could not be installed (apt's words above): the shipped 32-bit ravlo.exe will be built and checked but not run; the tests run the 64-bit build under wine64 instead. $when" >&2
if [ "$added_arch" = 1 ] && ! grep -qx i386 <<<"$(dpkg-query -W -f='${Architecture}\n' 2>/dev/null)"; then
    # Nothing of i386 went in: without the architecture, apt-get update no
    # longer fetches (and fails on) its indexes.
    dpkg --remove-architecture i386
fi
[ "$lasting" = 0 ] || touch "$failed_marker"
exit 0
