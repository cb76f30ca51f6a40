#!/bin/bash
# Is the release zip reproducible? Two fresh clones of the commit checked out
# here, in folders of different names and depths, each built with
# './ferrow.sh dist' one after the other: the first without the compiler
# cache (every object compiled there), the second with it (objects compiled
# in other folders may come from it), another umask, time zone and locale.
# Their zips must be the same, byte for byte.
#   tools/dist-check.sh      (also './ferrow.sh dist --check')
# The clones are removed when the zips agree, kept for a look when not.
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
commit=$(git rev-parse HEAD) || exit 1
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
    echo "dist-check: uncommitted changes are left out: this checks commit ${commit:0:12}"
work=$(mktemp -d /tmp/ferrow-dist-check.XXXXXX)
first=$work/a/ferrow
second=$work/b/some/deeper/folder/ferrow-copy

# clone_and_build DIR ENV...: prints the zip's path on its last line.
clone_and_build() {
    local dir=$1 started=$SECONDS
    shift
    mkdir -p "$(dirname "$dir")"
    git clone -q "$root" "$dir" && git -C "$dir" checkout -q --detach "$commit" || return 1
    echo "== $(date -u '+%Y-%m-%d %H:%M:%S') UTC, $dir ($*, umask $(umask))"
    (cd "$dir" && env "$@" ./ferrow.sh dist) || return 1
    echo "   built in $((SECONDS - started)) s"
}

echo "dist-check: commit $commit"
clone_and_build "$first" CCACHE_DISABLE=1 TZ=UTC LC_ALL=C || exit 1
(umask 077 && clone_and_build "$second" TZ=Pacific/Chatham LC_ALL=C.UTF-8 \
                               CCACHE_STATSLOG="$work/ccache-stats.log") || exit 1
if [ -f "$work/ccache-stats.log" ]; then
    echo "   compiler cache in the second build:" \
         "$(CCACHE_STATSLOG="$work/ccache-stats.log" ccache --show-log-stats |
            grep -E '^ *(Hits|Misses):' | tr -s ' ' | paste -sd,)"
fi

zips=("$first"/dist/*.zip)
zip_a=${zips[0]}
zip_b=$second/dist/$(basename "$zip_a")
if cmp -s "$zip_a" "$zip_b"; then
    echo "dist-check: the same zip, byte for byte: $(sha256sum "$zip_a" | cut -d' ' -f1)  $(basename "$zip_a")"
    rm -rf "$work"
    exit 0
fi
echo "dist-check: the zips differ (both kept under $work)" >&2
sha256sum "$zip_a" "$zip_b" >&2
mkdir -p "$work/unzip-a" "$work/unzip-b"
(cd "$work/unzip-a" && unzip -q "$zip_a") && (cd "$work/unzip-b" && unzip -q "$zip_b")
diff -r "$work/unzip-a" "$work/unzip-b" >&2
exit 1
