#!/usr/bin/env python3
"""Checks the release programs, read straight from their PE headers, and
the release archive:

    check-release.py WIN32_EXE [--win64 WIN64_EXE] [--archive ARCHIVE]

each must be a Windows GUI program of its architecture that imports only
system DLLs (no MinGW runtime DLL) and carries an icon, a manifest asking
for common controls 6, and a version resource of the CMake project version;
its header holds no link time and it names no folder of the build machine,
so that the same sources give the same bytes. The 32-bit manifest must not declare
a requestedExecutionLevel: without one, Windows gives a 32-bit program file
virtualization for the Windows directory, where the settings file lives.
The 32-bit program must be large-address-aware, or the pictures the size
cap admits can fail to find room in 2 GB of address space.
The archive must be Huemira-VERSION-win32.zip holding exactly huemira.exe
(the 32-bit program), LICENSE, THIRD-PARTY-NOTICES and 说明.txt (UTF-8 with
a byte-order mark).
Prints one line per program; exits non-zero on any failure.
"""
import argparse
import re
import struct
import sys
import xml.etree.ElementTree as ET
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

MACHINES = {"i686": (0x14C, 0x10B, "PE32 i386"), "x86_64": (0x8664, 0x20B, "PE32+ x86-64")}
SUBSYSTEM_GUI = 2
RT_VERSION, RT_GROUP_ICON, RT_MANIFEST = 16, 14, 24
SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "mscms.dll",
               "msimg32.dll", "msvcrt.dll", "ole32.dll", "shell32.dll", "user32.dll"}
ARCHIVE_MEMBERS = ["huemira.exe", "LICENSE", "THIRD-PARTY-NOTICES", "说明.txt"]
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
        self.timestamp = self.u32(pe + 8)
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


def project_version():
    match = re.search(r"project\(\s*huemira\s+VERSION\s+([0-9.]+)", (ROOT / "CMakeLists.txt").read_text())
    return match.group(1) if match else None


def version_strings(block):
    """The name-value strings of a VS_VERSIONINFO resource."""
    text = block.decode("utf-16-le", errors="replace")
    return dict(re.findall(r"(FileVersion|ProductVersion|ProductName|OriginalFilename|LegalCopyright)\0+([^\0]+)", text))


def archive_problems(archive, win32_exe):
    problems = []
    expected_name = f"Huemira-{project_version()}-win32.zip"
    if Path(archive).name != expected_name:
        problems.append(f"is named {Path(archive).name}, not {expected_name}")
    try:
        with zipfile.ZipFile(archive) as zip_file:
            names = zip_file.namelist()
            if names != ARCHIVE_MEMBERS:
                problems.append(f"holds {names}, not {ARCHIVE_MEMBERS}")
                return problems
            if zip_file.read("huemira.exe") != Path(win32_exe).read_bytes():
                problems.append("its huemira.exe is not the 32-bit program")
            if not zip_file.read("说明.txt").startswith("\ufeff".encode("utf-8")):
                problems.append("说明.txt has no byte-order mark")
    except (OSError, zipfile.BadZipFile) as error:
        problems.append(str(error))
    return problems


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
        foreign = [d for d in dlls if d.lower() not in SYSTEM_DLLS]
        if foreign:
            problems.append(f"imports DLLs that are not the system's: {', '.join(foreign)}")
        if image.timestamp:
            problems.append(f"the header holds a link time ({image.timestamp}): builds would differ")
        if str(ROOT).encode() in image.data or str(ROOT).encode("utf-16-le") in image.data:
            problems.append(f"names the folder it was built in, {ROOT}")
        resources = image.resources()
        version = project_version()
        strings = version_strings(resources.get(RT_VERSION, [b""])[0])
        for key in ("FileVersion", "ProductVersion"):
            if strings.get(key) != version:
                problems.append(f"version resource's {key} is {strings.get(key)!r}, not {version}")
        if strings.get("ProductName") != "Huemira":
            problems.append(f"version resource's ProductName is {strings.get('ProductName')!r}")
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
    parser = argparse.ArgumentParser(description="Checks the release programs and archive.")
    parser.add_argument("win32")
    parser.add_argument("--win64")
    parser.add_argument("--archive")
    args = parser.parse_args(argv[1:])
    failed = False
    programs = [(args.win32, "i686")] + ([(args.win64, "x86_64")] if args.win64 else [])
    for path, arch in programs:
        problems, dlls = problems_of(path, arch)
        if problems:
            failed = True
            for problem in problems:
                print(f"FAIL {path}: {problem}")
        else:
            print(f"ok   {path}: {MACHINES[arch][2]} GUI program, version {project_version()}, with icon and manifest,"
                  f" imports {' '.join(sorted(set(dlls)))}")
    if args.archive:
        problems = archive_problems(args.archive, args.win32)
        for problem in problems:
            print(f"FAIL {args.archive}: {problem}")
        if problems:
            failed = True
        else:
            print(f"ok   {args.archive}: {', '.join(ARCHIVE_MEMBERS)}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
