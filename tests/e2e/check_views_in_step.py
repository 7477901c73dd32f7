"""Sliders and RGB fields rewrite the code box, whose text reaches the clipboard."""
import harness

# Client-area points inside the controls (left, top, width x height):
RED_SLIDER_LEFT_ARROW = (2 + 8, 28 + 9)   # slider 2, 28, 130 x 18
GREEN_FIELD = (135 + 15, 49 + 10)         # field 135, 49, 30 x 20


def check_red_slider_arrow_steps_the_code():
    harness.fresh_settings()
    with harness.Program() as app:
        harness.expect_clipboard("ff5858", "start")
        app.click(*RED_SLIDER_LEFT_ARROW)
        harness.expect_clipboard("fe5858", "after one click on the red slider's left arrow")
        app.close()


def check_typing_into_green_field():
    harness.fresh_settings()
    with harness.Program() as app:
        harness.expect_clipboard("ff5858", "start")
        app.replace_text_at(*GREEN_FIELD, "12")
        harness.expect_clipboard("ff0c58", "after typing 12 into the green field")
        # A digit typed into a field of three characters starts it anew:
        # 12, 123, then 4 alone.
        app.type("34")
        harness.expect_clipboard("ff0458", "after typing 3 and 4 more")
        app.close()
