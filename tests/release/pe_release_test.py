#!/usr/bin/env python3
"""tools/pe_imports.py release on small PE32+ images made here: a clean one
passes, and each way a build can differ from another is named."""
import os
import struct
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.environ.get("FERROW_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "../..")), "tools"))
import pe_imports  # noqa: E402

SECTION_RVA = 0x1000
SECTION_RAW = 0x200
OPTIONAL_SIZE = 112 + 16 * 8


def pad4(data):
    return data + b"\0" * (-len(data) % 4)


def version_node(key, value=b"", text=False, children=()):
    body = pad4(struct.pack("<3H", 0, len(value) // 2 if text else len(value), int(text)) +
                key.encode("utf-16-le") + b"\0\0") + value
    for child in children:
        body = pad4(body) + child
    return struct.pack("<H", len(body)) + body[2:]


def version_block(fixed, strings):
    ms, ls = lambda v: (v[0] << 16) | v[1], lambda v: (v[2] << 16) | v[3]
    value = struct.pack("<13I", 0xFEEF04BD, 0x10000, ms(fixed), ls(fixed), ms(fixed), ls(fixed),
                        0x3F, 0, 0x40004, 1, 0, 0, 0)
    entries = [version_node(k, (v + "\0").encode("utf-16-le"), True) for k, v in strings.items()]
    table = version_node("040904e4", text=True, children=entries)
    return version_node("VS_VERSION_INFO", value, children=[version_node("StringFileInfo", text=True, children=[table])])


def resource_section(resources, stamp):
    """The .rsrc bytes for {type: data}, each as id 1, language 0x409."""
    types = sorted(resources)
    directory = lambda count: struct.pack("<IIHHHH", 0, stamp, 0, 0, 0, count)
    # Root, then per type a name table and a language table, then the data entries.
    tables = 16 + 8 * len(types) + len(types) * 2 * (16 + 8)
    entries = tables
    data_at = entries + 16 * len(types)
    out, blobs = directory(len(types)), b""
    for i, kind in enumerate(types):
        out += struct.pack("<II", kind, 0x80000000 | (16 + 8 * len(types) + i * 48))
    for i, kind in enumerate(types):
        out += directory(1) + struct.pack("<II", 1, 0x80000000 | (16 + 8 * len(types) + i * 48 + 24))
        out += directory(1) + struct.pack("<II", 0x409, entries + 16 * i)
    for kind in types:
        out += struct.pack("<IIII", SECTION_RVA + data_at + len(blobs), len(resources[kind]), 0, 0)
        blobs = pad4(blobs + resources[kind])
    return out + blobs


def image(link_stamp=0, resource_stamp=0, strings_version="1.44", fixed=(1, 44, 0, 0),
          manifest_version="1.44.0.0", extra=b"", checksum=None):
    strings = {"FileVersion": strings_version, "ProductName": "Ferrow", "ProductVersion": strings_version}
    manifest = (f'<assembly><assemblyIdentity type="win32" name="Ferrow" version="{manifest_version}"/>'
                '</assembly>').encode()
    section = pad4(resource_section({16: version_block(fixed, strings), 24: manifest}, resource_stamp) + extra)
    raw = section + b"\0" * (-len(section) % 0x200)
    pe = 0x40
    data = bytearray(SECTION_RAW)
    data[:2], data[0x3C:0x40] = b"MZ", struct.pack("<I", pe)
    data[pe:pe + 24] = b"PE\0\0" + struct.pack("<HHIIIHH", 0x8664, 1, link_stamp, 0, 0, OPTIONAL_SIZE, 0x22)
    optional = pe + 24
    struct.pack_into("<H", data, optional, 0x20B)
    struct.pack_into("<Q", data, optional + 24, 0x140000000)
    struct.pack_into("<H", data, optional + 70, 0x160)
    struct.pack_into("<I", data, optional + 108, 16)
    struct.pack_into("<II", data, optional + 112 + 8 * 2, SECTION_RVA, len(section))
    struct.pack_into("<8sIIII", data, optional + OPTIONAL_SIZE, b".rsrc", len(section), SECTION_RVA,
                     len(raw), SECTION_RAW)
    data += raw
    field = optional + pe_imports.CHECKSUM_FIELD
    struct.pack_into("<I", data, field, pe_imports.pe_checksum(data, field) if checksum is None else checksum)
    return bytes(data)


BUILD = "/home/builder/src/ferrow"

# (what differs, image, the problem named)
CASES = [
    ("a link time", image(link_stamp=0x5F5E1000), "time stamp 0x5f5e1000 in the file header"),
    ("a resource time", image(resource_stamp=0x12345678), "time stamp 0x12345678 in the resource directory root"),
    ("a stale checksum", image(checksum=0x1234), "checksum field 0x00001234, the image sums to"),
    ("a build path", image(extra=BUILD.encode() + b"/src/app/startup.cpp"), f"holds the build path {BUILD}"),
    ("a wide build path", image(extra=BUILD.encode("utf-16-le")), f"holds the build path {BUILD}"),
    ("another version text", image(strings_version="1.45"), "version block: FileVersion is 1.45, not 1.44"),
    ("other fixed numbers", image(fixed=(1, 45, 0, 0)), "version block: fixed file version is 1.45.0.0, not 1.44.0.0"),
    ("another manifest version", image(manifest_version="1.43.0.0"), "manifest: version 1.43.0.0, not 1.44.0.0"),
]


class ReleaseChecks(unittest.TestCase):
    def problems(self, data, version="1.44"):
        with tempfile.NamedTemporaryFile(suffix=".exe") as f:
            f.write(data)
            f.flush()
            return pe_imports.release_problems(f.name, version, [BUILD])

    def test_a_clean_image_passes(self):
        self.assertEqual(self.problems(image()), [])

    def test_each_difference_is_named(self):
        for what, data, problem in CASES:
            with self.subTest(what):
                found = self.problems(data)
                self.assertTrue(any(p.startswith(problem) for p in found), found)

    def test_a_short_version_text_means_zeros_after_it(self):
        self.assertEqual(self.problems(image(strings_version="2", fixed=(2, 0, 0, 0), manifest_version="2.0.0.0"),
                                       version="2"), [])

    def test_the_checksum_folds_carries_and_adds_the_length(self):
        # Words 0xFFFF + 0x0002 = 0x10001, folded to 0x0002; plus 8 bytes.
        data = struct.pack("<4H", 0xFFFF, 0, 0, 0x0002)
        self.assertEqual(pe_imports.pe_checksum(data, 2), 0x0002 + 8)
        # The field itself counts as zero.
        self.assertEqual(pe_imports.pe_checksum(struct.pack("<4H", 1, 0xAAAA, 0xAAAA, 1), 2), 2 + 8)


if __name__ == "__main__":
    unittest.main()
