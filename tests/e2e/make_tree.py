#!/usr/bin/env python3
"""Builds the folder trees that the end-to-end scripts give to Ferrow.

  make_tree.py disk ROOT [--no-big-file]
                              a disc's worth of files: a few hundred files in
                              nested folders with Unicode names, a hidden folder
                              (entered), a dot-folder and a system folder (not
                              entered), a dot-file, an empty file and (unless
                              told not to) a sparse file of a little over 4 GiB
  make_tree.py sparse FILE    a sparse file of 4 GiB + 3 bytes with data at the
                              start, across the 64 MiB line and from a little
                              before the 4 GiB line to the end
  make_tree.py slow ROOT N    N sparse files of 256 MiB, each with a few bytes of
                              data: reading them takes long enough to press Abort
  make_tree.py items ROOT     a few files and folders to drop and to print
  make_tree.py many ROOT N    N small files in folders of 100

Contents come from a fixed seed, so a failing run can be repeated. Prints the
Linux path of the file that a test may change (disk only).
"""
import os
import random
import sys

# Windows attributes as Wine keeps them for a Linux file (xattr user.DOSATTRIB).
HIDDEN, SYSTEM = 0x2, 0x4
GIB = 1 << 30


def set_dos_attributes(path, attributes):
    os.setxattr(path, "user.DOSATTRIB", b"0x%x" % attributes)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def random_bytes(rng, size):
    return rng.randbytes(size)


def disk(root, big_file=True):
    rng = random.Random(7001)
    folders = [
        "Musik/Grüße 🎵",
        "Musik/Grüße 🎵/Live",
        "Фото/2024/Лето",
        "日本語のフォルダ",
        "docs/a/b/c/d",
        "docs/Ελληνικά",
        "Versteckt",                       # hidden: entered
        ".config/app",                     # dot-folder: not entered
        "System Volume Information/x",     # system: not entered
    ]
    for folder in folders:
        os.makedirs(os.path.join(root, folder), exist_ok=True)
    names = ["lied", "datei", "photo", "ファイル", "файл", "note", "αρχείο", "file with spaces"]
    walked = [f for f in folders if not f.startswith((".config", "System Volume"))]
    count = 0
    for folder in [""] + walked:
        for i in range(rng.randint(30, 44)):
            name = "%s %d.%s" % (rng.choice(names), i, rng.choice(["txt", "bin", "dat", "jpg"]))
            size = rng.choice([1, 2, 3, 100, 511, 4096, 4097, rng.randint(0, 40000)])
            write(os.path.join(root, folder, name), random_bytes(rng, size))
            count += 1
    for folder in (".config/app", "System Volume Information/x", ".config", "System Volume Information"):
        for i in range(3):
            write(os.path.join(root, folder, "skipped %d.txt" % i), random_bytes(rng, 50 + i))
    set_dos_attributes(os.path.join(root, "Versteckt"), HIDDEN)
    set_dos_attributes(os.path.join(root, "System Volume Information"), SYSTEM)
    write(os.path.join(root, ".hidden-file"), b"a file whose name begins with a dot is checked\n")
    write(os.path.join(root, "empty.dat"), b"")
    write(os.path.join(root, "Versteckt/inside hidden.txt"), b"hidden folders are walked\n")
    # Past 4 GiB, sparse: data at the start, across the 4 GiB line and at the end.
    if big_file:
        with open(os.path.join(root, "disc image.iso"), "wb") as f:
            f.truncate(4 * GIB + 12345)
            for offset in (0, 4 * GIB - 2000, 4 * GIB + 12345 - 100):
                f.seek(offset)
                f.write(random_bytes(rng, 100 if offset > 4 * GIB else 4000))
    live = os.path.join(root, "Musik/Grüße 🎵/Live")
    print(next(os.path.join(live, name) for name in sorted(os.listdir(live))
               if os.path.getsize(os.path.join(live, name)) > 0))


def sparse(path):
    rng = random.Random(7005)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    size = 4 * GIB + 3
    with open(path, "wb") as f:
        f.truncate(size)
        for offset, length in ((0, 4000), ((64 << 20) - 1000, 2000), (4 * GIB - 2000, 2003)):
            f.seek(offset)
            f.write(random_bytes(rng, length))
    assert os.path.getsize(path) == size


def slow(root, count):
    rng = random.Random(7002)
    os.makedirs(root, exist_ok=True)
    for i in range(count):
        with open(os.path.join(root, "part %02d.bin" % i), "wb") as f:
            f.write(random_bytes(rng, 64))
            f.truncate(256 << 20)


def items(root):
    rng = random.Random(7003)
    for i in range(1, 31):
        write(os.path.join(root, "f%02d.txt" % i), random_bytes(rng, 10 * i + rng.randint(0, 9)))
    write(os.path.join(root, "Ünïcödé 名前.txt"), "Grüße aus Köln\n".encode())
    for folder in ("folder/sub one", "folder/sub one/deeper", "folder/.dot", "folder/hidden", "empty folder"):
        os.makedirs(os.path.join(root, folder), exist_ok=True)
    for folder in ("folder", "folder/sub one", "folder/sub one/deeper", "folder/.dot", "folder/hidden"):
        for i in range(4):
            write(os.path.join(root, folder, "item %d.dat" % i), random_bytes(rng, rng.randint(0, 3000)))
    set_dos_attributes(os.path.join(root, "folder/hidden"), HIDDEN)
    os.makedirs(os.path.join(root, "folder with space"), exist_ok=True)
    for i in range(3):
        write(os.path.join(root, "folder with space", "x%d" % i), random_bytes(rng, 200 + i))


def many(root, count):
    rng = random.Random(7004)
    for i in range(count):
        write(os.path.join(root, "folder %03d" % (i // 100), "file %05d.dat" % i), random_bytes(rng, rng.randint(1, 2000)))


def main(argv):
    if len(argv) == 3 and argv[1] == "disk":
        disk(argv[2])
    elif len(argv) == 4 and argv[1] == "disk" and argv[3] == "--no-big-file":
        disk(argv[2], big_file=False)
    elif len(argv) == 3 and argv[1] == "sparse":
        sparse(argv[2])
    elif len(argv) == 4 and argv[1] == "slow":
        slow(argv[2], int(argv[3]))
    elif len(argv) == 4 and argv[1] == "many":
        many(argv[2], int(argv[3]))
    elif len(argv) == 3 and argv[1] == "items":
        items(argv[2])
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
