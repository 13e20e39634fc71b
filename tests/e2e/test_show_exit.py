"""What ends a show: the standard rules, custom rules, a test run with its "Exit" button, and
Alt+F4 never. Every end exits with code 0 and leaves no temporary picture behind; the time from the
input to the end of the process is printed."""
import os
import time

import saver_e2e as e2e

SHOW_COLOUR = "#3060A0"


def leave_temporary_pictures(folder):
    """Puts stand-ins of the two temporary pictures in place, which the saver must delete at its end."""
    paths = [os.path.join(folder, name) for name in ("desktop.bmp", "wallpaper.bmp")]
    for path in paths:
        with open(path, "wb") as stand_in:
            stand_in.write(b"BM")
    return paths


def start_show(saver_path):
    saver = e2e.Saver(saver_path, "/s")
    e2e.wait_for_screen_colour(SHOW_COLOUR, timeout=120)
    return saver


def expect_still_running(saver, what):
    time.sleep(3.0)  # the show must go on for all of this wait
    assert saver.running(), "the show ended on " + what


def expect_end(saver, action, temporary):
    # A move is repeated: the first one the window sees may only set its reference.
    code = saver.end_by(action, repeat=action is MOVE[1])
    assert code == 0, code
    for path in temporary:
        assert not os.path.exists(path), path + " survived the saver"


# Each case: stored settings (None: nothing stored), inputs that must not end the show, the input
# that ends it.
MOVE = ("a mouse move", e2e.nudge_pointer)
CLICK = ("a click", lambda: e2e.click(1))
DOUBLE = ("a double click", lambda: e2e.double_click(1))
KEY = ("a key", lambda: e2e.key("a"))
ALT_F4 = ("Alt+F4", lambda: e2e.key("alt+F4"))

CASES = [
    ("standard: mouse move", None, [], MOVE),
    ("standard: click", None, [], CLICK),
    ("standard: key", None, [], KEY),
    ("custom clicks only", {"Standard": 0, "ButtonDown": 1}, [MOVE, KEY, ALT_F4], CLICK),
    ("custom double clicks only", {"Standard": 0, "DoubleClick": 1}, [MOVE, CLICK], DOUBLE),
    ("custom Escape only", {"Standard": 0, "Escape": 1}, [MOVE, CLICK, KEY], ("Escape", lambda: e2e.key("Escape"))),
]


def main():
    temp_folder = e2e.windows_temp_folder()
    saver_path = e2e.make_saver("exit", [e2e.fill(SHOW_COLOUR)])
    display_name = e2e.display_name_of(saver_path)
    print("settings key:", display_name)
    for name, settings, harmless, ending in CASES:
        print(name)
        e2e.store_settings(display_name, settings or {})
        if settings is None:
            e2e.reg_delete(e2e.COMPANY_KEY + "\\" + display_name)
        temporary = leave_temporary_pictures(temp_folder)
        saver = start_show(saver_path)
        try:
            for what, action in harmless:
                action()
                expect_still_running(saver, what)
            expect_end(saver, ending[1], temporary)
        finally:
            saver.kill()

    print("test run")
    test_run_path = e2e.make_saver("exit-test-run", [e2e.fill(SHOW_COLOUR)], exit_button=True)
    for ending in (KEY, ("the Exit button", lambda: (e2e.mouse_move(1240, 10), e2e.click(1)))):
        temporary = leave_temporary_pictures(temp_folder)
        saver = start_show(test_run_path)
        try:
            for what, action in (MOVE, ("a click", lambda: (e2e.mouse_move(400, 400), e2e.click(1))), ALT_F4):
                action()
                expect_still_running(saver, what)
            expect_end(saver, ending[1], temporary)
        finally:
            saver.kill()
    e2e.reg_delete(e2e.COMPANY_KEY + "\\" + display_name)


if __name__ == "__main__":
    main()
