"""Runs the end-to-end checks: every function named check_* in the files
check_*.py beside this one, in file order, each on its own. Ends with
    e2e: N passed, M failed
and exits non-zero when any check failed. Arguments, if given, select check
files or functions by part of their name."""
import importlib.util
import inspect
import sys
import time
import traceback
from pathlib import Path

import harness

here = Path(__file__).resolve().parent


def discover(selection):
    for path in sorted(here.glob("check_*.py")):
        module_source = importlib.util.spec_from_file_location(path.stem, path)
        module = importlib.util.module_from_spec(module_source)
        module_source.loader.exec_module(module)
        checks = [f for name, f in vars(module).items()
                  if name.startswith("check_") and inspect.isfunction(f) and f.__module__ == module.__name__]
        for check in sorted(checks, key=lambda f: f.__code__.co_firstlineno):
            label = f"{path.stem.removeprefix('check_')}: {check.__name__.removeprefix('check_').replace('_', ' ')}"
            if not selection or any(s in f"{path.stem}.{check.__name__}" for s in selection):
                yield label, check


def main():
    passed = failed = 0
    for label, check in discover(sys.argv[1:]):
        started = time.monotonic()
        harness.current_check = check.__name__.removeprefix("check_")
        shot = harness.SHOTS / f"{harness.current_check}-failed.png"
        shot.unlink(missing_ok=True)
        try:
            check()
        except Exception as error:
            failed += 1
            print(f"FAIL {label} ({time.monotonic() - started:.0f}s)")
            detail = str(error) if isinstance(error, harness.CheckFailed) else traceback.format_exc()
            for line in detail.rstrip().splitlines():
                print(f"    {line}")
            if shot.exists():
                print(f"    screen at the failure: {shot}")
        else:
            passed += 1
            print(f"PASS {label} ({time.monotonic() - started:.0f}s)")
        sys.stdout.flush()
    print(f"e2e: {passed} passed, {failed} failed")
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main())
