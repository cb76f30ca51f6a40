#!/bin/bash
# A Debian 12 root with Wine for 32-bit Windows programs, kept once per machine
# outside the clone and reused by every later run.
#
# Some kernels of these machines run no 32-bit code (their 32-bit emulation is
# switched off). There the root's 32-bit Linux loader of Wine runs under
# qemu-i386's user-mode emulation (version 10 from bookworm-backports: the
# bookworm one takes about a minute to start each process), registered for
# i386 ELF files through binfmt_misc inside a private user namespace, which
# has a binfmt_misc of its own; a kernel that runs 32-bit code itself tries
# its own ELF loader first and never needs the emulator. The host's package
# architectures and binfmt settings are never touched, and every mount made
# for the root lives in a private mount namespace that goes away with its
# last process.
#
#   tools/testbed/wine32-root.sh ensure          make the root unless it is
#                                                there and sound (made again
#                                                when broken)
#   tools/testbed/wine32-root.sh run DIR CMD...  CMD inside the root, as root,
#                                                with DIR (the clone) at the
#                                                same path and the host's /tmp,
#                                                /dev and /sys; CMD starts with
#                                                a clean environment and may
#                                                begin with NAME=VALUE words.
#                                                Everything it starts ends
#                                                with it.
# The root is made by minbase-root.sh and entered through enter-root.sh.
#
# FERROW_WINE32_CACHE moves the cache (default /var/cache/ferrow/wine32).
# FERROW_WINE32_EMULATE=1 runs every 32-bit process under qemu-i386 even on a
# kernel that runs 32-bit code itself, as a kernel without it would.
set -u

here=$(cd "$(dirname "$0")" && pwd)
cache=${FERROW_WINE32_CACHE:-/var/cache/ferrow/wine32}
root=$cache/root
qemu=$cache/qemu-i386
lock=$cache.lock

# What the root holds. A change here makes the next run build it again.
root_packages=(wine wine64 wine32:i386 fonts-wine xvfb xdotool imagemagick
               python3 cmake procps)
recipe="3 bookworm qemu-user/bookworm-backports ${root_packages[*]}"

say() { echo "wine32-root: $*" >&2; }

# True when nothing is mounted at or under the folder (in this namespace).
nothing_mounted_under() {
    ! awk -v d="$1" '$5 == d || index($5, d "/") == 1 { found = 1 } END { exit !found }' /proc/self/mountinfo
}

remove_tree() {
    local dir=$1
    [ -e "$dir" ] || return 0
    nothing_mounted_under "$dir" || { say "something is mounted under $dir; not removing it"; return 1; }
    rm -rf --one-file-system "$dir"
}

# Runs enter-root.sh with the arguments in private user, mount and PID
# namespaces whose user namespace maps every uid and gid to itself: root
# there may hand files to any user, as dpkg does, and has a binfmt_misc of
# its own. (unshare maps more than one id only through newuidmap, which
# this machine need not have; root writes the maps itself.)
enter_as_every_user() {
    unshare --user --mount --propagation private --pid --fork --kill-child -- /bin/sh -c '
        while [ -z "$(cat /proc/self/uid_map)" ]; do sleep 0.05; done
        exec "$@"' sh "$here/enter-root.sh" "$@" &
    local pid=$! i
    for i in $(seq 1 200); do
        [ "$(readlink "/proc/$pid/ns/user")" != "$(readlink /proc/self/ns/user)" ] && break
        sleep 0.05
    done
    if ! { echo '0 0 4294967295' >"/proc/$pid/uid_map" && echo '0 0 4294967295' >"/proc/$pid/gid_map"; }; then
        say "cannot map the ids of a new user namespace"
        kill "$pid" 2>/dev/null
        wait "$pid"
        return 1
    fi
    wait "$pid"
}

# qemu-user from bookworm-backports, unpacked beside the new root, not installed.
fetch_qemu() {
    local new=$1 sources
    sources=$(grep -h '^deb ' "$new/root/etc/apt/sources.list" | head -n 1)
    [ -n "$sources" ] || { say "the new root has no apt source"; return 1; }
    echo "$sources" | sed 's/ bookworm / bookworm-backports /' \
        >"$new/root/etc/apt/sources.list.d/backports.list"
    unshare --mount --propagation private -- "$here/enter-root.sh" "$new/root" DEBIAN_FRONTEND=noninteractive /bin/sh -c '
        set -e
        apt-get update -qq
        mkdir -p /tmp/qemu && cd /tmp/qemu
        apt-get download -qq qemu-user/bookworm-backports
        dpkg-deb -x qemu-user_*.deb x
        rm -f /etc/apt/sources.list.d/backports.list' >"$new/install.log" 2>&1 &&
        cp "$new/root/tmp/qemu/x/usr/bin/qemu-i386" "$new/qemu-i386" &&
        rm -rf "$new/root/tmp/qemu"
}

# Wine and the test tools into the new root. Packages of the i386
# architecture may run their own programs while they are set up: with
# qemu-i386 registered, that works on any kernel.
install_wine() {
    local new=$1
    enter_as_every_user --qemu "$new/qemu-i386" "$new/root" DEBIAN_FRONTEND=noninteractive /bin/sh -c '
        set -e
        dpkg --add-architecture i386
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "$@"
        apt-get clean
        rm -rf /var/lib/apt/lists/*' sh "${root_packages[@]}" >>"$new/install.log" 2>&1
}

build() {
    local new=$cache.new-$$ started=$SECONDS
    say "building the 32-bit Wine root in $cache (once per machine: a few minutes)"
    remove_tree "$new" || return 1
    mkdir -p "$new" || return 1
    "$here/minbase-root.sh" "$new/root" "$new/debootstrap.log" || return 1
    if ! fetch_qemu "$new"; then
        say "cannot get qemu-i386; the end of $new/install.log:"
        tail -n 20 "$new/install.log" >&2
        return 1
    fi
    if ! install_wine "$new"; then
        say "installing Wine in the root failed; the end of $new/install.log:"
        tail -n 20 "$new/install.log" >&2
        return 1
    fi
    echo "$recipe" >"$new/recipe"
    remove_tree "$cache" || return 1
    mv "$new" "$cache" || return 1
    say "built in $((SECONDS - started)) s"
}

# The quick look: every part present, from this recipe.
looks_sound() {
    [ "$(cat "$cache/recipe" 2>/dev/null)" = "$recipe" ] &&
        [ -x "$qemu" ] && [ -x "$root/usr/lib/wine/wine" ] && [ -x "$root/usr/lib/wine/wine64" ] &&
        [ -x "$root/usr/bin/Xvfb" ] && [ -x "$root/usr/bin/ctest" ] && "$qemu" --version >/dev/null 2>&1
}

# A private user, mount and PID namespace: when its first process ends (or
# unshare is killed), every process started in it ends too, and its mounts go.
#   run_in_root [--bind DIR]... CMD...
run_in_root() {
    unshare --user --map-root-user --mount --propagation private --pid --fork --kill-child -- \
        "$here/enter-root.sh" --qemu "$qemu" ${FERROW_WINE32_EMULATE:+--emulate} --bind /tmp "$@"
}

# The real test: Wine's 32-bit loader starts through the emulator.
runs_32bit() {
    run_in_root "$root" /usr/lib/wine/wine --version 2>/dev/null | grep -q '^wine-'
}

# Runs in the root hold the lock shared; building it takes it alone.
ensure() {
    mkdir -p "$(dirname "$cache")" && exec 9>"$lock" || return 1
    flock -s 9
    if looks_sound && runs_32bit; then
        flock -u 9
        return 0
    fi
    flock -u 9
    flock -x 9
    looks_sound && runs_32bit && return 0
    [ -e "$cache" ] && say "the root in $cache is missing parts or cannot run 32-bit code: building it again"
    build || return 1
    runs_32bit || { say "the new root cannot run 32-bit code"; return 1; }
}

run() {
    local dir=$1
    shift
    mkdir -p "$(dirname "$cache")" && exec 9>"$lock" && flock -s 9 || return 1
    looks_sound || { say "no sound root in $cache (run: $0 ensure)"; return 1; }
    run_in_root --bind "$dir" "$root" "$@"
}

case "${1:-}" in
    ensure) ensure ;;
    run)
        [ $# -ge 3 ] || { echo "usage: $0 run DIR CMD..." >&2; exit 2; }
        shift
        run "$@" ;;
    *) echo "usage: $0 ensure | run DIR CMD..." >&2; exit 2 ;;
esac
