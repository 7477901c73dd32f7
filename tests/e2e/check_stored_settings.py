"""Starting with a settings file that another run, or the user, wrote."""
import harness
from harness import expect_equal


def check_a_bad_history_value_costs_only_its_own_slot():
    harness.write_settings(
        "[Main]\nLowerOrUpper=lower\n"
        "[HistoryColor]\nHC1=00FF00\nHC3=zz\nHC4=123456\nHC7=ABCDEF\n")
    with harness.Program() as app:
        harness.expect_clipboard("00ff00", "start with HC1=00FF00")
        app.close()
    history = harness.history_from_settings()
    # HC3 takes its default; the valid values stored after it survive the close.
    expect_equal(history[:8], ["00FF00", "FFFF80", "80FF80", "123456", "0080FF", "FF8040", "ABCDEF", "008040"],
                 "HC1..HC8 after closing")


def check_upper_case_setting_and_hash_prefixed_code():
    harness.write_settings("[Main]\nLowerOrUpper=Lower\n[HistoryColor]\nHC1=#00ff00\n")
    with harness.Program() as app:
        # Anything but exactly "lower" means upper case.
        harness.expect_clipboard("00FF00", "start with LowerOrUpper=Lower and HC1=#00ff00")
        app.close()
    expect_equal(harness.setting("HistoryColor", "HC1"), "00FF00", "HC1 after closing")
    expect_equal(harness.setting("Main", "LowerOrUpper"), "Lower", "LowerOrUpper is left as the user wrote it")
