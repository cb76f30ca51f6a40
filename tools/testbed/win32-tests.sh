#!/bin/bash
# The tests of the 32-bit build (build/win32), run by './ferrow.sh test' after
# the builds: the i686 unit tests and the end-to-end proof of tests/e2e32,
# through that build's ctest (win32-ctest.sh), inside the 32-bit Wine root of
# wine32-root.sh (made on a machine's first run, reused later). The screen is
# read by the 64-bit probe of build/win64: a 64-bit process starts at once,
# where a 32-bit one may be emulated.
#   tools/testbed/win32-tests.sh [CTEST-ARGS]   ctest's log: build/win32-ctest.log
# (CTEST-ARGS such as "-R drop" pick tests while working on them.)
set -u
cd "$(dirname "$0")/../.."
root=$(pwd)
rm -f build/win32-ctest.log
for f in build/win32/ferrow.exe build/win32/tests/unit/unit_tests.exe build/win64/tools/probe/ferrow_probe.exe; do
    [ -f "$f" ] || { echo "win32-tests: $f is missing (build the win32 and win64 presets)" >&2; exit 1; }
done
tools/testbed/wine32-root.sh ensure || exit 1
tools/testbed/wine32-root.sh run "$root" \
    FERROW_RUN_ID=$$ FERROW_PROBE_EXE="$root/build/win64/tools/probe/ferrow_probe.exe" \
    ${FERROW_WINE_COUNT:+FERROW_WINE_COUNT="$FERROW_WINE_COUNT"} \
    /bin/bash "$root/tools/testbed/win32-ctest.sh" "$@"
