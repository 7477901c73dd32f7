#!/usr/bin/env python3
"""huemira-palette on the command line, and readers we did not write.

palette_files_test.py HUEMIRA_PALETTE cli|pillow|npm

  cli     exit codes, messages with the line, and that OUT is written only
          after IN was read whole
  pillow  Pillow's GIMP palette reader reads the .gpl we write
  npm     Style Dictionary reads our .tokens.json, and Tailwind v4 compiles
          our theme; both are installed once, at pinned versions, into
          $HUEMIRA_NPM_CACHE (default ~/.cache/huemira-npm). Skipped when npm
          is missing or cannot install them.

Exit status 0 pass, 1 fail, 77 skipped (ctest's SKIP_RETURN_CODE).
"""
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
STYLE_DICTIONARY = "style-dictionary@5.8.0"
TAILWIND = ["tailwindcss@4.3.5", "@tailwindcss/cli@4.3.5"]

# Names with spaces and Chinese; the CSS writers turn them into identifiers.
GPL_SOURCE = """GIMP Palette
Name: Brand
Columns: 2
# hand-made
255  88  88\tCoral red
 18 171  52\t品牌 绿
  0   0   0\tink
250 250 250\tpaper
"""
COLOURS = [(255, 88, 88), (18, 171, 52), (0, 0, 0), (250, 250, 250)]


def run(tool, *args):
    return subprocess.run([tool, *map(str, args)], capture_output=True, text=True)


def convert(tool, source, target, *options):
    result = run(tool, "convert", source, target, *options)
    if result.returncode != 0:
        raise AssertionError(f"convert {source} {target} failed: {result.stderr}")


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def test_cli(tool, work):
    source = work / "brand.gpl"
    source.write_text(GPL_SOURCE, encoding="utf-8")
    convert(tool, source, work / "brand.css")
    css = (work / "brand.css").read_text(encoding="utf-8")
    check("--Coral-red: #ff5858;" in css and "--品牌-绿: #12ab34;" in css, css)
    convert(tool, source, work / "theme.txt", "--format", "tailwind")
    check("--color-ink: oklch(" in (work / "theme.txt").read_text(encoding="utf-8"), "no Tailwind theme")
    convert(tool, work / "theme.txt", work / "back.gpl", "--from", "css")
    check((work / "back.gpl").read_text(encoding="utf-8").startswith("GIMP Palette\nName: theme\n"), "name")

    bad = work / "bad.css"
    bad.write_text(":root {\n  --a: #fff;\n  --b: rgb(1 2);\n}\n", encoding="utf-8")
    kept = work / "kept.gpl"
    kept.write_text("old", encoding="utf-8")
    result = run(tool, "convert", bad, kept)
    check(result.returncode == 1, f"exit {result.returncode}")
    check(result.stderr.startswith(f"{bad}:3: "), result.stderr)
    check(kept.read_text(encoding="utf-8") == "old", "OUT changed by a failing conversion")
    check(sorted(p.name for p in work.iterdir() if "partial" in p.name) == [], "a partial file was left")

    check(run(tool, "convert", source, work / "x.unknown").returncode == 2, "unknown format")
    check(run(tool, "convert", source).returncode == 2, "missing OUT")
    check(run(tool, "convert", work / "missing.gpl", work / "y.css").returncode == 1, "missing IN")
    check(not (work / "y.css").exists(), "OUT written for a missing IN")
    check("--format" in run(tool, "--help").stdout, "help")


def test_pillow(tool, work):
    try:
        from PIL.GimpPaletteFile import GimpPaletteFile
    except ImportError:
        print("SKIPPED: Pillow is missing (apt-get install python3-pil)")
        return SKIP
    source = work / "brand.gpl"
    source.write_text(GPL_SOURCE, encoding="utf-8")
    convert(tool, source, work / "brand.tokens.json")
    convert(tool, work / "brand.tokens.json", work / "ours.gpl")
    with open(work / "ours.gpl", "rb") as f:
        palette = GimpPaletteFile(f).getpalette()[0]
    # Pillow gives each line after the header a slot, the Name and Columns
    # lines too: the colours start at slot 2.
    for i, colour in enumerate(COLOURS, start=2):
        check(tuple(palette[3 * i:3 * i + 3]) == colour, f"slot {i}: {tuple(palette[3 * i:3 * i + 3])}")
    return 0


def npm_packages(cache):
    """node_modules with the pinned packages, installed once; None if npm cannot."""
    npm = shutil.which("npm")
    if not npm:
        print("SKIPPED: npm is missing, so Style Dictionary and Tailwind cannot be installed")
        return None
    cache.mkdir(parents=True, exist_ok=True)
    wanted = [STYLE_DICTIONARY, *TAILWIND]
    stamp = cache / "installed.txt"
    if not stamp.exists() or stamp.read_text() != "\n".join(wanted):
        if not (cache / "package.json").exists():
            (cache / "package.json").write_text('{"private": true}\n')
        result = subprocess.run([npm, "install", "--no-audit", "--no-fund", "--save-exact", *wanted], cwd=cache,
                                capture_output=True, text=True)
        if result.returncode != 0:
            print(f"SKIPPED: npm could not install {' '.join(wanted)}:\n{result.stderr[-2000:]}")
            return None
        stamp.write_text("\n".join(wanted))
    return cache / "node_modules"


def test_npm(tool, work):
    node_modules = npm_packages(pathlib.Path(os.environ.get("HUEMIRA_NPM_CACHE",
                                                             pathlib.Path.home() / ".cache" / "huemira-npm")))
    if node_modules is None:
        return SKIP
    (work / "node_modules").symlink_to(node_modules)
    source = work / "brand.gpl"
    source.write_text(GPL_SOURCE, encoding="utf-8")

    convert(tool, source, work / "brand.tokens.json")
    (work / "build.mjs").write_text("""
import StyleDictionary from 'style-dictionary';
const sd = new StyleDictionary({
  source: ['brand.tokens.json'],
  log: { warnings: 'error' },
  platforms: { css: { transformGroup: 'css', buildPath: 'build/',
                      files: [{ destination: 'vars.css', format: 'css/variables' }] } },
});
await sd.buildAllPlatforms();
""")
    result = subprocess.run(["node", "build.mjs"], cwd=work, capture_output=True, text=True)
    check(result.returncode == 0, f"Style Dictionary failed: {result.stdout}{result.stderr}")
    variables = (work / "build" / "vars.css").read_text(encoding="utf-8")
    for name, hex_code in [("coral-red", "#ff5858"), ("品牌-绿", "#12ab34"), ("ink", "#000000"), ("paper", "#fafafa")]:
        check(f"--{name}: {hex_code};" in variables, f"Style Dictionary gave:\n{variables}")

    convert(tool, source, work / "brand.tailwind.css")
    (work / "input.css").write_text('@import "tailwindcss";\n@import "./brand.tailwind.css";\n')
    (work / "index.html").write_text('<div class="bg-Coral-red text-ink border-paper"></div>\n')
    cli = node_modules / ".bin" / "tailwindcss"
    result = subprocess.run([str(cli), "-i", "input.css", "-o", "out.css"], cwd=work, capture_output=True, text=True)
    check(result.returncode == 0, f"Tailwind failed: {result.stderr}")
    out = (work / "out.css").read_text(encoding="utf-8")
    for needle in ["--color-Coral-red: oklch(0.68588 0.20310 24.205)", ".bg-Coral-red", ".text-ink", ".border-paper"]:
        check(needle in out, f"Tailwind's output lacks {needle}")
    return 0


def main():
    tool, mode = os.path.abspath(sys.argv[1]), sys.argv[2]
    with tempfile.TemporaryDirectory(prefix=f"huemira-palette-{mode}-") as work:
        try:
            status = {"cli": test_cli, "pillow": test_pillow, "npm": test_npm}[mode](tool, pathlib.Path(work)) or 0
        except AssertionError as failure:
            print(f"FAIL: {failure}")
            return 1
    if status == 0:
        print(f"PASS: {mode}")
    return status


if __name__ == "__main__":
    sys.exit(main())
