#!/usr/bin/env python3
"""What Ferrow should report about a folder tree, computed here on the Linux
side without the program: CRCs by zlib, the walk's files and folders from
the file system, and an independent reader of the saved ".crc" file.

  ferrow_oracle.py crc PATH                   the result line's CRC of a file or folder
  ferrow_oracle.py totals ROOT                the totals line of a scan of ROOT
  ferrow_oracle.py check-crc-file FILE ROOT LETTER LISTING
        checks a saved file byte for byte against a scan of ROOT as drive
        LETTER; LISTING is the probe's "walk" output (the walk order as the
        Windows directory search gives it)

The walk order is the order of the Windows directory search, which need not
be the order os.scandir gives for the same Linux folder. So a saved file is
checked twice: its CRCs as a multiset against the CRCs of the files that a
walk of the Linux tree finds (independent of any order), and position by
position against the order that "ferrow_probe walk" lists through
FindFirstFileW / FindNextFileW in Wine (whose set of files must equal the
Linux walk's).

The program's CRC is the reflected CRC-32 from 0 without the final
inversion: zlib.crc32(data, 0xFFFFFFFF) ^ 0xFFFFFFFF. A folder's CRC and the
disk CRC are the 32-bit wrapping sums of the file CRCs.
"""
import collections
import os
import struct
import sys
import zlib

MAGIC = b"Ferrow data\0"
HEADER = 48
ZEROS = bytes(1 << 20)

# Windows attribute bits as Wine keeps them for a Linux file (xattr user.DOSATTRIB).
HIDDEN, SYSTEM = 0x2, 0x4


def dos_attributes(path):
    try:
        value = os.getxattr(path, "user.DOSATTRIB", follow_symlinks=False)
    except OSError:
        return 0
    try:
        return int(value.split(b"\0")[0].decode(), 16)
    except ValueError:
        return 0


def zero_run(crc, length):
    while length > 0:
        n = min(length, len(ZEROS))
        crc = zlib.crc32(ZEROS if n == len(ZEROS) else ZEROS[:n], crc)
        length -= n
    return crc


def file_crc(path):
    """The program's CRC of one file. The data extents are read; the holes
    of a sparse file are zeros by definition and are not read (reading a
    4 GiB hole costs seconds of kernel time for nothing)."""
    crc = 0xFFFFFFFF
    with open(path, "rb") as f:
        size = os.fstat(f.fileno()).st_size
        position = 0
        while position < size:
            try:
                data_start = os.lseek(f.fileno(), position, os.SEEK_DATA)
            except OSError:          # nothing but a hole up to the end
                data_start = size
            crc = zero_run(crc, data_start - position)
            if data_start >= size:
                break
            try:
                hole_start = os.lseek(f.fileno(), data_start, os.SEEK_HOLE)
            except OSError:
                hole_start = size
            f.seek(data_start)
            remaining = hole_start - data_start
            while remaining > 0:
                chunk = f.read(min(remaining, 1 << 24))
                if not chunk:
                    raise IOError("%s ended early" % path)
                crc = zlib.crc32(chunk, crc)
                remaining -= len(chunk)
            position = hole_start
    return crc ^ 0xFFFFFFFF


def entered(entry):
    """Subfolders the walk enters: no name beginning with a dot, no system
    folder; hidden folders are entered."""
    return (entry.is_dir(follow_symlinks=False) and not entry.name.startswith(".")
            and not dos_attributes(entry.path) & SYSTEM)


def walk(root):
    """Files (Linux paths) and the folder count of a walk of root, in no
    particular order: the program's order is the directory search's."""
    files, folders, pending = [], 0, [root]
    while pending:
        folder = pending.pop()
        folders += 1
        with os.scandir(folder) as entries:
            for entry in entries:
                if entry.is_dir(follow_symlinks=False):
                    if entered(entry):
                        pending.append(entry.path)
                else:
                    files.append(entry.path)
    return files, folders


def folder_crc(root):
    files, _ = walk(root)
    return sum(file_crc(f) for f in files) & 0xFFFFFFFF


def item_crc(path):
    return folder_crc(path) if os.path.isdir(path) else file_crc(path)


def totals_line(files, folders, crcs):
    return "  Total files:  %d  Total folders:  %d  CRC for disk:  %08X" % (
        files, folders, sum(crcs) & 0xFFFFFFFF)


def read_listing(listing, letter, root):
    """The probe's walk output as Linux paths in walk order, and its folder count."""
    prefix = letter + ":\\"
    order, folders = [], 0
    with open(listing, encoding="utf-8") as f:
        for line in f:
            kind, _, path = line.rstrip("\n").partition("\t")
            if not path.startswith(prefix):
                raise ValueError("listing line outside drive %s: %r" % (letter, line))
            linux = os.path.join(root, path[len(prefix):].replace("\\", "/")).rstrip("/")
            if kind == "folder":
                folders += 1
            elif kind == "file":
                order.append(linux)
    return order, folders


def check_crc_file(crc_file, root, letter, listing):
    errors = []
    data = open(crc_file, "rb").read()
    files, folders = walk(root)
    crc_of = {path: file_crc(path) for path in files}
    expected = sorted(crc_of.values())
    if len(data) < HEADER:
        return ["the file has %d bytes, less than a header" % len(data)]
    magic, version, count, folder_count, disk_crc, drive_index = struct.unpack_from("<16sIIIIi", data, 0)
    if magic[:12] != MAGIC:
        errors.append("magic %r, expected %r" % (magic[:12], MAGIC))
    if magic[12:] != b"\0\0\0\0" or data[36:48] != bytes(12):
        errors.append("reserved bytes not zero: %r %r" % (magic[12:], data[36:48]))
    if version != 1:
        errors.append("version %d, expected 1" % version)
    if count != len(files):
        errors.append("crcCount %d, the tree has %d files in the walk" % (count, len(files)))
    if folder_count != folders:
        errors.append("folderCount %d, the tree has %d walked folders" % (folder_count, folders))
    if drive_index != ord(letter) - ord("A"):
        errors.append("driveIndex %d, expected %d (%s:)" % (drive_index, ord(letter) - ord("A"), letter))
    if len(data) != HEADER + 4 * count:
        errors.append("file size %d, expected %d" % (len(data), HEADER + 4 * count))
    stored = list(struct.unpack_from("<%dI" % count, data, HEADER)) if len(data) >= HEADER + 4 * count else []
    if disk_crc != sum(expected) & 0xFFFFFFFF:
        errors.append("diskCrc %08X, the sum of the files' CRCs is %08X" % (disk_crc, sum(expected) & 0xFFFFFFFF))
    # Independent of any order: the same CRCs, each as often.
    if sorted(stored) != expected:
        missing = collections.Counter(expected) - collections.Counter(stored)
        extra = collections.Counter(stored) - collections.Counter(expected)
        errors.append("the stored CRCs differ from the files' CRCs: missing %s, extra %s" % (
            ["%08X" % c for c in list(missing.elements())[:5]], ["%08X" % c for c in list(extra.elements())[:5]]))
    # In walk order: position by position against the directory search's order.
    order, listed_folders = read_listing(listing, letter, root)
    if sorted(order) != sorted(files) or listed_folders != folders:
        errors.append("the Windows listing has %d files in %d folders, the Linux walk %d in %d" % (
            len(order), listed_folders, len(files), folders))
    else:
        for position, (path, crc) in enumerate(zip(order, stored)):
            if crc != crc_of[path]:
                errors.append("CRC %d is %08X, expected %08X of %s" % (position, crc, crc_of[path], path))
                if len(errors) > 10:
                    break
    return errors


def main(argv):
    if len(argv) == 3 and argv[1] == "crc":
        print("%08X" % item_crc(argv[2]))
    elif len(argv) == 3 and argv[1] == "totals":
        files, folders = walk(argv[2])
        print(totals_line(len(files), folders, [file_crc(f) for f in files]))
    elif len(argv) == 6 and argv[1] == "check-crc-file":
        errors = check_crc_file(argv[2], argv[3], argv[4], argv[5])
        if errors:
            print("\n".join(errors), file=sys.stderr)
            return 1
        print("the saved file matches the tree")
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
