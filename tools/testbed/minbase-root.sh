#!/bin/bash
# A minimal Debian 12 (debootstrap's minbase of bookworm) in a new folder,
# from the Debian mirror this machine's apt uses (debootstrap's default when
# it uses none); debootstrap is installed first when it is missing. The mounts
# debootstrap makes in the new root live in a mount namespace of its own.
#   tools/testbed/minbase-root.sh DIR LOG     (LOG: debootstrap's output)
set -u
[ $# -eq 2 ] || { echo "usage: $0 DIR LOG" >&2; exit 2; }
dir=$1 log=$2
if ! command -v debootstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y -qq \
        --no-install-recommends debootstrap >/dev/null || { echo "minbase-root: cannot install debootstrap" >&2; exit 1; }
fi
mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 2>/dev/null |
         awk '$2 == "bookworm" { print $1; exit }')
if ! unshare --mount --propagation private -- \
        debootstrap --variant=minbase bookworm "$dir" ${mirror:+"$mirror"} >"$log" 2>&1; then
    echo "minbase-root: debootstrap failed; the end of $log:" >&2
    tail -n 20 "$log" >&2
    exit 1
fi
