#!/usr/bin/env python3
"""Packs the release for Windows users:

    make-release.py WIN32_EXE OUTDIR

writes OUTDIR/Huemira-VERSION-win32.zip (the i686 huemira.exe, LICENSE,
THIRD-PARTY-NOTICES and the users' guide as 说明.txt, UTF-8 with a BOM) and
OUTDIR/SHA256SUMS. VERSION is the CMake project version. The archive is the
same bytes for the same inputs: fixed order, times and attributes. Its
times are those of SOURCE_DATE_EPOCH, or else of the last commit.
"""
import hashlib
import os
import re
import subprocess
import sys
import time
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
GUIDE = "说明.txt"


def project_version():
    text = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    match = re.search(r"project\(\s*huemira\s+VERSION\s+([0-9.]+)", text)
    if not match:
        raise SystemExit("make-release: no project version in CMakeLists.txt")
    return match.group(1)


def source_date():
    if "SOURCE_DATE_EPOCH" in os.environ:
        return int(os.environ["SOURCE_DATE_EPOCH"])
    done = subprocess.run(["git", "-C", str(ROOT), "log", "-1", "--format=%ct"], capture_output=True, text=True)
    return int(done.stdout.strip()) if done.returncode == 0 and done.stdout.strip() else 315532800  # 1980-01-01


def members(exe, version):
    """(name in the archive, bytes), in the archive's order."""
    guide = (ROOT / "docs" / "user-guide-zh.txt").read_text(encoding="utf-8").replace("@HUEMIRA_VERSION@", version)
    guide = "\ufeff" + guide.replace("\r\n", "\n").replace("\n", "\r\n")
    return [("huemira.exe", Path(exe).read_bytes()),
            ("LICENSE", (ROOT / "LICENSE").read_bytes()),
            ("THIRD-PARTY-NOTICES", (ROOT / "THIRD-PARTY-NOTICES").read_bytes()),
            (GUIDE, guide.encode("utf-8"))]


def archive_name(version):
    return f"Huemira-{version}-win32.zip"


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    exe, outdir = argv[1], Path(argv[2])
    version = project_version()
    outdir.mkdir(parents=True, exist_ok=True)
    archive = outdir / archive_name(version)
    # Zip times have a two-second step and start in 1980.
    stamp = time.gmtime(max(source_date(), 315532800))[:6]
    with zipfile.ZipFile(archive, "w") as zip_file:
        for name, data in members(exe, version):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 0  # MS-DOS: what Windows' own archives say
            info.external_attr = 0x20  # the archive attribute, nothing else
            info.compress_type = zipfile.ZIP_DEFLATED
            zip_file.writestr(info, data, compresslevel=9)
    digest = hashlib.sha256(archive.read_bytes()).hexdigest()
    (outdir / "SHA256SUMS").write_text(f"{digest}  {archive.name}\n", encoding="ascii")
    print(f"release: {archive} ({archive.stat().st_size} bytes)\n         {digest}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
