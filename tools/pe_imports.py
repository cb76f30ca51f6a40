#!/usr/bin/env python3
"""The libraries a Windows executable imports, ordinary and delay-loaded.

  pe_imports.py list EXE
      prints "import NAME" lines, "delay NAME FUNCTION..." lines and the
      DllCharacteristics
  pe_imports.py check EXE --imports A,B,... [--delayed C,D,...]
      fails unless the ordinary imports are among A,B,..., the delay-loaded
      libraries are exactly C,D,... (none by default), the image keeps ASLR
      (high-entropy on 64-bit) and NX, and it is run from the swap file
  pe_imports.py mark-run-from-swap EXE
      sets the image's flags that make the system copy it to the swap file
      when it is started from removable media or the network, so that a disc
      or stick swapped meanwhile never supplies its code pages (the linker
      has no option for them); the checksum field is set anew
  pe_imports.py release EXE --version TEXT [--no-path DIR]...
      fails unless the image carries no time stamp (file header, export,
      import, debug and resource directories), its checksum field is right,
      no DIR appears in it (as UTF-8 or UTF-16), and its version block and
      manifest carry the version TEXT (such as 1.44)

Names compare without regard to case.
"""
import argparse
import re
import struct
import sys

DIRECTORY_IMPORT = 1
DIRECTORY_DELAY_IMPORT = 13
DELAY_DESCRIPTOR_SIZE = 32
DYNAMIC_BASE = 0x0040
NX_COMPAT = 0x0100
HIGH_ENTROPY_VA = 0x0020
REMOVABLE_RUN_FROM_SWAP = 0x0400
NET_RUN_FROM_SWAP = 0x0800
RUN_FROM_SWAP = REMOVABLE_RUN_FROM_SWAP | NET_RUN_FROM_SWAP


class Image:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = bytearray(f.read())
        if self.data[:2] != b"MZ":
            raise ValueError(f"{path}: not an executable")
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise ValueError(f"{path}: no PE signature")
        sections, optional_size = struct.unpack_from("<2xH12xH", self.data, pe + 4)
        self.file_header_flags_at = pe + 22
        self.file_header_flags = struct.unpack_from("<H", self.data, self.file_header_flags_at)[0]
        self.optional = pe + 24
        magic = struct.unpack_from("<H", self.data, self.optional)[0]
        self.pe32_plus = magic == 0x20B
        if self.pe32_plus:
            self.image_base = struct.unpack_from("<Q", self.data, self.optional + 24)[0]
            self.directories = self.optional + 112
        else:
            self.image_base = struct.unpack_from("<I", self.data, self.optional + 28)[0]
            self.directories = self.optional + 96
        self.characteristics = struct.unpack_from("<H", self.data, self.optional + 70)[0]
        self.directory_count = struct.unpack_from("<I", self.data, self.directories - 4)[0]
        self.sections = []
        table = self.optional + optional_size
        for i in range(sections):
            vsize, rva, raw_size, raw = struct.unpack_from("<IIII", self.data, table + 40 * i + 8)
            self.sections.append((rva, max(vsize, raw_size), raw))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(f"RVA {rva:#x} lies in no section")

    def directory(self, index):
        if index >= self.directory_count:
            return 0, 0
        return struct.unpack_from("<II", self.data, self.directories + 8 * index)

    def string(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(0, at)].decode("ascii")

    def imports(self):
        rva, _ = self.directory(DIRECTORY_IMPORT)
        names = []
        while rva:
            fields = struct.unpack_from("<5I", self.data, self.offset(rva))
            if not any(fields):
                break
            names.append(self.string(fields[3]))
            rva += 20
        return names

    def delay_imports(self):
        """(library, [function, ...]) for each delay-loaded library."""
        rva, size = self.directory(DIRECTORY_DELAY_IMPORT)
        libraries = []
        end = rva + size
        while rva and rva + DELAY_DESCRIPTOR_SIZE <= end:
            fields = struct.unpack_from("<8I", self.data, self.offset(rva))
            if not any(fields):
                break
            # An old descriptor holds addresses, not RVAs.
            base = 0 if fields[0] & 1 else self.image_base
            libraries.append((self.string(fields[1] - base), self.functions(fields[4] - base, base)))
            rva += DELAY_DESCRIPTOR_SIZE
        return libraries

    def functions(self, names_rva, base):
        entry_format, by_ordinal = ("<Q", 1 << 63) if self.pe32_plus else ("<I", 1 << 31)
        step = struct.calcsize(entry_format)
        functions = []
        while names_rva:
            entry = struct.unpack_from(entry_format, self.data, self.offset(names_rva))[0]
            if not entry:
                break
            if entry & by_ordinal:
                functions.append(f"#{entry & 0xFFFF}")
            else:
                functions.append(self.string(entry - base + 2))  # past the hint
            names_rva += step
        return functions


def check(exe, allowed, delayed):
    image = Image(exe)
    problems = []
    for name in image.imports():
        if name.lower() not in allowed:
            problems.append(f"imports {name}, which is not among {', '.join(sorted(allowed))}")
    found = {name.lower() for name, _ in image.delay_imports()}
    if found != delayed:
        problems.append(f"delay-loads {', '.join(sorted(found)) or 'nothing'}, "
                        f"not {', '.join(sorted(delayed))}")
    needed = DYNAMIC_BASE | NX_COMPAT | (HIGH_ENTROPY_VA if image.pe32_plus else 0)
    if image.characteristics & needed != needed:
        problems.append(f"DllCharacteristics {image.characteristics:#06x} lacks {needed & ~image.characteristics:#06x}")
    if image.file_header_flags & RUN_FROM_SWAP != RUN_FROM_SWAP:
        problems.append(f"Characteristics {image.file_header_flags:#06x} lack "
                        f"{RUN_FROM_SWAP & ~image.file_header_flags:#06x} (run from swap)")
    for problem in problems:
        print(f"{exe}: {problem}", file=sys.stderr)
    return not problems


# Release properties: what two builds of one commit, made in different
# folders at different times, must have alike.

DIRECTORY_EXPORT = 0
DIRECTORY_RESOURCE = 2
DIRECTORY_DEBUG = 6
RT_VERSION = 16
RT_MANIFEST = 24
CHECKSUM_FIELD = 64  # in the optional header, for PE32 and PE32+ alike


def pe_checksum(data, field):
    """The image checksum: the 16-bit words of the file (the checksum field
    counted as 0) summed with end-around carry, plus the file's length."""
    words = bytes(data[:field]) + b"\0\0\0\0" + bytes(data[field + 4:])
    if len(words) % 2:
        words += b"\0"
    total = sum(struct.unpack(f"<{len(words) // 2}H", words))
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(data)


def resource_tree(image):
    """([(path of ids or names, bytes)], [(where, time stamp)]) of the
    resource directory: every resource and every directory table's stamp."""
    base, _ = image.directory(DIRECTORY_RESOURCE)
    found, stamps = [], []
    if not base:
        return found, stamps

    def walk(offset, path):
        at = image.offset(base + offset)
        stamp, named, numbered = struct.unpack_from("<4xI4xHH", image.data, at)
        stamps.append((f"resource directory {'/'.join(map(str, path)) or 'root'}", stamp))
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", image.data, at + 16 + 8 * i)
            key = f"name@{name & 0x7FFFFFFF:#x}" if name & 0x80000000 else name
            if target & 0x80000000:
                walk(target & 0x7FFFFFFF, path + (key,))
            else:
                rva, size = struct.unpack_from("<II", image.data, image.offset(base + target))
                start = image.offset(rva)
                found.append((path + (key,), bytes(image.data[start:start + size])))

    walk(0, ())
    return found, stamps


def time_stamps(image):
    """(where, value) of every time stamp field the image holds."""
    stamps = [("file header", struct.unpack_from("<I", image.data, image.optional - 16)[0])]
    rva, _ = image.directory(DIRECTORY_EXPORT)
    if rva:
        stamps.append(("export directory", struct.unpack_from("<I", image.data, image.offset(rva) + 4)[0]))
    rva, _ = image.directory(DIRECTORY_IMPORT)
    while rva:
        fields = struct.unpack_from("<5I", image.data, image.offset(rva))
        if not any(fields):
            break
        stamps.append((f"import of {image.string(fields[3])}", fields[1]))
        rva += 20
    rva, size = image.directory(DIRECTORY_DEBUG)
    for i in range(size // 28 if rva else 0):
        stamps.append(("debug directory", struct.unpack_from("<I", image.data, image.offset(rva + 28 * i) + 4)[0]))
    stamps += resource_tree(image)[1]
    return stamps


def version_node(data, at):
    """(key, value bytes, children, length) of one node of a version block."""
    length, value_length, text = struct.unpack_from("<3H", data, at)
    end = at + 6
    while data[end:end + 2] != b"\0\0":
        end += 2
    key = data[at + 6:end].decode("utf-16-le")
    value_at = (end + 2 + 3) & ~3
    value_end = value_at + (value_length * 2 if text else value_length)
    children, child = [], (value_end + 3) & ~3
    while child < at + length:
        node = version_node(data, child)
        children.append(node)
        child = (child + node[3] + 3) & ~3
    return key, data[value_at:value_end], children, length


def version_block(data):
    """(file version, product version, {key: text}) of a version resource; the
    two versions as the dotted four numbers of its fixed part."""
    _, fixed, children, _ = version_node(data, 0)
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
    if signature != 0xFEEF04BD:
        raise ValueError("the version block has no fixed part")
    dotted = lambda ms, ls: f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    strings = {}
    for key, _, tables, _ in children:
        if key == "StringFileInfo":
            for _, _, entries, _ in tables:
                for name, value, _, _ in entries:
                    strings[name] = value.decode("utf-16-le").rstrip("\0")
    return dotted(file_ms, file_ls), dotted(product_ms, product_ls), strings


def release_problems(exe, version, build_paths):
    image = Image(exe)
    problems = [f"time stamp {stamp:#010x} in the {where}" for where, stamp in time_stamps(image) if stamp]
    field = image.optional + CHECKSUM_FIELD
    stored, computed = struct.unpack_from("<I", image.data, field)[0], pe_checksum(image.data, field)
    if stored != computed:
        problems.append(f"checksum field {stored:#010x}, the image sums to {computed:#010x}")
    for path in build_paths:
        for form in (path.encode(), path.encode("utf-16-le")):
            if form in image.data:
                problems.append(f"holds the build path {path}")
                break
    four = ".".join((version.split(".") + ["0"] * 4)[:4])
    resources = dict(resource_tree(image)[0])
    block = next((data for path, data in resources.items() if path[0] == RT_VERSION), None)
    if block is None:
        problems.append("has no version block")
    else:
        file_version, product_version, strings = version_block(block)
        for name, found, wanted in (("fixed file version", file_version, four),
                                    ("fixed product version", product_version, four),
                                    ("FileVersion", strings.get("FileVersion"), version),
                                    ("ProductVersion", strings.get("ProductVersion"), version)):
            if found != wanted:
                problems.append(f"version block: {name} is {found}, not {wanted}")
    manifest = next((data for path, data in resources.items() if path[0] == RT_MANIFEST), b"")
    identity = re.search(rb"<assemblyIdentity[^>]*\bversion=\"([^\"]*)\"", manifest)
    if not identity or identity.group(1).decode() != four:
        problems.append(f"manifest: version {identity.group(1).decode() if identity else 'missing'}, not {four}")
    return problems


def mark_run_from_swap(exe):
    image = Image(exe)
    flags = image.file_header_flags | RUN_FROM_SWAP
    if flags == image.file_header_flags:
        return
    struct.pack_into("<H", image.data, image.file_header_flags_at, flags)
    # The flags are summed into the image checksum: set it anew.
    field = image.optional + CHECKSUM_FIELD
    struct.pack_into("<I", image.data, field, pe_checksum(image.data, field))
    with open(exe, "r+b") as f:
        f.write(image.data)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    verbs = parser.add_subparsers(dest="verb", required=True)
    verbs.add_parser("list").add_argument("exe")
    verbs.add_parser("mark-run-from-swap").add_argument("exe")
    checker = verbs.add_parser("check")
    checker.add_argument("exe")
    checker.add_argument("--imports", required=True)
    checker.add_argument("--delayed", default="")
    release = verbs.add_parser("release")
    release.add_argument("exe")
    release.add_argument("--version", required=True)
    release.add_argument("--no-path", action="append", default=[])
    args = parser.parse_args()

    if args.verb == "list":
        image = Image(args.exe)
        for name in image.imports():
            print(f"import {name}")
        for name, functions in image.delay_imports():
            print(f"delay {name} {' '.join(functions)}")
        print(f"DllCharacteristics {image.characteristics:#06x}")
        print(f"Characteristics {image.file_header_flags:#06x}")
    elif args.verb == "mark-run-from-swap":
        mark_run_from_swap(args.exe)
    elif args.verb == "release":
        problems = release_problems(args.exe, args.version, args.no_path)
        for problem in problems:
            print(f"{args.exe}: {problem}", file=sys.stderr)
        return 1 if problems else 0
    else:
        names = lambda text: {n.strip().lower() for n in text.replace(";", ",").split(",") if n.strip()}
        return 0 if check(args.exe, names(args.imports), names(args.delayed)) else 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
