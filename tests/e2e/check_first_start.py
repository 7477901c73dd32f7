"""The first start on a machine without a settings file."""
import harness
from harness import expect, expect_equal


def check_creates_settings_copies_code_and_sits_bottom_right():
    harness.fresh_settings()
    with harness.Program() as app:
        harness.expect_clipboard("ff5858", "first start")
        written = harness.wait_until(harness.read_settings, 10)
        expect_equal(written, [("Main", [("LowerOrUpper", "lower")])], "settings file after the first start")

        x, y, width, height = app.geometry()
        shown = f"window {width}x{height}+{x}+{y}"
        if app.client_is_whole_window():
            frame = (0, 10)  # the X window is the client area; the frame lies around it
        else:
            expect(0 <= width - harness.CLIENT_WIDTH <= 16, f"{shown} does not fit a 167 pixel wide client area")
            expect(12 <= height - harness.CLIENT_HEIGHT <= 48, f"{shown} does not fit a 200 pixel high client area")
            frame = (0, 0)
        # The window's frame ends 20 pixels from the screen's right edge and
        # 50 from its bottom.
        screen_width, screen_height = harness.screen_size()
        right_gap, bottom_gap = screen_width - (x + width), screen_height - (y + height)
        expect(frame[0] - 2 <= right_gap - 20 <= frame[1] + 2,
               f"{shown} is {right_gap} pixels from the right edge of the {screen_width} pixel wide screen, not 20")
        expect(frame[0] - 2 <= bottom_gap - 50 <= frame[1] + 2,
               f"{shown} is {bottom_gap} pixels from the bottom of the {screen_height} pixel high screen, not 50")
        harness.screenshot("first-start")
        app.close()


def check_start_menu_shortcut_points_at_program():
    shortcut = harness.start_menu_folder() / "Huemira.lnk"
    shortcut.unlink(missing_ok=True)
    with harness.Program() as app:
        expect(harness.wait_until(shortcut.exists, 10), f"{shortcut} was not written at start")
        data = shortcut.read_bytes()
        expect(data[:4] == b"\x4c\x00\x00\x00", "Huemira.lnk is not a shell link")
        target = harness.EXE.name.lower()
        expect(target.encode("ascii") in data.lower() or target.encode("utf-16-le") in data.lower(),
               f"Huemira.lnk does not name {harness.EXE.name}")
        app.close()
