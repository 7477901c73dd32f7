"""What the end-to-end checks use to drive the real program under Wine as a
user and the user's other programs would: the X display (xdotool), the
clipboard (xclip), the settings file and the Start Menu folder in the prefix.

The environment comes from scripts/test-e2e.sh: WINEPREFIX, DISPLAY,
HUEMIRA_EXE, HUEMIRA_E2E_SHOTS and HUEMIRA_WINE_LOADER, and the prefixes
(and display) of the other displays that display() switches to.
"""
import contextlib
import os
import re
import subprocess
import time
from pathlib import Path

WINDOW_TITLE = "Huemira"
CLIENT_WIDTH, CLIENT_HEIGHT = 167, 200
SETTINGS_NAME = "QeltColor.ini"
HISTORY_DEFAULTS = ["FF5858", "FFFF80", "80FF80", "80FFFF", "0080FF", "FF8040", "8000FF", "008040"] + ["FF5858"] * 80

PREFIX = Path(os.environ["WINEPREFIX"])
EXE = Path(os.environ["HUEMIRA_EXE"])
SHOTS = Path(os.environ["HUEMIRA_E2E_SHOTS"])
WINE_LOADER = os.environ.get("HUEMIRA_WINE_LOADER", "/usr/lib/wine/wine64")
# The display's resolution over 96 dpi: the program's layout scales by it.
SCALE = 1.0


def scaled(length):
    """A length of the program's 96-dpi layout at the display's resolution."""
    return int(length * SCALE + 0.5)


@contextlib.contextmanager
def display(dpi=96, monitors=1):
    """Runs what it holds at another display resolution, or on two monitors
    side by side (the left one at negative coordinates for Windows), in the
    Wine prefix and on the X display that scripts/test-e2e.sh made for it;
    its programs end with it."""
    global PREFIX, SCALE
    saved = PREFIX, SCALE, dict(os.environ)
    name = f"{dpi}DPI" if monitors == 1 else f"{monitors}MONITORS"
    PREFIX, SCALE = Path(os.environ[f"HUEMIRA_WINEPREFIX_{name}"]), dpi / 96
    os.environ["WINEPREFIX"] = str(PREFIX)
    if monitors != 1:
        os.environ["DISPLAY"] = os.environ[f"HUEMIRA_DISPLAY_{name}"]
    try:
        yield
    finally:
        subprocess.run([str(Path(WINE_LOADER).with_name("wineserver64")), "-w"], timeout=60)
        PREFIX, SCALE = saved[0], saved[1]
        os.environ.clear()
        os.environ.update(saved[2])


class CheckFailed(AssertionError):
    pass


def expect(condition, message):
    if not condition:
        raise CheckFailed(message)


def expect_equal(actual, expected, what):
    if actual != expected:
        raise CheckFailed(f"{what}: expected {expected!r}, got {actual!r}")


def wait_until(probe, timeout=10.0, interval=0.1):
    """Calls probe until it returns something true; returns its last value."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)


def run(*args, timeout=10, check=True):
    done = subprocess.run(args, capture_output=True, text=True, timeout=timeout)
    if check and done.returncode != 0:
        raise CheckFailed(f"{' '.join(args)} failed: {done.stderr.strip()}")
    return done.stdout


# --- the settings file -----------------------------------------------------

def settings_path():
    return PREFIX / "drive_c" / "windows" / SETTINGS_NAME


def fresh_settings():
    """No settings file, as on a first start."""
    settings_path().unlink(missing_ok=True)


def write_settings(text):
    """A settings file as another program (or the user's editor) writes it."""
    settings_path().write_bytes(text.replace("\n", "\r\n").encode("ascii"))


def _decode(data):
    if data.startswith(b"\xff\xfe"):
        return data[2:].decode("utf-16-le")
    if data.startswith(b"\xef\xbb\xbf"):
        return data[3:].decode("utf-8")
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("gbk", errors="replace")


def read_settings():
    """The settings file as the profile functions see it: a list of
    (section, [(key, value), ...]) in file order, values without blanks
    around them and without one pair of enclosing quotes."""
    path = settings_path()
    if not path.exists():
        return None
    sections = []
    for raw in _decode(path.read_bytes()).splitlines():
        line = raw.strip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("[") and "]" in line:
            sections.append((line[1:line.index("]")].strip(), []))
        elif "=" in line and sections:
            key, value = line.split("=", 1)
            value = value.strip()
            if len(value) >= 2 and value[0] == value[-1] and value[0] in "'\"":
                value = value[1:-1]
            sections[-1][1].append((key.strip(), value))
    return sections


def setting(section, key):
    """One value as GetPrivateProfileString reads it (names match without
    regard to case, the first occurrence counts), or None when missing."""
    for name, entries in read_settings() or []:
        if name.lower() == section.lower():
            for k, v in entries:
                if k.lower() == key.lower():
                    return v
    return None


def history_from_settings():
    return [setting("HistoryColor", f"HC{n}") for n in range(1, 89)]


def expect_full_history(when):
    """All 88 history keys hold six upper-case hexadecimal digits; returns them."""
    history = history_from_settings()
    missing = [f"HC{n}" for n, value in enumerate(history, 1) if value is None]
    if len(missing) == len(history):
        raise CheckFailed(f"no history key was written {when}")
    expect(not missing, f"not written {when}: {', '.join(missing)}")
    malformed = [f"HC{n}={value}" for n, value in enumerate(history, 1) if not re.fullmatch(r"[0-9A-F]{6}", value)]
    expect(not malformed, f"not six upper-case hex digits after writing {when}: {', '.join(malformed)}")
    return history


# --- the Start Menu ------------------------------------------------------

def _user_folder(key_pattern, name):
    """A folder that a value of the current user's registry names, on the host."""
    reg = (PREFIX / "user.reg").read_text(encoding="utf-8", errors="replace")
    block = re.search(rf"^\[{key_pattern}\].*?(?=^\[|\Z)", reg, re.M | re.S | re.I)
    expect(block, f"user.reg has no {key_pattern} key")
    value = re.search(rf'^"{name}"="(.*)"$', block.group(0), re.M)
    expect(value, f"the registry has no {name} value")
    windows_path = value.group(1).replace("\\\\", "\\")
    expect(windows_path[1:3] == ":\\", f"unexpected {name} path {windows_path}")
    drive = windows_path[0].lower()
    return PREFIX / f"drive_{drive}" / Path(*windows_path[3:].split("\\"))


def start_menu_folder():
    """The current user's Start Menu folder as the registry names it."""
    return _user_folder(r"Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders",
                        "Start Menu")


def environment_folder(name):
    """A folder named by one of the user's environment variables (TEMP)."""
    return _user_folder("Environment", name)


# --- the clipboard and the screen ----------------------------------------

def clipboard():
    """The clipboard's text as another X program reads it ("" if none)."""
    try:
        done = subprocess.run(["xclip", "-o", "-selection", "clipboard"],
                              capture_output=True, timeout=5)
    except subprocess.TimeoutExpired:
        return ""
    return done.stdout.decode("utf-8", errors="replace") if done.returncode == 0 else ""


def expect_clipboard(expected, what, timeout=10.0):
    """Waits for the clipboard to hold expected (copies arrive asynchronously)."""
    if not wait_until(lambda: clipboard() == expected, timeout):
        raise CheckFailed(f"{what}: clipboard should hold {expected!r}, holds {clipboard()!r}")


def screenshot(name):
    SHOTS.mkdir(parents=True, exist_ok=True)
    path = SHOTS / f"{name}.png"
    subprocess.run(["import", "-window", "root", str(path)], capture_output=True, timeout=30)
    return path


def move_pointer(x, y):
    """Moves the pointer to a place on the X screen. A warp, which every X
    server takes: Xephyr (the two-monitor display) ignores the synthetic
    motion of xdotool's mousemove."""
    run("/usr/bin/python3", "-c", "import sys; from Xlib import display; d = display.Display(); "
        "d.screen().root.warp_pointer(int(sys.argv[1]), int(sys.argv[2])); d.sync()", str(x), str(y))


def screen_size():
    width, height = run("xdotool", "getdisplaygeometry").split()
    return int(width), int(height)


def window_geometry(window):
    """(x, y, width, height) of an X window on the screen, frame included."""
    values = dict(line.split("=", 1) for line in run("xdotool", "getwindowgeometry", "--shell", window).split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


class ScreenPixels:
    """The screen's pixels at one moment, read as another program sees them."""

    def __init__(self):
        self.width, self.height = screen_size()
        self.data = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                                   capture_output=True, timeout=30).stdout
        expect(len(self.data) == self.width * self.height * 3, "the screen could not be read")

    def at(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.data[offset:offset + 3])


def visible_windows(title=WINDOW_TITLE):
    done = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$"],
                          capture_output=True, text=True, timeout=10)
    return [line for line in done.stdout.split() if line]


# --- the program -----------------------------------------------------------

def wine_environment():
    env = {k: v for k, v in os.environ.items() if not k.startswith("LC_")}
    env["LANG"] = "zh_CN.UTF-8"
    return env


# Set by the runner: names the logs and screenshots of the running check.
current_check = "check"


class Program:
    """The real program started under Wine, with its main window found.
    Used as a context manager it is always ended, and a failure inside it
    leaves a screenshot of the moment."""

    def __init__(self, name=None):
        self.name = name or current_check
        self.process = None
        self.window = None

    def start(self, timeout=40.0):
        expect(not visible_windows(), f"a window titled {WINDOW_TITLE!r} is already on the display")
        SHOTS.mkdir(parents=True, exist_ok=True)
        self._log = open(SHOTS / f"{self.name}.wine.log", "wb")
        self.process = subprocess.Popen([WINE_LOADER, str(EXE)], cwd=str(EXE.parent), env=wine_environment(),
                                        stdin=subprocess.DEVNULL, stdout=self._log, stderr=subprocess.STDOUT)

        def window_found():
            expect(self.process.poll() is None, f"the program ended at start with code {self.process.returncode}")
            windows = visible_windows()
            return windows[0] if len(windows) == 1 else None

        self.window = wait_until(window_found, timeout, 0.2)
        if not self.window:
            count = len(visible_windows())
            screenshot(f"{self.name}-start")
            expect(count == 0, f"{count} windows titled {WINDOW_TITLE!r} appeared (a message box?), not one")
            raise CheckFailed(f"no window titled {WINDOW_TITLE!r} appeared within {timeout:.0f} s")
        return self

    def geometry(self):
        """(x, y, width, height) of the whole window, frame included."""
        return window_geometry(self.window)

    def client_is_whole_window(self):
        """Whether the X window is just the client area: so it is for a
        window that Wine leaves to a window manager to frame."""
        return self.geometry()[2:] == (CLIENT_WIDTH, CLIENT_HEIGHT)

    def client_origin(self):
        """Screen position of the client area's top left corner. Where Wine
        draws the frame itself, it is equally thick on the left, right and
        bottom, with the caption above the client area."""
        x, y, width, height = self.geometry()
        client_width, client_height = scaled(CLIENT_WIDTH), scaled(CLIENT_HEIGHT)
        if (width, height) == (client_width, client_height):
            return x, y
        border = (width - client_width) // 2
        return x + border, y + height - border - client_height

    def click(self, client_x, client_y):
        """A left click at a point of the client area."""
        left, top = self.client_origin()
        run("xdotool", "mousemove", str(left + client_x), str(top + client_y), "click", "1")
        time.sleep(0.3)

    def key(self, *keys):
        run("xdotool", "key", "--delay", "60", *keys)
        time.sleep(0.2)

    def type(self, text):
        run("xdotool", "type", "--delay", "80", text, timeout=30)
        time.sleep(0.3)

    def replace_text_at(self, client_x, client_y, text):
        """Clicks a text box, selects all of its text and types over it."""
        self.click(client_x, client_y)
        self.key("End", "shift+Home")
        self.type(text)

    def close(self, timeout=20.0):
        """Closes the window as a user does (Alt+F4) and waits for the end."""
        run("xdotool", "windowfocus", "--sync", self.window)
        self.key("alt+F4")
        try:
            self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise CheckFailed(f"the program did not end within {timeout:.0f} s of Alt+F4")
        expect_equal(self.process.returncode, 0, "exit code after closing")

    def stop(self):
        """Ends the program if a check left it running."""
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait(10)
        if self.process:
            self._log.close()

    def __enter__(self):
        return self.start()

    def __exit__(self, error_type, error, trace):
        if error_type is not None:
            screenshot(f"{self.name}-failed")
        self.stop()
        return False
