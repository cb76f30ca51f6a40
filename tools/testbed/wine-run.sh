#!/bin/bash
# Runs a Windows program under Wine in the lane ctest gave the test (or the
# display and prefix that tools/wine-env.sh set up): ctest's cross-compiling
# emulator, and the end-to-end scripts' way of asking the probe.
#
# Once in a few hundred starts Wine's loader gives up at once, with a
# failure status and not a line of output, before the program runs at all.
# Such a start is tried once more; anything the program itself did (any
# output, or a run of more than a moment) stands as it is. Standard output
# and standard error stay apart.
source "$(dirname "${BASH_SOURCE[0]}")/wine-lane.sh"
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "wine-run: source tools/wine-env.sh first (no WINEPREFIX or DISPLAY)" >&2
    exit 2
fi
out=$(mktemp) || exec wine "$@"
trap 'rm -f "$out"' EXIT
for attempt in 1 2; do
    start=$(date +%s%N)
    wine "$@" | tee "$out"
    rc=${PIPESTATUS[0]}
    elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
    if [ "$rc" -eq 0 ] || [ -s "$out" ] || [ "$elapsed_ms" -ge 1000 ] || [ "$attempt" -eq 2 ]; then
        exit "$rc"
    fi
    echo "wine-run: Wine stopped after ${elapsed_ms} ms with status $rc and no output; starting it again" >&2
done
