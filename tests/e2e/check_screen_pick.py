"""Screen picking as a user does it: press on the screen-pick button, drag
the pointer over another program's window of a known colour, release there."""
import subprocess
import tempfile
import time
from pathlib import Path

import harness
from harness import expect, expect_equal, run

# Client-area centre of the screen-pick button (96, 95, 70 x 25).
PICK_BUTTON = (131, 107)
TARGET_COLOR = "129ABC"


class ColorWindow:
    """Another program's window showing one colour: ImageMagick's display."""

    def __init__(self, color, x, y):
        self.picture = Path(tempfile.mkdtemp()) / "color.png"
        run("convert", "-size", "160x120", f"xc:#{color}", str(self.picture))
        title = f"color-target-{color}"
        self.process = subprocess.Popen(["display", "-title", title, "-geometry", f"+{x}+{y}",
                                         str(self.picture)], stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        found = harness.wait_until(lambda: run("xdotool", "search", "--onlyvisible", "--name", title,
                                               check=False).split(), 15)
        expect(found, "the colour window did not appear")
        self.window = found[0]

    def centre(self):
        values = dict(line.split("=", 1) for line in run("xdotool", "getwindowgeometry", "--shell",
                                                         self.window).split())
        return int(values["X"]) + int(values["WIDTH"]) // 2, int(values["Y"]) + int(values["HEIGHT"]) // 2

    def close(self):
        self.process.kill()
        self.process.wait(10)


def drag_pick(app, to_x, to_y):
    left, top = app.client_origin()
    button_x, button_y = left + harness.scaled(PICK_BUTTON[0]), top + harness.scaled(PICK_BUTTON[1])
    harness.move_pointer(button_x, button_y)
    run("xdotool", "mousedown", "1")
    time.sleep(0.3)
    # Several steps, as a hand moves; samples are taken every 100 ms meanwhile.
    for step in (0.3, 0.6, 1.0):
        x = button_x + int((to_x - button_x) * step)
        y = button_y + int((to_y - button_y) * step)
        harness.move_pointer(x, y)
        time.sleep(0.25)
    time.sleep(0.4)
    run("xdotool", "mouseup", "1")
    time.sleep(0.5)


def check_drag_from_the_button_picks_the_color_under_the_pointer():
    harness.fresh_settings()
    target = ColorWindow(TARGET_COLOR, 120, 120)
    try:
        with harness.Program() as app:
            harness.expect_clipboard("ff5858", "start")
            x, y = target.centre()
            drag_pick(app, x, y)
            harness.expect_clipboard(TARGET_COLOR.lower(), "after the pick")
            harness.screenshot("screen-pick-after-release")
            # A second pick of the same colour adds nothing to the history.
            drag_pick(app, x, y)
            harness.expect_clipboard(TARGET_COLOR.lower(), "after the second pick")
            app.close()
    finally:
        target.close()
    history = harness.expect_full_history("after picking")
    expect_equal(history[0], TARGET_COLOR, "HC1, the picked colour")
    expect_equal(history[1:9], harness.HISTORY_DEFAULTS[0:8], "HC2..HC9: the old slots 1..8, moved once")


def check_a_drag_at_144_dpi_lands_on_the_exact_pixel():
    with harness.display(dpi=144):
        harness.fresh_settings()
        target = ColorWindow(TARGET_COLOR, 120, 120)
        try:
            with harness.Program() as app:
                x, y = target.centre()
                drag_pick(app, x, y)
                harness.expect_clipboard(TARGET_COLOR.lower(), "after the pick")
                harness.screenshot("screen-pick-at-144-dpi")
                app.close()
        finally:
            target.close()
        history = harness.expect_full_history("after picking at 144 dpi")
        expect_equal(history[0], TARGET_COLOR, "HC1, the picked colour")


def check_a_drag_picks_on_either_monitor():
    """Two monitors: the program on the primary one, on the right; the left
    one has negative coordinates for Windows, while X counts from its left."""
    with harness.display(monitors=2):
        harness.fresh_settings()
        left = ColorWindow("3A5F0B", 100, 100)
        right = ColorWindow("C71585", 1500, 300)
        try:
            with harness.Program() as app:
                expect(app.geometry()[0] > 1280, "the program starts on the primary monitor, the right one")
                drag_pick(app, *left.centre())
                harness.expect_clipboard("3a5f0b", "after a pick on the left monitor")
                harness.screenshot("screen-pick-on-the-left-monitor")
                drag_pick(app, *right.centre())
                harness.expect_clipboard("c71585", "after a pick on the right monitor")
                app.close()
        finally:
            left.close()
            right.close()
        history = harness.expect_full_history("after picking on two monitors")
        expect_equal(history[0:2], ["C71585", "3A5F0B"], "HC1 and HC2, the picks")
