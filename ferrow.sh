#!/bin/bash
# Ferrow: build, run, test and benchmark on a Debian machine (as root).
#   ./ferrow.sh run [PATH]   build and start ferrow.exe under Wine
#   ./ferrow.sh test         build all presets, run every test through ctest
#   ./ferrow.sh bench        build natively and run the benchmarks
#   ./ferrow.sh dist         build both exes for release, write dist/ferrow-VERSION.zip
#   ./ferrow.sh dist --check two fresh clones of HEAD, two builds: the same zip?
set -u
cd "$(dirname "$0")"
root=$(pwd)

packages=(cmake make g++ python3
          g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64
          binutils-mingw-w64-i686 mingw-w64-tools libz-mingw-w64-dev
          wine wine64 fonts-wine xvfb xdotool imagemagick x11-utils
          googletest libgtest-dev libbenchmark-dev zlib1g-dev
          cups printer-driver-cups-pdf poppler-utils clang-14 libclang-rt-14-dev
          fuse3 fuseiso xorriso genisoimage python3-fusepy
          fonts-wqy-microhei ccache)

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

# A compiler cache outside the clone (ccache's own folder): a later build, in
# this clone or a fresh one elsewhere, compiles only what changed.
compiler_cache() {
    command -v ccache >/dev/null || return 0
    export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
    export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
}

# Builds the presets whole: what a plain build makes is what the tests run.
build() {
    local preset
    compiler_cache
    for preset in "$@"; do
        cmake --preset "$preset" >/dev/null || return 1
        cmake --build --preset "$preset" -j"$(nproc)" || return 1
    done
}

# Builds only the targets given, in one preset.
build_targets() {
    local preset=$1
    shift
    compiler_cache
    cmake --preset "$preset" >/dev/null || return 1
    cmake --build --preset "$preset" -j"$(nproc)" --target "$@" || return 1
}

# Only the program and its probe: what run needs.
build_program() {
    build_targets win64 ferrow ferrow_probe
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
    trap 'wine_env_stop remove' EXIT
    tools/headless_run.sh "$exe" "$@"
}

stop_test_services() {
    local pid
    if [ -f "$FERROW_TEST_PIDFILE" ]; then
        for pid in $(cat "$FERROW_TEST_PIDFILE"); do kill "$pid" 2>/dev/null; done
        rm -f "$FERROW_TEST_PIDFILE"
    fi
    wine_env_stop remove
}

# ctest prints its own summary; tools/testbed/ctest-summary.sh keeps it, names
# every failing case and tells whether it was all green. The totals at the end
# add up every build/*-ctest.log of the run.
#   run_ctest DIR JOBS LOG [CTEST OPTIONS...]
run_ctest() {
    local dir=$1 jobs=$2 log=$3
    shift 3
    ctest --test-dir "$dir" --output-on-failure -j"$jobs" "$@" >"$log" 2>&1
    tools/testbed/ctest-summary.sh "$log" $?
}

# Runs "$@" as one stage of the test command and notes its time, and how many
# Wine processes it started (each start of wine adds a line to $wine_count:
# tools/testbed/counted/ comes first on PATH).
stage_times=""
stage_wine=""
wine_count=$root/build/wine-starts
wine_starts() { if [ -f "$wine_count" ]; then wc -l <"$wine_count"; else echo 0; fi; }
stage() {
    local name=$1 start=$SECONDS before rc
    shift
    before=$(wine_starts)
    "$@"
    rc=$?
    stage_times+="${stage_times:+, }$name $(clock $((SECONDS - start)))"
    [ "$(wine_starts)" -eq "$before" ] || stage_wine+="${stage_wine:+, }$name $(($(wine_starts) - before))"
    return $rc
}
clock() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

# Everything, and the benchmarks too (built, not run), so that bench's build
# cannot break unseen.
build_all() {
    build native win64 win32 && build_targets native benchmarks && build_targets win64 benchmarks
}

# The Wine tests and the end-to-end scripts run in lanes of their own (a
# display and a prefix each, tools/testbed/wine-lanes.sh); ctest gives each
# test a free lane (tools/testbed/wine-lane.sh), two tests at a time on two lanes.
wine_lanes=${FERROW_WINE_LANES:-2}
start_wine() {
    source tools/testbed/wine-lanes.sh test-$$ "$wine_lanes" "$root/build/wine-lanes.json" || return 1
    export FERROW_TEST_PIDFILE="$root/build/test-services.pids"
    trap stop_test_services EXIT
    tools/testbed/test-setup.sh
}
wine_tests() {
    echo "== Wine tests ($1, $wine_lanes lanes)"
    run_ctest build/win64 "$wine_lanes" "build/win64-$1-ctest.log" -L "^$1\$" \
        --resource-spec-file "$root/build/wine-lanes.json"
}

cmd_test() {
    local start=$SECONDS
    ensure_packages || exit 1
    rm -f build/*-ctest.log "$wine_count"
    export PATH=$root/tools/testbed/counted:$PATH FERROW_WINE_COUNT=$wine_count
    stage build build_all || exit 1
    local rc=0
    echo "== native unit tests"
    stage native run_ctest build/native 2 build/native-ctest.log || rc=1
    stage "Wine set-up" start_wine || exit 1
    stage Wine wine_tests wine || rc=1
    stage end-to-end wine_tests e2e || rc=1
    echo "== 32-bit build in a 32-bit Wine (tools/testbed/win32-tests.sh)"
    stage 32-bit tools/testbed/win32-tests.sh || rc=1
    local totals skipped logs=(build/*-ctest.log)
    skipped=$(cat "${logs[@]}" | grep -cE '^[[:space:]]+[0-9]+ - .*\(Skipped\)$')
    totals=$(cat "${logs[@]}" |
             grep -oE '[0-9]+ tests failed out of [0-9]+' |
             awk -v s="$skipped" '{f+=$1; t+=$NF} END {printf "%d passed, %d failed, %d skipped", t-f-s, f, s}')
    echo "stage times: $stage_times; all $(clock $((SECONDS - start))); Wine processes: $(wine_starts) ($stage_wine)"
    echo "$totals"
    sed -n '1s/^# \(.*\)/Wine tests: \1/p' build/win64/tests/win/win_tests_tests.cmake 2>/dev/null
    [ "$rc" -eq 0 ] || echo "ctest logs: ${logs[*]}"
    exit $rc
}

cmd_bench() {
    ensure_packages || exit 1
    build_targets native benchmarks || exit 1
    local b
    for b in build/native/bench/*_bench; do
        [ -x "$b" ] && "$b"
    done
    if [ -x tools/walk_bench.sh ]; then
        build_targets win64 ferrow ferrow_probe benchmarks || exit 1
        source tools/wine-env.sh bench-$$ || exit 1
        trap 'wine_env_stop remove' EXIT
        wine "$root/build/win64/bench/win/list_copy_bench.exe" 2>/dev/null | tr -d "\r"
        tools/walk_bench.sh "$root/build/win64/ferrow.exe"
    fi
}

# The release zip: both exes built in release folders of their own
# (build/dist-win64, build/dist-win32), the read-me, the licence and their
# SHA-256 sums. The same commit gives the same zip, byte for byte: every time
# in it is the commit's time, and nothing in the exes names the build folder
# or the time of the build (tools/pe_imports.py release checks each exe).
cmd_dist() {
    if [ "${1:-}" = --check ]; then
        exec tools/dist-check.sh
    fi
    ensure_packages || exit 1
    local epoch
    epoch=$(git log -1 --format=%ct 2>/dev/null) || { echo "dist: not a git clone" >&2; exit 1; }
    [ -z "$(git status --porcelain --untracked-files=no)" ] ||
        echo "dist: the clone has uncommitted changes; the zip holds them, not commit $(git rev-parse --short HEAD)" >&2
    export SOURCE_DATE_EPOCH=$epoch
    compiler_cache
    local preset
    for preset in dist-win64 dist-win32; do
        cmake --preset "$preset" --fresh >/dev/null || exit 1
        cmake --build --preset "$preset" -j"$(nproc)" >"build/$preset.log" 2>&1 ||
            { tail -40 "build/$preset.log"; exit 1; }
    done
    # Debian's Python (and its zlib) writes the zip, whatever python3 the
    # shell finds first.
    local python=/usr/bin/python3
    [ -x "$python" ] || python=python3
    "$python" tools/dist_zip.py --epoch "$epoch" \
        --version-header build/dist-win64/generated/ferrow_version.h \
        --exe64 build/dist-win64/ferrow.exe --exe32 build/dist-win32/ferrow.exe \
        --readme docs/windows-readme.txt --license LICENSE --out dist
}

case "${1:-}" in
    run)   shift; cmd_run "$@" ;;
    test)  cmd_test ;;
    bench) cmd_bench ;;
    dist)  shift; cmd_dist "$@" ;;
    *)     echo "usage: $0 run [PATH] | test | bench | dist [--check]" >&2; exit 2 ;;
esac
