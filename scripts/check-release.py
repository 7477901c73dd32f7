#!/usr/bin/env python3
"""Checks the release programs, read straight from their PE headers:

    check-release.py WIN32_EXE WIN64_EXE

each must be a Windows GUI program of its architecture that imports no
MinGW runtime DLL (libstdc++, libgcc, winpthread) and carries an icon and a
manifest asking for common controls 6. The 32-bit manifest must not declare
a requestedExecutionLevel: without one, Windows gives a 32-bit program file
virtualization for the Windows directory, where the settings file lives.
The 32-bit program must be large-address-aware, or the pictures the size
cap admits can fail to find room in 2 GB of address space.
Prints one line per program; exits non-zero on any failure.
"""
import struct
import sys
import xml.etree.ElementTree as ET

MACHINES = {"i686": (0x14C, 0x10B, "PE32 i386"), "x86_64": (0x8664, 0x20B, "PE32+ x86-64")}
SUBSYSTEM_GUI = 2
RT_GROUP_ICON, RT_MANIFEST = 14, 24
RUNTIME_DLLS = ("libstdc++", "libgcc", "libwinpthread")
LARGE_ADDRESS_AWARE = 0x20


class BadImage(Exception):
    pass


class PeImage:
    """Just enough of a PE file: headers, imported DLLs and resources."""

    def __init__(self, data):
        self.data = data
        if self.u16(0) != 0x5A4D:
            raise BadImage("no MZ header")
        pe = self.u32(0x3C)
        if self.bytes(pe, 4) != b"PE\0\0":
            raise BadImage("no PE signature")
        self.machine = self.u16(pe + 4)
        self.characteristics = self.u16(pe + 22)
        section_count = self.u16(pe + 6)
        optional_size = self.u16(pe + 20)
        optional = pe + 24
        self.magic = self.u16(optional)
        if self.magic not in (0x10B, 0x20B):
            raise BadImage(f"unknown optional header magic {self.magic:#x}")
        self.subsystem = self.u16(optional + 68)
        directories = optional + (96 if self.magic == 0x10B else 112)
        directory_count = self.u32(directories - 4)
        self.directories = [(self.u32(directories + 8 * i), self.u32(directories + 8 * i + 4))
                            for i in range(min(directory_count, 16))]
        first_section = optional + optional_size
        self.sections = [struct.unpack_from("<IIII", self.bytes(first_section + 40 * i + 8, 16))
                         for i in range(section_count)]

    def bytes(self, offset, size):
        if offset < 0 or size < 0 or offset + size > len(self.data):
            raise BadImage(f"read of {size} bytes at {offset:#x} runs past the file's end")
        return self.data[offset:offset + size]

    def u16(self, offset):
        return struct.unpack("<H", self.bytes(offset, 2))[0]

    def u32(self, offset):
        return struct.unpack("<I", self.bytes(offset, 4))[0]

    def offset_of(self, rva):
        for virtual_size, address, raw_size, raw_offset in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw_offset + rva - address
        raise BadImage(f"address {rva:#x} lies in no section")

    def c_string(self, rva, limit=256):
        start = self.offset_of(rva)
        text = self.bytes(start, min(limit, len(self.data) - start))
        return text.split(b"\0", 1)[0].decode("ascii", errors="replace")

    def imported_dlls(self):
        if len(self.directories) < 2 or not self.directories[1][0]:
            return []
        names, entry = [], self.offset_of(self.directories[1][0])
        for _ in range(4096):
            name_rva = self.u32(entry + 12)
            if not name_rva:
                return names
            names.append(self.c_string(name_rva))
            entry += 20
        raise BadImage("import table has no end")

    def resources(self):
        """{type id: [data bytes, ...]} of the resources with numeric types."""
        if len(self.directories) < 3 or not self.directories[2][0]:
            return {}
        base = self.offset_of(self.directories[2][0])
        found = {}

        def entries(directory):
            count = self.u16(directory + 12) + self.u16(directory + 14)
            if count > 4096:
                raise BadImage("resource directory too large")
            return [(self.u32(directory + 16 + 8 * i), self.u32(directory + 20 + 8 * i)) for i in range(count)]

        def leaves(offset, depth):
            if depth > 3:
                raise BadImage("resource tree too deep")
            if offset & 0x80000000:
                for _, child in entries(base + (offset & 0x7FFFFFFF)):
                    yield from leaves(child, depth + 1)
            else:
                rva, size = self.u32(base + offset), self.u32(base + offset + 4)
                yield self.bytes(self.offset_of(rva), size)

        for type_id, offset in entries(base):
            if not type_id & 0x80000000:
                found[type_id] = list(leaves(offset, 1))
        return found


def local_name(tag):
    return tag.rsplit("}", 1)[-1]


def problems_of(path, arch):
    try:
        with open(path, "rb") as f:
            image = PeImage(f.read())
        machine, magic, label = MACHINES[arch]
        problems = []
        if (image.machine, image.magic) != (machine, magic):
            problems.append(f"not a {label} program (machine {image.machine:#x}, magic {image.magic:#x})")
        if arch == "i686" and not image.characteristics & LARGE_ADDRESS_AWARE:
            problems.append("not large-address-aware")
        if image.subsystem != SUBSYSTEM_GUI:
            problems.append(f"subsystem {image.subsystem}, not Windows GUI")
        dlls = image.imported_dlls()
        runtime = [d for d in dlls if d.lower().startswith(RUNTIME_DLLS)]
        if runtime:
            problems.append(f"imports MinGW runtime DLLs: {', '.join(runtime)}")
        resources = image.resources()
        if not resources.get(RT_GROUP_ICON):
            problems.append("carries no icon")
        manifests = resources.get(RT_MANIFEST, [])
        if not manifests:
            problems.append("carries no manifest")
        for manifest in manifests:
            root = ET.fromstring(manifest)
            identities = [e.attrib for e in root.iter() if local_name(e.tag) == "assemblyIdentity"]
            if not any(a.get("name") == "Microsoft.Windows.Common-Controls" and a.get("version", "").startswith("6.")
                       for a in identities):
                problems.append("manifest does not ask for common controls 6")
            if arch == "i686" and any(local_name(e.tag) == "requestedExecutionLevel" for e in root.iter()):
                problems.append("32-bit manifest declares a requestedExecutionLevel (switches off file virtualization)")
        return problems, dlls
    except (OSError, BadImage, ET.ParseError) as error:
        return [str(error)], []


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    failed = False
    for path, arch in ((argv[1], "i686"), (argv[2], "x86_64")):
        problems, dlls = problems_of(path, arch)
        if problems:
            failed = True
            for problem in problems:
                print(f"FAIL {path}: {problem}")
        else:
            print(f"ok   {path}: {MACHINES[arch][2]} GUI program with icon and manifest, imports {' '.join(sorted(set(dlls)))}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
