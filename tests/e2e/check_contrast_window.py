"""The contrast window with real input: opened from the swatch menu, its
background picked by dragging from its own button over another program's
window, and its text colour following the main window's screen pick while
the button is still held."""
import re
import time

import harness
from check_screen_pick import PICK_BUTTON, ColorWindow
from harness import expect, expect_equal, run

SWATCH = (47, 134)  # Panel_ShowColor (1, 95, 93 x 78)
CONTRAST_CLIENT = (264, 252)
BACKGROUND_PICK = (234, 47)  # the 取色 button (214, 36, 40 x 22)
TEXT_SWATCH = (88, 19)  # the text colour's swatch (76, 9, 24 x 20)


def centre_of(x, y):
    """The centre of a colour window placed at x, y (160 x 120); the two
    colour windows share a title, so they are told apart by place."""
    return x + 80, y + 60


def contrast_origin():
    found = harness.wait_until(lambda: harness.visible_windows("Huemira-对比度"), 10)
    expect(found, "the contrast window did not open")
    values = dict(line.split("=", 1) for line in run("xdotool", "getwindowgeometry", "--shell", found[0]).split())
    x, y, width, height = (int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
    border = (width - CONTRAST_CLIENT[0]) // 2
    return x + border, y + height - border - CONTRAST_CLIENT[1]


def screen_pixel(x, y):
    text = run("import", "-window", "root", "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-", timeout=30)
    return re.search(r"#([0-9A-F]{6})", text).group(1)


def press_drag(start, end):
    """Presses at start and moves to end in steps, the button still held."""
    run("xdotool", "mousemove", str(start[0]), str(start[1]), "mousedown", "1")
    time.sleep(0.3)
    for step in (0.3, 0.6, 1.0):
        run("xdotool", "mousemove", str(start[0] + int((end[0] - start[0]) * step)),
            str(start[1] + int((end[1] - start[1]) * step)))
        time.sleep(0.25)
    time.sleep(0.4)


def release():
    run("xdotool", "mouseup", "1")
    time.sleep(0.5)


def check_the_background_is_dragged_from_the_screen_and_the_text_follows_a_pick_live():
    harness.fresh_settings()
    background = ColorWindow("204060", 100, 80)
    text = ColorWindow("E0C040", 100, 260)
    try:
        with harness.Program() as app:
            left, top = app.client_origin()
            run("xdotool", "mousemove", str(left + SWATCH[0]), str(top + SWATCH[1]), "click", "3")
            time.sleep(0.8)
            app.key("Up", "Up", "Return")  # 对比度…, just above the last entry
            x, y = contrast_origin()
            press_drag((x + BACKGROUND_PICK[0], y + BACKGROUND_PICK[1]), centre_of(100, 80))
            release()
            expect_equal(harness.setting("Contrast", "Background"), "204060", "the background dragged from the screen")
            harness.screenshot("contrast-background-picked")

            press_drag((left + PICK_BUTTON[0], top + PICK_BUTTON[1]), centre_of(100, 260))
            expect_equal(screen_pixel(x + TEXT_SWATCH[0], y + TEXT_SWATCH[1]), "E0C040",
                         "the text swatch while the main window's pick is held")
            harness.screenshot("contrast-following-a-pick")
            release()
            harness.expect_clipboard("e0c040", "after the pick")
            app.close()
    finally:
        background.close()
        text.close()
