#!/bin/bash
# Runs ferrow.exe on the private display that tools/wine-env.sh set up: waits
# for the main window, prints the result list's lines, saves a picture of the
# window and closes the program ("Save CRC's?" is answered No).
#   tools/headless_run.sh EXE [PATH]
# A PATH that exists on this machine is handed over as its Windows name; any
# other text is passed on unchanged (relative names are relative to the
# current folder, which Wine shares).
set -u
if [ $# -lt 1 ] || [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
    echo "usage: source tools/wine-env.sh NAME; $0 EXE [PATH]" >&2
    exit 2
fi
exe=$1
shift
build_dir=$(cd "$(dirname "$exe")" && pwd)
probe="$build_dir/tools/probe/ferrow_probe.exe"
if [ ! -f "$probe" ]; then
    echo "headless_run: $probe is missing (build the win64 preset)" >&2
    exit 1
fi

args=()
for arg in "$@"; do
    case "$arg" in
        /*) if [ -e "$arg" ]; then arg=$(winepath -w "$arg" 2>/dev/null); fi ;;
    esac
    args+=("$arg")
done

wine "$exe" "${args[@]}" >/dev/null 2>&1 &
program=$!

probe() {
    wine "$probe" "$@" 2>/dev/null | tr -d '\r'
    return "${PIPESTATUS[0]}"
}

# A long check keeps the progress dialog open; allow it ten minutes.
if ! probe wait 600000 >/dev/null; then
    echo "headless_run: the main window did not come up" >&2
    kill "$program" 2>/dev/null
    wait "$program" 2>/dev/null
    exit 1
fi

echo "--- result list"
probe lines
echo "--- status: $(probe status)"

shot_dir="$build_dir/screenshots"
mkdir -p "$shot_dir"
shot="$shot_dir/ferrow-$(date +%Y%m%d-%H%M%S).png"
read -r left top right bottom < <(probe rect)
if [ -n "${bottom:-}" ] && import -window root "$shot.full.png" 2>/dev/null; then
    convert "$shot.full.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$shot" &&
        echo "--- screenshot: $shot"
    rm -f "$shot.full.png"
else
    echo "headless_run: no screenshot" >&2
fi

rc=0
if ! probe close 30000; then
    echo "headless_run: the program did not close; ending it" >&2
    kill "$program" 2>/dev/null
    rc=1
fi
wait "$program" 2>/dev/null
exit $rc
