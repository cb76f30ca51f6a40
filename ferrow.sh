#!/bin/bash
# Ferrow: build, run, test and benchmark on a Debian machine (as root).
#   ./ferrow.sh run [PATH]   build and start ferrow.exe under Wine
#   ./ferrow.sh test         build all presets, run every test through ctest
#   ./ferrow.sh bench        build natively and run the benchmarks
set -u
cd "$(dirname "$0")"
root=$(pwd)

packages=(cmake make g++ python3
          g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64
          binutils-mingw-w64-i686 mingw-w64-tools libz-mingw-w64-dev
          wine wine64 fonts-wine xvfb xdotool imagemagick x11-utils
          googletest libgtest-dev libbenchmark-dev zlib1g-dev
          cups printer-driver-cups-pdf poppler-utils clang-14 libclang-rt-14-dev)

ensure_packages() {
    local missing=() p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "ferrow.sh: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq >/dev/null && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build() {
    local preset
    for preset in "$@"; do
        cmake --preset "$preset" >/dev/null || return 1
        cmake --build --preset "$preset" -j"$(nproc)" || return 1
    done
}

# Only the program and its probe: what run needs.
build_program() {
    cmake --preset win64 >/dev/null || return 1
    cmake --build --preset win64 -j"$(nproc)" --target ferrow ferrow_probe || return 1
}

cmd_run() {
    ensure_packages || exit 1
    build_program || exit 1
    local exe="$root/build/win64/ferrow.exe"
    if [ -n "${DISPLAY:-}" ]; then
        # On the user's own display, in a prefix kept between runs.
        FERROW_KEEP_DISPLAY=1 source tools/wine-env.sh run || exit 1
        trap wine_env_stop EXIT
        local args=() arg
        for arg in "$@"; do
            [ "${arg#/}" != "$arg" ] && [ -e "$arg" ] && arg=$(winepath -w "$arg" 2>/dev/null)
            args+=("$arg")
        done
        wine "$exe" "${args[@]}"
        exit $?
    fi
    # No display: a private one; the program is shown, read, photographed and closed.
    source tools/wine-env.sh run-$$ || exit 1
    trap wine_env_stop EXIT
    tools/headless_run.sh "$exe" "$@"
}

stop_test_services() {
    local pid
    if [ -f "$FERROW_TEST_PIDFILE" ]; then
        for pid in $(cat "$FERROW_TEST_PIDFILE"); do kill "$pid" 2>/dev/null; done
        rm -f "$FERROW_TEST_PIDFILE"
    fi
    wine_env_stop
}

# ctest prints its own summary; this keeps it and tells whether it was all green.
run_ctest() {
    local dir=$1 jobs=$2 log=$3
    ctest --test-dir "$dir" --output-on-failure -j"$jobs" >"$log" 2>&1
    local rc=$?
    grep -E '^(The following tests FAILED|[[:space:]]+[0-9]+ - .*\((Failed|Timeout|Not Run|SEGFAULT|Exception)\))' -A0 "$log"
    grep -E 'tests passed|tests failed' "$log"
    return $rc
}

cmd_test() {
    ensure_packages || exit 1
    build native win64 win32 || exit 1
    source tools/wine-env.sh test-$$ || exit 1
    export FERROW_TEST_PIDFILE="$root/build/test-services.pids"
    trap stop_test_services EXIT
    tools/test-setup.sh || exit 1
    local rc=0
    echo "== native unit tests"
    run_ctest build/native 2 build/native-ctest.log || rc=1
    echo "== Wine tests (one at a time: they share the display and the prefix)"
    run_ctest build/win64 1 build/win64-ctest.log || rc=1
    echo "== 32-bit build in a 32-bit Wine (tools/win32-tests.sh)"
    local started=$SECONDS
    tools/win32-tests.sh || rc=1
    echo "32-bit stage: $((SECONDS - started)) s"
    local totals skipped logs=(build/native-ctest.log build/win64-ctest.log build/win32-ctest.log)
    skipped=$(cat "${logs[@]}" 2>/dev/null |
              grep -cE '^[[:space:]]+[0-9]+ - .*\(Skipped\)$')
    totals=$(cat "${logs[@]}" 2>/dev/null |
             grep -oE '[0-9]+ tests failed out of [0-9]+' |
             awk -v s="$skipped" '{f+=$1; t+=$NF} END {printf "%d passed, %d failed, %d skipped", t-f-s, f, s}')
    echo "$totals"
    [ "$rc" -eq 0 ] || echo "ctest logs: ${logs[*]}"
    exit $rc
}

cmd_bench() {
    ensure_packages || exit 1
    build native || exit 1
    local b
    for b in build/native/bench/*_bench; do
        [ -x "$b" ] && "$b"
    done
    if [ -x tools/walk_bench.sh ]; then
        build win64 || exit 1
        source tools/wine-env.sh bench-$$ || exit 1
        trap wine_env_stop EXIT
        tools/walk_bench.sh "$root/build/win64/ferrow.exe"
    fi
}

case "${1:-}" in
    run)   shift; cmd_run "$@" ;;
    test)  cmd_test ;;
    bench) cmd_bench ;;
    *)     echo "usage: $0 run [PATH] | test | bench" >&2; exit 2 ;;
esac
