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
          wine wine64 xvfb xdotool imagemagick x11-utils
          googletest libgtest-dev libbenchmark-dev zlib1g-dev
          cups printer-driver-cups-pdf poppler-utils)

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

cmd_run() {
    ensure_packages || exit 1
    build win64 || exit 1
    local exe="$root/build/win64/ferrow.exe"
    if [ -n "${DISPLAY:-}" ]; then
        source tools/wine-env.sh run-$$ || exit 1
        wine "$exe" "$@"
        exit $?
    fi
    # No display: a private one; the program is shown, read, photographed and closed.
    source tools/wine-env.sh run-$$ || exit 1
    trap wine_env_stop EXIT
    python3 tools/headless_run.py "$exe" "$@"
}

cmd_test() {
    ensure_packages || exit 1
    build native win64 win32 || exit 1
    source tools/wine-env.sh test-$$ || exit 1
    trap wine_env_stop EXIT
    tools/test-setup.sh || exit 1
    local rc=0
    ctest --test-dir build/native --output-on-failure -j2 | tee build/native-ctest.log | tail -n 3 || rc=1
    grep -q '100% tests passed' build/native-ctest.log || rc=1
    ctest --test-dir build/win64 --output-on-failure -j2 | tee build/win64-ctest.log | tail -n 3 || rc=1
    grep -q '100% tests passed' build/win64-ctest.log || rc=1
    local n_pass n_fail
    n_pass=$(grep -hoE '[0-9]+ tests failed out of [0-9]+' build/native-ctest.log build/win64-ctest.log |
             awk '{f+=$1; t+=$NF} END {print t-f}')
    n_fail=$(grep -hoE '[0-9]+ tests failed out of [0-9]+' build/native-ctest.log build/win64-ctest.log |
             awk '{f+=$1} END {print f+0}')
    echo "${n_pass:-0} passed, ${n_fail:-0} failed"
    [ "$rc" -eq 0 ] && [ "${n_fail:-0}" -eq 0 ]
    exit $?
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
