"""Windows ending the session while the program runs."""
import subprocess

import harness


def check_session_end_saves_history():
    harness.fresh_settings()
    with harness.Program() as app:
        harness.expect_clipboard("ff5858", "start")
        # wineboot asks every window whether the session may end, tells it
        # that it ends, and then ends the processes: log-off as Windows does it.
        subprocess.run([harness.WINE_LOADER, "wineboot", "--end-session"], env=harness.wine_environment(),
                       stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        app.process.wait(20)
    harness.expect_full_history("at the session's end")
