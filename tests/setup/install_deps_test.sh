#!/usr/bin/env bash
# The installer's decisions, one row a machine, without touching this
# machine's packages: stand-ins for apt-get, dpkg, dpkg-query, id, locale and
# localedef on PATH record what they are asked and answer as the row says.
#   tests/setup/install_deps_test.sh [path/to/install-deps.sh]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
script=${1:-$root/tools/install-deps.sh}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The stand-ins keep the machine in $FAKE: missing (packages not installed,
# one a line, or "*" for none installed), archs, locales, updates (failed
# updates so far), locked (calls so far that found a lock held), calls (what
# was asked).
mkdir "$work/bin"
cat >"$work/bin/apt-get" <<'EOF'
#!/bin/bash
echo "apt-get $*" >>"$FAKE/calls"
timeout=0
while [[ $1 = -* ]]; do
    [ "$1" = -o ] && { [[ $2 != DPkg::Lock::Timeout=* ]] || timeout=${2#*=}; shift; }; shift
done
echo "${EPOCHREALTIME/./}" >>"$FAKE/apt_times"; trap 'echo "${EPOCHREALTIME/./}" >>"$FAKE/apt_times"' EXIT
n=$(cat "$FAKE/locked"); echo $((n + 1)) >"$FAKE/locked"
lock=
if [ "$FAKE_LOCKED" = always ] || [ "$n" -lt "$FAKE_LOCKED" ]; then
    lock=/var/lib/dpkg/lock-frontend; [ "$1" = update ] && lock=/var/lib/apt/lists/lock
elif [ "$1" = install ] && [ -n "$FAKE_INSTALL_LOCKS" ]; then
    echo >>"$FAKE/installs"; locks=(${FAKE_INSTALL_LOCKS//,/ }); k=$(($(wc -l <"$FAKE/installs") - 1))
    lock=/var/lib/dpkg/lock-frontend; [ "${locks[k < ${#locks[@]} ? k : ${#locks[@]} - 1]}" = dpkg ] || lock=/var/cache/apt/archives/lock
fi
if [ -n "$lock" ]; then
    # apt waits out its time-out for dpkg's lock (a negative one for ever),
    # naming the holder then only in its progress line; not for the download
    # lock of a download-only run.
    if [ "$lock" = /var/lib/dpkg/lock-frontend ] && [ "$timeout" != 0 ]; then
        echo "Waiting for cache lock: Could not get lock $lock. It is held by process 1333 (unattended-upgr)..."
        sleep "${timeout#-}"
    else
        echo "E: Could not get lock $lock. It is held by process 1333 (unattended-upgr)" >&2
    fi
    [ "$lock" != /var/lib/dpkg/lock-frontend ] || echo "E: Unable to acquire the dpkg frontend lock ($lock), is another process using it?" >&2
    exit 100
fi
case $1 in
update)
    n=$(cat "$FAKE/updates"); echo $((n + 1)) >"$FAKE/updates"
    if [ "$FAKE_UPDATE_FAILS" = always ] || [ "$n" -lt "$FAKE_UPDATE_FAILS" ]; then
        echo "E: Failed to fetch http://deb.example/dists/x/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
        exit 100
    fi ;;
install)
    shift; pkgs=(); for a in "$@"; do case $a in -*) ;; *) pkgs+=("$a") ;; esac; done
    verdict=ok
    for p in "${pkgs[@]}"; do
        if [ "$p" = wine32:i386 ]; then [ "$FAKE_I386_INSTALL" = ok ] || verdict=fail
        else [ "$FAKE_MAIN_INSTALL" != fail ] || verdict=fail; fi
    done
    if [ "$FAKE_MAIN_INSTALL" = 404 ]; then   # after a wait for dpkg's lock that ended
        echo "Waiting for cache lock: Could not get lock /var/lib/dpkg/lock-frontend. It is held by process 1333 (unattended-upgr)... 12s"
        echo "E: Failed to fetch http://deb.example/pool/main/c/cmake/cmake_3.25.1-1_amd64.deb  404  Not Found [IP: 192.0.2.1 80]" >&2
        exit 100
    fi
    if [ "$verdict" = fail ]; then
        echo " libwine : Depends: libgstreamer-plugins-base1.0-0 but it is not installable"
        echo "E: Unable to correct problems, you have held broken packages." >&2
        exit 100
    fi
    sleep "$FAKE_INSTALL_SECONDS"
    for p in "${pkgs[@]}"; do
        if [ "$(cat "$FAKE/missing")" = "*" ]; then echo "installed $p" >>"$FAKE/got"; fi
        grep -vxF "$p" "$FAKE/missing" >"$FAKE/missing.new"; mv "$FAKE/missing.new" "$FAKE/missing"
    done ;;
esac
exit 0
EOF
cat >"$work/bin/dpkg-query" <<'EOF'
#!/bin/bash
# -W -f=FORMAT [PACKAGE]
pkg=${3:-}
if [ -z "$pkg" ]; then   # every installed package's architecture
    grep -q ':i386$' "$FAKE/got" 2>/dev/null && echo i386
    echo amd64; exit 0
fi
if [ "$(cat "$FAKE/missing")" = "*" ]; then grep -qxF "installed $pkg" "$FAKE/got" 2>/dev/null && { echo -n "install ok installed"; exit 0; }
elif ! grep -qxF "$pkg" "$FAKE/missing"; then echo -n "install ok installed"; exit 0; fi
echo "dpkg-query: no packages found matching $pkg" >&2; exit 1
EOF
cat >"$work/bin/dpkg" <<'EOF'
#!/bin/bash
echo "dpkg $*" >>"$FAKE/calls"
case $1 in
--print-foreign-architectures) cat "$FAKE/archs" ;;
--add-architecture) echo "$2" >>"$FAKE/archs" ;;
--remove-architecture) grep -vxF "$2" "$FAKE/archs" >"$FAKE/archs.new"; mv "$FAKE/archs.new" "$FAKE/archs" ;;
esac
EOF
printf '#!/bin/bash\necho "$FAKE_UID"\n' >"$work/bin/id"
printf '#!/bin/bash\ncat "$FAKE/locales"\n[ ! -e "$FAKE/many_locales" ] || seq -f "xx_%%g.utf8" 20000\n' >"$work/bin/locale"
printf '#!/bin/bash\necho "localedef $*" >>"$FAKE/calls"\necho "$2.utf8" >>"$FAKE/locales"\n' >"$work/bin/localedef"
chmod +x "$work/bin"/*

failures=0
# check NAME SETTINGS EXPECTATIONS
#   settings:     missing=a,b | missing=*  uid=N  kernel32=yes|no|unknown  target=T
#                 update_fails=N|always  main_install=fail|404  i386_install=fail
#                 fresh_failure (32-bit Wine failed an hour ago)  old_failure (two days ago)
#                 display=:0  no_locales (none of the test locales generated)
#                 many_locales (more than a pipe holds, the test locales first)
#                 locked=N|always (apt-get calls that find a lock held)  lock_wait=SECONDS
#                 install_locks=dpkg|archives,... (the lock that each install finds held, the last for ever)
#                 pause=SECONDS (between tries)  twice (a second installer starts while the first installs)
#                 unmakeable_state (the state folder cannot be made)
#   expectations: exit=N  say=REGEX  !say=REGEX  say_once=REGEX  call=REGEX  !call=REGEX
#                 call_once=REGEX  arch=i386|none  marker=yes|no
#                 waits_within=SECONDS (from the first apt-get's start to the last one's end)
check() {
    local name=$1 settings=$2 expectations=$3
    local FAKE="$work/$name"; FAKE=${FAKE// /-}
    mkdir -p "$FAKE/state"
    local missing="" uid=0 kernel32=yes target=test display="" s
    local update_fails=0 main_install=ok i386_install=ok locked=0 lock_wait=60 twice=0
    local install_locks="" pause=0 state="$FAKE/state"
    : >"$FAKE/archs"; : >"$FAKE/calls"; : >"$FAKE/apt_times"; : >"$FAKE/installs"; : >"$FAKE/got"; echo 0 >"$FAKE/updates"; echo 0 >"$FAKE/locked"
    printf 'C\nC.utf8\nru_RU.utf8\nhi_IN.utf8\n' >"$FAKE/locales"
    for s in $settings; do
        case $s in
        missing=*) missing=${s#missing=} ;;
        uid=*) uid=${s#uid=} ;;
        kernel32=*) kernel32=${s#kernel32=} ;;
        target=*) target=${s#target=} ;;
        display=*) display=${s#display=} ;;
        update_fails=*) update_fails=${s#update_fails=} ;;
        main_install=*) main_install=${s#main_install=} ;;
        i386_install=*) i386_install=${s#i386_install=} ;;
        no_locales) : >"$FAKE/locales.none" ;;
        many_locales) : >"$FAKE/many_locales" ;;
        fresh_failure) touch -d '1 hour ago' "$FAKE/state/wine32-failed" ;;
        old_failure) touch -d '2 days ago' "$FAKE/state/wine32-failed" ;;
        locked=*) locked=${s#locked=} ;;
        lock_wait=*) lock_wait=${s#lock_wait=} ;;
        twice) twice=1 ;;
        install_locks=*) install_locks=${s#install_locks=} ;;
        pause=*) pause=${s#pause=} ;;
        unmakeable_state) : >"$FAKE/file"; state="$FAKE/file/state" ;;
        esac
    done
    if [ "$missing" = "*" ]; then echo "*" >"$FAKE/missing"; : >"$FAKE/locales"
    else tr ',' '\n' <<<"$missing" >"$FAKE/missing"; fi
    [ ! -e "$FAKE/locales.none" ] || : >"$FAKE/locales"
    # Where 32-bit Wine is installed, so is its architecture.
    grep -qxF -e "*" -e wine32:i386 "$FAKE/missing" || echo i386 >"$FAKE/archs"

    local out rc=0 first=""
    install() {
        env -u DISPLAY ${display:+DISPLAY=$display} PATH="$work/bin:$PATH" FAKE="$FAKE" FAKE_UID="$uid" \
            FAKE_UPDATE_FAILS="$update_fails" FAKE_MAIN_INSTALL="$main_install" FAKE_I386_INSTALL="$i386_install" \
            FAKE_LOCKED="$locked" FAKE_INSTALL_SECONDS="$twice" RAVLO_LOCK_WAIT="$lock_wait" \
            FAKE_INSTALL_LOCKS="$install_locks" \
            RAVLO_KERNEL_RUNS_32BIT="$kernel32" RAVLO_STATE_DIR="$state" RAVLO_APT_PAUSE="$pause" \
            bash "$script" "$target" 2>&1
    }
    if [ "$twice" = 1 ]; then
        # The second starts while the first installs; both must succeed.
        install >"$FAKE/first.out" & first=$!
        sleep 0.5
    fi
    out=$(install) || rc=$?
    if [ -n "$first" ]; then wait "$first" || rc=$?; out+=$'\n'$(cat "$FAKE/first.out"); fi

    local e bad=""
    for e in $expectations; do
        e=${e//%/ }
        case $e in
        exit=*) [ "$rc" = "${e#exit=}" ] || bad+=" exit $rc, not ${e#exit=};" ;;
        say=*) grep -qE -- "${e#say=}" <<<"$out" || bad+=" did not say /${e#say=}/;" ;;
        say_once=*) [ "$(grep -cE -- "${e#say_once=}" <<<"$out")" = 1 ] || bad+=" did not say /${e#say_once=}/ once;" ;;
        call_once=*) [ "$(grep -cE -- "${e#call_once=}" "$FAKE/calls")" = 1 ] || bad+=" did not call /${e#call_once=}/ once;" ;;
        marker=yes) [ -e "$FAKE/state/wine32-failed" ] || bad+=" no note of a failed 32-bit Wine;" ;;
        marker=no) [ ! -e "$FAKE/state/wine32-failed" ] || bad+=" a note of a failed 32-bit Wine;" ;;
        '!say='*) ! grep -qE -- "${e#!say=}" <<<"$out" || bad+=" said /${e#!say=}/;" ;;
        call=*) grep -qE -- "${e#call=}" "$FAKE/calls" || bad+=" never called /${e#call=}/;" ;;
        '!call='*) ! grep -qE -- "${e#!call=}" "$FAKE/calls" || bad+=" called /${e#!call=}/;" ;;
        waits_within=*) local waited_ms=$((($(sort -n "$FAKE/apt_times" | sed -n '$p') - $(sort -n "$FAKE/apt_times" | sed -n 1p) + 0) / 1000))
            [ "$waited_ms" -le $((${e#waits_within=} * 1000)) ] || bad+=" apt-get ran for $waited_ms ms, more than ${e#waits_within=} s;" ;;
        arch=none) [ ! -s "$FAKE/archs" ] || bad+=" architectures left: $(tr '\n' ' ' <"$FAKE/archs");" ;;
        arch=*) grep -qx "${e#arch=}" "$FAKE/archs" || bad+=" no ${e#arch=} architecture;" ;;
        esac
    done
    if [ -n "$bad" ]; then
        failures=$((failures + 1))
        echo "FAIL: $name:$bad"
        sed 's/^/    output: /' <<<"$out"
        sed 's/^/    call: /' "$FAKE/calls"
    else
        echo "ok: $name"
    fi
}

# Spaces inside one expectation are written as %.
every=' !call=^apt-get'
#     name                                   settings                                 expectations
check "everything present"                   ""                                       "exit=0 $every !call=^dpkg%--add"
check "update fails once, then works"        "missing=cmake update_fails=1"           "exit=0 call=install.*cmake !say=going%on%with"
check "update always fails, install works"   "missing=cmake update_fails=always"      "exit=0 call=install.*cmake say=going%on%with%the%package%lists"
check "no 32-bit processes"                  "missing=* kernel32=no"                  "exit=0 call=install.*wine64 !call=wine32 !call=add-architecture arch=none say=runs%no%32-bit%programs"
check "no 32-bit, all else present"          "missing=wine32:i386 kernel32=no"        "exit=0 $every !call=dpkg%--add"
check "32-bit, the i386 install fails"       "missing=* i386_install=fail"            "exit=0 call=install.*g\+\+-mingw-w64-i686.*wine64 call=install.*wine32:i386 say=Warning:%32-bit%Wine say=held%broken arch=none call=remove-architecture marker=yes say=rm%.*wine32-failed"
check "32-bit, the i386 install works"       "missing=*"                              "exit=0 call=add-architecture%i386 call=install.*wine32:i386 arch=i386 !say=Warning"
check "32-bit Wine failed an hour ago"       "missing=wine32:i386 fresh_failure"      "exit=0 $every"
check "32-bit Wine failed two days ago"      "missing=wine32:i386 old_failure"        "exit=0 call=install.*wine32:i386 marker=no"
check "main lists fail, i386 lasting fail"   "missing=* update_fails=3 i386_install=fail" "exit=0 say=Warning marker=yes"
check "i386 lists fail: tried at next make"  "missing=wine32:i386 update_fails=always i386_install=fail" "exit=0 say=Warning marker=no"
check "i386 lock held: tried at next make"   "missing=wine32:i386 locked=always lock_wait=0" "exit=0 say=Warning marker=no"
check "locks held, then freed"               "missing=cmake locked=4"                 "exit=0 call=install.*cmake say_once=Waiting.*process%1333 !say=mirror"
check "locks held past the wait"             "missing=cmake locked=always lock_wait=0" "exit=1 say=/var/lib/apt/lists/lock.*process%1333 !say=mirror !call=install"
check "dpkg's lock held for good"            "missing=cmake locked=1 install_locks=dpkg lock_wait=4 pause=2" "exit=1 waits_within=5 say=lock-frontend.*process%1333 !say=mirror"
check "no negative time-out after a try"     "missing=cmake install_locks=archives,dpkg lock_wait=2 pause=3" "exit=1 !call=Timeout=- say=lock-frontend.*process%1333"
check "a wait that ended, then a 404"        "missing=cmake main_install=404"         "exit=1 say=Failed%to%fetch.*404 !say=Gave%up"
check "two installers at once"               "missing=cmake twice"                    "exit=0 call_once=install say=Waiting%for%another"
check "kernel cannot be asked"               "missing=* kernel32=unknown"             "exit=0 !call=wine32 say=Could%not%find%out !say=runs%no%32-bit"
check "more locales than a pipe holds"       "many_locales"                           "exit=0 $every !call=localedef"
check "the main install fails"               "missing=* main_install=fail"            "exit=1 say=held%broken say=Could%not%install !call=wine32"
check "not root, a package missing"          "missing=cmake uid=1000"                 "exit=1 say=apt-get%install%-y%cmake $every"
check "no state folder, nothing missing"     "unmakeable_state"                       "exit=0 $every"
check "no state folder, a package missing"   "missing=cmake unmakeable_state"         "exit=1 say=Cannot%make.*installer.lock say=apt-get%install%-y%cmake $every"
check "not root, everything present"         "uid=1000"                               "exit=0 $every"
check "make run with a display"              "missing=xvfb,imagemagick,googletest target=run display=:0" "exit=0 $every"
check "make run without a display"           "missing=xvfb,googletest target=run"     "exit=0 call=install.*xvfb !call=googletest"
check "make fairness asks for no Wine"       "missing=* target=fairness"              "exit=0 call=install.*gnuplot-nox !call=wine"
check "locales only: generated, no apt"      "no_locales"                             "exit=0 $every call=localedef%-i%ru_RU call=localedef%-i%hi_IN"

if [ "$failures" != 0 ]; then echo "$failures row(s) failed"; exit 1; fi
echo "all rows passed"
