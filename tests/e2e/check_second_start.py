"""Starting the program again while it runs: one copy stays, and shows."""
import subprocess

import harness
from harness import CheckFailed, expect, expect_equal, wait_until


def check_a_second_start_shows_the_hidden_running_copy_and_ends():
    harness.fresh_settings()
    with harness.Program() as app:
        harness.expect_clipboard("ff5858", "start")
        # Without a window manager keys reach the window under the pointer.
        x, y, width, height = app.geometry()
        harness.move_pointer(x + width // 2, y + height // 2)
        app.key("ctrl+b")
        expect(wait_until(lambda: not harness.visible_windows(), 10), "Ctrl+B did not hide the window")
        second = subprocess.Popen([harness.WINE_LOADER, str(harness.EXE)], cwd=str(harness.EXE.parent),
                                  env=harness.wine_environment(), stdin=subprocess.DEVNULL,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            code = second.wait(30)
        except subprocess.TimeoutExpired:
            second.kill()
            raise CheckFailed("the second start did not end within 30 s")
        expect_equal(code, 0, "the second start's exit code")
        expect(wait_until(lambda: len(harness.visible_windows()) == 1, 10), "the running copy was not shown")
        expect(app.process.poll() is None, "the running copy ended")
        app.close()
    harness.expect_full_history("after the running copy closed")
