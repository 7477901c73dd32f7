"""Typing into the code box, as a user does: click it, select all, type."""
import harness

# The code box's place in the client area: left 1, top 175, 92 x 23.
CODE_BOX = (1 + 46, 175 + 11)


def check_typed_code_goes_to_clipboard():
    harness.fresh_settings()
    with harness.Program() as app:
        harness.expect_clipboard("ff5858", "start")
        app.replace_text_at(*CODE_BOX, "00ff00")
        harness.expect_clipboard("00ff00", "after typing 00ff00")
        app.close()
    # Typing shows a colour; only picking adds to the history.
    harness.expect_equal(harness.setting("HistoryColor", "HC1"), "FF5858", "HC1 after typing a code")


def check_key_filter_and_lower_case():
    harness.fresh_settings()
    with harness.Program() as app:
        harness.expect_clipboard("ff5858", "start")
        # Letters beyond F are dropped as they are typed.
        app.replace_text_at(*CODE_BOX, "0g0h8k0m8p0")
        harness.expect_clipboard("008080", "after typing 0g0h8k0m8p0")
        # In lower-case mode capitals arrive in lower case.
        app.replace_text_at(*CODE_BOX, "ABCDEF")
        harness.expect_clipboard("abcdef", "after typing ABCDEF")
        app.close()
