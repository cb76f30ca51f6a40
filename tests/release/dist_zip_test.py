#!/usr/bin/env python3
"""tools/dist_zip.py: the release zip's entries, order, times, permissions and
text files, and the same bytes from the same inputs whatever the files' own
times, the umask and the time zone."""
import hashlib
import os
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

SOURCE = os.environ.get("FERROW_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "../.."))
TOOL = os.path.join(SOURCE, "tools", "dist_zip.py")
EPOCH = 1796000000  # 2026-11-30 00:53:20 UTC

# (name in the zip, its mode)
ENTRIES = [
    ("ferrow-2.5/", 0o040755),
    ("ferrow-2.5/ferrow-64bit.exe", 0o100644),
    ("ferrow-2.5/ferrow-32bit.exe", 0o100644),
    ("ferrow-2.5/README.txt", 0o100644),
    ("ferrow-2.5/LICENSE.txt", 0o100644),
    ("ferrow-2.5/SHA256SUMS", 0o100644),
]


class DistZip(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)
        self.inputs = {
            "header": '#pragma once\n#define FERROW_VERSION_TEXT "2.5"\n',
            "exe64": "MZ sixty-four",
            "exe32": "MZ thirty-two",
            "readme": "Ferrow @VERSION@\n\nLines\r\nof mixed ends\n\n\n",
            "license": "MIT License\n\nText.\n",
        }
        for name, text in self.inputs.items():
            with open(self.path(name), "w", newline="") as f:
                f.write(text)

    def path(self, name):
        return os.path.join(self.dir.name, name)

    def make(self, out, umask=0o022, tz="UTC"):
        args = [sys.executable, TOOL, "--epoch", str(EPOCH), "--version-header", self.path("header"),
                "--exe64", self.path("exe64"), "--exe32", self.path("exe32"),
                "--readme", self.path("readme"), "--license", self.path("license"), "--out", out]
        old = os.umask(umask)
        try:
            result = subprocess.run(args, capture_output=True, text=True, env=dict(os.environ, TZ=tz), check=True)
        finally:
            os.umask(old)
        return os.path.join(out, "ferrow-2.5.zip"), result.stdout

    def test_entries_in_order_with_the_commit_time_and_fixed_modes(self):
        path, _ = self.make(self.path("out"))
        with zipfile.ZipFile(path) as zf:
            infos = zf.infolist()
        self.assertEqual([(i.filename, i.external_attr >> 16) for i in infos], ENTRIES)
        for info in infos:
            self.assertEqual(info.date_time, time.gmtime(EPOCH)[:6])
            self.assertEqual(info.create_system, 3)
            self.assertEqual(info.extra, b"")

    def test_text_files_have_windows_line_ends_and_the_version(self):
        path, _ = self.make(self.path("out"))
        with zipfile.ZipFile(path) as zf:
            readme = zf.read("ferrow-2.5/README.txt")
            license_text = zf.read("ferrow-2.5/LICENSE.txt")
        self.assertEqual(readme, b"Ferrow 2.5\r\n\r\nLines\r\nof mixed ends\r\n")
        self.assertEqual(license_text, b"MIT License\r\n\r\nText.\r\n")

    def test_sums_name_each_file_and_the_zip_has_its_own(self):
        path, printed = self.make(self.path("out"))
        with zipfile.ZipFile(path) as zf:
            files = {name: zf.read(name) for name, _ in ENTRIES[1:5]}
            sums = zf.read("ferrow-2.5/SHA256SUMS").decode()
        self.assertEqual(sums, "".join(f"{hashlib.sha256(data).hexdigest()}  {os.path.basename(name)}\n"
                                       for name, data in files.items()))
        with open(path, "rb") as f:
            zip_sum = hashlib.sha256(f.read()).hexdigest()
        with open(path + ".sha256") as f:
            self.assertEqual(f.read(), f"{zip_sum}  ferrow-2.5.zip\n")
        self.assertEqual(printed.splitlines(), [
            f"{zip_sum}  {path}",
            f"{hashlib.sha256(b'MZ sixty-four').hexdigest()}  ferrow-2.5/ferrow-64bit.exe",
            f"{hashlib.sha256(b'MZ thirty-two').hexdigest()}  ferrow-2.5/ferrow-32bit.exe",
        ])
        self.assertEqual(int(os.stat(path).st_mtime), EPOCH)

    def test_same_inputs_give_the_same_bytes(self):
        first, _ = self.make(self.path("first"))
        for name in self.inputs:
            os.utime(self.path(name), (EPOCH + 86400, EPOCH + 86400))
        second, _ = self.make(self.path("second"), umask=0o077, tz="Pacific/Chatham")
        with open(first, "rb") as a, open(second, "rb") as b:
            self.assertEqual(a.read(), b.read())


if __name__ == "__main__":
    unittest.main()
