"""What closing the window writes to the settings file."""
import harness
from harness import expect_equal


def check_close_box_writes_all_88_history_keys():
    harness.fresh_settings()
    with harness.Program() as app:
        harness.expect_clipboard("ff5858", "start")
        app.close()
    history = harness.expect_full_history("on closing")
    expect_equal(history, harness.HISTORY_DEFAULTS, "history written after a run that changed nothing")
    expect_equal(harness.setting("Main", "LowerOrUpper"), "lower", "LowerOrUpper after closing")
    expect_equal(harness.setting("QeltColor", "LSign"), None, "LSign (closing writes no options)")
