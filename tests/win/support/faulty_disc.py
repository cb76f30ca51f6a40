"""A disc with faults, as a FUSE file system over a folder (or over a mounted
disc image): a read-only copy of the folder whose chosen files fail their
reads with EIO from a chosen offset on (a bad sector), whose chosen folders
cannot be listed, and which can be taken out part way: from then on every
call fails, as on a drive whose disc was removed.

    python3 faulty_disc.py SOURCE MOUNTPOINT PLAN

PLAN is a JSON file:
    "bad":         {"/path/in/disc": offset, ...}  a read that reaches this
                   offset fails as a whole: a short read would be taken for
                   the end of the file
    "unlistable":  ["/folder", ...]               listing fails
    "take_out_when_opened": "/path/in/disc"       taken out as that file is
                   opened: its reads fail, and so does everything after
    "ready":       a path on the host, written once the disc is mounted
    "bytes_per_second": a slow drive: every read takes as long as reading
                   its bytes at this rate would
    "read_log":    a path on the host; after every read of a file, a line
                   "/path/in/disc END" (END: the offset just past the read)
"""
import errno
import json
import os
import sys
import time

from fusepy import FUSE, FuseOSError, Operations


class FaultyDisc(Operations):
    def __init__(self, source, plan):
        self.source = source
        self.bad = plan.get("bad", {})
        self.unlistable = set(plan.get("unlistable", []))
        self.take_out_when_opened = plan.get("take_out_when_opened")
        self.out = False
        self.ready = plan.get("ready")
        self.rate = plan.get("bytes_per_second")
        self.read_log = plan.get("read_log")

    def init(self, path):
        if self.ready:
            with open(self.ready + ".part", "w") as f:
                f.write("mounted")
            os.rename(self.ready + ".part", self.ready)

    def _present(self):
        if self.out:
            raise FuseOSError(errno.EIO)

    def _full(self, path):
        return os.path.join(self.source, path.lstrip("/"))

    def getattr(self, path, fh=None):
        self._present()
        st = os.lstat(self._full(path))
        return {key: getattr(st, key) for key in
                ("st_atime", "st_ctime", "st_gid", "st_mode", "st_mtime", "st_nlink",
                 "st_size", "st_uid", "st_ino")}

    def readlink(self, path):
        self._present()
        return os.readlink(self._full(path))

    def opendir(self, path):
        self._present()
        if path in self.unlistable:
            raise FuseOSError(errno.EIO)
        return 0

    def readdir(self, path, fh):
        self._present()
        if path in self.unlistable:
            raise FuseOSError(errno.EIO)
        return [".", ".."] + os.listdir(self._full(path))

    def statfs(self, path):
        self._present()
        st = os.statvfs(self._full(path))
        return {key: getattr(st, key) for key in
                ("f_bavail", "f_bfree", "f_blocks", "f_bsize", "f_favail", "f_ffree",
                 "f_files", "f_flag", "f_frsize", "f_namemax")}

    def open(self, path, flags):
        self._present()
        if path == self.take_out_when_opened:
            self.out = True
        return os.open(self._full(path), os.O_RDONLY)

    def read(self, path, size, offset, fh):
        self._present()
        bad = self.bad.get(path)
        if bad is not None and offset + size > bad:
            raise FuseOSError(errno.EIO)
        if self.rate:
            time.sleep(size / self.rate)
        data = os.pread(fh, size, offset)
        if self.read_log:
            with open(self.read_log, "a") as log:
                log.write("%s %d\n" % (path, offset + len(data)))
        return data

    def release(self, path, fh):
        os.close(fh)
        return 0


def main():
    source, mountpoint, plan_path = sys.argv[1:4]
    with open(plan_path) as f:
        plan = json.load(f)
    # No page cache between opens, so that every read of a file reaches the
    # disc, as a drive's reads reach the medium.
    FUSE(FaultyDisc(source, plan), mountpoint, foreground=True, ro=True, nothreads=True,
         direct_io=False, kernel_cache=False, attr_timeout=0, entry_timeout=0)


if __name__ == "__main__":
    main()
