#!/bin/bash
# The README's commands on a bare Debian 12, as a new user meets them: a
# minimal root made by debootstrap (no locale, no compiler, no Wine), entered
# with an empty environment, holding a fresh clone of one commit of this
# repository. Inside it runs
#   ./ferrow.sh test                   (installs everything, builds, tests)
#   ./ferrow.sh run FOLDER             (a folder named in many scripts)
# and prints the time of each, then the result list and the screenshot of the
# run. Not part of './ferrow.sh test': it downloads and installs a whole
# system (about 13 minutes and 3.5 GB on a two-CPU machine).
#   tools/testbed/bare-check.sh [--keep] [COMMIT] [ROOT]
# COMMIT defaults to HEAD; ROOT (the new root's folder) to
# /var/tmp/ferrow-bare12-<pid>. The root is removed at the end unless --keep
# is given; its mounts live in a mount namespace of their own and go with it.
# Needs root and Debian's package registry (minbase-root.sh makes the root).
set -u
keep=""
if [ "${1:-}" = --keep ]; then
    keep=1
    shift
fi
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
commit=$(git -C "$repo" rev-parse --verify "${1:-HEAD}^{commit}") || exit 2
dir=${2:-/var/tmp/ferrow-bare12-$$}
case "$dir" in
    "$repo"|"$repo"/*) echo "bare-check: $dir lies inside the clone; choose another folder" >&2; exit 2 ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "bare-check: run as root (debootstrap, chroot, mounts)" >&2; exit 2; }

log() { echo "bare-check: $*"; }
clock() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

if [ -e "$dir" ]; then
    echo "bare-check: $dir exists; give a new folder" >&2
    exit 2
fi

start=$SECONDS
log "making a minimal Debian 12 in $dir"
"$here/minbase-root.sh" "$dir" "$dir.debootstrap.log" || exit 1
rm -f "$dir.debootstrap.log"
cp /etc/resolv.conf "$dir/etc/resolv.conf"
log "debootstrap took $(clock $((SECONDS - start)))"

# A clean clone of the commit, as a user would have it.
git clone --quiet --no-local "$repo" "$dir/root/ferrow" &&
    git -C "$dir/root/ferrow" checkout --quiet --detach "$commit" || exit 1
log "clone of $(git -C "$repo" log -1 --format='%h %s' "$commit")"

# A folder whose own name and whose files' names are in Cyrillic, Greek,
# Chinese, Japanese, Korean, Arabic and with accents (made here in bytes: the
# new root has no locale). The run shows one line for it, with its name and
# the folder's CRC, which the oracle below works out from the same files.
folder_name=$(printf 'names-\346\226\207\344\273\266-\320\277\320\260\320\277\320\272\320\260-\355\214\214\354\235\274')
names="$dir/root/$folder_name"
sub=$(printf '\316\261\316\262\316\263')
mkdir -p "$names/$sub"
printf 'abc' >"$names/$(printf '\321\204\320\260\320\271\320\273').txt"
printf '123456789' >"$names/$(printf '\346\226\207\344\273\266').txt"
printf 'kana' >"$names/$(printf '\343\203\225\343\202\241\343\202\244\343\203\253').dat"
printf 'hangul' >"$names/$(printf '\355\214\214\354\235\274').bin"
printf 'arabic' >"$names/$(printf '\331\205\331\204\331\201').txt"
printf 'inner' >"$names/$sub/$(printf 'caf\303\251').txt"
# The folder's CRC: the wrapping sum of its files' CRCs (reflected CRC-32,
# start 0, no final inversion), by zlib.
expected=$(python3 - "$names" <<'PY'
import os, sys, zlib
total = 0
for folder, _, files in os.walk(sys.argv[1].encode()):
    for name in files:
        with open(os.path.join(folder, name), "rb") as f:
            total += zlib.crc32(f.read(), 0xFFFFFFFF) ^ 0xFFFFFFFF
print("%08X" % (total & 0xFFFFFFFF))
PY
)

# Inside: a private mount namespace whose root is the new root, with /proc,
# /sys and /dev, and an empty environment (no LANG, no LC_*), as in a plain
# container image. The root is changed with pivot_root, not chroot: the
# kernel refuses a user namespace to a process in a chroot, and the 32-bit
# stage of the tests runs in one.
inside() {
    unshare --mount --propagation private bash -c '
        dir=$1; shift
        mount --bind "$dir" "$dir" &&
        mount --bind /proc "$dir/proc" &&
        mount --bind /sys "$dir/sys" &&
        mount --bind /dev "$dir/dev" &&
        mount --bind /dev/pts "$dir/dev/pts" &&
        mount --bind /dev/shm "$dir/dev/shm" &&
        mkdir -p "$dir/.old-root" &&
        cd "$dir" && pivot_root . .old-root && cd / &&
        umount -l /.old-root || exit 1
        exec env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin "$@"
    ' inside "$dir" "$@"
}

rc=0
log "./ferrow.sh test"
t0=$SECONDS
inside bash -c 'cd /root/ferrow && ./ferrow.sh test' 2>&1 | tee "$dir.test.log" | grep -vE '^\[ *[0-9]+%\]'
test_rc=${PIPESTATUS[0]}
test_time=$((SECONDS - t0))
[ "$test_rc" -eq 0 ] || rc=1

log "./ferrow.sh run /root/$folder_name"
t0=$SECONDS
inside bash -c 'cd /root/ferrow && ./ferrow.sh run "/root/$1"' run "$folder_name" >"$dir.run.log" 2>&1
run_rc=$?
run_time=$((SECONDS - t0))
grep -vE '^\[ *[0-9]+%\]' "$dir.run.log"
[ "$run_rc" -eq 0 ] || rc=1
# The folder's line, its name as the file system has it and its CRC.
want=$(printf '%s\tZ:\\root\\%s' "$expected" "$folder_name")
if grep -qxF "$want" "$dir.run.log"; then
    log "the result line is as expected: $want"
else
    log "no result line '$want'"
    rc=1
fi
shot=$(sed -n 's/^--- screenshot: //p' "$dir.run.log" | tail -n 1)
if [ -n "$shot" ] && [ -f "$dir$shot" ]; then
    mkdir -p "$repo/build"
    cp "$dir$shot" "$repo/build/bare-check-run.png"
    log "screenshot: $repo/build/bare-check-run.png"
else
    log "no screenshot"
    rc=1
fi

log "test: status $test_rc in $(clock "$test_time"); run: status $run_rc in $(clock "$run_time")"
log "logs: $dir.test.log $dir.run.log"
if [ -z "$keep" ]; then
    rm -rf "$dir"
else
    log "the root stays in $dir"
fi
exit $rc
