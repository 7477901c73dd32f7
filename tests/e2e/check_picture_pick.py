"""Picking from a picture as a user does it: opened by typing its name into
the open dialog, or dropped on the main window from another program; then a
click on a known pixel of the picture window."""
import subprocess
import sys
import time
from pathlib import Path

import harness
from harness import CheckFailed, expect, expect_equal, run

PICTURE_BUTTON = (131, 159)  # client-area centre of "图片取色" (96, 147, 70 x 25)
DIALOG_TITLE = "请选择图片"
PICTURE_TITLE = "Huemira-图片取色"
FOLDER = "huemira-e2e"
# Each picture: a field of one colour with a small block of another, on
# 16-pixel bounds, so that a JPEG keeps both flat; the pick aims inside the block.
SIZE = (240, 180)
FIELD = "2E8B57"
BLOCK = (96, 64, 111, 79)
PICK = (103, 71)
XDND_SOURCE = Path(__file__).with_name("xdnd_drop.py")


def picture(name, block_color):
    """Writes the picture into the prefix; returns its host path."""
    folder = harness.PREFIX / "drive_c" / FOLDER
    folder.mkdir(exist_ok=True)
    path = folder / name
    left, top, right, bottom = BLOCK
    options = ["-quality", "100", "-sampling-factor", "1x1"] if path.suffix.lower() in (".jpg", ".jpeg") else []
    run("convert", "-size", f"{SIZE[0]}x{SIZE[1]}", f"xc:#{FIELD}", "-fill", f"#{block_color}",
        "-draw", f"rectangle {left},{top} {right},{bottom}", "-alpha", "off", *options, str(path))
    return path


def windows_name(path):
    return f"C:\\{FOLDER}\\{path.name}"


def decoded_color(path, x, y):
    """The pixel's colour as another decoder reads the file: RRGGBB."""
    data = subprocess.run(["convert", f"{path}[1x1+{x}+{y}]", "-depth", "8", "rgb:-"],
                          capture_output=True, timeout=30).stdout
    expect(len(data) == 3, f"ImageMagick could not read {path.name}")
    return data.hex().upper()


def temporary_bitmap():
    """Where the program keeps its converted picture: the user's TEMP folder
    as the prefix's registry names it."""
    return harness.environment_folder("TEMP") / "QeltMake.bmp"


def expect_temporary_bitmap_gone(when):
    # The program deletes it just after closing the window: a moment later than the window goes.
    expect(harness.wait_until(lambda: not temporary_bitmap().exists(), 5), f"the temporary bitmap is left {when}")


def wait_for_window(title, timeout=15.0):
    found = harness.wait_until(lambda: harness.visible_windows(title), timeout)
    if not found:
        harness.screenshot(f"{harness.current_check}-no-{title}")
        raise CheckFailed(f"no window titled {title!r} appeared within {timeout:.0f} s")
    return found[0]


def wait_for_window_gone(title, timeout=10.0):
    expect(harness.wait_until(lambda: not harness.visible_windows(title), timeout),
           f"the window titled {title!r} is still shown")


def picture_origin(window):
    """Screen position of the picture's top-left pixel: the first pixel of
    the field's colour in the window, found on the screen."""
    field = bytes.fromhex(FIELD)
    x, y, width, height = harness.window_geometry(window)
    pixels = harness.ScreenPixels()
    for row in range(y, min(y + height, pixels.height)):
        for column in range(x, min(x + width, pixels.width)):
            if all(abs(a - b) <= 8 for a, b in zip(pixels.at(column, row), field)):
                return column, row
    raise CheckFailed(f"the picture is not to be seen in the window at {x},{y} {width}x{height}")


def pick_from_picture(shot=None):
    """Moves onto the known pixel of the shown picture window and clicks."""
    window = wait_for_window(PICTURE_TITLE)
    left, top = picture_origin(window)
    run("xdotool", "mousemove", str(left + PICK[0]), str(top + PICK[1]))
    time.sleep(0.3)
    if shot:
        harness.screenshot(shot)
    run("xdotool", "click", "1")
    wait_for_window_gone(PICTURE_TITLE)


def open_through_dialog(app, path):
    app.click(*PICTURE_BUTTON)
    wait_for_window(DIALOG_TITLE)
    time.sleep(0.3)
    app.type(windows_name(path))
    app.key("Return")


def drop(app, path):
    """Drops the file on the main window by X drag-and-drop, from a separate program."""
    left, top = app.client_origin()
    done = subprocess.run(["/usr/bin/python3", str(XDND_SOURCE), app.window, str(left + 40), str(top + 20), str(path)],
                          capture_output=True, text=True, timeout=30)
    expect(done.returncode == 0, f"the drop of {path.name} failed: {done.stderr.strip()}")


def expect_picked(path, what):
    expected = decoded_color(path, *PICK)
    harness.expect_clipboard(expected.lower(), what)
    return expected


def check_pictures_typed_into_the_open_dialog_are_picked_from():
    harness.fresh_settings()
    pictures = [picture("pick.jpg", "C83C1E"), picture("pick.pcx", "1E50C8"), picture("pick.gif", "F0C814")]
    expected = []
    with harness.Program() as app:
        for path in pictures:
            open_through_dialog(app, path)
            pick_from_picture(shot=f"picture-window-{path.suffix[1:]}")
            expected.append(expect_picked(path, f"after picking from {path.name}"))
            expect_temporary_bitmap_gone(f"after picking from {path.name}")
        app.close()
    history = harness.expect_full_history("after picking from pictures")
    expect_equal(history[0:3], expected[::-1], "HC1..HC3, the colours picked from the GIF, the PCX and the JPEG")


def check_dropped_pictures_are_picked_from_and_the_temporary_bitmap_goes():
    harness.fresh_settings()
    png = picture("drop.png", "8C28B4")
    own = picture("own.bmp", "14A0A0")
    with harness.Program() as app:
        drop(app, png)
        wait_for_window(PICTURE_TITLE)
        expect(temporary_bitmap().exists(), "no temporary bitmap while the dropped PNG is shown")
        pick_from_picture()
        expect_picked(png, "after picking from the dropped PNG")
        expect_temporary_bitmap_gone("after the pick")

        drop(app, own)
        pick_from_picture()
        expect_picked(own, "after picking from the user's own bitmap")
        expect(own.exists(), "the user's own bitmap was deleted by the pick")

        # Closing the program with a converted picture open deletes its bitmap.
        drop(app, png)
        wait_for_window(PICTURE_TITLE)
        expect(temporary_bitmap().exists(), "no temporary bitmap for the second drop")
        left, top = app.client_origin()
        run("xdotool", "mousemove", str(left + 40), str(top - 8), "click", "1")  # the main window's caption
        time.sleep(0.3)
        app.close()
        expect(not harness.visible_windows(PICTURE_TITLE), "the picture window outlived the program")
    expect(not temporary_bitmap().exists(), "the temporary bitmap outlived the program")
