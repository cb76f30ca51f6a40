#!/bin/bash
# Whole-program throughput of ferrow.exe under Wine against a native baseline
# on the same page-cached data:
#   large: a folder of 2 GiB in files of 64 to 256 MiB, checked through the
#          command line (start to result line), against cat of the same files;
#   small: 20,000 files of 1 to 16 KiB in 200 folders, against
#          find ... -type f -exec cat {} +.
# Each side runs several times and keeps its best time. The last line is
#   walk large: ratio <r>; walk small: ratio <r>
# where a ratio is ferrow's throughput over the baseline's.
#   source tools/wine-env.sh NAME; tools/walk_bench.sh path/to/ferrow.exe
set -u
if [ $# -ne 1 ] || [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
    echo "usage: source tools/wine-env.sh NAME; $0 path/to/ferrow.exe" >&2
    exit 2
fi
exe=$1
tree="$(cd "$(dirname "$exe")" && pwd)"
probe="$tree/tools/probe/ferrow_probe.exe"
steps="$tree/bench/win/read_steps_bench.exe"
[ -f "$exe" ] && [ -f "$probe" ] || { echo "walk_bench: $exe or $probe is missing" >&2; exit 1; }
runs=${FERROW_WALK_RUNS:-3}

data=$(mktemp -d /tmp/ferrow-walk-bench.XXXXXX) || exit 1
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null
    rm -rf "$data"
}
trap cleanup EXIT

now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
best() { printf '%s\n' "$@" | sort -g | head -1; }

# 12 files, 64 to 256 MiB, 2048 MiB in all; random bytes, so no shortcut helps.
make_large() {
    mkdir -p "$data/large"
    local i=0 size
    for size in 256 224 192 160 128 96 64 256 224 192 160 96; do
        head -c "${size}M" /dev/urandom >"$data/large/part$(printf %02d $i).bin" || return 1
        i=$((i + 1))
    done
}

# 200 folders of 100 files, 1 to 16 KiB each, fixed seed.
make_small() {
    python3 - "$data/small" <<'PY'
import os, random, sys
root = sys.argv[1]
rng = random.Random(20260)
pool = os.urandom(1 << 20)
for d in range(200):
    folder = os.path.join(root, "dir%03d" % d)
    os.makedirs(folder)
    for f in range(100):
        size = rng.randint(1024, 16384)
        start = rng.randint(0, len(pool) - size)
        with open(os.path.join(folder, "file%03d.dat" % f), "wb") as out:
            out.write(pool[start:start + size])
PY
}

# The folder's CRC as ferrow defines it: the wrapping sum of the files' CRC-32
# (start 0, no final inversion), computed by zlib.
expected_crc() {
    python3 - "$1" <<'PY'
import os, sys, zlib
total = 0
for folder, _, files in os.walk(sys.argv[1]):
    for name in files:
        crc = 0xFFFFFFFF
        with open(os.path.join(folder, name), "rb") as f:
            while True:
                chunk = f.read(1 << 24)
                if not chunk:
                    break
                crc = zlib.crc32(chunk, crc)
        total = (total + (crc ^ 0xFFFFFFFF)) & 0xFFFFFFFF
print("%08X" % total)
PY
}

# Seconds from starting ferrow.exe with the folder on its command line until
# its result line is in the list (the probe sees no check running any more).
# Sets $run_seconds and $run_line.
time_ferrow() {
    local folder=$1 windows t0 t1
    windows=$(winepath -w "$folder" 2>/dev/null)
    t0=$(now)
    ${pin:-} wine "$exe" "$windows" >/dev/null 2>&1 &
    program=$!
    ${pin:-} wine "$probe" wait 600000 >/dev/null 2>&1
    t1=$(now)
    run_line=$(wine "$probe" lines 2>/dev/null | tr -d '\r' | head -1)
    wine "$probe" close 30000 >/dev/null 2>&1
    wait "$program" 2>/dev/null
    program=""
    run_seconds=$(seconds "$t0" "$t1")
}

time_command() {
    local t0 t1
    t0=$(now)
    "$@" >/dev/null
    t1=$(now)
    seconds "$t0" "$t1"
}

cat_large() { cat "$data"/large/*.bin; }
cat_small() { find "$data/small" -type f -exec cat {} +; }

# One comparison: prints the figures and sets $ratio.
measure() {
    local name=$1 folder=$2 baseline=$3 bytes want ferrow_times=() base_times=() i
    bytes=$(du -sb "$folder" | cut -f1)
    want=$(expected_crc "$folder")
    "$baseline" >/dev/null   # into the page cache
    for i in $(seq 1 "$runs"); do
        base_times+=("$(time_command "$baseline")")
        time_ferrow "$folder"
        ferrow_times+=("$run_seconds")
        case "$run_line" in
            "$want"*) ;;
            *) echo "walk_bench: $name: ferrow gave '$run_line', expected $want" >&2; exit 1 ;;
        esac
    done
    local fb bb
    fb=$(best "${ferrow_times[@]}")
    bb=$(best "${base_times[@]}")
    ratio=$(awk -v f="$fb" -v b="$bb" 'BEGIN { printf "%.2f", b / f }')
    awk -v n="$name" -v by="$bytes" -v f="$fb" -v b="$bb" -v ft="${ferrow_times[*]}" -v bt="${base_times[*]}" \
        'BEGIN { printf "walk %s: %.0f MiB; ferrow %.3f s (%.0f MiB/s) [%s]; baseline %.3f s (%.0f MiB/s) [%s]\n",
                 n, by / 1048576, f, by / 1048576 / f, ft, b, by / 1048576 / b, bt }'
}

echo "walk_bench: making the test data in $data"
make_large || exit 1
make_small || exit 1

# ferrow's own start-up and shut-down (Wine process start, window creation,
# the probe's polling) on an empty folder: part of every ferrow time above,
# shown so the walks can be judged without it.
startup_time() {
    local times=() i
    mkdir -p "$data/empty"
    for i in $(seq 1 "$runs"); do
        time_ferrow "$data/empty"
        times+=("$run_seconds")
    done
    echo "walk start-up: ferrow on an empty folder $(best "${times[@]}") s [${times[*]}]"
}

# Where the time of a walk goes: each step of a file's check timed alone
# over the same trees, once as the program runs and once with the process
# and its Wine server kept on one CPU. Most steps are round trips to the
# Wine server; on a virtual machine, waking the server on an idle CPU and
# being woken back costs several times the work itself, and the second
# run shows the same steps without that cost.
# Runs "$@" with the prefix's Wine server, and the Wine processes it starts
# (through $pin), kept on CPU 0. Fails when the server cannot be found.
on_one_cpu() {
    local server p
    for p in $(pgrep wineserver); do
        tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && server=$p
    done
    [ -n "${server:-}" ] && taskset -pc 0 "$server" >/dev/null || return 1
    pin="taskset -c 0"
    "$@"
    pin=""
    taskset -pc "0-$(($(nproc) - 1))" "$server" >/dev/null
}

step_profile() {
    ${pin:-} wine "$steps" "$(winepath -w "$1")" 2>/dev/null | tr -d "\r"
}

read_steps() {
    [ -f "$steps" ] || { echo "walk_bench: $steps is missing, no step profile" >&2; return; }
    local name
    for name in large small; do
        echo "walk steps, $name tree:"
        step_profile "$data/$name"
        echo "walk steps, $name tree, the process and the Wine server on one CPU:"
        on_one_cpu step_profile "$data/$name" || echo "  (the Wine server was not found)"
    done
}

# The small walk once more on one CPU: what the walk costs without the
# wake-ups between CPUs. Shown beside the figures above, not in the ratios.
small_on_one_cpu() {
    local pinned=() i
    for i in $(seq 1 "$runs"); do
        time_ferrow "$data/small"
        pinned+=("$run_seconds")
    done
    awk -v f="$(best "${pinned[@]}")" -v t="${pinned[*]}" -v b="$(du -sb "$data/small" | cut -f1)" \
        'BEGIN { printf "walk small on one CPU: ferrow %.3f s (%.0f MiB/s) [%s]\n", f, b / 1048576 / f, t }'
}

startup_time
read_steps
measure large "$data/large" cat_large
large_ratio=$ratio
measure small "$data/small" cat_small
small_ratio=$ratio
on_one_cpu small_on_one_cpu
echo "walk large: ratio $large_ratio; walk small: ratio $small_ratio"
