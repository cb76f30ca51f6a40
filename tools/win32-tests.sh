#!/bin/bash
# The tests of the 32-bit build (build/win32), run by './ferrow.sh test' after
# the builds: the i686 unit tests and the end-to-end proof of tests/e2e32,
# through that build's ctest, inside the 32-bit Wine root of
# tools/wine32-root.sh (made on a machine's first run, reused later). The
# screen is read by the 64-bit probe of build/win64: a 64-bit process starts
# at once, where a 32-bit one may be emulated.
#   tools/win32-tests.sh [CTEST-ARGS]   ctest's log: build/win32-ctest.log
# (CTEST-ARGS such as "-R drop" pick tests while working on them.)
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
log=$root/build/win32-ctest.log

if [ "${1:-}" = inside ]; then
    shift
    # In the root: a display and a prefix of this run's own, then ctest. The
    # prefix is a copy of one kept in the root, made by the first run there
    # (a new prefix takes Wine a quarter of a minute and more).
    started=$SECONDS
    template=/var/lib/ferrow/wine-prefix
    if [ ! -f "$template/system.reg" ]; then
        mkdir -p "$(dirname "$template")"
        new=$template.new-$FERROW_RUN_ID
        rm -rf "$new"
        if (FERROW_WINEPREFIX=$new source tools/wine-env.sh "w32-$FERROW_RUN_ID"; made=$?
            wine_env_stop; exit $made) && [ -f "$new/system.reg" ]; then
            mv -T "$new" "$template" 2>/dev/null
        fi
        rm -rf "$new"
    fi
    export FERROW_WINEPREFIX=/tmp/ferrow-wine-w32-$FERROW_RUN_ID
    # Whatever happens, the display ends (the PID namespace would end it
    # with SIGKILL, leaving its lock file) and the prefix goes.
    trap 'declare -F wine_env_stop >/dev/null && wine_env_stop; rm -rf "$FERROW_WINEPREFIX"' EXIT
    rm -rf "$FERROW_WINEPREFIX"
    [ -f "$template/system.reg" ] && cp -a "$template" "$FERROW_WINEPREFIX"
    source tools/wine-env.sh "w32-$FERROW_RUN_ID" || exit 1
    echo "Wine: $(wine --version) (32-bit loader: $(/usr/lib/wine/wine --version)); display and prefix ready in $((SECONDS - started)) s"
    ctest --test-dir build/win32 --verbose -j1 "$@" >"$log" 2>&1
    rc=$?
    grep -E '^(The following tests FAILED|[[:space:]]+[0-9]+ - .*\((Failed|Timeout|Not Run|SEGFAULT|Exception)\))' "$log"
    grep -E '^[0-9]+% tests passed' "$log"
    exit $rc
fi

rm -f "$log"
for f in build/win32/ferrow.exe build/win32/tests/unit/unit_tests.exe build/win64/tools/probe/ferrow_probe.exe; do
    [ -f "$f" ] || { echo "win32-tests: $f is missing (build the win32 and win64 presets)" >&2; exit 1; }
done
tools/wine32-root.sh ensure || exit 1
tools/wine32-root.sh run "$root" \
    FERROW_RUN_ID=$$ FERROW_PROBE_EXE="$root/build/win64/tools/probe/ferrow_probe.exe" \
    /bin/bash "$root/tools/win32-tests.sh" inside "$@"
