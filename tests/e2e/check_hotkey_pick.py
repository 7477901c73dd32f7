"""The pick hotkey as a user presses it in another program's window: the
loupe follows the pointer, a click takes the 5 x 5 average without reaching
the window beneath, Shift+click picks on, Esc ends the pick."""
import subprocess
import tempfile
import time
from pathlib import Path

import harness
from harness import expect, expect_equal, run

PATTERN_PROGRAM = harness.EXE.parents[1] / "tests" / "windows" / "pattern-window.exe"
PROFILE_PROGRAM = harness.EXE.parents[1] / "tests" / "windows" / "display-profile.exe"
# Debian's colord-data, through Wine's drive for the host's root.
ADOBE_RGB = "Z:\\usr\\share\\color\\icc\\colord\\AdobeRGB1998.icc"
PATTERN_LEFT, PATTERN_TOP = 300, 200
# The pattern's two halves (tests/e2e/pattern_window.cpp), and the 5 x 5
# mean on its middle column: two columns of the left colour, three of the
# right, each channel rounded half up.
LEFT_COLOR, RIGHT_COLOR, BORDER_MEAN = "0AC81E", "FB0065", "9B5049"
# The same display values turned into sRGB through Adobe RGB (1998),
# relative colorimetric, by Pillow's ImageCms (Little CMS driven another way).
LEFT_SRGB, BORDER_MEAN_SRGB = "00C900", "B04F47"


class PatternWindow:
    """Another Windows program's window: two colours and a log of the mouse
    buttons that reach it."""

    def __init__(self):
        self.log = Path(tempfile.mkdtemp()) / "buttons.log"
        self.log.touch()
        windows_log = "Z:" + str(self.log).replace("/", "\\")
        self.process = subprocess.Popen([harness.WINE_LOADER, str(PATTERN_PROGRAM), str(PATTERN_LEFT),
                                         str(PATTERN_TOP), windows_log], env=harness.wine_environment(),
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        found = harness.wait_until(lambda: run("xdotool", "search", "--onlyvisible", "--name", "^pattern-window$",
                                               check=False).split(), 30)
        expect(found, "the pattern window did not appear")
        self.window = found[0]

    def buttons_seen(self):
        return self.log.read_text().count("button")

    def close(self):
        # Alt+F4 closed the program under the pointer, so Wine may not have
        # seen Alt come up; a click gives a Wine window the X focus, and with
        # it the keyboard's true state, before the next check presses keys.
        click_at(PATTERN_LEFT + 150, PATTERN_TOP + 100)
        self.process.kill()
        self.process.wait(10)


def click_at(x, y, *held):
    harness.move_pointer(x, y)
    time.sleep(0.3)
    for key in held:
        run("xdotool", "keydown", key)
    run("xdotool", "click", "1")
    for key in held:
        run("xdotool", "keyup", key)
    time.sleep(0.5)


def start_pick(app, pattern):
    """The hotkey pressed while the keyboard is with the other program: with
    no window manager, the X focus is the window under the pointer. (Giving
    it to the window outright would leave it on the root window once that
    window is gone, where Wine sees no keys.)"""
    harness.move_pointer(PATTERN_LEFT + 10, PATTERN_TOP + 10)
    time.sleep(0.3)
    app.key("ctrl+alt+c")


def check_the_pick_hotkey_takes_the_average_and_the_click_reaches_no_window():
    expect(PATTERN_PROGRAM.exists(), f"{PATTERN_PROGRAM} is missing: build the x86_64 tests (make win64)")
    harness.fresh_settings()
    harness.write_settings("[Pick]\r\nSampleSize=5\r\n")
    pattern = PatternWindow()
    try:
        with harness.Program() as app:
            start_pick(app, pattern)
            middle_y = PATTERN_TOP + 100
            click_at(PATTERN_LEFT + 100, middle_y)
            harness.expect_clipboard(BORDER_MEAN.lower(), "after the hotkey pick")
            expect_equal(pattern.buttons_seen(), 0, "buttons that reached the pattern window")

            app.key("ctrl+alt+c")
            click_at(PATTERN_LEFT + 50, middle_y, "shift")
            harness.screenshot("hotkey-pick-picking-on")
            click_at(PATTERN_LEFT + 150, middle_y, "shift")
            harness.expect_clipboard(RIGHT_COLOR.lower(), "after two Shift+clicks")
            app.key("Escape")
            expect_equal(pattern.buttons_seen(), 0, "buttons that reached the pattern window")
            # Once the pick is over, the window gets its clicks again.
            click_at(PATTERN_LEFT + 150, middle_y)
            expect(pattern.buttons_seen() > 0, "a click after the pick reaches the pattern window")
            # Back to the program, as a user would go, to close it.
            app.click(40, 185)  # the code box
            app.close()
    finally:
        pattern.close()
    history = harness.expect_full_history("after the hotkey picks")
    expect_equal(history[0:3], [RIGHT_COLOR, LEFT_COLOR, BORDER_MEAN], "HC1..HC3, the picks newest first")


def display_profile(action):
    """Gives the display colord's Adobe RGB (1998), or takes it away."""
    done = subprocess.run([harness.WINE_LOADER, str(PROFILE_PROGRAM), action, ADOBE_RGB],
                          env=harness.wine_environment(), capture_output=True, timeout=60)
    expect(done.returncode == 0, f"display-profile.exe {action} failed ({done.returncode})")


def check_srgb_values_come_through_the_displays_profile():
    """A wide-gamut profile on the display: with [Pick] Values=sRGB the pick
    gives what a colour-managed program was asked to draw."""
    display_profile("associate")
    pattern = PatternWindow()
    try:
        harness.fresh_settings()
        harness.write_settings("[Pick]\r\nSampleSize=5\r\nValues=sRGB\r\n")
        with harness.Program() as app:
            start_pick(app, pattern)
            click_at(PATTERN_LEFT + 100, PATTERN_TOP + 100)
            harness.expect_clipboard(BORDER_MEAN_SRGB.lower(), "the average, turned into sRGB")
            start_pick(app, pattern)
            click_at(PATTERN_LEFT + 50, PATTERN_TOP + 100)
            harness.expect_clipboard(LEFT_SRGB.lower(), "one colour, turned into sRGB")
            app.click(40, 185)  # the code box
            app.close()
        history = harness.expect_full_history("after the sRGB picks")
        expect_equal(history[0:2], [LEFT_SRGB, BORDER_MEAN_SRGB], "HC1 and HC2")
    finally:
        pattern.close()
        display_profile("remove")
