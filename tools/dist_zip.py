#!/usr/bin/env python3
"""The release zip of Ferrow, the same bytes from the same inputs.

  dist_zip.py --version-header H --epoch SECONDS --exe64 EXE --exe32 EXE
              --readme TEXT --license TEXT --out DIR

writes DIR/ferrow-VERSION.zip (VERSION from the generated header H) holding,
in the folder ferrow-VERSION/, the two exes, the read-me and the licence as
Windows text files (CRLF line ends) and SHA256SUMS of those four; every entry
has the time SECONDS (UTC) and fixed permissions, in a fixed order. Writes
DIR/ferrow-VERSION.zip.sha256 beside it and prints the SHA-256 of the zip and
of each exe.
"""
import argparse
import hashlib
import os
import re
import sys
import time
import zipfile

EXE_64 = "ferrow-64bit.exe"
EXE_32 = "ferrow-32bit.exe"
README = "README.txt"
LICENSE = "LICENSE.txt"
FILE_MODE = 0o100644
FOLDER_MODE = 0o040755
UNIX = 3  # the "made by" system of every entry, whatever system writes the zip


def version_of(header):
    with open(header, encoding="ascii") as f:
        found = re.search(r'#define FERROW_VERSION_TEXT "([^"]+)"', f.read())
    if not found:
        raise ValueError(f"{header}: no FERROW_VERSION_TEXT")
    return found.group(1)


def windows_text(data):
    """The text with CRLF line ends, whatever it had, ending with one."""
    lines = data.decode("utf-8").replace("\r\n", "\n").rstrip("\n").split("\n")
    return ("\r\n".join(lines) + "\r\n").encode("utf-8")


def entry(name, epoch, mode):
    info = zipfile.ZipInfo(name, date_time=time.gmtime(epoch)[:6])
    info.create_system = UNIX
    info.external_attr = mode << 16
    return info


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def release_files(version, exe64, exe32, readme, license_text):
    """[(name in the zip, bytes)] in the zip's order, SHA256SUMS last."""
    files = [(EXE_64, exe64), (EXE_32, exe32),
             (README, windows_text(readme.replace(b"@VERSION@", version.encode()))),
             (LICENSE, windows_text(license_text))]
    sums = "".join(f"{sha256(data)}  {name}\n" for name, data in files)
    return files + [("SHA256SUMS", sums.encode("ascii"))]


def write_zip(path, folder, files, epoch):
    with open(path, "wb") as out:
        with zipfile.ZipFile(out, "w") as zf:
            zf.writestr(entry(folder + "/", epoch, FOLDER_MODE), b"")
            for name, data in files:
                zf.writestr(entry(f"{folder}/{name}", epoch, FILE_MODE), data,
                            compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)
    os.utime(path, (epoch, epoch))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    for option in ("--version-header", "--exe64", "--exe32", "--readme", "--license", "--out"):
        parser.add_argument(option, required=True)
    parser.add_argument("--epoch", required=True, type=int)
    args = parser.parse_args()

    version = version_of(args.version_header)
    read = lambda path: open(path, "rb").read()
    files = release_files(version, read(args.exe64), read(args.exe32), read(args.readme), read(args.license))
    folder = f"ferrow-{version}"
    os.makedirs(args.out, exist_ok=True)
    path = os.path.join(args.out, folder + ".zip")
    write_zip(path, folder, files, args.epoch)
    zip_sum = sha256(read(path))
    with open(path + ".sha256", "w", encoding="ascii", newline="\n") as f:
        f.write(f"{zip_sum}  {folder}.zip\n")
    print(f"{zip_sum}  {path}")
    for name, data in files[:2]:
        print(f"{sha256(data)}  {folder}/{name}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
