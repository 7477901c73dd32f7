"""The tray icon in a real notification area: Debian's trayer on the X
display, into which Wine docks the icon as a system-tray client. (Without a
tray host Wine shows a fallback "Wine System Tray" window instead; trayer
is what a desktop has.)"""
import re
import subprocess
import time

import harness
from harness import expect, expect_equal, run, wait_until

TRAY_HEIGHT = 24
# The tray menu: N1 ... N11, every second entry a separator.
MENU_ENTRIES = ["显示主窗口", "隐藏主窗口", "选项", "帮助", "关于", "退出"]


class TrayHost:
    """trayer at the top right of the screen, ended with the check."""

    def __enter__(self):
        self.process = subprocess.Popen(
            ["trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height", str(TRAY_HEIGHT),
             "--SetDockType", "true", "--transparent", "false"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.panel = wait_until(lambda: run("xdotool", "search", "--name", "^panel$", check=False).split(), 10)
        expect(self.panel, "trayer's panel did not appear")
        self.panel = self.panel[0]
        return self

    def icons(self):
        """Screen centres of the icons docked in the panel."""
        tree = run("xwininfo", "-id", self.panel, "-tree")
        return [(int(x) + int(w) // 2, int(y) + int(h) // 2)
                for w, h, x, y in re.findall(r'\("explorer\.exe" "explorer\.exe"\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)', tree)]

    def __exit__(self, *error):
        self.process.terminate()
        self.process.wait(10)
        return False


def hotkey_over(icon, app):
    """Ctrl+B with the pointer over the tray icon: Wine sees keys only while
    the X focus (here: the window under the pointer) is one of its windows."""
    run("xdotool", "mousemove", str(icon[0]), str(icon[1]))
    app.key("ctrl+b")


def main_window_visible():
    return bool(harness.visible_windows())


def click_at(x, y, button=1):
    run("xdotool", "mousemove", str(x), str(y), "click", str(button))


def open_tray_menu(icon, app):
    """Right click on the icon; returns the menu's window geometry."""
    before = set(run("xdotool", "search", "--onlyvisible", "--class", "huemira.exe", check=False).split())
    click_at(*icon, button=3)

    def menu():
        now = set(run("xdotool", "search", "--onlyvisible", "--class", "huemira.exe", check=False).split())
        return sorted(now - before - {app.window})
    found = wait_until(menu, 5)
    expect(found, "no menu appeared after a right click on the tray icon")
    values = dict(line.split("=", 1) for line in run("xdotool", "getwindowgeometry", "--shell", found[0]).split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def choose(menu, caption):
    """Clicks an entry of the tray menu. Wine draws a separator half as high
    as an entry, inside a 3-pixel border: six entries and five separators."""
    x, y, width, height = menu
    entry = (height - 6) / 8.5
    index = MENU_ENTRIES.index(caption)
    click_at(x + width // 2, round(y + 3 + index * 1.5 * entry + entry / 2))


def check_tray_icon_shows_hides_and_exits():
    harness.fresh_settings()
    with TrayHost() as tray, harness.Program() as app:
        icons = wait_until(tray.icons, 15)
        expect(len(icons) == 1, f"expected one icon in the tray, found {len(icons)}")
        icon = icons[0]

        hotkey_over(icon, app)
        expect(wait_until(lambda: not main_window_visible(), 5), "Ctrl+B did not hide the window")
        click_at(*icon)
        expect(wait_until(main_window_visible, 5), "a click on the tray icon did not show the window")

        menu = open_tray_menu(icon, app)
        time.sleep(0.5)
        harness.screenshot("tray-menu")
        choose(menu, "隐藏主窗口")
        expect(wait_until(lambda: not main_window_visible(), 5), "\"隐藏主窗口\" did not hide the window")
        hotkey_over(icon, app)
        expect(wait_until(main_window_visible, 5), "Ctrl+B did not show the window hidden from the tray")

        # The options from the tray: prefix "#" and upper case, confirmed with
        # Enter, reach the code box and the clipboard.
        choose(open_tray_menu(icon, app), "选项")
        options = wait_until(lambda: harness.visible_windows("Huemira-选项"), 10)
        expect(options, "\"选项\" did not open the options window")
        values = dict(line.split("=", 1) for line in run("xdotool", "getwindowgeometry", "--shell", options[0]).split())
        # The prefix field, below the caption and the page tabs; from there
        # Tab walks to the suffix and the letter-case list.
        click_at(int(values["X"]) + 208, int(values["Y"]) + 104)
        app.key("End", "shift+Home")
        app.type("#")
        app.key("Tab", "Tab", "Down", "Return")
        expect(wait_until(lambda: harness.visible_windows("信息"), 10), "confirming showed no message box")
        harness.screenshot("tray-options-confirmed")
        app.key("Return")
        harness.expect_clipboard("#FF5858", "after confirming prefix \"#\" and upper case")
        expect_equal(harness.setting("QeltColor", "LSign"), "#", "LSign after confirming")
        app.key("Escape")
        expect(wait_until(lambda: not harness.visible_windows("Huemira-选项"), 5), "Esc did not close the options")

        choose(open_tray_menu(icon, app), "退出")
        try:
            app.process.wait(20)
        except subprocess.TimeoutExpired:
            raise harness.CheckFailed("the program did not end after \"退出\"")
        expect_equal(app.process.returncode, 0, "exit code after \"退出\"")
        expect(wait_until(lambda: not tray.icons(), 10), "the icon stayed in the tray after the program ended")
    harness.expect_full_history("after \"退出\"")
