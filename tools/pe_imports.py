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
      has no option for them)

Names compare without regard to case.
"""
import argparse
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


def mark_run_from_swap(exe):
    image = Image(exe)
    flags = image.file_header_flags | RUN_FROM_SWAP
    if flags == image.file_header_flags:
        return
    struct.pack_into("<H", image.data, image.file_header_flags_at, flags)
    with open(exe, "r+b") as f:
        f.seek(image.file_header_flags_at)
        f.write(struct.pack("<H", flags))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    verbs = parser.add_subparsers(dest="verb", required=True)
    verbs.add_parser("list").add_argument("exe")
    verbs.add_parser("mark-run-from-swap").add_argument("exe")
    checker = verbs.add_parser("check")
    checker.add_argument("exe")
    checker.add_argument("--imports", required=True)
    checker.add_argument("--delayed", default="")
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
    else:
        names = lambda text: {n.strip().lower() for n in text.replace(";", ",").split(",") if n.strip()}
        return 0 if check(args.exe, names(args.imports), names(args.delayed)) else 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
