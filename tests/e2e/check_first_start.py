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
        screen_width, screen_height = harness.screen_size()
        # Placed 20 pixels from the right edge and 50 from the bottom.
        expect(abs(screen_width - 20 - (x + width)) <= 4,
               f"right edge at {x + width}, expected about {screen_width - 20} (window {width}x{height}+{x}+{y})")
        expect(abs(screen_height - 50 - (y + height)) <= 4,
               f"bottom edge at {y + height}, expected about {screen_height - 50} (window {width}x{height}+{x}+{y})")
        # The frame around a 167 x 200 client area is thin, the caption small.
        expect(0 <= width - harness.CLIENT_WIDTH <= 16, f"window width {width} does not fit a 167 pixel client area")
        expect(12 <= height - harness.CLIENT_HEIGHT <= 48, f"window height {height} does not fit a 200 pixel client area")
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
