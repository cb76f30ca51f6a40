#!/bin/bash
# Runs a command chrooted in a Debian root, from a mount namespace that the
# caller made for it (unshare --mount ...): mounts what the root needs, then
# chroot with a clean environment. The mounts go with the namespace.
#   enter-root.sh [--qemu FILE] [--emulate] [--bind DIR]... ROOT CMD...
#     --qemu FILE  FILE (qemu-i386) runs i386 ELF files, through this
#                  namespace's own binfmt_misc: a user namespace has one of
#                  its own from kernel 6.7 on. Where the kernel runs 32-bit
#                  code itself, its own ELF loader comes first.
#     --emulate    every 32-bit Wine process under that qemu-i386, even where
#                  the kernel runs 32-bit code itself (as a kernel without
#                  32-bit emulation would)
#     --bind DIR   the host's DIR at the same path in the root
# The root gets the host's /dev and /sys and a /proc of the current PID
# namespace (Wine's server finds its clients there by pid). CMD may begin
# with NAME=VALUE words.
set -u
say() { echo "enter-root: $*" >&2; }

# i386 ELF executables and shared objects (as Debian's qemu-user registers them).
i386_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
i386_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# F: the emulator is opened now, so it need not exist inside the root.
register_qemu() {
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc &&
        printf ':ferrow-i386:M::%s:%s:%s:F\n' "$i386_magic" "$i386_mask" "$1" \
            >/proc/sys/fs/binfmt_misc/register && return 0
    # A kernel before 6.7 has no binfmt_misc per user namespace.
    say "cannot register qemu-i386: 32-bit programs run only if the kernel runs them itself"
    return 1
}

# In this namespace only, Wine's 32-bit loader becomes a script that starts it
# under qemu-i386. The loader stays in its folder and keeps its name (Wine
# finds the rest of itself from both).
emulate_wine_loader() {
    local root=$1 qemu=$2
    mount -t tmpfs -o size=64m tmpfs "$root/mnt" &&
        cp -a "$root/usr/lib/wine/." "$root/mnt/" && mv "$root/mnt/wine" "$root/mnt/wine-i386" &&
        cp "$qemu" "$root/mnt/qemu-i386" &&
        printf '#!/bin/sh\nexec /usr/lib/wine/qemu-i386 -0 "$0" /usr/lib/wine/wine-i386 "$@"\n' \
            >"$root/mnt/wine" && chmod +x "$root/mnt/wine" &&
        mount --move "$root/mnt" "$root/usr/lib/wine"
}

qemu="" emulate="" binds=()
while [ $# -gt 0 ]; do
    case "$1" in
        --qemu) qemu=$2; shift 2 ;;
        --emulate) emulate=1; shift ;;
        --bind) binds+=("$2"); shift 2 ;;
        *) break ;;
    esac
done
[ $# -ge 2 ] || { echo "usage: $0 [--qemu FILE] [--emulate] [--bind DIR]... ROOT CMD..." >&2; exit 2; }
root=$1
shift

[ -z "$qemu" ] || register_qemu "$qemu"
mount --rbind /dev "$root/dev" && mount -t proc proc "$root/proc" && mount --rbind /sys "$root/sys" ||
    { say "cannot mount /dev, /proc and /sys in $root"; exit 1; }
if [ -n "$emulate" ]; then
    emulate_wine_loader "$root" "$qemu" || { say "cannot put qemu-i386 in front of Wine's 32-bit loader"; exit 1; }
fi
for dir in "${binds[@]}"; do
    mkdir -p "$root$dir" && mount --rbind "$dir" "$root$dir" || { say "cannot mount $dir in the root"; exit 1; }
done
exec chroot "$root" /usr/bin/env -i HOME=/root LC_ALL=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
