#!/bin/bash
# Inside the 32-bit Wine root (win32-tests.sh starts it there): a display and
# a prefix of this run's own, then build/win32's ctest, its log in
# build/win32-ctest.log. The prefix is a copy of one kept in the root, made by
# the first run there (a new prefix takes Wine a quarter of a minute and more).
#   win32-ctest.sh [CTEST-ARGS]     (FERROW_RUN_ID names this run's display and prefix)
set -u
cd "$(dirname "$0")/../.."
log=$(pwd)/build/win32-ctest.log
# Wine's starts are counted as on the host, when the host counts them.
[ -n "${FERROW_WINE_COUNT:-}" ] && export PATH=$(pwd)/tools/testbed/counted:$PATH
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
# Whatever happens, the display ends (the PID namespace would end it with
# SIGKILL, leaving its lock file) and the prefix goes.
trap 'declare -F wine_env_stop >/dev/null && wine_env_stop; rm -rf "$FERROW_WINEPREFIX"' EXIT
rm -rf "$FERROW_WINEPREFIX"
[ -f "$template/system.reg" ] && cp -a "$template" "$FERROW_WINEPREFIX"
source tools/wine-env.sh "w32-$FERROW_RUN_ID" || exit 1
echo "Wine: $(wine --version) (32-bit loader: $(/usr/lib/wine/wine --version)); display and prefix ready in $((SECONDS - started)) s"
ctest --test-dir build/win32 --verbose -j1 "$@" >"$log" 2>&1
tools/testbed/ctest-summary.sh "$log" $?
