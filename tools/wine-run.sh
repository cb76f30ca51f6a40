#!/bin/bash
# Runs a Windows program under Wine in the prefix and display that
# tools/wine-env.sh set up; ctest uses it as the cross-compiling emulator.
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "wine-run: source tools/wine-env.sh first (no WINEPREFIX or DISPLAY)" >&2
    exit 2
fi
exec wine "$@"
