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
#   tools/wine32-root.sh ensure          make the root unless it is there and
#                                        sound (made again when broken)
#   tools/wine32-root.sh run DIR CMD...  CMD inside the root, as root, with DIR
#                                        (the clone) at the same path and the
#                                        host's /tmp, /dev and /sys; CMD starts
#                                        with a clean environment and may begin
#                                        with NAME=VALUE words. Everything it
#                                        starts ends with it.
#
# FERROW_WINE32_CACHE moves the cache (default /var/cache/ferrow/wine32).
# FERROW_WINE32_EMULATE=1 runs every 32-bit process under qemu-i386 even on a
# kernel that runs 32-bit code itself, as a kernel without it would.
set -u

self=$(readlink -f "$0")
cache=${FERROW_WINE32_CACHE:-/var/cache/ferrow/wine32}
root=$cache/root
qemu=$cache/qemu-i386
lock=$cache.lock

# What the root holds. A change here makes the next run build it again.
root_packages=(wine wine64 wine32:i386 fonts-wine xvfb xdotool imagemagick
               python3 cmake procps)
recipe="3 bookworm qemu-user/bookworm-backports ${root_packages[*]}"

# i386 ELF executables and shared objects (as Debian's qemu-user registers them).
i386_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
i386_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

say() { echo "wine32-root: $*" >&2; }

# The Debian mirror that this machine's apt uses for bookworm.
debian_mirror() {
    apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 2>/dev/null |
        awk '$2 == "bookworm" { print $1; exit }'
}

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

# The root's /dev, /proc (of the current PID namespace) and /sys.
mount_system_folders() {
    mount --rbind /dev "$1/dev" && mount -t proc proc "$1/proc" && mount --rbind /sys "$1/sys"
}

# Runs a command in a root as the real root, in a private mount namespace.
in_root_as_host_root() {
    local dir=$1
    shift
    unshare --mount --propagation private -- "$self" _chroot "$dir" "$@"
}

# Runs this script with the arguments in private user, mount and PID
# namespaces whose user namespace maps every uid and gid to itself: root
# there may hand files to any user, as dpkg does, and has a binfmt_misc of
# its own. (unshare maps more than one id only through newuidmap, which
# this machine need not have; root writes the maps itself.)
in_identity_namespace() {
    unshare --user --mount --propagation private --pid --fork --kill-child -- /bin/sh -c '
        while [ -z "$(cat /proc/self/uid_map)" ]; do sleep 0.05; done
        exec "$@"' sh "$self" "$@" &
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

# This namespace's own binfmt_misc, with qemu-i386 for i386 ELF files. F:
# the emulator is opened now, so it need not exist inside the root. Where the
# kernel runs 32-bit code itself, its ELF loader comes first and this is unused.
register_qemu() {
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc &&
        printf ':ferrow-i386:M::%s:%s:%s:F\n' "$i386_magic" "$i386_mask" "$1" \
            >/proc/sys/fs/binfmt_misc/register && return 0
    # A kernel before 6.7 has no binfmt_misc per user namespace.
    say "cannot register qemu-i386: 32-bit programs run only if the kernel runs them itself"
    return 1
}

build() {
    local new=$cache.new-$$ mirror started=$SECONDS
    say "building the 32-bit Wine root in $cache (once per machine: a few minutes)"
    remove_tree "$new" || return 1
    mkdir -p "$new" || return 1
    if ! command -v debootstrap >/dev/null; then
        DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y -qq \
            --no-install-recommends debootstrap >/dev/null || { say "cannot install debootstrap"; return 1; }
    fi
    mirror=$(debian_mirror)
    # debootstrap mounts /proc and /sys in the new root: in a namespace of its own.
    if ! unshare --mount --propagation private -- \
            debootstrap --variant=minbase bookworm "$new/root" ${mirror:+"$mirror"} \
            >"$new/debootstrap.log" 2>&1; then
        say "debootstrap failed; the end of $new/debootstrap.log:"
        tail -n 20 "$new/debootstrap.log" >&2
        return 1
    fi
    local sources
    sources=$(grep -h '^deb ' "$new/root/etc/apt/sources.list" | head -n 1)
    [ -n "$sources" ] || { say "the new root has no apt source"; return 1; }
    # qemu-user from bookworm-backports, unpacked beside the root, not installed.
    echo "$sources" | sed 's/ bookworm / bookworm-backports /' \
        >"$new/root/etc/apt/sources.list.d/backports.list"
    if ! in_root_as_host_root "$new/root" /bin/sh -c '
            set -e
            apt-get update -qq
            mkdir -p /tmp/qemu && cd /tmp/qemu
            apt-get download -qq qemu-user/bookworm-backports
            dpkg-deb -x qemu-user_*.deb x
            rm -f /etc/apt/sources.list.d/backports.list' >"$new/install.log" 2>&1 ||
       ! cp "$new/root/tmp/qemu/x/usr/bin/qemu-i386" "$new/qemu-i386"; then
        say "cannot get qemu-i386; the end of $new/install.log:"
        tail -n 20 "$new/install.log" >&2
        return 1
    fi
    rm -rf "$new/root/tmp/qemu"
    # Packages of the i386 architecture may run their own programs while they
    # are set up: with qemu-i386 registered, that works on any kernel.
    if ! in_identity_namespace _install "$new" >>"$new/install.log" 2>&1; then
        say "installing Wine in the root failed; the end of $new/install.log:"
        tail -n 20 "$new/install.log" >&2
        return 1
    fi
    echo "$recipe" >"$new/recipe"
    remove_tree "$cache" || return 1
    mv "$new" "$cache" || return 1
    say "built in $((SECONDS - started)) s"
}

# In the identity namespace: Wine and the test tools into the new root.
install_inside() {
    local new=$1
    register_qemu "$new/qemu-i386"
    mount_system_folders "$new/root" || exit 1
    exec chroot "$new/root" /usr/bin/env -i HOME=/root LC_ALL=C.UTF-8 \
        PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive /bin/sh -c '
            set -e
            dpkg --add-architecture i386
            apt-get update -qq
            apt-get install -y -qq --no-install-recommends "$@"
            apt-get clean
            rm -rf /var/lib/apt/lists/*' sh "${root_packages[@]}"
}

# The quick look: every part present, from this recipe.
looks_sound() {
    [ "$(cat "$cache/recipe" 2>/dev/null)" = "$recipe" ] &&
        [ -x "$qemu" ] && [ -x "$root/usr/lib/wine/wine" ] && [ -x "$root/usr/lib/wine/wine64" ] &&
        [ -x "$root/usr/bin/Xvfb" ] && [ -x "$root/usr/bin/ctest" ] && "$qemu" --version >/dev/null 2>&1
}

# The real test: Wine's 32-bit loader starts through the emulator.
runs_32bit() {
    run_inside / /usr/lib/wine/wine --version 2>/dev/null | grep -q '^wine-'
}

# A private user, mount and PID namespace: when its first process ends (or
# unshare is killed), every process started in it ends too, and its mounts go.
run_inside() {
    unshare --user --map-root-user --mount --propagation private --pid --fork --kill-child \
        -- "$self" _inside "$@"
}

# In the private namespaces: the emulator, the mounts, the root.
inside() {
    local dir=$1
    shift
    register_qemu "$qemu"
    local m
    for m in dev sys tmp; do
        mount --rbind "/$m" "$root/$m" || { say "cannot mount /$m in the root"; exit 1; }
    done
    # A /proc of this PID namespace: Wine's server finds its clients there by pid.
    mount -t proc proc "$root/proc" || { say "cannot mount /proc in the root"; exit 1; }
    if [ -n "${FERROW_WINE32_EMULATE:-}" ]; then
        # Every 32-bit Wine process emulated even where the kernel runs 32-bit
        # code itself (where it does, the kernel's own ELF loader comes before
        # binfmt_misc): in this namespace only, Wine's 32-bit loader becomes a
        # script that starts it under qemu-i386. The loader stays in its
        # folder and keeps its name (Wine finds the rest of itself from both).
        mount -t tmpfs -o size=64m tmpfs "$root/mnt" &&
            cp -a "$root/usr/lib/wine/." "$root/mnt/" && mv "$root/mnt/wine" "$root/mnt/wine-i386" &&
            cp "$qemu" "$root/mnt/qemu-i386" &&
            printf '#!/bin/sh\nexec /usr/lib/wine/qemu-i386 -0 "$0" /usr/lib/wine/wine-i386 "$@"\n' \
                >"$root/mnt/wine" && chmod +x "$root/mnt/wine" &&
            mount --move "$root/mnt" "$root/usr/lib/wine" ||
            { say "cannot put qemu-i386 in front of Wine's 32-bit loader"; exit 1; }
    fi
    if [ "$dir" != / ]; then
        mkdir -p "$root$dir" && mount --rbind "$dir" "$root$dir" ||
            { say "cannot mount $dir in the root"; exit 1; }
    fi
    exec chroot "$root" /usr/bin/env -i HOME=/root LC_ALL=C.UTF-8 TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
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

case "${1:-}" in
    ensure) ensure ;;
    run)
        [ $# -ge 3 ] || { echo "usage: $0 run DIR CMD..." >&2; exit 2; }
        shift
        mkdir -p "$(dirname "$cache")" && exec 9>"$lock" && flock -s 9 || exit 1
        looks_sound || { say "no sound root in $cache (run: $0 ensure)"; exit 1; }
        run_inside "$@" ;;
    _inside) shift; inside "$@" ;;
    _install) shift; install_inside "$@" ;;
    _chroot)
        shift
        dir=$1
        shift
        mount_system_folders "$dir" || exit 1
        exec chroot "$dir" /usr/bin/env -i HOME=/root LC_ALL=C.UTF-8 \
            PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@" ;;
    *) echo "usage: $0 ensure | run DIR CMD..." >&2; exit 2 ;;
esac
